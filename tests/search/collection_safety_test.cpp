#include <gtest/gtest.h>

#include <random>

#include "search/duplicate_search.h"
#include "support/random_collection.h"
#include "support/recording_view.h"
#include "support/temp_dir.h"
#include "support/user_home.h"

namespace tarnwick {
namespace {

using Contents = std::vector<std::string>;

// What a run printed, as one comparable text per row, held pair and action.
class PrintedLines : public test::RecordingView {
 public:
  std::vector<std::string> lines;
  size_t changes = 0;
  void AppendRow(const ResultRow& row) override {
    std::string line = "row " + row.caption;
    for (const std::string& item : row.subItems) line += "|" + item;
    lines.push_back(line);
  }
  void FileActionTried(const FileAction& action) override {
    changes += action.ok();
    lines.push_back(std::string(FileActionName(action.kind)) + " " + action.from + " -> " +
                    action.to + " " + action.error.message());
  }
  void PairHeld(const HeldPair& held) override {
    lines.push_back(std::string("held ") + HeldReasonName(held.reason));
  }
};

// A dry run makes every decision a real run makes, in the same order, and
// changes nothing: run first without and then with changes, on one tree.
TEST(DryRun, PrintsExactlyWhatTheRealRunThenDoes) {
  std::mt19937 random(3);
  for (int round = 0; round < 12; ++round) {
    test::TempUserHome home;  // the trash of the round
    test::TempDir dir;
    SETTINGS s;
    LANGUAGE language;
    SetDefaultMessages(language);
    s.priority = {0, 1, 2, 3, 4};
    s.mp3folder = dir.MakeDir("music");
    s.movefolder = dir.MakeDir("moved");
    s.unknownfolder = dir.MakeDir("unknown");
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

    PrintedLines dry_view, real_view;
    SearchRun dry{s, language, dry_view};
    dry.options.dryRun = true;
    dry.options.journal = false;
    RunDuplicateSearch(dry);
    EXPECT_EQ(test::ContentsBelow({dir.path()}), before) << "round " << round;

    SearchRun real{s, language, real_view};
    real.options.journal = false;
    RunDuplicateSearch(real);
    EXPECT_EQ(dry_view.lines, real_view.lines) << "round " << round;
    EXPECT_GT(real_view.changes, 0u) << "round " << round;
  }
}

}  // namespace
}  // namespace tarnwick
