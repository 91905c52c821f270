#include "platform/file_moves.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>

#include "platform/file_errors.h"
#include "platform/file_io.h"
#include "platform/folder_access.h"
#include "platform/rename_no_replace.h"
#include "platform/text.h"
#include "platform/unique_fd.h"

namespace tarnwick {
namespace {

// Temporary copies are named after their process, so that a later run can
// tell the leftovers of a process that ended from the copies of one that
// still runs.
constexpr std::string_view kCopyPrefix = ".tarnwick-move-";

// The copy in progress, as a signal handler may read it: a folder and a name
// in fixed storage, published by the flag.
volatile sig_atomic_t copy_registered = 0;
int copy_folder = -1;
char copy_name[64];

void RegisterCopy(int dir_fd, const std::string& name) {
  copy_folder = dir_fd;
  std::strncpy(copy_name, name.c_str(), sizeof copy_name - 1);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  copy_registered = 1;
}

void UnregisterCopy() { copy_registered = 0; }

// A new temporary file in `dir_fd`, created exclusively.
UniqueFd CreateCopyFile(int dir_fd, std::string& name) {
  static std::mt19937_64 random{std::random_device{}()};
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = std::string(kCopyPrefix) + std::to_string(getpid()) + "-" +
           std::to_string(random() % 1000000000);
    const int fd = openat(dir_fd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0 || errno != EEXIST) return UniqueFd(fd);
  }
  return UniqueFd();
}

// Opens the source for the copy: never blocks on a FIFO swapped in for the
// file, and takes nothing but a regular file.
UniqueFd OpenSource(int dir_fd, const std::string& name, struct stat& st, std::error_code& error) {
  UniqueFd in(openat(dir_fd, name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!in || fstat(in.get(), &st) != 0) {
    error = LastError();
    return UniqueFd();
  }
  if (!S_ISREG(st.st_mode)) error = FileError::kNotRegularFile;
  return in;
}

// Gives the copy the source's mode and times and flushes it to disk.
std::error_code FinishCopy(int out, const struct stat& st) {
  if (fchmod(out, st.st_mode & 07777) != 0) return LastError();
  const timespec times[2] = {st.st_atim, st.st_mtim};
  futimens(out, times);
  return fsync(out) == 0 ? std::error_code() : LastError();
}

// Whether the source name still leads to the copied file, unchanged.
bool SourceUnchanged(int dir_fd, const std::string& name, int in, const struct stat& before) {
  struct stat now {
  }, named{};
  return fstat(in, &now) == 0 && fstatat(dir_fd, name.c_str(), &named, 0) == 0 &&
         IdentityOf(now) == IdentityOf(before) && IdentityOf(named) == IdentityOf(before);
}

std::error_code CopyThenRemove(int from_dir, const std::string& from, int to_dir,
                               const std::string& to, const FileIdentity* expected) {
  struct stat st {};
  std::error_code error;
  const UniqueFd in = OpenSource(from_dir, from, st, error);
  if (!error && expected != nullptr && IdentityOf(st) != *expected) error = FileError::kChanged;
  if (error) return error;
  std::string temp;
  const UniqueFd out = CreateCopyFile(to_dir, temp);
  if (!out) return LastError();
  RegisterCopy(to_dir, temp);
  error = CopyContents(in.get(), out.get());
  if (!error) error = FinishCopy(out.get(), st);
  if (!error && !SourceUnchanged(from_dir, from, in.get(), st)) error = FileError::kChanged;
  if (!error) error = RenameNoReplaceAt(to_dir, temp, to_dir, to);
  if (error) unlinkat(to_dir, temp.c_str(), 0);
  UnregisterCopy();
  if (error) return error;
  if (unlinkat(from_dir, from.c_str(), 0) == 0) return {};
  // The source cannot be removed: take the copy back so the move fails whole.
  error = LastError();
  unlinkat(to_dir, to.c_str(), 0);
  return error;
}

std::error_code CheckIdentity(int dir_fd, const std::string& name, const FileIdentity* expected) {
  if (expected == nullptr) return {};
  const std::optional<FileIdentity> now = IdentityAt(dir_fd, name);
  if (!now) return LastError();
  return *now == *expected ? std::error_code() : make_error_code(FileError::kChanged);
}

}  // namespace

std::error_code MoveFileAt(int from_dir, const std::string& from, int to_dir, const std::string& to,
                           const FileIdentity* expected) {
  if (const std::error_code error = CheckIdentity(from_dir, from, expected)) return error;
  const std::error_code renamed = RenameNoReplaceAt(from_dir, from, to_dir, to);
  if (renamed != std::errc::cross_device_link) return renamed;
  // The name must be free before a copy is made; the final rename checks again.
  if (FileExistsAt(to_dir, to)) return std::make_error_code(std::errc::file_exists);
  return CopyThenRemove(from_dir, from, to_dir, to, expected);
}

namespace {

// The folder of a path, opened, and the name in it; the copy across file
// systems puts its temporary file beside the target, in that folder.
struct FolderAndName {
  OpenedFolder folder;
  std::string name;
};
FolderAndName Split(const std::string& path) {
  return {OpenFolder(std::string(FolderOf(path))), std::string(FileNameOf(path))};
}

}  // namespace

std::error_code MoveFileNoReplace(const std::string& source, const std::string& target) {
  const FolderAndName from = Split(source);
  const FolderAndName to = Split(target);
  if (from.folder.error) return from.folder.error;
  if (to.folder.error) return to.folder.error;
  return MoveFileAt(from.folder.fd.get(), from.name, to.folder.fd.get(), to.name);
}

std::error_code DeleteFileAt(int dir_fd, const std::string& name, const FileIdentity* expected) {
  if (const std::error_code error = CheckIdentity(dir_fd, name, expected)) return error;
  return unlinkat(dir_fd, name.c_str(), 0) == 0 ? std::error_code() : LastError();
}

std::error_code DeleteFile(const std::string& path) { return DeleteFileAt(AT_FDCWD, path); }

void RemoveStaleCopies(int dir_fd) {
  for (const std::string& name : ListFilesAt(dir_fd, "")) {
    if (!name.starts_with(kCopyPrefix)) continue;
    const long pid = std::strtol(name.c_str() + kCopyPrefix.size(), nullptr, 10);
    if (pid > 0 && pid != getpid() && !ProcessIsRunning(pid)) unlinkat(dir_fd, name.c_str(), 0);
  }
}

void RemoveCopyInProgress() {
  if (copy_registered) unlinkat(copy_folder, copy_name, 0);
}

}  // namespace tarnwick
