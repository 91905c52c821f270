#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <optional>
#include <string>

namespace tarnwick {

// What tells one file from another, and a file from its edited self: the
// device and inode say which file a name leads to, the size and modification
// time whether its contents changed. A run records it when it reads a file
// and compares it before it acts, so it never acts on a file that another
// program replaced or edited meanwhile.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t mtimeSeconds = 0;
  std::int64_t mtimeNanoseconds = 0;

  bool operator==(const FileIdentity&) const = default;
  // Same file (device and inode), whatever its contents now.
  bool SameFile(const FileIdentity& other) const {
    return device == other.device && inode == other.inode;
  }
  // Same size and modification time: contents unchanged, also across a copy.
  bool SameContents(const FileIdentity& other) const {
    return size == other.size && mtimeSeconds == other.mtimeSeconds &&
           mtimeNanoseconds == other.mtimeNanoseconds;
  }
};

FileIdentity IdentityOf(const struct stat& st);

// The identity of the file `name` leads to in folder `dir_fd` (AT_FDCWD for
// a path), links followed; nothing when there is no such file.
std::optional<FileIdentity> IdentityAt(int dir_fd, const std::string& name);

}  // namespace tarnwick
