#include "ui/run_record.h"

#include <utility>

#include "platform/text.h"

namespace tarnwick {

void RunRecord::Clear() {
  rows_.clear();
  rows_of_path_.clear();
  last_separator_ = kNone;
  pair_touched_ = true;
  counts_ = {};
}

// A pair is a separator and the two rows right after it.
void RunRecord::Append(ListedRow row) {
  const size_t index = rows_.size();
  if (row.role == RowRole::kCaption) counts_.damaged = 0;
  if (row.role == RowRole::kListed) {
    const RowKind kind = row.row.kind;
    if (kind == RowKind::kSeparator) last_separator_ = index;
    if (kind == RowKind::kError) ++counts_.damaged;
    if (kind == RowKind::kPair && last_separator_ != kNone && index == last_separator_ + 2) {
      ++counts_.pairs;
      pair_touched_ = false;
    }
    if (!row.row.path.empty()) rows_of_path_[row.row.path].push_back(index);
  }
  rows_.push_back(std::move(row));
}

size_t RunRecord::UntouchedPairRow(const std::string& path) const {
  if (pair_touched_) return kNone;
  for (const size_t row : {last_separator_ + 1, last_separator_ + 2}) {
    if (rows_[row].row.path == path) return row;
  }
  return kNone;
}

// A rename is never the action on a pair, and a move outside a pair is the
// move of a file named as unknown.
std::vector<size_t> RunRecord::Apply(const FileAction& action) {
  const size_t pair_row =
      action.kind == FileAction::Kind::kRename ? kNone : UntouchedPairRow(action.from);
  CountAction(action, pair_row);
  std::vector<size_t> changed = MarkRows(action);
  if (pair_row == kNone) return changed;
  pair_touched_ = true;
  const size_t partner = pair_row == last_separator_ + 1 ? pair_row + 1 : pair_row - 1;
  if (action.ok() && rows_[partner].outcome.kind == RowOutcome::Kind::kNone) {
    rows_[partner].outcome.kind = RowOutcome::Kind::kKept;
    changed.push_back(partner);
  }
  return changed;
}

std::vector<size_t> RunRecord::MarkRows(const FileAction& action) {
  using Kind = FileAction::Kind;
  std::vector<size_t> rows;
  if (!action.ok()) {
    const auto found = rows_of_path_.find(action.from);
    if (found != rows_of_path_.end()) rows = found->second;
    SetOutcome(rows, {RowOutcome::Kind::kFailed, "", {}, action.error});
  } else if (action.kind == Kind::kMove || action.kind == Kind::kRename) {
    rows = Follow(action.from, action.to);
    const bool moved = action.kind == Kind::kMove;
    SetOutcome(rows, {moved ? RowOutcome::Kind::kMoved : RowOutcome::Kind::kRenamed,
                      moved ? action.to : std::string(FileNameOf(action.from))});
  } else {
    // The file is gone: its rows keep their texts but follow no path.
    auto node = rows_of_path_.extract(action.from);
    if (!node.empty()) rows = std::move(node.mapped());
    const bool trashed = action.kind == Kind::kTrash;
    SetOutcome(rows, {trashed ? RowOutcome::Kind::kTrashed : RowOutcome::Kind::kDeleted});
  }
  return rows;
}

void RunRecord::CountAction(const FileAction& action, size_t pair_row) {
  using Kind = FileAction::Kind;
  if (pair_row == kNone) {
    if (!action.ok())
      ++counts_.otherFailed;
    else if (action.kind == Kind::kRename)
      ++counts_.renamed;
    else if (action.kind == Kind::kMove)
      ++counts_.unknownMoved;
    return;
  }
  if (!action.ok())
    ++counts_.failed;
  else if (action.kind == Kind::kMove)
    ++counts_.moved;
  else if (action.kind == Kind::kTrash)
    ++counts_.trashed;
  else if (action.kind == Kind::kDelete)
    ++counts_.deleted;
}

// The rows of `from` now name `to`: a file named as unknown by its full
// path, any other by its name and folder.
std::vector<size_t> RunRecord::Follow(const std::string& from, const std::string& to) {
  auto node = rows_of_path_.extract(from);
  if (node.empty()) return {};
  std::vector<size_t> rows = std::move(node.mapped());
  for (const size_t index : rows) {
    ResultRow& row = rows_[index].row;
    row.path = to;
    if (row.kind == RowKind::kUnknown) {
      row.caption = to;
    } else {
      row.caption = std::string(FileNameOf(to));
      if (!row.subItems.empty()) row.subItems[0] = std::string(FolderOf(to));
    }
  }
  std::vector<size_t>& followed = rows_of_path_[to];
  followed.insert(followed.end(), rows.begin(), rows.end());
  return rows;
}

std::vector<size_t> RunRecord::Hold(const HeldPair& held) {
  if (last_separator_ == kNone || last_separator_ + 2 >= rows_.size()) return {};
  ++counts_.held;
  pair_touched_ = true;
  const std::vector<size_t> rows = {last_separator_, last_separator_ + 1, last_separator_ + 2};
  SetOutcome(rows, {RowOutcome::Kind::kHeld, "", held.reason, {}});
  return rows;
}

void RunRecord::SetOutcome(const std::vector<size_t>& rows, const RowOutcome& outcome) {
  for (const size_t index : rows) rows_[index].outcome = outcome;
}

}  // namespace tarnwick
