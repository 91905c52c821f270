#include "platform/rename_no_replace.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_io.h"

namespace tarnwick {
std::error_code RenameNoReplaceAt(int from_dir, const std::string& from, int to_dir,
                                  const std::string& to) {
  if (renameat2(from_dir, from.c_str(), to_dir, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  if (errno != EINVAL && errno != ENOSYS) return LastError();
  // A hard link fails on an existing name, which RENAME_NOREPLACE would refuse too.
  if (linkat(from_dir, from.c_str(), to_dir, to.c_str(), 0) != 0) return LastError();
  if (unlinkat(from_dir, from.c_str(), 0) == 0) return {};
  const std::error_code error = LastError();
  unlinkat(to_dir, to.c_str(), 0);
  return error;
}

}  // namespace tarnwick
