// Runs over random collections with random settings and stops lose no
// file: only deletions take files away, and only the files they name. And
// the analyses made ahead on worker threads change nothing a run shows or
// does: the error detection and the duplicate search give the same rows,
// messages, held pairs, actions, progress and test points, stop at the same
// place and leave the same files, with no worker, one or several; and no
// worker outlives its run.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <random>
#include <thread>

#include "search/duplicate_search.h"
#include "search/error_detection.h"
#include "support/random_collection.h"
#include "support/recording_view.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// Everything the run showed and did, and the files it left.
Lines Transcript(const test::RecordingView& view, const std::string& root) {
  Lines lines = view.log;
  for (const std::string& message : view.messages) lines.push_back("message " + message);
  for (const int position : view.progressPositions) lines.push_back(std::to_string(position));
  for (const std::string& text : view.statusTexts[2]) lines.push_back("status " + text);
  lines.push_back("test points " + std::to_string(view.pendingEventCalls));
  for (const auto& [path, bytes] : test::FilesBelow(root)) lines.push_back("file " + path);
  return lines;
}

// The threads of this process.
size_t ThreadCount() {
  return static_cast<size_t>(std::distance(fs::directory_iterator("/proc/self/task"), {}));
}

// A joined thread leaves /proc/self/task a moment after the join returns
// (the kernel reaps it after waking the joiner), longer on a busy machine.
size_t ThreadCountSettledAt(size_t expected) {
  for (int wait = 0; wait < 200 && ThreadCount() != expected; ++wait) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return ThreadCount();
}

enum class Kind { kErrors, kDuplicates };

// One run over the collection the seed makes afresh in `dir`, with its
// settings and its stop (at a test point, or none).
Lines RunWith(const test::TempDir& dir, Kind kind, unsigned seed, unsigned workers) {
  for (const char* sub : {"music", "moved", "unknown"}) fs::remove_all(dir.Sub(sub));
  std::mt19937 random(seed);
  test::RunFixture fx;
  fx.UseFoldersIn(dir);
  SETTINGS& s = fx.settings;
  // A move folder inside the tree is left out of the walk.
  if (random() % 2) s.movefolder = dir.MakeDir("music/moved");
  s.doubleMode = static_cast<int>(random() % 3);
  s.moveunknown = random() % 2;
  s.searchinsubfolder = true;
  s.vbr = random() % 2, s.vbrever = random() % 2;
  s.checkpairs = random() % 2;
  s.strictchecks = random() % 2;
  const int stop_at = random() % 2 ? static_cast<int>(random() % 20) : 0;
  fx.view.onPendingEvents = [&fx, stop_at](int call) {
    if (call == stop_at) PressExit(fx.run);
  };
  test::WriteRandomSongs(dir, "music/", random);
  fx.run.options.workers = workers;
  const size_t threads = ThreadCount();
  const std::map<std::string, std::string> files = test::FilesBelow(dir.path());
  std::vector<std::string> kept = test::ContentsBelow({dir.path()});
  const RunOutcome outcome =
      kind == Kind::kErrors ? RunErrorDetection(fx.run) : RunDuplicateSearch(fx.run);
  for (const FileAction& a : fx.view.actions) {
    if (!a.ok() || a.kind != FileAction::Kind::kDelete) continue;
    kept.erase(std::find(kept.begin(), kept.end(), files.at(a.from.substr(dir.path().size()))));
  }
  EXPECT_EQ(test::ContentsBelow({dir.path()}), kept) << "a file was lost";
  Lines lines = Transcript(fx.view, dir.path());
  lines.push_back("outcome " + std::to_string(static_cast<int>(outcome)));
  EXPECT_EQ(ThreadCountSettledAt(threads), threads) << "a worker outlived its run";
  return lines;
}

TEST(Workers, RunsShowAndDoTheSameWithAnyNumberOfWorkers) {
  test::TempDir dir;
  for (const Kind kind : {Kind::kErrors, Kind::kDuplicates}) {
    for (unsigned seed = 1; seed <= 24; ++seed) {
      const Lines alone = RunWith(dir, kind, seed, 0);
      for (const unsigned workers : {1u, 4u}) {
        EXPECT_EQ(RunWith(dir, kind, seed, workers), alone)
            << "seed " << seed << ", " << workers << " workers";
      }
    }
  }
}

}  // namespace
}  // namespace tarnwick
