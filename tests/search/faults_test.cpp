// Faults met on real folders: a destination that fills up, folders that
// refuse writes, files that vanish while a run works on them.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/files.h"
#include "search/duplicate_search.h"
#include "support/mp3_stream.h"
#include "support/run_test.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace tarnwick {
namespace {

using Strings = std::vector<std::string>;
using test::CbrStream;

using FaultsTest = test::RunTest;

TEST_F(FaultsTest, MoveIntoAFullFileSystemKeepsTheSourceWhole) {
  // A tiny file system of its own, so that the destination really fills up.
  if (mount("tmpfs", s.movefolder.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "mounting a small tmpfs is not permitted here";
  }
  const std::string big = CbrStream(320, 1000);  // about 1.3 MB, far more than 64 KB
  dir.WriteFile("music/1 Song.mp3", big);
  dir.WriteFile("music/2 Song.mp3", big);
  s.doubleMode = kDoubleMove;
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kFinished);
  EXPECT_TRUE(std::filesystem::is_empty(s.movefolder));  // no partial or temporary file
  umount2(s.movefolder.c_str(), MNT_DETACH);
  ASSERT_EQ(fx.view.actions.size(), 1u);
  EXPECT_FALSE(fx.view.actions[0].ok());
  EXPECT_EQ(test::ReadFile(s.mp3folder + "1 Song.mp3"), big);
}

TEST_F(FaultsTest, ReadOnlyMoveFolderLeavesEveryFileInPlace) {
  for (const char* name : {"1 Song.mp3", "2 Song.mp3", "1 Tune.mp3", "2 Tune.mp3"}) {
    dir.WriteFile(std::string("music/") + name, CbrStream(128, 100));
  }
  s.doubleMode = kDoubleMove;
  test::GiveToUnprivileged(dir.path());
  chmod(s.movefolder.c_str(), 0555);
  EXPECT_TRUE(test::RunUnprivileged([this] {
    return RunDuplicateSearch(fx.run) == RunOutcome::kFinished && fx.view.actions.size() == 2 &&
           !fx.view.actions[0].ok() && !fx.view.actions[1].ok();
  }));
  EXPECT_EQ(ListFiles(s.mp3folder, ".mp3").size(), 4u);
}

TEST_F(FaultsTest, FilesVanishingDuringTheRunAreReportedAndPassedOver) {
  for (const char* name : {"1 Song.mp3", "2 Song.mp3", "1 Tune.mp3", "2 Tune.mp3", "3 Tune.mp3"}) {
    dir.WriteFile(std::string("music/") + name, CbrStream(128, 100));
  }
  s.doubleMode = kDoubleMove;
  // While the first pair (2 Song, 1 Song) is listed, another program removes
  // its loser-to-be and a file of the later pairs.
  fx.view.onPendingEvents = [this](int call) {
    if (call != 4) return;
    std::filesystem::remove(s.mp3folder + "1 Song.mp3");
    std::filesystem::remove(s.mp3folder + "1 Tune.mp3");
  };
  ASSERT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kFinished);
  // The loser's move fails; the pairs with the gone file fail their analysis
  // ("File not found") and are passed over; the last pair goes through.
  ASSERT_EQ(fx.view.actions.size(), 2u);
  EXPECT_FALSE(fx.view.actions[0].ok());
  EXPECT_TRUE(fx.view.actions[1].ok());
  ASSERT_EQ(fx.view.messages.size(), 2u);
  EXPECT_NE(fx.view.messages[0].find("File not found"), std::string::npos);
  EXPECT_EQ(ListFiles(s.mp3folder, ".mp3"), (Strings{"2 Song.mp3", "3 Tune.mp3"}));
  EXPECT_EQ(ListFiles(s.movefolder, ".mp3"), (Strings{"2 Tune.mp3"}));
}

TEST_F(FaultsTest, UnreadableSubfolderContributesNothing) {
  for (const char* name :
       {"locked/1 Song.mp3", "locked/2 Song.mp3", "open/1 Song.mp3", "open/2 Song.mp3"})
    dir.WriteFile("music/" + std::string(name), CbrStream(128, 100));
  s.searchinsubfolder = true;
  test::GiveToUnprivileged(dir.path());
  chmod((s.mp3folder + "locked").c_str(), 0);
  EXPECT_TRUE(test::RunUnprivileged([this] {
    return RunDuplicateSearch(fx.run) == RunOutcome::kFinished && fx.view.rows.size() == 3;
  }));
}

}  // namespace
}  // namespace tarnwick
