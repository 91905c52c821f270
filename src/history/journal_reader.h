#pragma once

#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "history/journal_line.h"

namespace tarnwick {

// One action of a run, as its journal tells it.
struct JournalEntry {
  ActionIntent intent;
  std::optional<ActionOutcome> outcome;  // none: the run ended during the action
  std::optional<UndoRecord> undo;        // the latest undo's word on it
};

enum class UndoState { kNotUndone, kPartlyUndone, kUndone };

struct Journal {
  RunHeader header;
  std::vector<JournalEntry> entries;         // in the order of the run
  std::optional<UndoCompletion> completion;  // of the latest undo that went through to the end
  std::error_code error;                     // the file cannot be read, or has no header
};

// Reads a journal; lines that are cut off or foreign are passed over.
Journal ReadJournal(const std::string& path);

// kUndone when an undo went through and brought everything back;
// kPartlyUndone when it brought back some but not all (a deleted file never
// comes back); kNotUndone when nothing came back.
UndoState UndoStateOf(const Journal& journal);

}  // namespace tarnwick
