#pragma once

#include <system_error>
#include <type_traits>

namespace tarnwick {

// Reasons a file operation fails that have no errno of their own.
enum class FileError {
  kUnsafeTrashFolder = 1,  // a trash folder is a link, not a folder, or another user's
  kFolderUnreachable,      // no path leads to the file's folder (removed, or covered by a mount)
  kChanged,                // the file is not the one the run read (replaced, edited, moved)
  kNotRegularFile,         // a FIFO, device or folder where a file was expected
  kFolderLocked,           // another run works on the folder
};

const std::error_category& FileErrorCategory();
std::error_code make_error_code(FileError error);

}  // namespace tarnwick

template <>
struct std::is_error_code_enum<tarnwick::FileError> : std::true_type {};
