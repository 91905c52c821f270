#include "search/folder_scan.h"

#include "platform/files.h"
#include "platform/text.h"
#include "search/title_rules.h"

namespace tarnwick {
namespace {

bool IsExcludedFolder(const SETTINGS& settings, const std::string& folder) {
  const std::string lowered = LowerAscii(folder);
  return lowered == LowerAscii(settings.movefolder) ||
         lowered == LowerAscii(settings.unknownfolder);
}

}  // namespace

void ReadFolder(SearchRun& run) {
  const std::string& folder = run.settings.mp3folder;
  for (const std::string& name : ListFiles(folder, ".mp3")) {
    run.tracks.trackPaths.push_back(folder + name);
    run.tracks.trackKeys.push_back(LoweredName(name));
  }
}

void AddFolderTree(SearchRun& run, const std::string& folder) {
  if (IsExcludedFolder(run.settings, folder)) return;
  run.runFolders.push_back(folder);
  for (const std::string& name : ListSubfolders(folder)) AddFolderTree(run, folder + name + "/");
}

void BuildRunFolders(SearchRun& run) {
  const SETTINGS& s = run.settings;
  if (s.multifolder && s.searchinsubfolder) {
    for (const std::string& folder : s.folders) AddFolderTree(run, folder);
  } else if (s.multifolder) {
    run.runFolders = s.folders;
  } else if (s.searchinsubfolder) {
    AddFolderTree(run, s.mp3folder);
  } else {
    run.runFolders = {s.mp3folder};
  }
}

}  // namespace tarnwick
