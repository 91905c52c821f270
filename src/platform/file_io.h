#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>
#include <system_error>

namespace tarnwick {

// The errno of the last failed call as an error code.
std::error_code LastError();

// Copies everything from the current offset of `from` to `to`, in the kernel
// where the file systems allow it (copy_file_range), else through a buffer.
std::error_code CopyContents(int from, int to);

// Whether a process of that number runs (possibly as another user).
bool ProcessIsRunning(long pid);

// Writes all of `data`, going on after interrupted or partial writes.
std::error_code WriteAll(int fd, std::string_view data);

// Replaces the file at `path` with `contents` so that a reader, a crash or a
// kill sees either the old file or the new one whole: the contents go to a
// temporary file beside it, are flushed to disk and renamed over it. The new
// file gets `mode`; on failure nothing is left behind, and the temporary
// file of a writer that was killed is removed by the next write. A link is
// written through: the file it leads to is replaced, the link stays.
std::error_code WriteFileAtomically(const std::string& path, std::string_view contents,
                                    mode_t mode);

}  // namespace tarnwick
