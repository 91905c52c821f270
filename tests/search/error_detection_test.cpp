#include "search/error_detection.h"

#include <gtest/gtest.h>

#include "support/mp3_stream.h"
#include "support/run_test.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using Strings = std::vector<std::string>;
using test::CbrStream;

// A clean stream with one run of junk in the middle: one error.
std::string Damaged(int frames) {
  return CbrStream(128, frames / 2) + test::Garbage(20) + CbrStream(128, frames - frames / 2);
}

using ErrorDetectionTest = test::RunTest;

TEST_F(ErrorDetectionTest, ListsDamagedFilesWithStatusTexts) {
  for (int i = 0; i < 8; ++i) {
    const std::string content = i == 2 || i == 5 ? Damaged(400) : CbrStream(128, 400);
    dir.WriteFile("music/" + std::to_string(i) + ".mp3", content);
  }
  view.rows = {ResultRow{RowKind::kPair, "earlier row", {"x"}}};
  ASSERT_EQ(RunErrorDetection(fx.run), RunOutcome::kFinished);
  const std::string folder = s.mp3folder;
  EXPECT_EQ(view.RowTexts(),
            (Strings{"earlier row|x", "2.mp3|" + folder + "|00:10|no|128 KB/s|1|400",
                     "5.mp3|" + folder + "|00:10|no|128 KB/s|1|400"}));
  EXPECT_EQ(view.statusTexts[0], (Strings{"0%", "12%", "25%", "38%", "50%", "62%", "75%", "88%"}));
  EXPECT_EQ(view.statusTexts[1].back(), folder);
  EXPECT_EQ(view.statusTexts[2].back(), "7.mp3");
  EXPECT_EQ(view.progressMax, 7);
}

// Strict checks list damage the error count misses and failed analyses,
// each with its problems and without a message box; off, as first designed.
TEST_F(ErrorDetectionTest, StrictChecksListProblemsAndFailuresInTheirRows) {
  const std::string clean = CbrStream(128, 400);
  dir.WriteFile("music/a clean.mp3", clean);
  dir.WriteFile("music/b cut.mp3", clean.substr(0, clean.size() - 100));
  dir.WriteFile("music/c empty.mp3", "");
  dir.WriteFile("music/d damaged.mp3", Damaged(400));
  s.strictchecks = true;
  ASSERT_EQ(RunErrorDetection(fx.run), RunOutcome::kFinished);
  const std::string folder = s.mp3folder;
  EXPECT_EQ(view.RowTexts(),
            (Strings{"b cut.mp3|" + folder + "|00:10|no|128 KB/s|0|400|truncated",
                     "c empty.mp3|" + folder + "|-|-|-|-|-|not mp3",
                     "d damaged.mp3|" + folder + "|00:10|no|128 KB/s|1|400|junk"}));
  EXPECT_EQ(view.rows[1].failure, 100);
  EXPECT_TRUE(view.messages.empty());

  view.rows.clear();
  s.strictchecks = false;
  ASSERT_EQ(RunErrorDetection(fx.run), RunOutcome::kFinished);
  EXPECT_EQ(view.RowTexts(), Strings{"d damaged.mp3|" + folder + "|00:10|no|128 KB/s|1|400"});
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].rfind(folder + "c empty.mp3: Error \"EInOutError\"", 0), 0u);
}

TEST_F(ErrorDetectionTest, FolderListIsGatheredIntoOnePass) {
  const std::string a = dir.MakeDir("a"), b = dir.MakeDir("b");
  dir.WriteFile("b/x.mp3", Damaged(100));
  dir.WriteFile("a/x.mp3", Damaged(100));
  s.multifolder = true;
  s.folders = {a, b, dir.path() + "missing/"};
  ASSERT_EQ(RunErrorDetection(fx.run), RunOutcome::kFinished);
  ASSERT_EQ(view.rows.size(), 2u);
  EXPECT_EQ(view.rows[0].subItems[0], a);
  EXPECT_EQ(view.rows[1].subItems[0], b);
  // A single file in the pass is not analysed.
  s.folders = {a};
  view.rows.clear();
  ASSERT_EQ(RunErrorDetection(fx.run), RunOutcome::kFinished);
  EXPECT_TRUE(view.rows.empty());
}

TEST_F(ErrorDetectionTest, StopEndsTheRunBeforeTheNextFile) {
  for (int i = 0; i < 4; ++i) dir.WriteFile("music/" + std::to_string(i) + ".mp3", Damaged(100));
  // A click made while the first file is analysed is seen before the second.
  view.onPendingEvents = [this](int call) {
    if (call == 2) PressExit(fx.run);
  };
  EXPECT_EQ(RunErrorDetection(fx.run), RunOutcome::kAborted);
  EXPECT_EQ(view.rows.size(), 1u);
  EXPECT_EQ(view.exitCaptions, (Strings{"Cancel", "Exit"}));
  EXPECT_TRUE(s.stopped);
}

}  // namespace
}  // namespace tarnwick
