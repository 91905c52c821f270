#include "search/duplicate_search.h"

#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/format.h"
#include "search/disk_collection.h"
#include "search/dry_run_collection.h"
#include "search/duplicate_choice.h"
#include "search/file_actions.h"
#include "search/folder_scan.h"
#include "search/run_analyses.h"
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

// For each track, the number of pairs it is in while no key is emptied: the
// other tracks of its key.
std::vector<size_t> PairCounts(const std::vector<std::string>& keys) {
  std::unordered_map<std::string_view, size_t> tracks_of_key;
  for (const std::string& key : keys) {
    if (!key.empty()) ++tracks_of_key[key];
  }
  std::vector<size_t> counts(keys.size());
  for (size_t k = 0; k < keys.size(); ++k) {
    if (!keys[k].empty()) counts[k] = tracks_of_key[keys[k]] - 1;
  }
  return counts;
}

// Every pair of the folder, its files analysed ahead, each file's fingerprint
// kept until its last pair.
void ComparePairs(SearchRun& run) {
  run.analyses->StartFolder(PairFilesInOrder(run.tracks));
  std::vector<size_t> pairs_left = PairCounts(run.tracks.trackKeys);
  FindPairs(run, [&](size_t i, size_t j) {
    ComparePair(run, i, j);
    for (const size_t k : {i, j}) {
      if (--pairs_left[k] == 0) run.analyses->DoneWith(run.tracks.trackPaths[k]);
    }
  });
}

// The stages of one folder; false when the run was stopped on the way.
bool ProcessFolder(SearchRun& run, size_t index) {
  run.tracks.clear();
  if (!EnterRunFolder(run, index)) return !run.settings.stopped;
  ReadFolder(run);
  run.view.FolderRead(run.runFolders[index], run.tracks.size());
  if (run.tracks.size() < 2) return true;
  HandleUnknownFiles(run);
  if (run.settings.stopped) return false;
  NormaliseKeys(run.tracks.trackKeys);
  if (run.settings.stopped) return false;
  ComparePairs(run);
  if (run.settings.stopped) return false;
  RestoreNames(run);
  return !run.settings.stopped;
}

std::vector<std::string> ConfiguredFolders(const SETTINGS& s) {
  return s.multifolder ? s.folders : std::vector<std::string>{s.mp3folder};
}

// What the run does to the weaker copies, as the history names it.
std::string JournalMode(const SETTINGS& s) {
  switch (s.doubleMode) {
    case kDoubleMove: return "move";
    case kDoubleDelete: return s.trash ? "trash" : "delete";
  }
  return "show";
}

// A folder that receives moved or unknown files must not be one the run
// takes files from: its files would be moved into itself under new names.
bool CheckTargetsAreNotSearched(SearchRun& run) {
  const SETTINGS& s = run.settings;
  const std::string* target = SearchedTarget(s);
  if (target == nullptr) return true;
  run.view.ShowMessage(FormatText(run.language.MESSAGES.MsgFolderIsSearched, *target));
  return false;
}

// Comparing every track with every earlier one would be quadratic in the
// folder's size. Tracks with equal keys are chained instead: `head` is the
// first index of a track's group and `next` the following one, both found
// through one hash map before any pair is handled. Keys only ever become
// empty during the loop, so the indices j < i that still match i are exactly
// those of i's chain whose key is still set, and the calls come in the same
// order as with the double loop.
struct KeyChains {
  explicit KeyChains(const std::vector<std::string>& keys);
  std::vector<size_t> head, next;
};

KeyChains::KeyChains(const std::vector<std::string>& keys)
    : head(keys.size()), next(keys.size(), keys.size()) {
  std::unordered_map<std::string_view, size_t> last_of_key;
  last_of_key.reserve(keys.size());
  for (size_t k = 0; k < keys.size(); ++k) {
    if (keys[k].empty()) continue;
    const auto [it, first] = last_of_key.try_emplace(keys[k], k);
    head[k] = first ? k : head[it->second];
    if (!first) next[std::exchange(it->second, k)] = k;
  }
}

}  // namespace

RunOutcome RunDuplicateSearch(SearchRun& run) {
  if (!CheckFolders(run) || !CheckTargetsAreNotSearched(run)) return RunOutcome::kRefused;
  JournalWriter journal(ConfiguredFolders(run.settings), JournalMode(run.settings),
                        run.options.settingsFile);
  DiskCollection disk({.lockFolders = true,
                       .waitForLocks = run.options.waitForLocks,
                       .journal = run.options.journal ? &journal : nullptr});
  DryRunCollection imagined;
  const ActiveCollection active(run,
                                run.options.dryRun ? static_cast<Collection&>(imagined) : disk);
  RunAnalyses analyses(run, RunAnalyses::Reuse::kForRun);
  BeginRun(run);
  run.view.ClearRows();
  BuildRunFolders(run);
  run.view.FoldersFound(run.runFolders.size());
  for (size_t index = 0; index < run.runFolders.size(); ++index) {
    // An abort has already ended the run state: no EndRun, no countdown.
    if (run.settings.stopped || !ProcessFolder(run, index)) return RunOutcome::kAborted;
    run.view.FolderDone(run.runFolders[index]);
  }
  EndRun(run);
  if (run.settings.close) run.view.ShowExitCountdown();
  return RunOutcome::kFinished;
}

void FindPairs(SearchRun& run, const ComparePairFn& compare) {
  const std::vector<std::string>& keys = run.tracks.trackKeys;
  const size_t n = keys.size();
  const KeyChains chains(keys);
  run.view.SetProgressMax(static_cast<int>(n) - 1);
  for (size_t i = 0; i < n; ++i) {
    run.view.SetProgressPosition(static_cast<int>(i));
    run.view.ProcessPendingEvents();
    if (run.settings.stopped) return;
    // A chain holds equal keys only, so a track of i's chain that is still
    // in the run matches i, as long as i itself is.
    for (size_t j = chains.head[i]; j < i && !keys[i].empty(); j = chains.next[j]) {
      if (!keys[j].empty()) compare(i, j);
    }
  }
}

std::vector<std::string> PairFilesInOrder(const TrackList& tracks) {
  const KeyChains chains(tracks.trackKeys);
  std::vector<bool> listed(tracks.size());
  std::vector<std::string> files;
  const auto add = [&](size_t k) {
    if (listed[k]) return;
    listed[k] = true;
    files.push_back(tracks.trackPaths[k]);
  };
  for (size_t i = 0; i < tracks.size(); ++i) {
    if (tracks.trackKeys[i].empty()) continue;
    for (size_t j = chains.head[i]; j < i; j = chains.next[j]) {
      add(i);
      add(j);
    }
  }
  return files;
}

}  // namespace tarnwick
