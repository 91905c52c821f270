#include "mp3/buffered_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tarnwick {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

std::error_code LastError() { return {errno, std::system_category()}; }

}  // namespace

BufferedFile::~BufferedFile() {
  if (fd_ >= 0) close(fd_);
}

std::error_code BufferedFile::Open(const std::string& path) {
  // O_NONBLOCK keeps a FIFO without a writer from blocking the open; it does
  // nothing to regular files.
  do {
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) return LastError();
  struct stat st {};
  if (fstat(fd_, &st) != 0) return LastError();
  if (S_ISDIR(st.st_mode)) return {EISDIR, std::system_category()};
  buffer_.resize(kBufferSize);
  return {};
}

std::int64_t BufferedFile::Read(void* out, std::size_t count) {
  auto* bytes = static_cast<std::uint8_t*>(out);
  std::size_t copied = 0;
  while (copied < count) {
    if (begin_ == end_) {
      ssize_t got;
      do {
        got = read(fd_, buffer_.data(), buffer_.size());
      } while (got < 0 && errno == EINTR);
      if (got < 0) return -1;
      if (got == 0) break;
      begin_ = 0;
      end_ = static_cast<std::size_t>(got);
    }
    const std::size_t part = std::min(count - copied, end_ - begin_);
    std::memcpy(bytes + copied, buffer_.data() + begin_, part);
    begin_ += part;
    copied += part;
  }
  return static_cast<std::int64_t>(copied);
}

std::int64_t BufferedFile::Seek(std::int64_t offset, int whence) {
  // The descriptor stands ahead of the reader by the unread buffered bytes.
  if (whence == SEEK_CUR) offset -= static_cast<std::int64_t>(end_ - begin_);
  begin_ = end_ = 0;
  return lseek(fd_, offset, whence);
}

}  // namespace tarnwick
