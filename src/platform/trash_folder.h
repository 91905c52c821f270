#pragma once

#include <string>
#include <system_error>

#include "platform/file_system.h"
#include "platform/unique_fd.h"

namespace tarnwick {

// A trash folder opened to receive entries.
struct OpenTrash {
  std::string path;  // the trash folder itself, holding files/ and info/
  UniqueFd files;
  UniqueFd info;
};

// $XDG_DATA_HOME/Trash (the variable counts only when absolute), else
// $HOME/.local/share/Trash; empty when neither is set.
std::string HomeTrashPath();

// The trash for an entry on file system `fs` in the open folder `dir_fd`:
// the home trash when the home trash's nearest existing folder lies on `fs`,
// else $top/.Trash/$uid when $top/.Trash is a real folder with the sticky
// bit, else $top/.Trash-$uid, where $top is the top folder of `fs` above
// `dir_fd`. Missing trash folders are created (0700); one that is a link,
// not a folder, or (for the two at $top) another user's is refused.
std::error_code OpenTrashFor(int dir_fd, FileSystemId fs, OpenTrash& trash);

// The path of the trash folder that OpenTrashFor would open now, found
// without creating or changing anything.
std::error_code LocateTrashFor(int dir_fd, FileSystemId fs, std::string& trash_path);

}  // namespace tarnwick
