#pragma once

#include <optional>
#include <string>

#include "platform/file_identity.h"
#include "platform/trash.h"

namespace tarnwick {

// The trash entry of the file that was at `original_path` with `identity`,
// for a run that ended before it could write where the file went: the entry
// in the trash of that file system whose device and inode match and whose
// info file names `original_path`. Nothing when there is none.
std::optional<TrashEntry> FindTrashed(const std::string& original_path,
                                      const FileIdentity& identity);

}  // namespace tarnwick
