#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <system_error>

#include "history/journal_line.h"

namespace tarnwick {

// One step of an undo: a file goes back from where the run put it to where
// it came from.
struct UndoStep {
  JournalAction action;  // the run's action that this step undoes
  std::string from;      // where the file is now (a delete: the deleted file)
  std::string to;        // where it goes back to (empty for a delete)
  bool ok = false;       // done; in a dry run: would be done
  std::string error;     // why not
};

struct UndoResult {
  size_t undone = 0;
  size_t failed = 0;
  size_t notUndoable = 0;  // permanent deletions
  std::error_code error;   // the journal cannot be read, or is in use (EBUSY)

  // Everything that can be undone was undone.
  bool complete() const { return !error && failed == 0; }
};

using UndoReport = std::function<void(const UndoStep&)>;

// Undoes the run of the journal at `journal_path`, last action first. A moved
// or renamed file is moved back and a trashed one restored, each only while
// it is still the file the run placed, and never over an existing file: such
// a step fails and the undo goes on with the next. A permanent deletion is
// reported as not undoable. Actions cut off by the end of the run are found
// where they left the file. Each step is reported, and recorded in the
// journal, whose closing line marks the run as undone; a later undo of the
// same journal only retries what failed. With `dry_run` the steps that
// would be taken are reported and nothing is changed or written.
UndoResult UndoRun(const std::string& journal_path, bool dry_run, const UndoReport& report);

}  // namespace tarnwick
