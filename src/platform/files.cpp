#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/file_io.h"
#include "platform/text.h"

namespace tarnwick {
namespace {

char FoldUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool EndsWithNoCase(std::string_view name, std::string_view ending) {
  if (name.size() < ending.size()) return false;
  return LowerAscii(name.substr(name.size() - ending.size())) == LowerAscii(ending);
}

// Entries of a folder, "." and ".." left out, with a test on each entry.
template <typename Keep>
std::vector<std::string> ListEntries(const std::string& folder, Keep keep) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
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

// A temporary name beside `target`, created exclusively.
int CreateTemporaryBeside(const std::string& target, std::string& temp_path) {
  temp_path = std::string(FolderOf(target)) + ".tarnwick-move-XXXXXX";
  return mkstemp(temp_path.data());
}

// Puts `from` at `to` unless `to` exists; both on one file system.
std::error_code RenameNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  if (errno != EINVAL && errno != ENOSYS) return LastError();
  // File systems without RENAME_NOREPLACE: a hard link fails on an existing name.
  if (link(from.c_str(), to.c_str()) != 0) return LastError();
  unlink(from.c_str());
  return {};
}

// Gives the copy the source's mode and times and flushes it to disk.
std::error_code FinishCopy(int out, const struct stat& st) {
  if (fchmod(out, st.st_mode & 07777) != 0) return LastError();
  const timespec times[2] = {st.st_atim, st.st_mtim};
  futimens(out, times);
  return fsync(out) == 0 ? std::error_code() : LastError();
}

// The copy that a move across file systems needs, placed without replacing.
std::error_code CopyAcross(const std::string& source, const std::string& target) {
  const int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return LastError();
  struct stat st {};
  std::string temp;
  std::error_code error;
  int out = -1;
  if (fstat(in, &st) != 0 || (out = CreateTemporaryBeside(target, temp)) < 0) error = LastError();
  if (!error) error = CopyContents(in, out);
  if (!error) error = FinishCopy(out, st);
  if (out >= 0 && close(out) != 0 && !error) error = LastError();
  close(in);
  if (!error) error = RenameNoReplace(temp, target);
  if (error && out >= 0) unlink(temp.c_str());
  return error;
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
  return ListEntries(folder, [extension](int dir_fd, const dirent* entry) {
    return EndsWithNoCase(entry->d_name, extension) && IsRegularFileAt(dir_fd, entry);
  });
}

std::vector<std::string> ListSubfolders(const std::string& folder) {
  return ListEntries(folder, IsRealFolderAt);
}

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
  struct stat st {};
  if (path.empty() || lstat(path.c_str(), &st) != 0) return false;
  return !S_ISDIR(st.st_mode) && !IsDirectory(path);
}

std::error_code MoveFileNoReplace(const std::string& source, const std::string& target) {
  const std::error_code renamed = RenameNoReplace(source, target);
  if (renamed != std::errc::cross_device_link) return renamed;
  if (const std::error_code error = CopyAcross(source, target)) return error;
  if (unlink(source.c_str()) == 0) return {};
  // The source cannot be removed: take the copy back so the move fails whole.
  const std::error_code error = LastError();
  unlink(target.c_str());
  return error;
}

std::error_code DeleteFile(const std::string& path) {
  return unlink(path.c_str()) == 0 ? std::error_code() : LastError();
}

}  // namespace tarnwick
