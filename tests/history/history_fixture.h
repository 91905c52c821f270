#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "history/journal_writer.h"
#include "history/undo_run.h"
#include "platform/file_moves.h"
#include "platform/files.h"
#include "platform/trash.h"
#include "support/temp_dir.h"
#include "support/user_home.h"

namespace tarnwick::test {

// Home, state (the journals) and trash in temporary folders, and a
// collection in music/.
class HistoryTest : public ::testing::Test {
 protected:
  HistoryTest() {
    setenv("XDG_STATE_HOME", dir_.MakeDir("state").c_str(), 1);
    setenv("XDG_DATA_HOME", dir_.MakeDir("data").c_str(), 1);
  }
  // Files music/NAME, each holding its name.
  void WriteSongs(std::initializer_list<std::string> names) const {
    for (const std::string& name : names) dir_.WriteFile("music/" + name, name);
  }

  const TempUserHome home_;
  const TempDir& dir_ = home_.dir();
  const std::string music_ = dir_.MakeDir("music");
};

// Performs file actions and journals each one as a run does: the intent
// before the action, the outcome after it.
class LoggedRun {
 public:
  explicit LoggedRun(const std::string& folder, const std::string& mode = "move")
      : journal_({folder}, mode, folder + "tarnwick.ini") {}

  void Move(const std::string& from, const std::string& to,
            JournalAction action = JournalAction::kMove) {
    const std::uint64_t seq = Begin(action, from, to);
    const std::error_code error = MoveFileNoReplace(from, to);
    EXPECT_FALSE(error ? journal_.ActionFailed(seq, error.message())
                       : journal_.ActionDone(seq, to));
  }
  void Trash(const std::string& path) {
    const std::uint64_t seq = Begin(JournalAction::kTrash, path, "");
    EXPECT_FALSE(journal_.ActionTrashed(seq, MoveToTrash(path).entry));
  }
  void Delete(const std::string& path) {
    const std::uint64_t seq = Begin(JournalAction::kDelete, path, "");
    EXPECT_FALSE(DeleteFile(path) || journal_.ActionDone(seq, ""));
  }
  // What a run killed during the action leaves: its intent, no outcome,
  // and the action done or not.
  void CutOff(JournalAction action, const std::string& from, const std::string& to, bool done) {
    Begin(action, from, to);
    if (!done) return;
    const bool failed = action == JournalAction::kTrash ? bool(MoveToTrash(from).error)
                                                        : bool(MoveFileNoReplace(from, to));
    EXPECT_FALSE(failed);
  }
  const std::string& path() const { return journal_.path(); }

 private:
  std::uint64_t Begin(JournalAction action, const std::string& from, const std::string& to) {
    const JournalWriter::Intent intent =
        journal_.BeginAction(action, from, to, IdentityAt(AT_FDCWD, from).value());
    EXPECT_FALSE(intent.error) << intent.error.message();
    return intent.seq;
  }

  JournalWriter journal_;
};

// The journal of a run that performs `actions` on a LoggedRun and ends.
template <typename Actions>
std::string RunLogged(const std::string& folder, Actions actions) {
  LoggedRun run(folder);
  actions(run);
  return run.path();
}

struct Undone {
  UndoResult result;
  std::vector<UndoStep> steps;
};

inline Undone Undo(const std::string& journal, bool dry_run = false) {
  Undone undone;
  undone.result =
      UndoRun(journal, dry_run, [&undone](const UndoStep& step) { undone.steps.push_back(step); });
  return undone;
}

}  // namespace tarnwick::test
