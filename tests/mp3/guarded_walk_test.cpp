#include "mp3/guarded_walk.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "mp3/mapped_file.h"
#include "support/mp3_stream.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

TEST(GuardedWalk, FileCutShortWhileMappedEndsTheWalkInsteadOfTheProcess) {
  test::TempDir dir;
  const std::string path = dir.WriteFile("song.mp3", test::CbrStream(128, 2000));
  MappedFile file;
  ASSERT_EQ(file.Open(path), 0);
  // Another program empties the file after it was mapped.
  ASSERT_EQ(truncate(path.c_str(), 0), 0);
  EXPECT_FALSE(WalkMappedFrames(file.Bytes()).has_value());
}

TEST(GuardedWalk, WholeFileWalksAsUsual) {
  test::TempDir dir;
  const std::string path = dir.WriteFile("song.mp3", test::CbrStream(128, 1000));
  MappedFile file;
  ASSERT_EQ(file.Open(path), 0);
  const auto outcome = WalkMappedFrames(file.Bytes());
  ASSERT_TRUE(outcome.has_value());
  EXPECT_EQ(outcome->info.Frames, 1000);
  EXPECT_EQ(outcome->failure, 0);
}

}  // namespace
}  // namespace tarnwick
