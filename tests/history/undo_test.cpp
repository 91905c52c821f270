#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include "history/journal_reader.h"
#include "history/run_history.h"
#include "history_fixture.h"
#include "support/cli_runner.h"

namespace tarnwick {
namespace {

using test::ReadFile;

class Undo : public test::HistoryTest {};

// Puts another file (a new inode) with the same bytes and modification time
// at `path`: only the inode tells it from the file the run placed there.
void ReplaceWithLookAlike(const std::string& path) {
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  const std::string twin = path + ".twin";
  test::WriteFileAt(twin, ReadFile(path));
  const timespec times[2] = {st.st_atim, st.st_mtim};
  ASSERT_EQ(utimensat(AT_FDCWD, twin.c_str(), times, 0), 0);
  ASSERT_EQ(rename(twin.c_str(), path.c_str()), 0);
}

std::vector<std::string> StepsText(const test::Undone& undone) {
  std::vector<std::string> texts;
  for (const UndoStep& step : undone.steps) {
    texts.push_back(std::string(ActionName(step.action)) + " " + step.from + " -> " + step.to +
                    (step.ok ? "" : ": " + step.error));
  }
  return texts;
}

// Names that are not UTF-8 or hold a newline must come back byte for byte.
TEST_F(Undo, BringsBackMovedRenamedAndTrashedFilesAndThenHasNothingMore) {
  const std::string song = music_ + "Caf\xe9.mp3", numbered = music_ + "Caf\xe9_1.mp3";
  const std::string moved = dir_.MakeDir("music/moved") + "Caf\xe9.mp3";
  dir_.WriteFile("music/Caf\xe9.mp3", "weaker copy");
  dir_.WriteFile("music/Caf\xe9_1.mp3", "better copy");
  dir_.WriteFile("music/two\nlines.mp3", "trashed");
  dir_.WriteFile("music/Gone.mp3", "deleted");
  auto before = test::FilesBelow(music_);
  const std::string journal = test::RunLogged(music_, [&](test::LoggedRun& run) {
    run.Move(song, moved);
    run.Move(numbered, song, JournalAction::kRename);
    run.Trash(music_ + "two\nlines.mp3");
    run.Delete(music_ + "Gone.mp3");
    EXPECT_EQ(test::Undo(run.path()).result.error, std::errc::device_or_resource_busy);
  });
  EXPECT_NE(ReadFile(journal).find("\"from_bytes\":"), std::string::npos);
  const auto after_run = test::FilesBelow(music_);
  const std::string journal_text = ReadFile(journal);

  const test::Undone dry = test::Undo(journal, true);
  EXPECT_EQ(test::FilesBelow(music_), after_run);
  EXPECT_EQ(ReadFile(journal), journal_text);
  const test::Undone undone = test::Undo(journal);
  EXPECT_EQ(StepsText(dry), StepsText(undone));
  EXPECT_EQ(undone.result.notUndoable, 1u);
  // Newest first.
  ASSERT_EQ(undone.steps.size(), 4u);
  EXPECT_EQ(undone.steps[0].error, "a deleted file cannot be brought back");
  EXPECT_EQ(undone.steps[1].from, dir_.path() + "data/Trash/files/two\nlines.mp3");
  before.erase("Gone.mp3");
  EXPECT_EQ(test::FilesBelow(music_), before);

  const test::Undone again = test::Undo(journal);
  EXPECT_TRUE(again.steps.empty());
  EXPECT_EQ(NewestRunNotUndone(), std::nullopt);
  // The deleted file never comes back.
  EXPECT_EQ(UndoStateOf(ReadJournal(journal)), UndoState::kPartlyUndone);
}

TEST_F(Undo, FindsTheFilesOfActionsThatAKillCutOff) {
  WriteSongs({"a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3"});
  const std::string moved = dir_.MakeDir("music/moved");
  const auto before = test::FilesBelow(music_);
  const std::string journal = test::RunLogged(music_, [&](test::LoggedRun& run) {
    run.CutOff(JournalAction::kMove, music_ + "a.mp3", moved + "a.mp3", true);
    run.CutOff(JournalAction::kMove, music_ + "b.mp3", moved + "b.mp3", false);
    run.CutOff(JournalAction::kRename, music_ + "c.mp3", music_ + "C.mp3", true);
    run.CutOff(JournalAction::kTrash, music_ + "d.mp3", "", true);
    run.CutOff(JournalAction::kTrash, music_ + "e.mp3", "", false);
  });
  test::WriteFileAt(journal, ReadFile(journal) + R"({"kind":"outcome","seq":5,"o)");
  const test::Undone undone = test::Undo(journal);
  EXPECT_EQ(undone.result.undone, 3u) << testing::PrintToString(StepsText(undone));
  EXPECT_TRUE(undone.result.complete());
  EXPECT_EQ(test::FilesBelow(music_), before);
  // The line cut off by the kill has not swallowed the undo's first record.
  EXPECT_TRUE(ReadJournal(journal).entries[3].undo.has_value());
}

// A move to another file system leaves a copy with a new inode: size and
// modification time tell it is still the file the run placed.
TEST_F(Undo, BringsBackFilesMovedToAnotherFileSystem) {
  const std::string other = dir_.MakeDir("other");
  if (mount("tarnwick-test", other.c_str(), "tmpfs", 0, "size=1m") != 0) {
    GTEST_SKIP() << "cannot mount a tmpfs here";
  }
  WriteSongs({"a.mp3", "b.mp3", "c.mp3"});
  auto before = test::FilesBelow(music_);
  const std::string journal = test::RunLogged(music_, [&](test::LoggedRun& run) {
    run.Move(music_ + "a.mp3", other + "a.mp3");
    run.CutOff(JournalAction::kMove, music_ + "b.mp3", other + "b.mp3", true);
    run.Move(music_ + "c.mp3", other + "c.mp3");
  });
  ReplaceWithLookAlike(other + "c.mp3");
  const test::Undone undone = test::Undo(journal);
  umount2(other.c_str(), MNT_DETACH);
  EXPECT_EQ(undone.result.undone, 2u) << testing::PrintToString(StepsText(undone));
  EXPECT_EQ(undone.result.failed, 1u);
  before.erase("c.mp3");
  EXPECT_EQ(test::FilesBelow(music_), before);
}

TEST_F(Undo, NeverReplacesAFileNorBringsBackOneChangedSinceTheRun) {
  const std::string moved = dir_.MakeDir("music/moved");
  WriteSongs({"taken.mp3", "changed.mp3", "fine.mp3"});
  const std::string twin = dir_.WriteFile("music/twin.mp3", "twin");
  const std::string journal = test::RunLogged(music_, [&](test::LoggedRun& run) {
    for (const char* name : {"taken.mp3", "changed.mp3", "fine.mp3"}) {
      run.Move(music_ + name, moved + name);
    }
    run.CutOff(JournalAction::kMove, twin, moved + "twin.mp3", true);
  });
  dir_.WriteFile("music/taken.mp3", "a new file");
  test::WriteFileAt(moved + "changed.mp3", "edited since");
  ReplaceWithLookAlike(moved + "twin.mp3");

  const test::Undone undone = test::Undo(journal);
  std::vector<std::string> errors;
  for (const UndoStep& step : undone.steps) errors.push_back(step.error);
  EXPECT_EQ(errors, (std::vector<std::string>{"the file is neither at its old nor at its new name",
                                              "", "the file has changed since the run",
                                              "another file has taken its old name"}));
  EXPECT_EQ(undone.result.failed, 3u);
  EXPECT_EQ(ReadFile(music_ + "taken.mp3"), "a new file");
  EXPECT_EQ(ReadFile(moved + "changed.mp3"), "edited since");
  EXPECT_EQ(UndoStateOf(ReadJournal(journal)), UndoState::kPartlyUndone);
}

// Two runs; the newer one cannot be undone whole because a new file took
// a name. `undo` takes the newest run not yet undone, then the older one.
TEST_F(Undo, TheProgramUndoesTheNewestRunFirstAndHistoryTellsWhatWasUndone) {
  const std::string moved = dir_.MakeDir("music/moved");
  WriteSongs({"a.mp3", "b.mp3", "c.mp3"});
  const std::string older = test::RunLogged(
      music_, [&](test::LoggedRun& run) { run.Move(music_ + "a.mp3", moved + "a.mp3"); });
  const std::string newer = test::RunLogged(music_, [&](test::LoggedRun& run) {
    run.Trash(music_ + "b.mp3");
    run.Move(music_ + "c.mp3", moved + "c.mp3");
  });
  dir_.WriteFile("music/c.mp3", "new");

  auto runs = test::JsonLines(test::RunCli({"history", "--json"}).out);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0]["journal"], newer);
  EXPECT_EQ(runs[0]["done"]["trash"], 1);
  EXPECT_EQ(runs[1]["folders"], nlohmann::json::array({music_}));
  EXPECT_EQ(runs[1]["undone"], "no");

