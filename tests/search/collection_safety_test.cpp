#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "search/duplicate_search.h"
#include "support/random_collection.h"
#include "support/recording_view.h"
#include "support/temp_dir.h"
#include "support/user_home.h"

namespace tarnwick {
namespace {

using Contents = std::vector<std::string>;

// A dry run makes every decision a real run makes, in the same order, and
// changes nothing: run first without and then with changes, on one tree.
TEST(DryRun, PrintsExactlyWhatTheRealRunThenDoes) {
  std::mt19937 random(3);
  for (int round = 0; round < 12; ++round) {
    test::TempUserHome home;  // the trash of the round
    test::TempDir dir;
    test::RunFixture fx;
    fx.UseFoldersIn(dir);
    SETTINGS& s = fx.settings;
    s.vbrdouble = false;
    s.doubleMode = 1 + round % 2;
    s.trash = true;
    s.checkpairs = round % 3 == 0;  // built streams are silent: their pairs are held
    s.moveunknown = true;
    s.searchinsubfolder = true;
    int id = 0;
    for (const char* sub : {"", "sub/"}) {
      for (const std::string& name : test::kPairingNames) {
        if (random() % 2 == 0)
          dir.WriteFile("music/" + std::string(sub) + name, test::RandomSong(random, ++id));
      }
    }
    dir.WriteFile("moved/Song.mp3", "taken");  // a numbered name for the first Song
    const Contents before = test::ContentsBelow({dir.path()});

    test::RecordingView dry_view, real_view;
    SearchRun dry{s, fx.language, dry_view};
    dry.options.dryRun = true;
    dry.options.journal = false;
    RunDuplicateSearch(dry);
    EXPECT_EQ(test::ContentsBelow({dir.path()}), before) << "round " << round;

    SearchRun real{s, fx.language, real_view};
    real.options.journal = false;
    RunDuplicateSearch(real);
    EXPECT_EQ(dry_view.log, real_view.log) << "round " << round;
    EXPECT_TRUE(std::ranges::any_of(real_view.actions, &FileAction::ok)) << "round " << round;
  }
}

}  // namespace
}  // namespace tarnwick
