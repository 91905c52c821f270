#include <gtest/gtest.h>

#include <clocale>

#include "cli/progress_line.h"

namespace tarnwick::cli {
namespace {

using Clock = RunProgress::Clock;
using std::chrono::seconds;

const Clock::time_point t0 = Clock::now();

// The error detection lists every folder first, then analyses file by file.
TEST(RunProgress, ErrorDetectionCountsFilesOfTheWholeRun) {
  RunProgress progress(RunProgress::Measure::kFiles);
  EXPECT_EQ(progress.Text(t0, 100), "");
  progress.FoldersFound(3, t0);
  progress.FolderRead("/music/A/", 60);
  progress.FolderRead("/music/B/", 40);
  EXPECT_EQ(progress.Text(t0, 100), "listing: 100 files, folder 2/3  /music/B/");
  progress.SetMax(99, t0 + seconds(1));
  progress.SetFolder("/music/A/");
  progress.SetPosition(24);
  // A quarter in 10 s: 30 s to go.
  EXPECT_EQ(progress.Text(t0 + seconds(11), 100),
            "[#####...............]  25.0% 25/100 files  0:30 left  /music/A/");
}

// The duplicate search lists each folder when it comes to it.
TEST(RunProgress, DuplicateSearchCountsFoldersAndTheFilesDone) {
  RunProgress progress(RunProgress::Measure::kFolders);
  progress.FoldersFound(4, t0);
  progress.FolderRead("/music/A/", 10);
  progress.SetMax(9, t0);
  progress.SetPosition(5);
  progress.FolderDone();
  progress.FolderRead("/music/B/", 20);
  progress.SetMax(19, t0);
  progress.SetPosition(10);
  // One and a half folders of four in 30 s: 50 s to go.
  EXPECT_EQ(progress.Text(t0 + seconds(30), 100),
            "[#######.............]  37.5% folder 2/4, 20 files  0:50 left  /music/B/");
}

TEST(RunProgress, LineIsCutToTheTerminalWidthFromTheFront) {
  std::setlocale(LC_CTYPE, "C.UTF-8");
  RunProgress progress(RunProgress::Measure::kFiles);
  progress.FoldersFound(1, t0);
  progress.FolderRead("/music/Über lange Namen/Noch länger/", 5);
  EXPECT_EQ(progress.Text(t0, 40), "listing: 5 files, folder 1/1  ...länger/");
  // Too narrow even for the counts: their end stays, the folder goes.
  EXPECT_EQ(progress.Text(t0, 20), "...files, folder 1/1");
}

}  // namespace
}  // namespace tarnwick::cli
