#include "search/result_row.h"

#include "search/run_view.h"

namespace tarnwick {

const char* RowKindName(RowKind kind) {
  switch (kind) {
    case RowKind::kSeparator: return "separator";
    case RowKind::kPair: return "pair";
    case RowKind::kUnknown: return "unknown";
    case RowKind::kError: return "error";
  }
  return "separator";
}

const char* FileActionName(FileAction::Kind kind) {
  switch (kind) {
    case FileAction::Kind::kMove: return "move";
    case FileAction::Kind::kDelete: return "delete";
    case FileAction::Kind::kRename: return "rename";
    case FileAction::Kind::kTrash: return "trash";
  }
  return "move";
}

const char* HeldReasonName(HeldPair::Reason reason) {
  switch (reason) {
    case HeldPair::Reason::kSameFile: return "same file";
    case HeldPair::Reason::kLengthsDiffer: return "lengths differ";
    case HeldPair::Reason::kDifferentRecordings: return "different recordings";
    case HeldPair::Reason::kKeepIsDamaged: return "copy to keep is damaged";
  }
  return "same file";
}

}  // namespace tarnwick
