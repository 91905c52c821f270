#include "settings/language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/format.h"
#include "platform/ini_file.h"
#include "support/message_log.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

constexpr const char* kNotFound = "Language not found, go to \"Options\"";

// Each test gets its own program folder (TARNWICK_HOME) and records the
// messages the program shows.
class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override { UseHome(home_.path()); }
  void TearDown() override { unsetenv("TARNWICK_HOME"); }

  void Load(LANGUAGE& language, const std::string& file) {
    LoadLanguage(language, file, messages_.sink());
  }

  static void UseHome(const std::string& folder) { setenv("TARNWICK_HOME", folder.c_str(), 1); }

  void WriteLanguage(const std::string& name, const std::string& content) {
    home_.WriteFile("language/" + name, content);
  }

  // A record as it is at start-up: the built-in messages and the priority
  // texts of an earlier load.
  static LANGUAGE StartRecord() {
    LANGUAGE language;
    SetDefaultMessages(language);
    language.OPTIONS.TAB2.PriorityTexts = {"old"};
    return language;
  }

  test::TempDir home_;
  test::MessageLog messages_;
};

// A missing file (or a folder of its name) replaces every text, the built-in
// messages too, by a placeholder; a file with some keys only the others.
TEST_F(LanguageTest, MissingFileOrKeysGetPlaceholders) {
  home_.MakeDir("language/folder.ini");
  for (const char* file : {"english.ini", "folder.ini"}) {
    LANGUAGE language = StartRecord();
    Load(language, file);
    EXPECT_EQ(language.GENERAL.language, "LangError");
    EXPECT_EQ(language.MAIN.ButtonOptions, "LangError (Options)");
    EXPECT_EQ(language.MESSAGES.MsgNotConfigured, "LangError");
    EXPECT_TRUE(language.OPTIONS.TAB2.PriorityTexts.empty());
  }
  EXPECT_EQ(messages_.texts, std::vector<std::string>(2, kNotFound));
  WriteLanguage("mini.ini",
                "[General]\nlanguage=Mini\n"
                "[Main]\nButtonExit=Quit\nTitleVBR=Variable\n"
                "[Options_Tab1]\nTitleVBR=Prefer variable\n");
  LANGUAGE language = StartRecord();
  Load(language, "mini.ini");
  EXPECT_EQ(messages_.texts.size(), 2u);
  EXPECT_EQ(language.MAIN.ButtonExit, "Quit");
  EXPECT_EQ(language.MAIN.TitleVBR, "Variable");
  EXPECT_EQ(language.OPTIONS.TAB1.TitleVBR, "Prefer variable");
  EXPECT_EQ(language.MAIN.ButtonSearchDouble, "LangError");
  EXPECT_EQ(language.GENERAL.ButtonOk, "LangError (OK)");
  EXPECT_EQ(language.GENERAL.ButtonCancel, "LangError (Cancel)");
  EXPECT_TRUE(language.OPTIONS.TAB2.PriorityTexts.empty());
}

// Section and key names match whatever their case; Windows-1252 texts are
// read as UTF-8; Main's ButtonCancel feeds both cancel texts; the priority
// texts are the values of their section in file order.
TEST_F(LanguageTest, KeysAreFoundWhateverTheirCaseAndEncoding) {
  WriteLanguage("lower.ini",
                "[general]\nlanguage=Lower\n"
                "[main]\nButtonCancel=Stop\nTitleLength=L\xE4nge\n[OPTIONS_TAB2]\nBUTTONADD=Add\n"
                "[messages]\nmsgfileexists=%s twice\n"
                "[Options_Tab2_Priority]\nzeta=- l\xE4nger\nalpha=second\nempty=\n");
  LANGUAGE language = StartRecord();
  Load(language, "lower.ini");
  EXPECT_EQ(language.GENERAL.language, "Lower");
  EXPECT_EQ(language.OPTIONS.TAB2.ButtonAdd, "Add");
  EXPECT_EQ(language.MESSAGES.MsgFileExists, "%s twice");
  EXPECT_EQ(language.MAIN.TitleLength, "Länge");
  EXPECT_EQ(language.GENERAL.ButtonCancel, "Stop");
  EXPECT_EQ(language.MAIN.ButtonCancel, "Stop");
  EXPECT_EQ(language.OPTIONS.TAB2.PriorityTexts,
            (std::vector<std::string>{"- länger", "second", ""}));
}

