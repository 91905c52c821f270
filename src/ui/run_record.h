#pragma once

#include <cstddef>
#include <string>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "search/result_row.h"
#include "search/run_view.h"

namespace tarnwick {

// What happened to the file of a row: nothing, kept while its partner went,
// moved, trashed, deleted, renamed, held with its pair, or a failed action.
struct RowOutcome {
  enum class Kind { kNone, kKept, kMoved, kTrashed, kDeleted, kRenamed, kHeld, kFailed };
  Kind kind = Kind::kNone;
  std::string detail = {};  // kMoved: the path moved to; kRenamed: the former name
  HeldPair::Reason held = HeldPair::Reason::kSameFile;
  std::error_code error = {};  // kFailed: why
};

// What a row of the list is: a row the run listed, a message that did not
// wait for the user, a note of the window ("No duplicates found"), or a
// captioned separator above the rows of one run.
enum class RowRole { kListed, kMessage, kNote, kCaption };

struct ListedRow {
  ResultRow row;
  RowRole role = RowRole::kListed;
  RowOutcome outcome = {};
};

// What a run did, counted for its summary. The first six count pairs by
// their outcome; a pair without an action (show mode) counts only in `pairs`.
struct RunCounts {
  int pairs = 0, moved = 0, trashed = 0, deleted = 0, held = 0, failed = 0;
  int renamed = 0, unknownMoved = 0, otherFailed = 0;  // beyond the pairs
  int damaged = 0;  // rows of the error detection below the last caption
};

// The rows of the results list with what happened to their files, fed with
// the notices of a run in the order the run gives them: a pair's rows come
// first, then the action on its weaker copy or the notice that it is held.
// A row follows its file: after a move or rename it names the file where it
// is now, so that opening it opens that file.
class RunRecord {
 public:
  void Clear();
  void Append(ListedRow row);
  // Each returns the rows whose text or outcome changed.
  std::vector<size_t> Apply(const FileAction& action);
  std::vector<size_t> Hold(const HeldPair& held);

  size_t size() const { return rows_.size(); }
  const ListedRow& operator[](size_t index) const { return rows_[index]; }
  const RunCounts& Counts() const { return counts_; }

 private:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  // The row of the last listed pair that holds `path`, while the pair has
  // seen no action yet; kNone otherwise.
  size_t UntouchedPairRow(const std::string& path) const;
  void CountAction(const FileAction& action, size_t pair_row);
  // Sets the outcome of the rows of the action's file; returns them.
  std::vector<size_t> MarkRows(const FileAction& action);
  std::vector<size_t> Follow(const std::string& from, const std::string& to);
  void SetOutcome(const std::vector<size_t>& rows, const RowOutcome& outcome);

  std::vector<ListedRow> rows_;
  std::unordered_map<std::string, std::vector<size_t>> rows_of_path_;
  size_t last_separator_ = kNone;
  bool pair_touched_ = true;
  RunCounts counts_;
};

}  // namespace tarnwick
