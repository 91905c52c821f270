#include "mp3/ahead_analysis.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "mp3/mapped_file.h"
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

bool Resident(const std::string& path, size_t size) {
  MappedFile file;
  if (file.Open(path) != 0) return false;
  std::vector<unsigned char> pages((size + 4095) / 4096);
  void* start = const_cast<std::uint8_t*>(file.Bytes().data());
  if (mincore(start, size, pages.data()) != 0) return false;
  return std::all_of(pages.begin(), pages.end(), [](unsigned char p) { return p & 1; });
}

// The read-ahead fills the page cache with a file before anyone reads it.
TEST(ReadAhead, BringsPlannedFilesIntoThePageCache) {
  test::TempDir dir;
  const std::string content = test::CbrStream(320, 3000);
  const std::string path = dir.WriteFile("song.mp3", content);
  const int fd = open(path.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(fdatasync(fd), 0);
  ASSERT_EQ(posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED), 0);
  close(fd);
  if (Resident(path, content.size())) GTEST_SKIP() << "the file system keeps files in memory";

  ReadAhead read_ahead;
  read_ahead.Plan(std::make_shared<const std::vector<std::string>>(1, path));
  for (int waited = 0; waited < 500 && !Resident(path, content.size()); ++waited) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(Resident(path, content.size()));
}

}  // namespace
}  // namespace tarnwick
