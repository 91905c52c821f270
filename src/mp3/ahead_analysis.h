#pragma once

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

#include "mp3/mp3_info.h"
#include "mp3/read_ahead.h"

namespace tarnwick {

struct AheadOptions {
  unsigned workers = 0;  // analysis threads; 0: every analysis on the caller's thread
  bool deep = false;     // as AnalyseMp3's `deep`
};

// One analysis thread per processor core, at most four (more do not read a
// disk faster).
unsigned DefaultWorkers();

// AnalyseMp3 for files whose order of use is known: worker threads analyse
// the planned files ahead of the caller (at most kWindowPerWorker files per
// worker ahead), and a ReadAhead has the files after them read into the page
// cache, so the disk and the processors work at the same time. The caller
// takes the analyses one by one on its own thread; nothing else about the
// calls changes: each analysis is the one AnalyseMp3 gives.
class AheadAnalysis {
 public:
  static constexpr std::size_t kWindowPerWorker = 4;

  explicit AheadAnalysis(AheadOptions options);
  // Waits for the analyses in progress; starts no other.
  ~AheadAnalysis();
  AheadAnalysis(const AheadAnalysis&) = delete;
  AheadAnalysis& operator=(const AheadAnalysis&) = delete;

  // Replaces the plan: the files to analyse ahead, in the order they will be
  // taken (a path listed twice counts once). Analyses of the earlier plan
  // that were not taken are dropped.
  void Plan(std::vector<std::string> paths);

  // The analysis of `path`. A planned file's analysis is handed out once:
  // made by a worker (waited for when it is in progress), or here when no
  // worker has started it yet. Any other file is analysed here. Taking a
  // later file of the plan lets the workers move on past the files skipped.
  Mp3Analysis Take(const std::string& path);

 private:
  // The analysis of the planned path of the same index.
  struct Slot {
    enum class State { kWaiting, kRunning, kDone, kTaken };
    State state = State::kWaiting;
    Mp3Analysis analysis = {};
  };

  void Work(std::stop_token stop);
  // Under the lock: the next waiting slot within the window, if any.
  bool NextSlot(std::size_t& index) const;

  const AheadOptions options_;
  const std::size_t window_;
  std::mutex mutex_;
  std::condition_variable_any changed_;
  ReadAhead::Paths paths_;  // of the plan, shared with the read-ahead
  std::vector<Slot> slots_;
  std::unordered_map<std::string_view, std::size_t> slot_of_;  // into paths_
  std::size_t frontier_ = 0;                                   // one past the furthest slot taken
  unsigned plan_ = 0;  // counts the plans, so a stale analysis is dropped
  std::unique_ptr<ReadAhead> read_ahead_;
  std::vector<std::jthread> workers_;  // last: stop before the state they use goes
};

}  // namespace tarnwick
