#include "platform/file_identity.h"

#include <fcntl.h>

namespace tarnwick {

FileIdentity IdentityOf(const struct stat& st) {
  return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
          static_cast<std::int64_t>(st.st_size), static_cast<std::int64_t>(st.st_mtim.tv_sec),
          static_cast<std::int64_t>(st.st_mtim.tv_nsec)};
}

std::optional<FileIdentity> IdentityAt(int dir_fd, const std::string& name) {
  struct stat st {};
  if (fstatat(dir_fd, name.c_str(), &st, 0) != 0) return std::nullopt;
  return IdentityOf(st);
}

}  // namespace tarnwick
