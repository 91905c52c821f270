#include "history/trash_lookup.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "platform/file_system.h"
#include "platform/text.h"
#include "platform/trash_folder.h"
#include "platform/trash_info.h"
#include "platform/unique_fd.h"

namespace tarnwick {
namespace {

// The name in `folder` of the entry with the device and inode of `identity`.
std::optional<std::string> NameWithIdentity(const std::string& folder,
                                            const FileIdentity& identity) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return std::nullopt;
  std::optional<std::string> found;
  while (const dirent* entry = readdir(dir)) {
    struct stat st {};
    if (fstatat(dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (!IdentityOf(st).SameFile(identity)) continue;
    found = entry->d_name;
    break;
  }
  closedir(dir);
  return found;
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Whether the info file records `absolute_path`, encoded as MoveToTrash wrote it.
bool InfoNames(const std::string& info_file, const std::string& absolute_path) {
  const std::string text = FileText(info_file);
  return text.find("\nPath=" + PercentEncodePath(absolute_path) + "\n") != std::string::npos;
}

}  // namespace

std::optional<TrashEntry> FindTrashed(const std::string& original_path,
                                      const FileIdentity& identity) {
  const std::string folder(FolderOf(original_path));
  const UniqueFd dir(
      open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!dir) return std::nullopt;
  const std::optional<FileSystemId> fs = FileSystemOf(dir.get(), "", AT_EMPTY_PATH);
  const std::optional<std::string> real_folder = FolderPathOf(dir.get());
  std::string trash;
  if (!fs || !real_folder || LocateTrashFor(dir.get(), *fs, trash)) return std::nullopt;
  const std::optional<std::string> name = NameWithIdentity(JoinPath(trash, "files"), identity);
  if (!name) return std::nullopt;
  TrashEntry entry{JoinPath(trash, "files/" + *name),
                   JoinPath(trash, "info/" + *name + std::string(kTrashInfoEnding))};
  if (!InfoNames(entry.info, JoinPath(*real_folder, FileNameOf(original_path))))
    return std::nullopt;
  return entry;
}

}  // namespace tarnwick
