#include "platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>

namespace tarnwick {

std::optional<FileSystemId> FileSystemOf(int dir_fd, const char* name, int flags) {
  struct statx st {};
  if (statx(dir_fd, name, flags, STATX_MNT_ID, &st) != 0) return std::nullopt;
  const std::uint64_t mount = (st.stx_mask & STATX_MNT_ID) ? st.stx_mnt_id : 0;
  return FileSystemId{makedev(st.stx_dev_major, st.stx_dev_minor), mount};
}

std::optional<std::string> FolderPathOf(int dir_fd) {
  // The kernel keeps the path of every open descriptor; a folder removed
  // since gets " (deleted)" appended, which the check below refuses.
  std::string path(4096, '\0');
  const std::string link = "/proc/self/fd/" + std::to_string(dir_fd);
  const ssize_t length = readlink(link.c_str(), path.data(), path.size());
  if (length <= 0 || static_cast<size_t>(length) == path.size() || path[0] != '/') {
    return std::nullopt;
  }
  path.resize(static_cast<size_t>(length));
  struct stat by_path {
  }, by_fd{};
  if (stat(path.c_str(), &by_path) != 0 || fstat(dir_fd, &by_fd) != 0) return std::nullopt;
  if (by_path.st_dev != by_fd.st_dev || by_path.st_ino != by_fd.st_ino) return std::nullopt;
  return path;
}

std::string TopFolderOf(std::string folder, FileSystemId fs) {
  while (folder != "/") {
    std::string parent = ParentPath(folder);
    const auto parent_fs = FileSystemOf(AT_FDCWD, parent.c_str(), AT_SYMLINK_NOFOLLOW);
    if (!parent_fs || *parent_fs != fs) break;
    folder = std::move(parent);
  }
  return folder;
}

bool IsTopFolder(const std::string& path) {
  if (path == "/") return true;
  const auto fs = FileSystemOf(AT_FDCWD, path.c_str(), AT_SYMLINK_NOFOLLOW);
  const auto parent_fs = FileSystemOf(AT_FDCWD, ParentPath(path).c_str(), AT_SYMLINK_NOFOLLOW);
  return fs && parent_fs && *fs != *parent_fs;
}

std::string ParentPath(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  const size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return ".";
  return std::string(path.substr(0, slash == 0 ? 1 : slash));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '/') path += '/';
  return path + std::string(name);
}

}  // namespace tarnwick
