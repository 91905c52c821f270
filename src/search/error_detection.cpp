#include "search/error_detection.h"

#include "mp3/mp3_info.h"
#include "platform/text.h"
#include "search/folder_scan.h"
#include "search/row_format.h"
#include "settings/folder_checks.h"

namespace tarnwick {
namespace {

void GatherTracks(SearchRun& run) {
  run.runFolders.clear();
  run.tracks.clear();
  BuildRunFolders(run);
  for (const std::string& folder : run.runFolders) {
    run.settings.mp3folder = folder;
    const size_t before = run.tracks.size();
    ReadFolder(run);
    run.view.FolderRead(folder, run.tracks.size() - before);
  }
}

// False when the run was stopped before this file.
bool AnalyseTrack(SearchRun& run, size_t i) {
  run.view.ProcessPendingEvents();
  if (run.settings.stopped) return false;
  const std::string& path = run.tracks.trackPaths[i];
  run.view.SetStatusText(0, std::to_string(PercentDone(i, run.tracks.size())) + "%");
  run.view.SetStatusText(1, std::string(FolderOf(path)));
  run.view.SetStatusText(2, std::string(FileNameOf(path)));
  const TMp3Info info = ReadMp3Info(path, ViewMessages(run));
  if (info.Length != -1 && info.Errors >= 1) {
    run.view.AppendRow(ErrorRow(path, info, run.language.MAIN));
  }
  run.view.SetProgressPosition(static_cast<int>(i));
  return true;
}

}  // namespace

RunOutcome RunErrorDetection(SearchRun& run) {
  const std::vector<std::string> missing =
      MissingFolderMessages(run.settings, run.language.MESSAGES,
                            {.mp3Folder = !run.settings.multifolder, .actionFolders = false});
  if (!missing.empty()) {
    run.view.ShowMessage(missing.front());
    return RunOutcome::kRefused;
  }
  BeginRun(run);
  GatherTracks(run);
  const size_t n = run.tracks.size();
  if (n >= 2) {
    run.view.SetProgressMax(static_cast<int>(n) - 1);
    for (size_t i = 0; i < n; ++i) {
      if (!AnalyseTrack(run, i)) return RunOutcome::kAborted;
    }
  }
  EndRun(run);
  return RunOutcome::kFinished;
}

}  // namespace tarnwick
