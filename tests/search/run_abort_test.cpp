#include <gtest/gtest.h>

#include <tuple>

#include "platform/files.h"
#include "search/duplicate_search.h"
#include "support/mp3_stream.h"
#include "support/run_test.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using Strings = std::vector<std::string>;

// Three copies of one song and a numbered file whose plain name is free.
// ProcessPendingEvents calls of one folder: 1 before outer index 0, 2 before
// index 1, 3 and 4 after the rows of pair (1,0), 5 before index 2, 6 and 7
// for pair (2,0), 8 and 9 for pair (2,1), 10 before index 3.
class RunAbortTest : public test::RunTest {
 protected:
  void SetUp() override {
    for (const char* name : {"1 Song.mp3", "2 Song.mp3", "3 Song.mp3", "Other_1.mp3"}) {
      dir.WriteFile(std::string("music/") + name, test::CbrStream(128, 100));
    }
    s.close = true;
  }

  void PressExitAtCall(int at) {
    fx.view.onPendingEvents = [this, at](int call) {
      if (call == at) PressExit(fx.run);
    };
  }
};

// A click between outer indices stops at once; one during a pair finishes
// its outer index only, and ends the whole folder list.
TEST_F(RunAbortTest, AbortStopsAtTheNextOuterIndex) {
  const std::string configured = s.mp3folder;
  const std::string second = dir.MakeDir("second");
  dir.WriteFile("second/1 Song.mp3", test::CbrStream(128, 100));
  dir.WriteFile("second/2 Song.mp3", test::CbrStream(128, 100));
  // Rows of pairs (1,0), (2,0) and (2,1): 9.
  for (const auto& [call, rows, folders] : {std::tuple{2, 0u, 1}, {6, 9u, 1}, {10, 9u, 2}}) {
    SCOPED_TRACE(call);
    s.multifolder = folders == 2;
    s.folders = {configured, second};
    fx.view.rows.clear();
    fx.view.exitCaptions.clear();
    fx.view.pendingEventCalls = 0;
    PressExitAtCall(call);
    EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kAborted);
    EXPECT_EQ(fx.view.rows.size(), rows);
    // No name restoring, no countdown, one EndRun, the folder restored.
    EXPECT_TRUE(FileExists(configured + "Other_1.mp3"));
    EXPECT_EQ(fx.view.countdownsShown, 0);
    EXPECT_EQ(fx.view.exitCaptions, (Strings{"Cancel", "Exit"}));
    EXPECT_EQ(s.mp3folder, configured);
    EXPECT_EQ(PressExit(fx.run), ExitDecision::kCloseWindow);
  }
}

TEST_F(RunAbortTest, UninterruptedRunRestoresNamesAndShowsTheCountdown) {
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kFinished);
  EXPECT_TRUE(fx.view.runButtonsEnabled);
  EXPECT_TRUE(s.stopped);
  EXPECT_EQ(fx.view.exitCaptions, (Strings{"Cancel", "Exit"}));
  EXPECT_EQ(PressExit(fx.run), ExitDecision::kCloseWindow);
  EXPECT_TRUE(FileExists(s.mp3folder + "Other.mp3"));
  EXPECT_EQ(fx.view.countdownsShown, 1);
}

}  // namespace
}  // namespace tarnwick
