#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace tarnwick::cli {

// How far a run has come, as its progress line on a terminal says it: while
// folders are listed, the files found so far; then the files done of the
// total (the error detection) or the folder in work of all and the files done
// (the duplicate search, which lists each folder only when it comes to it);
// the folder in work; and the time left, from the pace since the work began.
class RunProgress {
 public:
  using Clock = std::chrono::steady_clock;
  enum class Measure { kFiles, kFolders };

  explicit RunProgress(Measure measure) : measure_(measure) {}

  // The run's notices, in the order the runs give them.
  void FoldersFound(size_t folders, Clock::time_point now);
  void FolderRead(const std::string& folder, size_t files);
  void SetMax(int max, Clock::time_point now);
  void SetPosition(int position) { position_ = position; }
  void SetFolder(const std::string& folder) { folder_ = folder; }
  void FolderDone();

  // The line, at most `width` terminal columns; empty before the first notice.
  std::string Text(Clock::time_point now, size_t width) const;

 private:
  bool Working() const { return measure_ == Measure::kFolders ? folders_ > 0 : max_ >= 0; }
  double Done() const;
  std::string Counts() const;

  Measure measure_;
  size_t folders_ = 0;          // found
  size_t folders_read_ = 0;     // read or passed over
  size_t folders_done_ = 0;     // duplicate search: done with
  size_t files_listed_ = 0;     // in the folders read
  size_t files_of_done_ = 0;    // duplicate search: in the folders done with
  size_t files_of_folder_ = 0;  // duplicate search: in the folder in work
  int max_ = -1;                // of the positions; none yet
  int position_ = -1;           // none yet
  std::string folder_;
  Clock::time_point start_;  // of the work the time left is estimated from
};

}  // namespace tarnwick::cli
