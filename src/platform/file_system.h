#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// What two entries must share for a rename between them to work: the device
// (btrfs subvolumes differ here) and the mount (bind mounts differ here).
struct FileSystemId {
  dev_t device = 0;
  std::uint64_t mount = 0;  // 0 where the kernel reports no mount ids
  bool operator==(const FileSystemId&) const = default;
};

// The file system of `name` in folder `dir_fd`; `flags` as for statx
// (AT_SYMLINK_NOFOLLOW, AT_EMPTY_PATH). Nothing, with errno set, on failure.
std::optional<FileSystemId> FileSystemOf(int dir_fd, const char* name, int flags);

// The absolute path of an open folder, without links, "." or "..". Nothing
// when that path no longer leads to the folder (removed, moved away, or
// covered by a mount since it was opened).
std::optional<std::string> FolderPathOf(int dir_fd);

// The top folder of `folder` (an absolute path without links): the highest
// folder on the way up that still lies on `fs`. Walking up rather than
// reading the mount table also stops at bind mounts and btrfs subvolumes,
// wherever a rename could no longer reach.
std::string TopFolderOf(std::string folder, FileSystemId fs);

// Whether `path` (absolute, without links) is a top folder: the root, or a
// folder whose parent lies on another file system.
bool IsTopFolder(const std::string& path);

// "/a/b" -> "/a", "/a" -> "/", "/" -> "/"; trailing slashes are ignored.
std::string ParentPath(std::string_view path);

// `folder` + '/' + `name`, with one slash between them.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace tarnwick
