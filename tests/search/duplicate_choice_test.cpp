#include "search/duplicate_choice.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "search/duplicate_search.h"
#include "search/row_format.h"
#include "support/mp3_stream.h"
#include "support/run_test.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using Strings = std::vector<std::string>;
using test::CbrStream;
using test::VbrStream;

// Frames of a 44100 Hz stream for a play time: 1152 samples a frame.
int FramesFor(int seconds) { return seconds * 44100 / 1152 + 1; }

// A stream whose bitrate changes in every frame but averages `average`.
std::string Vbr(int average, int frames) {
  std::vector<int> bitrates;
  for (int i = 0; i < frames; ++i) bitrates.push_back(i % 2 ? average - 32 : average + 32);
  return VbrStream(bitrates);
}

// A clean stream with `gaps` runs of junk between its frames: one error each.
std::string WithGaps(int bitrate, int frames, int gaps) {
  std::string stream;
  for (int g = 0; g <= gaps; ++g) {
    stream += CbrStream(bitrate, frames / (gaps + 1));
    if (g < gaps) stream += test::Garbage(10);
  }
  return stream;
}

// Two copies of one song: "1 Song.mp3" is listed first (B), "2 Song.mp3"
// second (A); digits vanish from the key, so both have the key "song".
class DuplicateChoiceTest : public test::RunTest {
 protected:
  void Pair(const std::string& b, const std::string& a) {
    dir.WriteFile("music/1 Song.mp3", b);
    dir.WriteFile("music/2 Song.mp3", a);
  }

  Strings Left() const { return ListFiles(dir.path() + "music/", ".mp3"); }
};

TEST_F(DuplicateChoiceTest, ShowModeListsEveryPairAndTouchesNoFile) {
  for (const char* n : {"1", "2", "3"})
    dir.WriteFile("music/" + std::string(n) + " Song.mp3", CbrStream(128, 1000));
  ASSERT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kFinished);
  const std::string row = "|" + s.mp3folder + "|00:26|no|128kB/s|0|1000";
  EXPECT_EQ(fx.view.RowTexts(),
            (Strings{"2 Song.mp3" + row, "1 Song.mp3" + row, "3 Song.mp3" + row, "1 Song.mp3" + row,
                     "3 Song.mp3" + row, "2 Song.mp3" + row}));
  EXPECT_TRUE(fx.view.rows[0].IsSeparator());
  EXPECT_EQ(fx.view.rows.size(), 9u);
  EXPECT_EQ(fx.view.progressMax, 2);
  EXPECT_EQ(Left().size(), 3u);
  EXPECT_TRUE(fx.view.actions.empty());
}

// Each rule in turn decides which copy stays in delete mode.
TEST_F(DuplicateChoiceTest, TheFirstRuleThatTellsTheCopiesApartDecides) {
  struct Case {
    const char* name;
    std::string b, a;
    bool vbr, vbrever;
    const char* kept;
  };
  const Case cases[] = {
      {"VBR wins with vbrever", CbrStream(320, 400), Vbr(128, 400), true, true, "2 Song.mp3"},
      {"VBR counts double", CbrStream(192, 400), Vbr(128, 400), true, false, "2 Song.mp3"},
      {"plain bitrate", CbrStream(192, 400), Vbr(128, 400), false, false, "1 Song.mp3"},
      {"fewer errors", CbrStream(128, 400), WithGaps(128, 400, 3), false, false, "1 Song.mp3"},
      {"longer song", CbrStream(32, FramesFor(240)), CbrStream(32, FramesFor(241)), false, false,
       "2 Song.mp3"},
      {"equal copies: the one listed first goes", CbrStream(128, 500), CbrStream(128, 500), false,
       false, "2 Song.mp3"},
  };
  s.doubleMode = kDoubleDelete;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Pair(c.b, c.a);
    s.vbr = c.vbr, s.vbrever = c.vbrever;
    fx.view.rows.clear();
    RunDuplicateSearch(fx.run);
    EXPECT_EQ(Left(), Strings{c.kept});
    std::filesystem::remove(dir.path() + "music/" + c.kept);
  }
}

// The rows show each copy's own values: a VBR file its own bitrate, the
// error count.
TEST_F(DuplicateChoiceTest, RowsShowEachCopysOwnValues) {
  Pair(WithGaps(128, 400, 3), Vbr(128, 400));
  s.doubleMode = kDoubleMove;
  RunDuplicateSearch(fx.run);
  EXPECT_EQ(fx.view.rows[1].subItems[2], "yes");
  EXPECT_EQ(fx.view.rows[1].subItems[3], "128kB/s");
  EXPECT_EQ(fx.view.rows[2].subItems[4], "3");
  EXPECT_EQ(ListFiles(s.movefolder, ".mp3"), Strings{"1 Song.mp3"});
}

TEST_F(DuplicateChoiceTest, IllegalRuleNumbersAreReportedPerPairAndSkipped) {
  Pair(CbrStream(128, 400), CbrStream(128, 400));
  s.doubleMode = kDoubleDelete;
  s.priority = {7, -1, RuleFirst};
  RunDuplicateSearch(fx.run);
  EXPECT_EQ(fx.view.messages, Strings(2, "warning: illegal number in priority list!"));
  EXPECT_EQ(Left(), Strings{"2 Song.mp3"});
}

TEST_F(DuplicateChoiceTest, PairWithAFailedAnalysisIsNeitherListedNorTouched) {
  Pair(CbrStream(128, 400), std::string(5000, '\0'));
  s.doubleMode = kDoubleDelete;
  RunDuplicateSearch(fx.run);
  EXPECT_TRUE(fx.view.rows.empty());
  EXPECT_EQ(Left().size(), 2u);
  ASSERT_EQ(fx.view.messages.size(), 1u);
  EXPECT_NE(fx.view.messages[0].find("I/O error 131"), std::string::npos);
}

// Minutes go on past the hour (the rows show short times as above).
TEST(RowFormat, PlayTimeCountsMinutesPastTheHour) {
  EXPECT_EQ(FormatPlayTime(3725), "62:05");
  EXPECT_EQ(FormatPlayTime(6000), "100:00");
}

}  // namespace
}  // namespace tarnwick
