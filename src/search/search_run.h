#pragma once

#include <string>
#include <vector>

#include "mp3/ahead_analysis.h"
#include "platform/message_sink.h"
#include "search/run_view.h"
#include "settings/language.h"
#include "settings/settings.h"

namespace tarnwick {

// The MP3 files of the folder being processed, in listing order. Entries are
// only ever emptied while a folder is processed, never inserted or removed,
// so indices stay valid. An empty key takes the track out of the run.
struct TrackList {
  std::vector<std::string> trackPaths;  // folder + name as listed
  std::vector<std::string> trackKeys;   // lowered name, then the title key

  size_t size() const { return trackPaths.size(); }
  void clear() {
    trackPaths.clear();
    trackKeys.clear();
  }
};

class Collection;
class RunAnalyses;

// How a run goes beyond what the settings say: chosen by the front end.
struct RunOptions {
  bool waitForLocks = false;            // wait for another run's folder instead of skipping it
  bool dryRun = false;                  // decide everything, change nothing
  bool deepCheck = false;               // the analysis also decodes every frame
  bool journal = true;                  // record every change, so the run can be undone
  std::string settingsFile;             // named in the journal, for the history
  unsigned workers = DefaultWorkers();  // analysis threads beside the run's own
};

// Everything one run works with: the settings and texts in force, the user
// interface, and the run's own state.
struct SearchRun {
  SearchRun(SETTINGS& s, const LANGUAGE& l, RunView& v) : settings(s), language(l), view(v) {}

  SETTINGS& settings;
  const LANGUAGE& language;
  RunView& view;
  TrackList tracks;
  std::vector<std::string> runFolders;
  // The folder each entry of runFolders was found below: the folder the user
  // named, from which the run walks down without following links.
  std::vector<std::string> runFolderRoots;
  RunOptions options;
  Collection* collection = nullptr;  // the files, while the run is active
  RunAnalyses* analyses = nullptr;   // its analyses and fingerprints, while it is active
};

// Makes `collection` the run's files for as long as it lives.
class ActiveCollection {
 public:
  ActiveCollection(SearchRun& run, Collection& collection) : run_(run) {
    run_.collection = &collection;
  }
  ~ActiveCollection() { run_.collection = nullptr; }
  ActiveCollection(const ActiveCollection&) = delete;
  ActiveCollection& operator=(const ActiveCollection&) = delete;

 private:
  SearchRun& run_;
};

// The one way a run's messages leave the core: through its view.
inline MessageSink ViewMessages(SearchRun& run) {
  return [&view = run.view](const std::string& text) { view.ShowMessage(text); };
}

enum class RunOutcome {
  kRefused,   // a folder check failed; nothing was started
  kFinished,  // the run went through all its folders
  kAborted,   // the exit button stopped it
};

// Puts the user interface into the run state and back. EndRun is also the
// abort: a running run notices `stopped` at its next test point.
void BeginRun(SearchRun& run);
void EndRun(SearchRun& run);

enum class ExitDecision { kRunStopped, kCloseWindow };

// The exit button: stops an active run, otherwise the window is to close.
ExitDecision PressExit(SearchRun& run);

}  // namespace tarnwick
