#include "history/undo_run.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "history/journal_reader.h"
#include "history/undo_locate.h"
#include "platform/file_io.h"
#include "platform/file_moves.h"
#include "platform/files.h"
#include "platform/trash.h"
#include "platform/unique_fd.h"

namespace tarnwick {
namespace {

// An action whose undo needs no second try.
bool Settled(const JournalEntry& entry) {
  return entry.undo && (entry.undo->ok || entry.intent.action == JournalAction::kDelete);
}

bool Failed(const JournalEntry& entry) { return entry.outcome && !entry.outcome->ok; }

// A line cut off by a kill gets its line break, so that the records
// appended after it stay lines of their own.
void EndLastLine(int fd) {
  char last = '\n';
  const off_t size = lseek(fd, 0, SEEK_END);
  if (size > 0 && pread(fd, &last, 1, size - 1) == 1 && last != '\n') WriteAll(fd, "\n");
}

// The journal opened for appending, locked against a run still writing it
// and against a second undo at the same time.
UniqueFd OpenForUndo(const std::string& path, std::error_code& error) {
  UniqueFd fd(open(path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC));
  if (!fd) {
    error = LastError();
  } else if (flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
    error = errno == EWOULDBLOCK ? std::make_error_code(std::errc::device_or_resource_busy)
                                 : LastError();
  } else {
    EndLastLine(fd.get());
  }
  return fd;
}

class Undo {
 public:
  Undo(bool dry_run, const UndoReport& report) : dry_run_(dry_run), report_(report) {}

  UndoResult Run(const std::string& path);

 private:
  void UndoEntry(const JournalEntry& entry);
  std::string BringBack(const FoundFile& found, const ActionIntent& intent);
  void Record(const JournalLine& line);

  const bool dry_run_;
  const UndoReport& report_;
  UndoResult result_;
  Occupancy names_;
  UniqueFd journal_;
};

UndoResult Undo::Run(const std::string& path) {
  if (!dry_run_) journal_ = OpenForUndo(path, result_.error);
  if (result_.error) return result_;
  const Journal journal = ReadJournal(path);
  if ((result_.error = journal.error)) return result_;
  for (auto entry = journal.entries.rbegin(); entry != journal.entries.rend(); ++entry) {
    if (!Settled(*entry) && !Failed(*entry)) UndoEntry(*entry);
  }
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  Record(UndoCompletion{IsoUtcTime(now), result_.failed == 0});
  return result_;
}

void Undo::UndoEntry(const JournalEntry& entry) {
  const FoundFile found = Locate(entry, names_);
  if (!found.undoNeeded) return;
  const ActionIntent& intent = entry.intent;
  UndoStep step{intent.action, found.path, intent.from, false, found.error};
  if (intent.action == JournalAction::kDelete) {
    step.to.clear();
    step.error = "a deleted file cannot be brought back";
    ++result_.notUndoable;
  } else if (step.error.empty()) {
    step.error = BringBack(found, intent);
    step.ok = step.error.empty();
    ++(step.ok ? result_.undone : result_.failed);
  } else {
    ++result_.failed;
  }
  Record(UndoRecord{intent.seq, step.ok, step.error});
  report_(step);
}

// The reason it failed, or nothing.
std::string Undo::BringBack(const FoundFile& found, const ActionIntent& intent) {
  if (names_.Taken(intent.from)) return "another file has taken its old name";
  std::error_code error;
  if (!dry_run_ && intent.action == JournalAction::kTrash) {
    error = RestoreFromTrash(found.path, found.trashInfo, intent.from);
  } else if (!dry_run_) {
    error = MoveFileNoReplace(found.path, intent.from);
  }
  if (error) return error.message();
  names_.Moved(found.path, intent.from);
  return "";
}

// A record that cannot be written costs only the bookkeeping: a later undo
// finds the file back at its old place and passes over it.
void Undo::Record(const JournalLine& line) {
  if (!dry_run_) WriteAll(journal_.get(), JournalLineText(line));
}

}  // namespace

UndoResult UndoRun(const std::string& journal_path, bool dry_run, const UndoReport& report) {
  return Undo(dry_run, report).Run(journal_path);
}

}  // namespace tarnwick
