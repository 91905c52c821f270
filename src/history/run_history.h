#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "history/journal_line.h"
#include "history/journal_reader.h"

namespace tarnwick {

// One run as the history lists it.
struct RunSummary {
  std::string journal;  // the journal's path
  RunHeader header;
  std::array<size_t, 4> done{};  // actions that succeeded, indexed by JournalAction
  UndoState undo = UndoState::kNotUndone;
  bool undoFinished = false;  // an undo went through the whole journal
};

// The runs of the journals in JournalFolder(), newest first. Journals that
// cannot be read are left out.
std::vector<RunSummary> ListRuns();

// The journal of the newest run that no undo has been through yet.
std::optional<std::string> NewestRunNotUndone();

}  // namespace tarnwick
