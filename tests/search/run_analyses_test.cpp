#include "search/run_analyses.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/mp3_stream.h"
#include "support/recording_view.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

// 400 or 600 frames in files of one size: only the contents tell them apart.
const std::string kShort = test::CbrStream(128, 400);
const std::string kLong = test::CbrStream(64, 600);
const std::string kLongSameSize = kLong + test::Garbage(kShort.size() - kLong.size());

class RunAnalysesTest : public ::testing::TestWithParam<unsigned> {
 protected:
  void SetUp() override { fx.run.options.workers = GetParam(); }

  test::TempDir dir;
  test::RunFixture fx;
};

// A file edited in place to the same size is another file by its new
// modification time: its analysis and its fingerprint are made afresh.
TEST_P(RunAnalysesTest, FileWithANewModificationTimeIsAnalysedAfresh) {
  const std::string path = dir.WriteFile("song.mp3", kShort);
  RunAnalyses analyses(fx.run, RunAnalyses::Reuse::kForRun);
  const Mp3Analysis first = analyses.Analysis(path);
  const double seconds = analyses.Fingerprint(path, first.identity).fingerprint.duration_seconds;
  const fs::file_time_type time = fs::last_write_time(path);
  test::WriteFileAt(path, kLongSameSize);
  fs::last_write_time(path, time + std::chrono::seconds(1));
  const Mp3Analysis again = analyses.Analysis(path);
  EXPECT_EQ(again.info.Frames, 600);
  EXPECT_GT(analyses.Fingerprint(path, again.identity).fingerprint.duration_seconds, seconds);
}

// Whether a worker analysed the planned file before or after it changed, the
// run gets the file as it is when asked for.
TEST_P(RunAnalysesTest, FileChangedAfterItWasPlannedIsAnalysedAsItIsNow) {
  for (int round = 0; round < 20; ++round) {
    const std::string path = dir.WriteFile("song.mp3", kShort);
    RunAnalyses analyses(fx.run, RunAnalyses::Reuse::kForRun);
    analyses.Plan({path});
    std::this_thread::sleep_for(std::chrono::microseconds(round * 100));
    test::WriteFileAt(path, kLong);
    EXPECT_EQ(analyses.Analysis(path).info.Frames, 600) << "round " << round;
  }
}

INSTANTIATE_TEST_SUITE_P(Workers, RunAnalysesTest, ::testing::Values(0u, 1u, 3u));

}  // namespace
}  // namespace tarnwick
