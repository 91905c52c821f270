#pragma once

#include <string>
#include <system_error>

namespace tarnwick {

// Renames `from` in folder `from_dir` to `to` in folder `to_dir` (AT_FDCWD for
// paths) without ever replacing an existing entry: EEXIST then. File systems
// without RENAME_NOREPLACE get a hard link and an unlink; when the unlink
// fails the link is taken back, so `from` is either moved or left as it was.
// Never copies: across file systems the result is EXDEV.
std::error_code RenameNoReplaceAt(int from_dir, const std::string& from, int to_dir,
                                  const std::string& to);

}  // namespace tarnwick
