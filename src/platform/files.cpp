#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

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

bool CopyContents(int from, int to) {
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = read(from, buffer, sizeof buffer);
    if (got == 0) return true;
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = write(to, buffer + done, static_cast<size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return false;
      done += put;
    }
  }
}

// Puts `from` at `to` unless `to` exists; both on one file system.
bool RenameNoReplace(const std::string& from, const std::string& to) {
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // File systems without RENAME_NOREPLACE: a hard link fails on an existing name.
  if (link(from.c_str(), to.c_str()) != 0) return false;
  unlink(from.c_str());
  return true;
}

// The copy that a move across file systems needs, placed without replacing.
bool CopyAcross(const std::string& source, const std::string& target) {
  const int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  struct stat st {};
  std::string temp;
  const int out = fstat(in, &st) == 0 ? CreateTemporaryBeside(target, temp) : -1;
  bool ok = out >= 0 && CopyContents(in, out) && fchmod(out, st.st_mode & 07777) == 0;
  if (ok) {
    const timespec times[2] = {st.st_atim, st.st_mtim};
    futimens(out, times);
    ok = fsync(out) == 0;
  }
  if (out >= 0) ok = (close(out) == 0) && ok;
  close(in);
  ok = ok && RenameNoReplace(temp, target);
  if (!ok && !temp.empty()) unlink(temp.c_str());
  return ok;
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

bool MoveFileNoReplace(const std::string& source, const std::string& target) {
  if (RenameNoReplace(source, target)) return true;
  if (errno != EXDEV) return false;
  if (!CopyAcross(source, target)) return false;
  if (unlink(source.c_str()) == 0) return true;
  // The source cannot be removed: take the copy back so the move fails whole.
  unlink(target.c_str());
  return false;
}

bool DeleteFile(const std::string& path) { return unlink(path.c_str()) == 0; }

}  // namespace tarnwick
