#include "history/run_history.h"

#include <algorithm>
#include <tuple>

#include "history/journal_files.h"

namespace tarnwick {
namespace {

RunSummary Summarise(const std::string& path, const Journal& journal) {
  RunSummary summary{
      path, journal.header, {}, UndoStateOf(journal), journal.completion.has_value()};
  for (const JournalEntry& entry : journal.entries) {
    if (entry.outcome && entry.outcome->ok)
      ++summary.done[static_cast<size_t>(entry.intent.action)];
  }
  return summary;
}

}  // namespace

std::vector<RunSummary> ListRuns() {
  std::vector<RunSummary> runs;
  for (const std::string& path : ListJournals(JournalFolder())) {
    const Journal journal = ReadJournal(path);
    if (!journal.error) runs.push_back(Summarise(path, journal));
  }
  // Start times sort as text; the later journal name wins a tie.
  std::sort(runs.begin(), runs.end(), [](const RunSummary& a, const RunSummary& b) {
    return std::tie(a.header.start, a.journal) > std::tie(b.header.start, b.journal);
  });
  return runs;
}

std::optional<std::string> NewestRunNotUndone() {
  for (const RunSummary& run : ListRuns()) {
    if (!run.undoFinished) return run.journal;
  }
  return std::nullopt;
}

}  // namespace tarnwick