TEST_F(LanguageTest, ListOffersFilesWithADisplayNameInListingOrder) {
  EXPECT_EQ(FillLanguageList("english.ini").selected, -1) << "no folder";
  WriteLanguage("english.ini", "[General]\nlanguage=English\n");
  WriteLanguage("Deutsch.INI", "[general]\nLANGUAGE=Deutsch\n");
  WriteLanguage("nameless.ini", "[General]\nauthor=someone\n[Main]\nButtonExit=Quit\n");
  WriteLanguage("empty.ini", "[General]\nlanguage=\n");
  WriteLanguage("readme.txt", "[General]\nlanguage=Text\n");
  home_.MakeDir("language/folder.ini");
  const LanguageList list = FillLanguageList("english.ini");
  EXPECT_EQ(list.displayNames, (std::vector<std::string>{"Deutsch", "English"}));
  EXPECT_EQ(list.languageFiles, (std::vector<std::string>{"Deutsch.INI", "english.ini"}));
  EXPECT_EQ(list.selected, 1);
  EXPECT_EQ(FillLanguageList("Deutsch.INI").selected, 0);
  EXPECT_EQ(FillLanguageList("English.ini").selected, -1) << "only the exact name";
  EXPECT_EQ(FillLanguageList("nameless.ini").selected, -1);
  // A nameless file is not listed, but loads.
  LANGUAGE language;
  Load(language, "nameless.ini");
  EXPECT_TRUE(messages_.texts.empty());
  EXPECT_EQ(language.MAIN.ButtonExit, "Quit");
}

// The files the project ships, read from the source tree.
class ShippedLanguageTest : public LanguageTest {
 protected:
  void SetUp() override {
    LanguageTest::SetUp();
    UseHome(TARNWICK_SOURCE_DIR);
  }

  LANGUAGE Load(const std::string& file_name) {
    LANGUAGE language;
    LanguageTest::Load(language, file_name);
    return language;
  }
};

// Every key is in the file itself: most keys have a readable fallback, so a
// missing one would not show as a placeholder.
TEST_F(ShippedLanguageTest, EveryFileHasEveryKey) {
  constexpr const char* kAbsent = "<absent>";
  for (const char* file_name : {"english.ini", "deutsch.ini"}) {
    const IniFile file(LanguageFolder() + file_name);
    for (const LanguageKey& key : LanguageKeys()) {
      EXPECT_NE(file.ReadString(key.section, key.key, kAbsent), kAbsent)
          << file_name << ": [" << key.section << "] " << key.key;
    }
    EXPECT_EQ(Load(file_name).OPTIONS.TAB2.PriorityTexts.size(), 5u) << file_name;
  }
  EXPECT_EQ(Load("deutsch.ini").OPTIONS.TAB2.PriorityTexts[1],
            "- höhere Bitrate (bessere Qualität)");
  EXPECT_TRUE(messages_.texts.empty());
}

TEST_F(ShippedLanguageTest, FormatTextsKeepTheirPlaceholder) {
  for (const char* file_name : {"english.ini", "deutsch.ini"}) {
    const LANGUAGE language = Load(file_name);
    const MESSAGES& m = language.MESSAGES;
    const RESULTS& r = language.RESULTS;
    for (const std::string* text :
         {&m.MsgFileExists, &m.MsgFolderMP3DoesNotExist, &m.MsgFolderMovedDoesNotExist,
          &m.MsgFolderUnknownDoesNotExist, &r.TitleMovedTo, &r.TitleRenamedFrom, &r.TitleHeld,
          &r.TitleFailed, &r.TitleSumStopped, &r.MsgFolderNotSearched, &m.MsgFolderListed}) {
      EXPECT_NE(FormatText(*text, "@@"), *text) << file_name << ": " << *text;
    }
    for (const std::string* text :
         {&language.MAIN.TitleCloseInX, &language.MAIN.TitleCloseIn1, &r.TitleSumPairs,
          &r.TitleSumPairs1, &r.TitleSumMoved, &r.TitleSumTrashed, &r.TitleSumDeleted,
          &r.TitleSumHeld, &r.TitleSumFailed, &r.TitleSumRenamed, &r.TitleSumUnknown,
          &r.TitleSumUnknown1, &r.TitleSumDamaged, &r.TitleSumDamaged1}) {
      EXPECT_NE(FormatText(*text, 57).find("57"), std::string::npos) << file_name << ": " << *text;
    }
  }
}

}  // namespace
}  // namespace tarnwick
