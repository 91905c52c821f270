#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Names of the regular files in `folder` whose name ends in `extension`
// (compared without regard to the case of A to Z), hidden files included.
// A link to a regular file counts; FIFOs, sockets, devices and folders never
// do. Sorted with a-z folded to A-Z, ties by raw bytes, so that every run sees
// the same order. A folder that cannot be listed gives an empty list.
std::vector<std::string> ListFiles(const std::string& folder, std::string_view extension);

// Names of the sub-folders of `folder`, sorted like ListFiles. Links to
// folders are left out, so a walk can never loop.
std::vector<std::string> ListSubfolders(const std::string& folder);

// True for an existing directory (a link to one counts); false for an empty path.
bool IsDirectory(const std::string& path);

// True for an existing regular file (a link to one counts).
bool IsRegularFile(const std::string& path);

// True when an entry of that name exists and is not a directory.
bool FileExists(const std::string& path);

// The order of ListFiles: a-z folded to A-Z, ties by raw bytes.
bool ListingOrderLess(std::string_view a, std::string_view b);

}  // namespace tarnwick
