#pragma once

#include <string>
#include <system_error>

#include "platform/file_identity.h"

namespace tarnwick {

// Moves `from` in the open folder `from_dir` to `to` in `to_dir` (AT_FDCWD
// for paths) without ever replacing an existing entry (EEXIST). When
// `expected` is given and the file is no longer that file, or was changed,
// it stays where it is (FileError::kChanged).
//
// Across file systems the file is copied from an open descriptor to a
// temporary name in the destination folder, flushed and put in place without
// replacing; the source is removed only when its name still leads to the
// file that was copied and neither its size nor its modification time
// changed during the copy. On any failure the copy is removed and the
// source stays as it was.
std::error_code MoveFileAt(int from_dir, const std::string& from, int to_dir, const std::string& to,
                           const FileIdentity* expected = nullptr);

std::error_code MoveFileNoReplace(const std::string& source, const std::string& target);

// Removes `name` from the open folder, unless it is no longer `expected`.
std::error_code DeleteFileAt(int dir_fd, const std::string& name,
                             const FileIdentity* expected = nullptr);

std::error_code DeleteFile(const std::string& path);

// Removes the temporary files that interrupted copies of processes that no
// longer run left in the open folder.
void RemoveStaleCopies(int dir_fd);

// Removes the temporary file of the copy in progress, if any. Safe to call
// from a signal handler, for a program that ends in the middle of a copy.
void RemoveCopyInProgress();

}  // namespace tarnwick
