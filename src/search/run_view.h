#pragma once

#include <optional>
#include <string>
#include <system_error>

#include "search/result_row.h"

namespace tarnwick {

// One change a run made (or tried to make) to the collection.
struct FileAction {
  enum class Kind { kMove, kDelete, kRename, kTrash };
  Kind kind = Kind::kMove;
  std::string from;
  std::string to;         // empty for a deletion
  std::error_code error;  // why it failed; none when it worked

  bool ok() const { return !error; }
};

const char* FileActionName(FileAction::Kind kind);

// A pair the run listed but does not act on, and why.
struct HeldPair {
  enum class Reason { kSameFile, kLengthsDiffer, kDifferentRecordings, kKeepIsDamaged };
  Reason reason = Reason::kSameFile;
  std::string fileA, fileB;          // A (listed first) and B
  std::optional<double> similarity;  // of the recordings, when they were compared
};

const char* HeldReasonName(HeldPair::Reason reason);

// The user-interface operations a run calls. The window drives its real
// controls; the command line and the tests are headless.
class RunView {
 public:
  virtual ~RunView() = default;

  // Modal message; the run waits until it is dismissed.
  virtual void ShowMessage(const std::string& text) = 0;
  virtual void ProgressReset() = 0;
  virtual void SetProgressMax(int n) = 0;
  virtual void SetProgressPosition(int n) = 0;
  virtual void ClearRows() = 0;
  virtual void AppendRow(const ResultRow& row) = 0;
  // Lets queued user input run; the only way an abort reaches a run.
  virtual void ProcessPendingEvents() = 0;
  // Search, options and error-detection buttons together.
  virtual void SetRunButtons(bool enabled) = 0;
  virtual void SetExitButton(const std::string& text) = 0;
  virtual void ShowExitCountdown() = 0;
  virtual void SetStatusText(int panel, const std::string& text) = 0;

  // Notices beyond the window's needs, for the command line: the run has
  // found its folders; a folder has been read, or could not be searched; the
  // run is done with a folder (all its rows are listed); a file action has
  // been tried; a listed pair is held (its rows are already in the list).
  virtual void FoldersFound(size_t /*folders*/) {}
  virtual void FolderRead(const std::string& /*folder*/, size_t /*tracks*/) {}
  virtual void FolderNotSearched(const std::string& /*folder*/, std::error_code /*why*/) {}
  virtual void FolderDone(const std::string& /*folder*/) {}
  virtual void FileActionTried(const FileAction& /*action*/) {}
  virtual void PairHeld(const HeldPair& /*held*/) {}
};

}  // namespace tarnwick
