#include "mp3/guarded_walk.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>

#include "mp3/mapped_file.h"
#include "mp3/worker_thread.h"
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

// Each thread catches the faults of its own walk: a worker's cut file ends
// that worker's walk while another thread walks its whole file. The worker
// takes the faults of its walk, and none of the process's signals.
TEST(GuardedWalk, FileCutShortOnAWorkerThreadEndsOnlyThatWalk) {
  test::TempDir dir;
  const std::string cut = dir.WriteFile("cut.mp3", test::CbrStream(128, 2000));
  const std::string whole = dir.WriteFile("whole.mp3", test::CbrStream(128, 2000));
  MappedFile cut_file, whole_file;
  ASSERT_EQ(cut_file.Open(cut), 0);
  ASSERT_EQ(whole_file.Open(whole), 0);
  ASSERT_EQ(truncate(cut.c_str(), 0), 0);
  std::optional<WalkOutcome> cut_walk, whole_walk;
  {
    const std::jthread worker = StartWorker([&] { cut_walk = WalkMappedFrames(cut_file.Bytes()); });
    whole_walk = WalkMappedFrames(whole_file.Bytes());
  }
  EXPECT_FALSE(cut_walk.has_value());
  ASSERT_TRUE(whole_walk.has_value());
  sigset_t worker_mask;
  StartWorker([&] { pthread_sigmask(SIG_BLOCK, nullptr, &worker_mask); }).join();
  EXPECT_TRUE(sigismember(&worker_mask, SIGINT));
  EXPECT_FALSE(sigismember(&worker_mask, SIGBUS));
  EXPECT_EQ(whole_walk->info.Frames, 2000);
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