  const test::CliResult dry = test::RunCli({"undo", "--dry-run", "--json"});
  EXPECT_EQ(dry.status, 4);
  const auto steps = test::JsonLines(dry.out);
  ASSERT_EQ(steps.size(), 2u);
  EXPECT_EQ(steps[0]["error"], "another file has taken its old name");
  EXPECT_EQ(steps[0]["from"], moved + "c.mp3");
  EXPECT_EQ(steps[0]["dry_run"], true);
  EXPECT_EQ(steps[1]["action"], "trash");
  EXPECT_TRUE(steps[1]["ok"]);

  const test::CliResult first = test::RunCli({"undo"});
  EXPECT_EQ(first.status, 4);
  EXPECT_EQ(first.out, "failed to move back: " + moved + "c.mp3 -> " + music_ +
                           "c.mp3: another file has taken its old name\nrestore: " + dir_.path() +
                           "data/Trash/files/b.mp3 -> " + music_ + "b.mp3\n");
  EXPECT_NE(first.err.find("undo " + newer), std::string::npos) << first.err;
  const test::CliResult second = test::RunCli({"undo"});
  EXPECT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(second.out, "move back: " + moved + "a.mp3 -> " + music_ + "a.mp3\n");
  const test::CliResult third = test::RunCli({"undo"});
  EXPECT_EQ(third.status, 0);
  EXPECT_EQ(third.out, "");
  EXPECT_NE(third.err.find("nothing to undo"), std::string::npos);

  runs = test::JsonLines(test::RunCli({"history", "--json"}).out);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0]["undone"], "partly");
  EXPECT_EQ(runs[1]["undone"], "yes");
  EXPECT_NE(test::RunCli({"history"}).out.find("partly"), std::string::npos);
}

}  // namespace
}  // namespace tarnwick
