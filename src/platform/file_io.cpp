#include "platform/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>

#include "platform/files.h"
#include "platform/text.h"

namespace tarnwick {
namespace {

// Errors of copy_file_range that only mean "not between these two files".
bool CopyRangeUnsupported(int error) {
  return error == EXDEV || error == EINVAL || error == ENOSYS || error == EOPNOTSUPP ||
         error == EBADF;
}

std::error_code CopyThroughBuffer(int from, int to) {
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = read(from, buffer, sizeof buffer);
    if (got == 0) return {};
    if (got < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    if (const std::error_code error = WriteAll(to, {buffer, static_cast<size_t>(got)})) {
      return error;
    }
  }
}

// Temporary files are named after the file they replace and the process
// that wrote them: "tarnwick.ini.tmp-<pid>-XXXXXX". One left by a process
// that was killed while writing is removed by the next write.
std::string TemporaryPrefix(const std::string& target) { return target + ".tmp-"; }

void RemoveStaleTemporaries(const std::string& target) {
  const std::string prefix(FileNameOf(TemporaryPrefix(target)));
  const std::string folder(FolderOf(target));
  for (const std::string& name : ListFiles(folder, "")) {
    if (!name.starts_with(prefix)) continue;
    const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
    if (pid > 0 && !ProcessIsRunning(pid)) unlink((folder + name).c_str());
  }
}

// A link is written through: its target gets the new contents and the link
// stays a link.
std::string WriteTarget(const std::string& path) {
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  std::string target(4096, '\0');
  const ssize_t length = readlink(path.c_str(), target.data(), target.size());
  if (length <= 0) return path;
  target.resize(static_cast<size_t>(length));
  if (target.front() != '/') target = std::string(FolderOf(path)) + target;
  return WriteTarget(target);
}

}  // namespace

std::error_code LastError() { return {errno, std::generic_category()}; }

std::error_code WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t put = write(fd, data.data(), data.size());
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return LastError();
    if (put == 0) return std::make_error_code(std::errc::io_error);
    data.remove_prefix(static_cast<size_t>(put));
  }
  return {};
}

std::error_code CopyContents(int from, int to) {
  bool copied_any = false;
  for (;;) {
    const ssize_t copied = copy_file_range(from, nullptr, to, nullptr, SSIZE_MAX >> 1, 0);
    if (copied == 0) return {};
    if (copied > 0) {
      copied_any = true;
      continue;
    }
    if (errno == EINTR) continue;
    // Only before the first byte may the copy fall back: later the offsets have moved.
    if (!copied_any && CopyRangeUnsupported(errno)) return CopyThroughBuffer(from, to);
    return LastError();
  }
}

bool ProcessIsRunning(long pid) { return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

std::error_code WriteFileAtomically(const std::string& path, std::string_view contents,
                                    mode_t mode) {
  const std::string target = WriteTarget(path);
  RemoveStaleTemporaries(target);
  std::string temp = TemporaryPrefix(target) + std::to_string(getpid()) + "-XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return LastError();
  std::error_code error = WriteAll(fd, contents);
  if (!error && fchmod(fd, mode) != 0) error = LastError();
  if (!error && fsync(fd) != 0) error = LastError();
  if (close(fd) != 0 && !error) error = LastError();
  if (!error && rename(temp.c_str(), target.c_str()) != 0) error = LastError();
  if (error) unlink(temp.c_str());
  return error;
}

}  // namespace tarnwick
