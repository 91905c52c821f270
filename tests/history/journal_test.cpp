#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "history/journal_files.h"
#include "history/path_field.h"
#include "history_fixture.h"
#include "platform/text.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

TEST(PathField, AnyBytesComeBackAndOnlyNonUtf8NeedsBase64) {
  const std::vector<std::string> paths = {"/music/Caf\xc3\xa9.mp3", "/music/Caf\xe9.mp3",
                                          "\xff\xfe\x80", "", "/a\xc3"};
  nlohmann::json list;
  PutPaths(list, "folders", paths);
  EXPECT_EQ(GetPaths(list, "folders"), paths);
  for (const std::string& path : paths) {
    nlohmann::json object;
    PutPath(object, "from", path);
    EXPECT_EQ(GetPath(object, "from"), path);
    EXPECT_TRUE(IsValidUtf8(object["from"].get<std::string>()));
    EXPECT_EQ(object.contains("from_bytes"), !IsValidUtf8(path)) << path;
    // What a reader gets from the text of a written line.
    EXPECT_EQ(GetPath(nlohmann::json::parse(object.dump()), "from"), path);
  }
  EXPECT_EQ(GetPath({{"from", "x"}, {"from_bytes", "not base64!"}}, "from"), std::nullopt);
}

class Journal : public test::HistoryTest {
 protected:
  std::string Folder() const { return dir_.path() + "state/tarnwick/journal/"; }
  // A journal name of a run `hours` ago.
  std::string NameOfRun(int hours) const {
    const std::time_t time = now_ - hours * 3600;
    char name[64];
    strftime(name, sizeof name, "%Y%m%dT%H%M%SZ-7.jsonl", gmtime(&time));
    return name;
  }
  std::string AddJournal(const std::string& name) {
    return dir_.WriteFile("state/tarnwick/journal/" + name, "");
  }
  std::string RunWithOneAction() {
    return test::RunLogged(
        music_, [&](test::LoggedRun& run) { run.Delete(dir_.WriteFile("music/Song.mp3", "x")); });
  }

  const std::time_t now_ = std::time(nullptr);
};

TEST_F(Journal, IsMadeOnTheFirstActionAndKeepsTheNewest100OfTheLast90Days) {
  test::RunLogged(music_, [](test::LoggedRun&) {});
  EXPECT_FALSE(fs::exists(dir_.path() + "state/tarnwick"));
  const std::string first = RunWithOneAction();
  struct stat st {};
  for (const std::string& folder : {dir_.path() + "state/tarnwick", Folder()}) {
    ASSERT_EQ(stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << folder;
  }

  for (int hours : {24 * 91, 24 * 90 + 1, 24 * 89}) AddJournal(NameOfRun(hours));
  dir_.WriteFile("state/tarnwick/journal/notes.txt", "not a journal");
  RunWithOneAction();
  std::vector<std::string> kept = ListJournals(Folder());
  EXPECT_EQ(kept.size(), 3u);
  EXPECT_EQ(kept.front(), Folder() + NameOfRun(24 * 89));

  // 101 journals now: the oldest goes, although of the last 90 days.
  for (int hours = 1; hours <= 97; ++hours) AddJournal(NameOfRun(hours));
  RunWithOneAction();
  kept = ListJournals(Folder());
  EXPECT_EQ(kept.size(), 100u);
  EXPECT_EQ(kept.front(), Folder() + NameOfRun(97));
  EXPECT_TRUE(fs::exists(first));
  EXPECT_TRUE(fs::exists(Folder() + "notes.txt"));

  // Journals from the future (a clock set back): the new one, among the
  // oldest by name now, stays.
  for (int hours = 1; hours <= 100; ++hours) AddJournal(NameOfRun(-hours));
  EXPECT_TRUE(fs::exists(RunWithOneAction()));
}

}  // namespace
}  // namespace tarnwick
