#include "mp3/ahead_analysis.h"

#include <gtest/gtest.h>

#include "support/mp3_stream.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

// Each take, in plan order or not, twice, unplanned, or after a new plan,
// gives the file's own analysis, whatever the number of workers; the end
// leaves planned files untaken.
TEST(AheadAnalysis, EveryTakeGivesTheFilesOwnAnalysis) {
  test::TempDir dir;
  std::vector<std::string> paths;
  for (int i = 0; i < 8; ++i) {
    paths.push_back(dir.WriteFile(std::to_string(i) + ".mp3", test::CbrStream(128, 10 + i)));
  }
  const std::string missing = dir.Sub("missing.mp3");
  const auto frames = [&](const std::string& path) {
    return path == missing ? 0 : 10 + std::stoi(path.substr(dir.path().size()));
  };
  for (const unsigned workers : {0u, 1u, 3u}) {
    AheadAnalysis ahead({.workers = workers});
    ahead.Plan(paths);
    for (const int i : {0, 1, 3, 2, 2, -1, 7, 5}) {
      const std::string& path = i < 0 ? missing : paths[static_cast<size_t>(i)];
      const Mp3Analysis analysis = ahead.Take(path);
      EXPECT_EQ(analysis.info.Frames, frames(path)) << workers << " workers, file " << i;
      EXPECT_EQ(analysis.failure != 0, i < 0);
    }
    ahead.Plan({paths[6], paths[4], paths[6], missing});
    for (const int i : {4, 6, 0}) {
      EXPECT_EQ(ahead.Take(paths[static_cast<size_t>(i)]).info.Frames, 10 + i);
    }
  }
}

}  // namespace
}  // namespace tarnwick
