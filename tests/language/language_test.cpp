#include "settings/language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

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

// A missing file replaces every text, the built-in messages too, by a
// placeholder; a file with some keys only the others.
TEST_F(LanguageTest, MissingFileOrKeysGetPlaceholders) {
  LANGUAGE language = StartRecord();
  Load(language, "english.ini");
  EXPECT_EQ(language.MESSAGES.MsgNotConfigured, "LangError");
  EXPECT_EQ(language.MAIN.ButtonOptions, "LangError (Options)");
  EXPECT_TRUE(language.OPTIONS.TAB2.PriorityTexts.empty());
  EXPECT_EQ(messages_.texts, std::vector<std::string>{kNotFound});
  WriteLanguage("mini.ini",
                "[Main]\nTitleVBR=Variable\n[Options_Tab1]\nTitleVBR=Prefer variable\n");
  language = StartRecord();
  Load(language, "mini.ini");
  EXPECT_EQ(messages_.texts.size(), 1u);
  EXPECT_EQ(language.MAIN.TitleVBR, "Variable");
  EXPECT_EQ(language.OPTIONS.TAB1.TitleVBR, "Prefer variable");
  EXPECT_EQ(language.GENERAL.ButtonCancel, "LangError (Cancel)");
  EXPECT_TRUE(language.OPTIONS.TAB2.PriorityTexts.empty());
}

// Section and key names match whatever their case; Windows-1252 texts are
// read as UTF-8; Main's ButtonCancel feeds both cancel texts; the priority
// texts are the values of their section in file order.
TEST_F(LanguageTest, KeysAreFoundWhateverTheirCaseAndEncoding) {
  WriteLanguage("lower.ini",
                "[main]\nButtonCancel=Stop\nTitleLength=L\xE4nge\n[OPTIONS_TAB2]\nBUTTONADD=Add\n"
                "[Options_Tab2_Priority]\nzeta=- l\xE4nger\nalpha=second\nempty=\n");
  LANGUAGE language = StartRecord();
  Load(language, "lower.ini");
  EXPECT_EQ(language.OPTIONS.TAB2.ButtonAdd, "Add");
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
  WriteLanguage("nameless.ini", "[General]\nauthor=someone\n");
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
}

// The placeholders of a text in their order, e.g. "sd" for "%s of %d".
std::string Placeholders(const std::string& text) {
  std::string found;
  for (size_t at = text.find('%'); at < text.size() - 1; at = text.find('%', at + 2)) {
    found += text[at + 1];
  }
  return found;
}

// The files the project ships, read from the source tree. Every key is in
// each file itself (most keys have a readable fallback, so a missing one
// would not show as a placeholder), and a translation keeps the placeholders
// of the English text.
TEST_F(LanguageTest, ShippedFilesHaveEveryKeyWithItsPlaceholders) {
  UseHome(TARNWICK_SOURCE_DIR);
  constexpr const char* kAbsent = "<absent>";
  const IniFile english(LanguageFolder() + "english.ini");
  const IniFile german(LanguageFolder() + "deutsch.ini");
  for (const LanguageKey& key : LanguageKeys()) {
    const std::string text = english.ReadString(key.section, key.key, kAbsent);
    const std::string translated = german.ReadString(key.section, key.key, kAbsent);
    EXPECT_TRUE(text != kAbsent && translated != kAbsent) << "[" << key.section << "] " << key.key;
    EXPECT_EQ(Placeholders(translated), Placeholders(text)) << key.key;
  }
  for (const char* file_name : {"english.ini", "deutsch.ini"}) {
    LANGUAGE language;
    Load(language, file_name);
    EXPECT_EQ(language.OPTIONS.TAB2.PriorityTexts.size(), 5u) << file_name;
  }
  EXPECT_TRUE(messages_.texts.empty());
}

}  // namespace
}  // namespace tarnwick
