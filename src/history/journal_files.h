#pragma once

#include <sys/types.h>

#include <ctime>
#include <string>
#include <system_error>
#include <vector>

#include "platform/unique_fd.h"

namespace tarnwick {

// $XDG_STATE_HOME/tarnwick/journal (the variable counts only when absolute),
// else $HOME/.local/state/tarnwick/journal; empty when neither is set.
std::string JournalFolder();

// A bare file name names a journal in JournalFolder(); a path stays as it is.
std::string JournalPath(const std::string& name_or_path);

// The journals in `folder`, named "20240501T120000Z-PID.jsonl" (a taken name
// gets "-2", "-3", ... before ".jsonl"), as paths sorted by name, oldest
// first. Other files there are no journals and are never touched.
std::vector<std::string> ListJournals(const std::string& folder);

struct NewJournal {
  std::string path;
  UniqueFd fd;  // open for appending
  std::error_code error;
};

// Creates the journal of a run that `pid` started at `start` in
// JournalFolder(), making missing folders private (0700), then keeps only
// the newest 100 journals of the last 90 days.
NewJournal CreateJournal(std::time_t start, pid_t pid);

}  // namespace tarnwick
