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

// Another program empties a file after it was mapped. Each thread catches
// the faults of its own walk: the cut file ends that walk, on a worker or
// here, while another thread walks its whole file. The worker takes the
// faults of its walk, and none of the process's signals.
TEST(GuardedWalk, FileCutShortEndsOnlyItsOwnWalk) {
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
  EXPECT_EQ(whole_walk->info.Frames, 2000);
  EXPECT_EQ(whole_walk->failure, 0);
  EXPECT_FALSE(WalkMappedFrames(cut_file.Bytes()).has_value());
  sigset_t worker_mask;
  StartWorker([&] { pthread_sigmask(SIG_BLOCK, nullptr, &worker_mask); }).join();
  EXPECT_TRUE(sigismember(&worker_mask, SIGINT));
  EXPECT_FALSE(sigismember(&worker_mask, SIGBUS));
}

}  // namespace
}  // namespace tarnwick
