#include "platform/trash_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>

#include "platform/file_errors.h"
#include "platform/file_io.h"
#include "platform/folder_access.h"
#include "platform/xdg_base.h"

namespace tarnwick {
namespace {

constexpr mode_t kOwnerOnly = 0700;
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

std::string UserId() { return std::to_string(geteuid()); }

// The file system of the nearest existing folder on the way to `path`, where
// its missing folders would be created.
std::optional<FileSystemId> NearestExisting(std::string path) {
  for (;;) {
    if (auto fs = FileSystemOf(AT_FDCWD, path.c_str(), 0)) return fs;
    if (errno != ENOENT || path == "/") return std::nullopt;
    path = ParentPath(path);
  }
}

bool OnHomeFileSystem(const std::string& home_trash, FileSystemId fs) {
  return !home_trash.empty() && NearestExisting(home_trash) == fs;
}

std::error_code TopFolderFor(int dir_fd, FileSystemId fs, std::string& top) {
  const std::optional<std::string> folder = FolderPathOf(dir_fd);
  if (!folder) return FileError::kFolderUnreachable;
  top = TopFolderOf(*folder, fs);
  return {};
}

// Opens folder `name` in `parent`, made (0700) when missing. It must be a real
// folder, never a link, and with `must_own` this user's.
std::error_code OpenFolderAt(int parent, const std::string& name, bool must_own, UniqueFd& folder) {
  if (mkdirat(parent, name.c_str(), kOwnerOnly) != 0 && errno != EEXIST) return LastError();
  folder = UniqueFd(openat(parent, name.c_str(), kFolderFlags | O_NOFOLLOW));
  if (!folder) {
    return errno == ELOOP || errno == ENOTDIR ? FileError::kUnsafeTrashFolder : LastError();
  }
  struct stat st {};
  if (fstat(folder.get(), &st) != 0) return LastError();
  if (must_own && st.st_uid != geteuid()) return FileError::kUnsafeTrashFolder;
  return {};
}

std::error_code OpenFilesAndInfo(int trash_fd, OpenTrash& trash) {
  if (auto error = OpenFolderAt(trash_fd, "files", false, trash.files)) return error;
  return OpenFolderAt(trash_fd, "info", false, trash.info);
}

std::error_code OpenHomeTrash(const std::string& home_trash, OpenTrash& trash) {
  if (auto error = CreatePrivateFolders(home_trash)) return error;
  const UniqueFd trash_fd(open(home_trash.c_str(), kFolderFlags));
  if (!trash_fd) return LastError();
  trash.path = home_trash;
  return OpenFilesAndInfo(trash_fd.get(), trash);
}

// $top/.Trash/$uid. An administrator prepares $top/.Trash with the sticky
// bit so that every user may keep a folder there but none can remove or
// rename another's; without that bit, or as a link, it is not used.
bool OpenSharedTrash(int top_fd, UniqueFd& trash_fd) {
  const UniqueFd shared(openat(top_fd, ".Trash", kFolderFlags | O_NOFOLLOW));
  struct stat st {};
  if (!shared || fstat(shared.get(), &st) != 0 || (st.st_mode & S_ISVTX) == 0) return false;
  return !OpenFolderAt(shared.get(), UserId(), true, trash_fd);
}

std::error_code OpenTopTrash(const std::string& top, FileSystemId fs, OpenTrash& trash) {
  const UniqueFd top_fd(open(top.c_str(), kFolderFlags));
  if (!top_fd) return LastError();
  if (FileSystemOf(top_fd.get(), "", AT_EMPTY_PATH) != fs) return FileError::kFolderUnreachable;
  UniqueFd trash_fd;
  if (OpenSharedTrash(top_fd.get(), trash_fd)) {
    trash.path = JoinPath(top, ".Trash/" + UserId());
  } else {
    trash.path = JoinPath(top, ".Trash-" + UserId());
    if (auto error = OpenFolderAt(top_fd.get(), ".Trash-" + UserId(), true, trash_fd)) {
      return error;
    }
  }
  return OpenFilesAndInfo(trash_fd.get(), trash);
}

// The choice of OpenTopTrash made by looking only.
std::string PredictTopTrash(const std::string& top) {
  const std::string shared = JoinPath(top, ".Trash");
  const std::string own = JoinPath(shared, UserId());
  struct stat st {};
  if (lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX) != 0) {
    if (lstat(own.c_str(), &st) != 0) return own;
    if (S_ISDIR(st.st_mode) && st.st_uid == geteuid()) return own;
  }
  return JoinPath(top, ".Trash-" + UserId());
}

}  // namespace

std::string HomeTrashPath() {
  const std::string data = DataHome();
  return data.empty() ? "" : JoinPath(data, "Trash");
}

std::error_code OpenTrashFor(int dir_fd, FileSystemId fs, OpenTrash& trash) {
  const std::string home_trash = HomeTrashPath();
  if (OnHomeFileSystem(home_trash, fs)) return OpenHomeTrash(home_trash, trash);
  std::string top;
  if (auto error = TopFolderFor(dir_fd, fs, top)) return error;
  return OpenTopTrash(top, fs, trash);
}

std::error_code LocateTrashFor(int dir_fd, FileSystemId fs, std::string& trash_path) {
  const std::string home_trash = HomeTrashPath();
  if (OnHomeFileSystem(home_trash, fs)) {
    trash_path = home_trash;
    return {};
  }
  std::string top;
  if (auto error = TopFolderFor(dir_fd, fs, top)) return error;
  trash_path = PredictTopTrash(top);
  return {};
}

}  // namespace tarnwick
