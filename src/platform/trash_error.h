#pragma once

#include <system_error>
#include <type_traits>

namespace tarnwick {

// Reasons a trash operation fails that have no errno of their own.
enum class TrashError {
  kUnsafeTrashFolder = 1,  // a trash folder is a link, not a folder, or another user's
  kFolderUnreachable,      // no path leads to the file's folder (removed, or covered by a mount)
};

const std::error_category& TrashCategory();
std::error_code make_error_code(TrashError error);

}  // namespace tarnwick

template <>
struct std::is_error_code_enum<tarnwick::TrashError> : std::true_type {};
