#include "search/folder_scan.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>

#include "platform/file_errors.h"
#include "platform/folder_access.h"
#include "platform/format.h"
#include "platform/trash.h"
#include "platform/trash_folder.h"
#include "platform/xdg_base.h"
#include "search/collection.h"
#include "search/title_rules.h"

namespace tarnwick {
namespace {

// A folder as the file system knows it, whatever path leads to it.
struct FolderId {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FolderId&) const = default;
};

std::optional<FolderId> IdOf(int fd) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return std::nullopt;
  return FolderId{st.st_dev, st.st_ino};
}

std::optional<FolderId> IdOfPath(const std::string& path) {
  if (path.empty()) return std::nullopt;
  const OpenedFolder folder = OpenFolder(path);
  return folder.error ? std::nullopt : IdOf(folder.fd.get());
}

// Folders a walk never enters, with everything below them: the move and
// unknown folders, so that moved files are not searched again; the home
// trash and the program's own state folder.
std::vector<FolderId> ExcludedFolders(const SETTINGS& s) {
  std::vector<FolderId> excluded;
  for (const std::string& path :
       {s.movefolder, s.unknownfolder, HomeTrashPath(), ProgramStateFolder()}) {
    if (const std::optional<FolderId> id = IdOfPath(path)) excluded.push_back(*id);
  }
  return excluded;
}

// The trash of a file system lies in its top folder as ".Trash" or
// ".Trash-<uid>"; only folders of such a name need the closer look.
bool IsMountTrash(const std::string& path, std::string_view name) {
  return (name == ".Trash" || name.starts_with(".Trash-")) && IsTrashFolder(path);
}

struct TreeWalk {
  SearchRun& run;
  const std::string& root;
  std::vector<FolderId> excluded;

  // Each folder lets pending events through, so a stop reaches a long walk.
  void Walk(const std::string& path, int fd) {
    const std::optional<FolderId> id = IdOf(fd);
    if (id && std::find(excluded.begin(), excluded.end(), *id) != excluded.end()) return;
    run.runFolders.push_back(path);
    run.runFolderRoots.push_back(root);
    run.view.ProcessPendingEvents();
    for (const std::string& name : ListSubfoldersAt(fd)) {
      if (run.settings.stopped) return;
      const std::string below = path + name + "/";
      if (IsMountTrash(below, name)) continue;
      const OpenedFolder sub = OpenFolderBelow(fd, name);
      if (!sub.error) Walk(below, sub.fd.get());
    }
  }
};

void AddFolder(SearchRun& run, const std::string& folder) {
  run.runFolders.push_back(folder);
  run.runFolderRoots.push_back(folder);
}

}  // namespace

bool EnterRunFolder(SearchRun& run, size_t index) {
  const std::string& folder = run.runFolders[index];
  run.settings.mp3folder = folder;
  const std::error_code error = run.collection->EnterFolder(run.runFolderRoots[index], folder);
  if (!error) return true;
  if (error == FileError::kFolderLocked) {
    run.view.ShowMessage(FormatText(run.language.MESSAGES.MsgFolderLocked, folder));
  }
  run.view.FolderNotSearched(folder, error);
  // A stop that arrived while waiting for a lock counts now.
  run.view.ProcessPendingEvents();
  return false;
}

const std::string* SearchedTarget(const SETTINGS& s) {
  std::vector<FolderId> roots;
  for (const std::string& root : s.multifolder ? s.folders : std::vector{s.mp3folder}) {
    if (const std::optional<FolderId> id = IdOfPath(root)) roots.push_back(*id);
  }
  const auto searched = [&roots](const std::string& folder) {
    const std::optional<FolderId> id = IdOfPath(folder);
    return id && std::find(roots.begin(), roots.end(), *id) != roots.end();
  };
  if (s.doubleMode == kDoubleMove && searched(s.movefolder)) return &s.movefolder;
  if (s.moveunknown && searched(s.unknownfolder)) return &s.unknownfolder;
  return nullptr;
}

void ReadFolder(SearchRun& run) {
  const std::string& folder = run.settings.mp3folder;
  for (const std::string& name : run.collection->ListMp3()) {
    run.tracks.trackPaths.push_back(folder + name);
    run.tracks.trackKeys.push_back(LoweredName(name));
  }
}

void AddFolderTree(SearchRun& run, const std::string& folder) {
  const OpenedFolder root = OpenFolder(folder);
  // A folder that cannot be opened stays in the run, which reports it.
  if (root.error) return AddFolder(run, folder);
  TreeWalk{run, folder, ExcludedFolders(run.settings)}.Walk(folder, root.fd.get());
}

void BuildRunFolders(SearchRun& run) {
  const SETTINGS& s = run.settings;
  run.runFolders.clear();
  run.runFolderRoots.clear();
  if (s.multifolder && s.searchinsubfolder) {
    for (const std::string& folder : s.folders) AddFolderTree(run, folder);
  } else if (s.multifolder) {
    for (const std::string& folder : s.folders) AddFolder(run, folder);
  } else if (s.searchinsubfolder) {
    AddFolderTree(run, s.mp3folder);
  } else {
    AddFolder(run, s.mp3folder);
  }
}

}  // namespace tarnwick
