// The pair check on real encoder output: a pair is acted on only when both
// files hold the same recording and the copy kept is the sound one.

#include "search/pair_check.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "search/duplicate_search.h"
#include "support/encoder.h"
#include "support/run_test.h"
#include "support/studio.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using Strings = std::vector<std::string>;
using test::Encoding;

constexpr Encoding kHigh = {"lame -b 192", false, "-b 192"};
constexpr Encoding kLow = {"ffmpeg 128k", true, "-b:a 128k"};

// The first `seconds` of a recording of tests/data/songs, encoded anew.
std::string Song(const std::string& recording, double seconds, const Encoding& encoding) {
  static test::Studio studio;
  return test::ReadFile(studio.Encode(studio.Decode(recording, seconds), encoding));
}

class PairCheckTest : public test::RunTest {
 protected:
  void SetUp() override {
    s.doubleMode = kDoubleMove;
    s.checkpairs = true;
  }

  // "Song.mp3" (the higher bitrate, which the rules keep) and "The Song.mp3".
  void Pair(const std::string& kept, const std::string& weaker) {
    dir.WriteFile("music/Song.mp3", kept);
    dir.WriteFile("music/The Song.mp3", weaker);
  }
  Strings Music() const { return ListFiles(s.mp3folder, ".mp3"); }
  std::vector<HeldPair>& Held() { return fx.view.held; }
};

const std::string kSong = "song";
const std::string kOtherSong = "another_song";

TEST_F(PairCheckTest, SameRecordingInTwoEncodingsIsActedOn) {
  Pair(Song(kSong, 15, kHigh), Song(kSong, 15, kLow));
  RunDuplicateSearch(fx.run);
  EXPECT_TRUE(Held().empty());
  EXPECT_EQ(Music(), Strings{"Song.mp3"});
}

TEST_F(PairCheckTest, EachReasonHoldsThePairInMoveAndDeleteMode) {
  const std::string song = Song(kSong, 15, kHigh);
  std::string damaged = song;
  damaged.insert(damaged.size() / 2, std::string(40, 'x'));  // one error, and junk
  // Damage of the same kinds counts by its errors: two against one.
  std::string twice = damaged, once = Song(kSong, 15, kLow);
  twice.insert(twice.size() / 4, std::string(40, 'x'));
  once.insert(once.size() / 2, std::string(40, 'x'));
  struct Case {
    std::string kept, weaker;
    HeldPair::Reason reason;
  } cases[] = {
      {song, Song(kSong, 7, kLow), HeldPair::Reason::kLengthsDiffer},
      {song, Song(kOtherSong, 15, kLow), HeldPair::Reason::kDifferentRecordings},
      {damaged, Song(kSong, 15, kLow), HeldPair::Reason::kKeepIsDamaged},
      {twice, once, HeldPair::Reason::kKeepIsDamaged},
  };
  for (const int mode : {kDoubleMove, kDoubleDelete}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(HeldReasonName(c.reason));
      Held().clear();
      s.doubleMode = mode;
      Pair(c.kept, c.weaker);
      RunDuplicateSearch(fx.run);
      ASSERT_EQ(Held().size(), 1u);
      EXPECT_EQ(Held()[0].reason, c.reason);
      EXPECT_EQ(Held()[0].fileA, s.mp3folder + "The Song.mp3");
      EXPECT_EQ(Music(), (Strings{"Song.mp3", "The Song.mp3"}));
      EXPECT_TRUE(fx.view.actions.empty());
    }
  }
}

// Different recordings carry their similarity even in show mode; off, the
// check leaves every pair to the rules alone, as first designed.
TEST_F(PairCheckTest, DifferentRecordingsShowTheirSimilarityUnlessTheCheckIsOff) {
  Pair(Song(kSong, 15, kHigh), Song(kOtherSong, 15, kLow));
  s.doubleMode = kDoubleShow;
  RunDuplicateSearch(fx.run);
  ASSERT_EQ(Held().size(), 1u);
  ASSERT_TRUE(Held()[0].similarity.has_value());
  EXPECT_LT(*Held()[0].similarity, 0.8);
  EXPECT_EQ(fx.view.rows.size(), 3u);
  Held().clear();
  s.checkpairs = false;
  s.doubleMode = kDoubleMove;
  RunDuplicateSearch(fx.run);
  EXPECT_TRUE(Held().empty());
  EXPECT_EQ(Music(), Strings{"Song.mp3"});
}

TEST(PairLengths, BoundIsTwoSecondsOrThreePercentButNeverBelowAQuarter) {
  EXPECT_FALSE(LengthsDiffer(241.0, 239.0));  // 2 s of a long song
  EXPECT_TRUE(LengthsDiffer(241.0, 238.9));
  EXPECT_FALSE(LengthsDiffer(30.0, 29.1));  // 3 % of 30 s
  EXPECT_TRUE(LengthsDiffer(30.0, 29.0));
  EXPECT_FALSE(LengthsDiffer(3.0, 2.76));  // the quarter second floor
  EXPECT_TRUE(LengthsDiffer(3.0, 2.7));
}

}  // namespace
}  // namespace tarnwick
