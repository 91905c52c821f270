#pragma once

#include <time.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/file_identity.h"

namespace tarnwick {

// A run's journal is a JSON Lines file: a header, then an intent line before
// and an outcome line after every action, then the lines of any undo. Each
// line carries its "kind" so that a reader can take them one at a time and a
// line cut off by a kill is simply passed over.

enum class JournalAction { kMove, kRename, kTrash, kDelete };

std::string_view ActionName(JournalAction action);

// The first line: which run wrote the journal.
struct RunHeader {
  std::string start;  // UTC, see IsoUtcTime
  std::int64_t pid = 0;
  std::vector<std::string> folders;
  std::string mode;  // as the caller names it: "move", "trash", "delete", "show", ...
  std::string settingsFile;
};

// Written and on its way to the disk before the action starts.
struct ActionIntent {
  std::uint64_t seq = 0;
  JournalAction action = JournalAction::kMove;
  std::string from;
  std::string to;         // the target tried (move, rename)
  FileIdentity identity;  // of the file at `from`
};

// Written when the action has ended.
struct ActionOutcome {
  std::uint64_t seq = 0;
  bool ok = false;
  std::string to;                      // move, rename: the final name; trash: the trashed file
  std::string trashInfo;               // trash: the entry's .trashinfo
  std::optional<FileIdentity> placed;  // the file at `to` just after the action
  std::string error;
};

// Written by an undo for each action it brought back or failed to.
struct UndoRecord {
  std::uint64_t seq = 0;
  bool ok = false;
  std::string error;
};

// Written when an undo has been through the whole journal.
struct UndoCompletion {
  std::string time;
  bool complete = false;  // nothing undoable was left
};

using JournalLine =
    std::variant<RunHeader, ActionIntent, ActionOutcome, UndoRecord, UndoCompletion>;

// One line of JSON, ending with '\n'.
std::string JournalLineText(const JournalLine& line);

// Nothing for a line that is not one of the above (cut off, or foreign).
std::optional<JournalLine> ParseJournalLine(std::string_view text);

// "2024-05-01T12:00:00.123456Z": ISO 8601 in UTC, with microseconds so that
// runs that started within one second still sort in order.
std::string IsoUtcTime(const timespec& time);

}  // namespace tarnwick
