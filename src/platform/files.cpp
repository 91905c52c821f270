#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/file_io.h"
#include "platform/folder_access.h"
#include "platform/text.h"

namespace tarnwick {
namespace {

char FoldUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool EndsWithNoCase(std::string_view name, std::string_view ending) {
  if (name.size() < ending.size()) return false;
  return LowerAscii(name.substr(name.size() - ending.size())) == LowerAscii(ending);
}

// Entries of an open folder, "." and ".." left out, with a test on each
// entry, in listing order. Takes the DIR over and closes it.
template <typename Keep>
std::vector<std::string> ListEntries(DIR* dir, Keep keep) {
  std::vector<std::string> names;
  if (dir == nullptr) return names;
  const int dir_fd = dirfd(dir);
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (keep(dir_fd, entry)) names.emplace_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end(), ListingOrderLess);
  return names;
}

DIR* OpenListing(const std::string& folder) {
  return opendir(folder.empty() ? "." : folder.c_str());
}

// A listing of its own on a copy of the descriptor, so the caller's
// descriptor stays open and its position untouched.
DIR* OpenListingAt(int dir_fd) {
  const int copy = openat(dir_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (copy < 0) return nullptr;
  DIR* dir = fdopendir(copy);
  if (dir == nullptr) close(copy);
  return dir;
}

bool IsRegularFileAt(int dir_fd, const dirent* entry) {
  if (entry->d_type == DT_REG) return true;
  if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) return false;
  struct stat st {};
  return fstatat(dir_fd, entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
}

bool IsRealFolderAt(int dir_fd, const dirent* entry) {
  if (entry->d_type == DT_DIR) return true;
  if (entry->d_type != DT_UNKNOWN) return false;
  struct stat st {};
  return fstatat(dir_fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}

auto FilesEndingIn(std::string_view extension) {
  return [extension](int dir_fd, const dirent* entry) {
    return EndsWithNoCase(entry->d_name, extension) && IsRegularFileAt(dir_fd, entry);
  };
}

}  // namespace

bool ListingOrderLess(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto fa = static_cast<unsigned char>(FoldUpper(a[i]));
    const auto fb = static_cast<unsigned char>(FoldUpper(b[i]));
    if (fa != fb) return fa < fb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

std::vector<std::string> ListFiles(const std::string& folder, std::string_view extension) {
  return ListEntries(OpenListing(folder), FilesEndingIn(extension));
}

std::vector<std::string> ListFilesAt(int dir_fd, std::string_view extension) {
  return ListEntries(OpenListingAt(dir_fd), FilesEndingIn(extension));
}

std::vector<std::string> ListSubfolders(const std::string& folder) {
  return ListEntries(OpenListing(folder), IsRealFolderAt);
}

std::vector<std::string> ListSubfoldersAt(int dir_fd) {
  return ListEntries(OpenListingAt(dir_fd), IsRealFolderAt);
}

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FileExists(const std::string& path) { return !path.empty() && FileExistsAt(AT_FDCWD, path); }

bool FileExistsAt(int dir_fd, const std::string& name) {
  struct stat st {};
  if (fstatat(dir_fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
  // A link to a folder is no file either.
  return !S_ISDIR(st.st_mode) &&
         !(fstatat(dir_fd, name.c_str(), &st, 0) == 0 && S_ISDIR(st.st_mode));
}

std::error_code CreatePrivateFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return LastError();
    if (slash == std::string::npos) return {};
  }
}

OpenedFolder OpenFolder(const std::string& path) {
  const int fd = open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  return {UniqueFd(fd), fd < 0 ? LastError() : std::error_code()};
}

OpenedFolder OpenFolderBelow(int root_fd, std::string_view below) {
  UniqueFd folder(openat(root_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  while (folder) {
    while (below.starts_with('/')) below.remove_prefix(1);
    if (below.empty()) return {std::move(folder), {}};
    const size_t slash = std::min(below.find('/'), below.size());
    const std::string name(below.substr(0, slash));
    below.remove_prefix(slash);
    folder = UniqueFd(
        openat(folder.get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  }
  return {UniqueFd(), LastError()};
}

}  // namespace tarnwick
