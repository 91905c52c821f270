#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

namespace tarnwick {

// A file opened for reading only and read through a 64 KiB buffer, for a
// reader that asks for a few bytes at a time: libmpg123 reads each frame's
// header and body with a call each, and the system calls alone would cost
// about a tenth of the decoding time.
class BufferedFile {
 public:
  BufferedFile() = default;
  ~BufferedFile();
  BufferedFile(const BufferedFile&) = delete;
  BufferedFile& operator=(const BufferedFile&) = delete;

  // The system's error when the file cannot be opened; a folder gives EISDIR.
  std::error_code Open(const std::string& path);

  // Copies up to `count` bytes to `out`: fewer only at the end of the file;
  // -1 with errno set when reading failed.
  std::int64_t Read(void* out, std::size_t count);

  // As lseek(2), in the positions the reader has seen.
  std::int64_t Seek(std::int64_t offset, int whence);

 private:
  int fd_ = -1;
  std::vector<std::uint8_t> buffer_;
  std::size_t begin_ = 0;  // the unread bytes of buffer_ are [begin_, end_)
  std::size_t end_ = 0;
};

}  // namespace tarnwick
