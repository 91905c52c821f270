#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>

#include "search/duplicate_search.h"
#include "support/mp3_stream.h"
#include "support/random_collection.h"
#include "support/recording_view.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;
using Contents = std::vector<std::string>;

Contents ContentsBelow(const std::string& folder) {
  Contents contents;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) contents.push_back(test::ReadFile(entry.path()));
  }
  std::sort(contents.begin(), contents.end());
  return contents;
}

class CollectionSafetyTest : public ::testing::TestWithParam<int> {};

TEST_P(CollectionSafetyTest, NothingIsEverLost) {
  std::mt19937 random(static_cast<unsigned>(GetParam()));
  for (int round = 0; round < 12; ++round) {
    test::TempDir dir;
    test::RunFixture fx;
    SETTINGS& s = fx.settings;
    s.mp3folder = dir.MakeDir("music");
    s.movefolder = dir.MakeDir("music/moved");  // inside the tree: left out of the walk
    s.unknownfolder = dir.MakeDir("unknown");
    s.doubleMode = GetParam() % 3;
    s.moveunknown = random() % 2;
    s.searchinsubfolder = true;
    s.vbr = random() % 2, s.vbrever = random() % 2;
    test::WriteRandomSongs(dir, "music/", random);
    std::map<std::string, std::string> content_at;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
      if (entry.is_regular_file()) content_at[entry.path().string()] = test::ReadFile(entry.path());
    }
    const Contents before = ContentsBelow(dir.path());

    ASSERT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kFinished);

    // Only deletions take files away, and only the losers of listed pairs.
    Contents expected = before;
    size_t deletions = 0;
    for (const FileAction& action : fx.view.actions) {
      ASSERT_TRUE(action.ok()) << action.from;
      if (action.kind != FileAction::Kind::kDelete) continue;
      ++deletions;
      expected.erase(std::find(expected.begin(), expected.end(), content_at.at(action.from)));
    }
    const auto pairs = std::count_if(fx.view.rows.begin(), fx.view.rows.end(),
                                     [](const ResultRow& row) { return row.IsSeparator(); });
    EXPECT_EQ(deletions, s.doubleMode == kDoubleDelete ? static_cast<size_t>(pairs) : 0u);
    EXPECT_EQ(ContentsBelow(dir.path()), expected) << "round " << round;
  }
}

INSTANTIATE_TEST_SUITE_P(ShowMoveDelete, CollectionSafetyTest, ::testing::Values(0, 1, 2, 3, 4, 5));

}  // namespace
}  // namespace tarnwick
