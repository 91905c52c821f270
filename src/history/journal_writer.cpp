#include "history/journal_writer.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "history/journal_files.h"
#include "platform/file_io.h"

namespace tarnwick {

JournalWriter::JournalWriter(std::vector<std::string> folders, std::string mode,
                             std::string settings_file) {
  clock_gettime(CLOCK_REALTIME, &start_);
  header_ = {IsoUtcTime(start_), getpid(), std::move(folders), std::move(mode),
             std::move(settings_file)};
}

std::error_code JournalWriter::Open() {
  NewJournal journal = CreateJournal(start_.tv_sec, getpid());
  if (journal.error) return journal.error;
  flock(journal.fd.get(), LOCK_EX | LOCK_NB);  // a new file: nobody else holds it
  fd_ = std::move(journal.fd);
  path_ = journal.path;
  return Append(header_);
}

std::error_code JournalWriter::Append(const JournalLine& line) {
  if (!fd_) {
    if (const std::error_code error = Open()) return error;
  }
  return WriteAll(fd_.get(), JournalLineText(line));
}

JournalWriter::Intent JournalWriter::BeginAction(JournalAction action, const std::string& from,
                                                 const std::string& to,
                                                 const FileIdentity& identity) {
  const std::uint64_t seq = next_seq_++;
  return {seq, Append(ActionIntent{seq, action, from, to, identity})};
}

std::error_code JournalWriter::ActionDone(std::uint64_t seq, const std::string& final_to) {
  ActionOutcome outcome{seq, true, final_to, "", std::nullopt, ""};
  if (!final_to.empty()) outcome.placed = IdentityAt(AT_FDCWD, final_to);
  return Append(outcome);
}

std::error_code JournalWriter::ActionTrashed(std::uint64_t seq, const TrashEntry& entry) {
  return Append(
      ActionOutcome{seq, true, entry.file, entry.info, IdentityAt(AT_FDCWD, entry.file), ""});
}

std::error_code JournalWriter::ActionFailed(std::uint64_t seq, std::string_view reason) {
  return Append(ActionOutcome{seq, false, "", "", std::nullopt, std::string(reason)});
}

}  // namespace tarnwick
