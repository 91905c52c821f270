#include "settings/settings.h"

#include <gtest/gtest.h>

#include "platform/priority.h"
#include "support/message_log.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::ReadFile;
using test::TempDir;

class SettingsTest : public ::testing::Test {
 protected:
  SETTINGS Load(const std::string& content) {
    if (!content.empty()) test::WriteFileAt(path, content);
    SETTINGS s;
    LoadSettings(s, columns, language.MESSAGES, path, messages.sink());
    return s;
  }

  void SetUp() override { SetDefaultMessages(language); }
  void TearDown() override { SetProcessPriority(false); }

  TempDir dir;
  std::string path = dir.Sub("tarnwick.ini");
  DesignColumns columns;
  LANGUAGE language;
  test::MessageLog messages;
};

TEST_F(SettingsTest, NoFileGivesTheDefaults) {
  const SETTINGS s = Load("");
  EXPECT_EQ(s.lang, "english.ini");
  EXPECT_EQ(s.doubleMode, kDoubleShow);
  EXPECT_TRUE(s.mp3folder.empty() && s.movefolder.empty() && s.unknownfolder.empty());
  EXPECT_TRUE(s.folders.empty());
  EXPECT_FALSE(s.autostart || s.close || s.moveunknown || s.vbr || s.vbrever || s.configured ||
               s.searchinsubfolder || s.idle || s.multifolder);
  EXPECT_TRUE(s.vbrdouble);
  EXPECT_EQ(s.titleWidth, std::vector<int>(7, 50));
  EXPECT_EQ(s.priority, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_FALSE(ProcessPriorityIsIdle());
}

// Every load sets the process priority: idle only where the file asks.
TEST_F(SettingsTest, NumbersOutOfRangeOrWordsGiveDefaults) {
  for (const char* value : {"3", "-1", "move", "99999999999"}) {
    EXPECT_EQ(Load(std::string("[Settings]\ndouble=") + value + "\n").doubleMode, kDoubleShow)
        << value;
  }
  EXPECT_EQ(Load("[Settings]\ndouble=0x2\n").doubleMode, kDoubleDelete);
  EXPECT_TRUE(Load("[Settings]\nautostart=2\nidle=1\n").autostart);
  EXPECT_TRUE(ProcessPriorityIsIdle());
  EXPECT_FALSE(Load("[Settings]\nautostart=yes\n").autostart);
  EXPECT_FALSE(ProcessPriorityIsIdle());
  EXPECT_FALSE(Load("[Settings]\nvbrdouble=0\n").vbrdouble);
}

TEST_F(SettingsTest, FoldersSectionInFileOrderWithOneTrailingSlash) {
  const SETTINGS s = Load("[Folders]\nb=/music/rock\na=/music/pop/\nempty=\n");
  EXPECT_EQ(s.folders, (std::vector<std::string>{"/music/rock/", "/music/pop/"}));
}

TEST_F(SettingsTest, ColumnWidthsOnlyWhereStored) {
  const SETTINGS s = Load("[Settings]\ntitleWidth3=120\ntitleWidth5=wide\n");
  EXPECT_EQ(s.titleWidth, (std::vector<int>{50, 50, 50, 120, 50, 50, 50}));
  DesignColumns applied;
  ApplyColumnWidths(s, applied);
  EXPECT_EQ(applied.ColumnWidth(3), 120);
}

TEST_F(SettingsTest, OnlyAConfiguredProgramWarnsInEnglishInOrder) {
  Load("[Settings]\nconfigured=0\ndouble=1\nmoveunknown=1\n");
  EXPECT_TRUE(messages.texts.empty());
  Load(
      "[Settings]\nconfigured=1\ndouble=1\nmultifolder=1\nmp3folder=/no/music/\n"
      "movefolder=/no/moved/\nmoveunknown=0\nunknownfolder=/no/unknown/\n");
  EXPECT_EQ(messages.texts,
            (std::vector<std::string>{"MP3 folder: directory \"/no/music/\" does not exist",
                                      "moved files: directory \"/no/moved/\" does not exist"}));
}

TEST_F(SettingsTest, SaveWritesOptionsFoldersAndKeepsUnknownKeys) {
  test::WriteFileAt(path,
                    "; hand-written\n[Settings]\nlang=deutsch.ini\nmine=keep\ndelete=1\n"
                    "[Folders]\nold=/old/\nolder=/older/\n[Mine]\nx=1\n");
  SETTINGS s = Load("");
  s.folders = {"/a/", "/b/"};
  s.doubleMode = kDoubleMove;
  s.configured = true;
  ASSERT_TRUE(SaveSettings(s, path, messages.sink()));
  EXPECT_EQ(ReadFile(path),
            "; hand-written\n[Settings]\nlang=deutsch.ini\nmine=keep\ndouble=1\nmp3folder=\n"
            "movefolder=\nunknownfolder=\nautostart=0\nclose=0\nmoveunknown=0\nvbr=0\nvbrever=0\n"
            "vbrdouble=1\nconfigured=1\nsearchinsubfolder=0\nidle=0\nmultifolder=0\ntrash=1\n"
            "checkpairs=1\nstrictchecks=1\n"
            "[Folders]\n0=/a/\n1=/b/\n[Mine]\nx=1\n");
  const SETTINGS again = Load("");
  EXPECT_EQ(again.folders, s.folders);
  EXPECT_EQ(again.doubleMode, kDoubleMove);
  // Column widths alone create the file.
  DesignColumns widths;
  widths.SetColumnWidth(0, 200);
  ASSERT_TRUE(SaveColumnWidths(widths, dir.Sub("new.ini"), messages.sink()));
  EXPECT_EQ(ReadFile(dir.Sub("new.ini")),
            "[Settings]\ntitleWidth0=200\ntitleWidth1=50\ntitleWidth2=50\ntitleWidth3=50\n"
            "titleWidth4=50\ntitleWidth5=50\ntitleWidth6=50\n");
}

}  // namespace
}  // namespace tarnwick
