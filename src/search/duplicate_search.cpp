#include "search/duplicate_search.h"

#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "search/duplicate_choice.h"
#include "search/file_actions.h"
#include "search/folder_scan.h"
#include "search/title_rules.h"
#include "settings/folder_checks.h"

namespace tarnwick {
namespace {

// The folders a run needs must exist; the first missing one refuses the run.
bool CheckFolders(SearchRun& run) {
  const std::vector<std::string> missing = MissingFolderMessages(
      run.settings, run.language.MESSAGES, {.mp3Folder = !run.settings.multifolder});
  if (missing.empty()) return true;
  run.view.ShowMessage(missing.front());
  return false;
}

// The stages of one folder; false when the run was stopped on the way.
bool ProcessFolder(SearchRun& run, const std::string& folder) {
  run.settings.mp3folder = folder;
  run.tracks.clear();
  ReadFolder(run);
  run.view.FolderRead(folder, run.tracks.size());
  if (run.tracks.size() < 2) return true;
  HandleUnknownFiles(run);
  if (run.settings.stopped) return false;
  NormaliseKeys(run.tracks.trackKeys);
  if (run.settings.stopped) return false;
  FindPairs(run, [&run](size_t i, size_t j) { ComparePair(run, i, j); });
  if (run.settings.stopped) return false;
  RestoreNames(run);
  return true;
}

}  // namespace

RunOutcome RunDuplicateSearch(SearchRun& run) {
  if (!CheckFolders(run)) return RunOutcome::kRefused;
  BeginRun(run);
  run.view.ClearRows();
  run.runFolders.clear();
  BuildRunFolders(run);
  for (const std::string& folder : run.runFolders) {
    // An abort has already ended the run state: no EndRun, no countdown.
    if (!ProcessFolder(run, folder)) return RunOutcome::kAborted;
  }
  EndRun(run);
  if (run.settings.close) run.view.ShowExitCountdown();
  return RunOutcome::kFinished;
}

// Comparing every track with every earlier one would be quadratic in the
// folder's size. Tracks with equal keys are chained instead: `head` is the
// first index of a track's group and `next` the following one, both found
// through one hash map before any pair is handled. Keys only ever become
// empty during the loop, so the indices j < i that still match i are exactly
// those of i's chain whose key is still set, and the calls come in the same
// order as with the double loop.
void FindPairs(SearchRun& run, const ComparePairFn& compare) {
  const std::vector<std::string>& keys = run.tracks.trackKeys;
  const size_t n = keys.size();
  std::vector<size_t> head(n), next(n, n);
  {
    std::unordered_map<std::string_view, size_t> last_of_key;
    last_of_key.reserve(n);
    for (size_t k = 0; k < n; ++k) {
      if (keys[k].empty()) continue;
      const auto [it, first] = last_of_key.try_emplace(keys[k], k);
      head[k] = first ? k : head[it->second];
      if (!first) next[std::exchange(it->second, k)] = k;
    }
  }
  run.view.SetProgressMax(static_cast<int>(n) - 1);
  for (size_t i = 0; i < n; ++i) {
    run.view.SetProgressPosition(static_cast<int>(i));
    run.view.ProcessPendingEvents();
    if (run.settings.stopped) return;
    // A chain holds equal keys only, so a track of i's chain that is still
    // in the run matches i, as long as i itself is.
    for (size_t j = head[i]; j < i && !keys[i].empty(); j = next[j]) {
      if (!keys[j].empty()) compare(i, j);
    }
  }
}

}  // namespace tarnwick
