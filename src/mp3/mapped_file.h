#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/file_identity.h"

namespace tarnwick {

// A file opened for reading only and mapped whole into memory, so that the
// frame walk touches only the pages around the headers it reads and makes no
// system call per frame. The descriptor is closed once the map exists.
class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // 0, or the errno of the call that failed. A folder gives EISDIR.
  int Open(const std::string& path);

  std::span<const std::uint8_t> Bytes() const {
    return {static_cast<const std::uint8_t*>(map_), size_};
  }
  // The file that was opened, as it was then.
  const FileIdentity& Identity() const { return identity_; }

 private:
  int MapDescriptor(int fd);

  void* map_ = nullptr;
  std::size_t size_ = 0;
  FileIdentity identity_;
};

}  // namespace tarnwick
