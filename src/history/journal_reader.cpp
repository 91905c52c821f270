#include "history/journal_reader.h"

#include <fstream>
#include <map>

#include "platform/file_io.h"

namespace tarnwick {
namespace {

// Files each line into the journal: outcomes and undo records join the
// intent of the same sequence number.
struct LineSorter {
  Journal& journal;
  std::map<std::uint64_t, size_t> index_of_seq;
  bool has_header = false;

  JournalEntry* EntryOf(std::uint64_t seq) {
    const auto found = index_of_seq.find(seq);
    return found == index_of_seq.end() ? nullptr : &journal.entries[found->second];
  }
  void operator()(const RunHeader& header) {
    journal.header = header;
    has_header = true;
  }
  void operator()(const ActionIntent& intent) {
    index_of_seq[intent.seq] = journal.entries.size();
    journal.entries.push_back({intent, std::nullopt, std::nullopt});
  }
  void operator()(const ActionOutcome& outcome) {
    if (JournalEntry* entry = EntryOf(outcome.seq)) entry->outcome = outcome;
  }
  void operator()(const UndoRecord& record) {
    if (JournalEntry* entry = EntryOf(record.seq)) entry->undo = record;
  }
  void operator()(const UndoCompletion& completion) { journal.completion = completion; }
};

}  // namespace

Journal ReadJournal(const std::string& path) {
  Journal journal;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    journal.error = LastError();
    return journal;
  }
  LineSorter sorter{journal, {}};
  for (std::string text; std::getline(in, text);) {
    if (const std::optional<JournalLine> line = ParseJournalLine(text)) std::visit(sorter, *line);
  }
  if (!sorter.has_header) journal.error = std::make_error_code(std::errc::invalid_argument);
  return journal;
}

UndoState UndoStateOf(const Journal& journal) {
  bool brought_back = false;
  bool left = !journal.completion || !journal.completion->complete;
  for (const JournalEntry& entry : journal.entries) {
    if (entry.undo) (entry.undo->ok ? brought_back : left) = true;
  }
  if (!left) return UndoState::kUndone;
  return brought_back ? UndoState::kPartlyUndone : UndoState::kNotUndone;
}

}  // namespace tarnwick
