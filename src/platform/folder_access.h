#pragma once

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/unique_fd.h"

namespace tarnwick {

// An open folder, or why it could not be opened.
struct OpenedFolder {
  UniqueFd fd;
  std::error_code error;
};

// Opens `path` as a folder, following links: a folder the user names may be
// reached through a link. ENOTDIR for a file.
OpenedFolder OpenFolder(const std::string& path);

// Opens `below` (a relative path of folders, '/'-separated, may be empty)
// inside the open folder `root_fd`, refusing a link at every step (ELOOP or
// ENOTDIR), so that a folder swapped for a link during a run is never
// followed out of the tree being searched.
OpenedFolder OpenFolderBelow(int root_fd, std::string_view below);

// The names of the regular files in the open folder whose name ends in
// `extension` (case-insensitive for A-Z), sorted like ListFiles. A link to a
// regular file counts. Empty when the folder cannot be read.
std::vector<std::string> ListFilesAt(int dir_fd, std::string_view extension);

// The names of the real sub-folders (no links) of the open folder, sorted.
std::vector<std::string> ListSubfoldersAt(int dir_fd);

// Creates `path` and every missing folder on the way (like mkdir -p), each
// new one private to the user (0700), as the base-directory rules ask for
// the user's data and state.
std::error_code CreatePrivateFolders(const std::string& path);

// True when `name` in the open folder exists and is not a folder.
bool FileExistsAt(int dir_fd, const std::string& name);

}  // namespace tarnwick
