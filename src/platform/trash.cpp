#include "platform/trash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <optional>

#include "platform/file_system.h"
#include "platform/rename_no_replace.h"
#include "platform/text.h"
#include "platform/trash_folder.h"
#include "platform/trash_info.h"
#include "platform/unique_fd.h"

namespace tarnwick {
namespace {

// Far more same-named entries than any trash holds; it only bounds the loop.
constexpr int kMaxAttempts = 100000;

std::error_code LastError() { return {errno, std::generic_category()}; }

bool IsPlainName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// The file system of the entry to trash, which must exist and not be a folder.
std::error_code CheckSource(int dir_fd, const std::string& name, FileSystemId& fs) {
  if (!IsPlainName(name)) return std::make_error_code(std::errc::invalid_argument);
  struct stat st {};
  if (fstatat(dir_fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return LastError();
  if (S_ISDIR(st.st_mode)) return std::make_error_code(std::errc::is_a_directory);
  const std::optional<FileSystemId> found = FileSystemOf(dir_fd, name.c_str(), AT_SYMLINK_NOFOLLOW);
  if (!found) return LastError();
  fs = *found;
  return {};
}

TrashEntry EntryFor(const std::string& trash_path, const std::string& trashed_name) {
  return {JoinPath(trash_path, "files/" + trashed_name),
          JoinPath(trash_path, "info/" + trashed_name + std::string(kTrashInfoEnding))};
}

bool EntryExists(int dir_fd, const std::string& name) {
  struct stat st {};
  return fstatat(dir_fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

// Creates the info file exclusively (EEXIST when the name is taken) and
// removes it again when it cannot be written whole.
std::error_code WriteInfo(int info_fd, const std::string& info_name, const std::string& text) {
  const UniqueFd file(openat(info_fd, info_name.c_str(),
                             O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!file) return LastError();
  for (size_t done = 0; done < text.size();) {
    const ssize_t put = write(file.get(), text.data() + done, text.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      const std::error_code error =
          put < 0 ? LastError() : std::make_error_code(std::errc::io_error);
      unlinkat(info_fd, info_name.c_str(), 0);
      return error;
    }
    done += static_cast<size_t>(put);
  }
  return {};
}

// The info file comes first, so that a file in files/ always has its
// description; a name taken meanwhile moves on to the next number.
std::error_code PlaceInTrash(const OpenTrash& trash, int dir_fd, const std::string& name,
                             const std::string& info_text, TrashEntry& entry) {
  for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
    const std::string trashed = TrashEntryName(name, attempt);
    const std::string info = trashed + std::string(kTrashInfoEnding);
    if (EntryExists(trash.files.get(), trashed)) continue;
    std::error_code error = WriteInfo(trash.info.get(), info, info_text);
    if (error == std::errc::file_exists) continue;
    if (error) return error;
    error = RenameNoReplaceAt(dir_fd, name, trash.files.get(), trashed);
    if (!error) {
      entry = EntryFor(trash.path, trashed);
      return {};
    }
    unlinkat(trash.info.get(), info.c_str(), 0);
    if (error != std::errc::file_exists) return error;
  }
  return std::make_error_code(std::errc::file_exists);
}

// The folder of `path` opened, and the entry's absolute path through it.
struct OpenedPath {
  UniqueFd folder;
  std::string name;
  std::string absolute;
  std::error_code error;
};

OpenedPath OpenFolderOf(const std::string& path) {
  OpenedPath opened;
  opened.name = FileNameOf(path);
  const std::string folder(FolderOf(path));
  opened.folder =
      UniqueFd(open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!opened.folder) {
    opened.error = LastError();
    return opened;
  }
  const std::optional<std::string> real_folder = FolderPathOf(opened.folder.get());
  if (!real_folder) opened.error = FileError::kFolderUnreachable;
  if (real_folder) opened.absolute = JoinPath(*real_folder, opened.name);
  return opened;
}

std::optional<std::string> RealPath(const std::string& path) {
  char* real = realpath(path.c_str(), nullptr);
  if (real == nullptr) return std::nullopt;
  std::string result(real);
  std::free(real);
  return result;
}

// ".Trash" or ".Trash-" and a user id.
bool IsTopTrashName(std::string_view name) {
  if (name == ".Trash") return true;
  constexpr std::string_view kPrefix = ".Trash-";
  if (!name.starts_with(kPrefix) || name.size() == kPrefix.size()) return false;
  return std::all_of(name.begin() + kPrefix.size(), name.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

TrashResult MoveToTrash(int dir_fd, const std::string& name, const std::string& absolute_path) {
  TrashResult result;
  if (!absolute_path.starts_with('/')) {
    result.error = std::make_error_code(std::errc::invalid_argument);
    return result;
  }
  FileSystemId fs;
  OpenTrash trash;
  if ((result.error = CheckSource(dir_fd, name, fs))) return result;
  if ((result.error = OpenTrashFor(dir_fd, fs, trash))) return result;
  const std::string info_text = TrashInfoText(absolute_path, std::time(nullptr));
  result.error = PlaceInTrash(trash, dir_fd, name, info_text, result.entry);
  return result;
}

TrashResult MoveToTrash(const std::string& path) {
  const OpenedPath opened = OpenFolderOf(path);
  if (opened.error) return {{}, opened.error};
  return MoveToTrash(opened.folder.get(), opened.name, opened.absolute);
}

TrashResult PredictTrashEntry(int dir_fd, const std::string& name,
                              const std::set<std::string>& taken) {
  TrashResult result;
  FileSystemId fs;
  std::string trash_path;
  if ((result.error = CheckSource(dir_fd, name, fs))) return result;
  if ((result.error = LocateTrashFor(dir_fd, fs, trash_path))) return result;
  struct stat st {};
  for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
    result.entry = EntryFor(trash_path, TrashEntryName(name, attempt));
    if (!taken.contains(result.entry.file) && lstat(result.entry.file.c_str(), &st) != 0 &&
        lstat(result.entry.info.c_str(), &st) != 0) {
      return result;
    }
  }
  result.error = std::make_error_code(std::errc::file_exists);
  return result;
}

TrashResult PredictTrashEntry(const std::string& path, const std::set<std::string>& taken) {
  const OpenedPath opened = OpenFolderOf(path);
  if (opened.error) return {{}, opened.error};
  return PredictTrashEntry(opened.folder.get(), opened.name, taken);
}

std::error_code RestoreFromTrash(const std::string& trashed_file, const std::string& info_file,
                                 const std::string& original_path) {
  if (auto error = RenameNoReplaceAt(AT_FDCWD, trashed_file, AT_FDCWD, original_path)) {
    return error;
  }
  unlink(info_file.c_str());
  return {};
}

bool IsTrashFolder(const std::string& path) {
  const std::optional<std::string> real = RealPath(path);
  if (!real) return false;
  const std::string home_trash = HomeTrashPath();
  if (!home_trash.empty() && RealPath(home_trash) == real) return true;
  return IsTopTrashName(FileNameOf(*real)) && IsTopFolder(ParentPath(*real));
}

}  // namespace tarnwick
