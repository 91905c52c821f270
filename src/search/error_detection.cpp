#include "search/error_detection.h"

#include "mp3/mp3_info.h"
#include "platform/text.h"
#include "search/disk_collection.h"
#include "search/folder_scan.h"
#include "search/row_format.h"
#include "search/run_analyses.h"
#include "search/track_analysis.h"
#include "settings/folder_checks.h"

namespace tarnwick {
namespace {

// False when the run was stopped while the folders were read.
bool GatherTracks(SearchRun& run) {
  run.tracks.clear();
  BuildRunFolders(run);
  run.view.FoldersFound(run.runFolders.size());
  for (size_t index = 0; index < run.runFolders.size() && !run.settings.stopped; ++index) {
    if (!EnterRunFolder(run, index)) continue;
    const size_t before = run.tracks.size();
    ReadFolder(run);
    run.view.FolderRead(run.runFolders[index], run.tracks.size() - before);
  }
  return !run.settings.stopped;
}

// A file with errors in its frame stream; with the strict checks also one
// with any problem, or whose analysis failed, which then shows in its row.
bool IsListed(const Mp3Analysis& analysis, bool strict) {
  const bool failed = analysis.info.Length == -1;
  if (strict) return failed || analysis.info.Errors >= 1 || !analysis.problems.empty();
  return !failed && analysis.info.Errors >= 1;
}

// False when the run was stopped before this file.
bool AnalyseTrack(SearchRun& run, size_t i) {
  run.view.ProcessPendingEvents();
  if (run.settings.stopped) return false;
  const std::string& path = run.tracks.trackPaths[i];
  run.view.SetStatusText(0, std::to_string(PercentDone(i, run.tracks.size())) + "%");
  run.view.SetStatusText(1, std::string(FolderOf(path)));
  run.view.SetStatusText(2, std::string(FileNameOf(path)));
  const bool strict = run.settings.strictchecks;
  const Mp3Analysis analysis =
      AnalyseTrack(run, path, strict ? Failures::kListed : Failures::kShow);
  if (IsListed(analysis, strict)) {
    run.view.AppendRow(ErrorRow(path, analysis, run.language.MAIN, strict));
  }
  run.view.SetProgressPosition(static_cast<int>(i));
  return true;
}

// The tracks of one folder follow each other: after the last one the folder
// is done.
void NoticeFolderDone(SearchRun& run, size_t i) {
  const std::vector<std::string>& paths = run.tracks.trackPaths;
  const std::string_view folder = FolderOf(paths[i]);
  if (i + 1 == paths.size() || FolderOf(paths[i + 1]) != folder) {
    run.view.FolderDone(std::string(folder));
  }
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
  // Reading only: no folder is locked against other runs.
  DiskCollection collection({.lockFolders = false});
  const ActiveCollection active(run, collection);
  RunAnalyses analyses(run, RunAnalyses::Reuse::kOnce);
  BeginRun(run);
  if (!GatherTracks(run)) return RunOutcome::kAborted;
  const size_t n = run.tracks.size();
  if (n >= 2) {
    analyses.Plan(run.tracks.trackPaths);
    run.view.SetProgressMax(static_cast<int>(n) - 1);
    for (size_t i = 0; i < n; ++i) {
      if (!AnalyseTrack(run, i)) return RunOutcome::kAborted;
      NoticeFolderDone(run, i);
    }
  }
  EndRun(run);
  return RunOutcome::kFinished;
}

}  // namespace tarnwick
