#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "history/journal_line.h"
#include "platform/file_identity.h"
#include "platform/trash.h"
#include "platform/unique_fd.h"

namespace tarnwick {

// Writes the journal of one run. The file is made on the first action, so a
// run that changes nothing leaves none. Each line goes out in one write(2):
// a line that has returned survives a kill of the program (not a crash of
// the machine, which would need an fsync per line). The journal stays locked
// (flock) while the writer lives, so no undo takes it on mid-run.
class JournalWriter {
 public:
  JournalWriter(std::vector<std::string> folders, std::string mode, std::string settings_file);

  struct Intent {
    std::uint64_t seq = 0;
    std::error_code error;  // the line is not written: the caller should not act
  };

  // Call before the action. `to` is the target tried by a move or rename,
  // empty for trash and delete; `identity` that of the file at `from`.
  Intent BeginAction(JournalAction action, const std::string& from, const std::string& to,
                     const FileIdentity& identity);

  // Call after the action: it succeeded with the file now at `final_to`
  // (empty for a delete), or went to the trash as `entry`, or failed.
  std::error_code ActionDone(std::uint64_t seq, const std::string& final_to);
  std::error_code ActionTrashed(std::uint64_t seq, const TrashEntry& entry);
  std::error_code ActionFailed(std::uint64_t seq, std::string_view reason);

  // The journal's path; empty until the first action.
  const std::string& path() const { return path_; }

 private:
  std::error_code Append(const JournalLine& line);
  std::error_code Open();

  RunHeader header_;
  timespec start_{};
  std::string path_;
  UniqueFd fd_;
  std::uint64_t next_seq_ = 1;
};

}  // namespace tarnwick
