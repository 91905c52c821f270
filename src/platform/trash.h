#pragma once

#include <set>
#include <string>
#include <system_error>

#include "platform/file_errors.h"

namespace tarnwick {

// The desktop trash as freedesktop.org defines it (Trash 1.0): a trashed
// file keeps its bytes and inode in the trash of its own file system, with an
// info file that records where it came from, so a desktop's trash view and an
// undo can bring it back. Nothing here ever deletes or copies a file.

// Where a trashed file went.
struct TrashEntry {
  std::string file;  // TRASH/files/NAME
  std::string info;  // TRASH/info/NAME.trashinfo
};

// The entry, or the reason (errno values, or FileError) why there is none.
struct TrashResult {
  TrashEntry entry;
  std::error_code error;
};

// Moves `name` (a file or link, not a folder) from the open folder `dir_fd`
// into the trash of its file system (see OpenTrashFor in trash_folder.h):
// first info/NAME.trashinfo is created exclusively with the percent-encoded
// `absolute_path` and the local deletion time, then the file is renamed to
// files/NAME without replacing anything. A NAME taken in files/ or info/ is
// numbered: Song.mp3, Song.2.mp3, Song.3.mp3, ... On an error the file is
// where it was and no info file is left behind; a file on a file system
// without a usable trash stays, never deleted and never copied.
TrashResult MoveToTrash(int dir_fd, const std::string& name, const std::string& absolute_path);

// The same for a path; the info file records the folder's real path.
TrashResult MoveToTrash(const std::string& path);

// The entry that MoveToTrash would create now, found without changing
// anything; a trash that changes meanwhile may give the real run another name.
// `taken` names trashed files to treat as present (a dry run's earlier entries).
TrashResult PredictTrashEntry(int dir_fd, const std::string& name,
                              const std::set<std::string>& taken = {});
TrashResult PredictTrashEntry(const std::string& path, const std::set<std::string>& taken = {});

// Renames `trashed_file` back to `original_path` without replacing anything
// (EEXIST when taken, EXDEV when that is now another file system: never a
// copy), then removes `info_file`. An info file that cannot be removed stays
// as an orphan, which trash views pass over; the file is back all the same.
std::error_code RestoreFromTrash(const std::string& trashed_file, const std::string& info_file,
                                 const std::string& original_path);

// Whether `path`, in any spelling that leads to it, is a trash folder that a
// search must not enter: the home trash, or ".Trash" or ".Trash-<uid>" in
// the top folder of a file system.
bool IsTrashFolder(const std::string& path);

}  // namespace tarnwick
