// Settings and language files that are damaged, enormous or not text at all
// give defaults or odd texts, never a crash or a hang.

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "settings/settings.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

std::string RandomBytes(size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

class JunkFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TARNWICK_HOME", dir.path().c_str(), 1);
    SetDefaultMessages(language);
  }
  void TearDown() override { unsetenv("TARNWICK_HOME"); }
  MessageSink Record() {
    return [this](const std::string& m) { messages.push_back(m); };
  }

  SETTINGS LoadFrom(const std::string& content) {
    const std::string path = dir.WriteFile("tarnwick.ini", content);
    SETTINGS s;
    LoadSettings(s, DesignColumns(), language.MESSAGES, path, Record());
    return s;
  }

  test::TempDir dir;
  LANGUAGE language;
  std::vector<std::string> messages;
};

TEST_F(JunkFilesTest, BinarySettingsGiveDefaults) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    const SETTINGS s = LoadFrom(RandomBytes(64 * 1024, seed));
    EXPECT_EQ(s.lang, "english.ini");
    EXPECT_EQ(s.titleWidth, std::vector<int>(7, 50));
  }
}

TEST_F(JunkFilesTest, EnormousSettingsWithAMegabyteLine) {
  std::string content = "[Settings]\nmp3folder=" + std::string(1 << 20, 'x') + "\n";
  for (int i = 0; i < 200000; ++i) content += "junk line " + std::to_string(i) + "\n";
  content += "[Settings]\nlang=deutsch.ini\ndouble=2\n";
  const SETTINGS s = LoadFrom(content);
  EXPECT_EQ(s.mp3folder.size(), 2048u);  // cut like any long value, then the final '/'
  EXPECT_EQ(s.doubleMode, kDoubleDelete);
  EXPECT_EQ(s.lang, "deutsch.ini");
  // Writing one key keeps the rest of the enormous file.
  SETTINGS changed = s;
  changed.doubleMode = kDoubleShow;
  ASSERT_TRUE(SaveSettings(changed, dir.path() + "tarnwick.ini", Record()));
  const std::string written = test::ReadFile(dir.path() + "tarnwick.ini");
  EXPECT_NE(written.find("\njunk line 0\n"), std::string::npos);
  EXPECT_NE(written.find("\njunk line 199999\n"), std::string::npos);
  EXPECT_NE(written.find("\ndouble=0\n"), std::string::npos);
}

TEST_F(JunkFilesTest, BinaryLanguageFileGivesPlaceholders) {
  dir.WriteFile("language/junk.ini", RandomBytes(256 * 1024, 7));
  LoadLanguage(language, "junk.ini", Record());
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(language.MAIN.ButtonExit, "LangError");
  EXPECT_EQ(language.GENERAL.ButtonOk, "LangError (OK)");
  EXPECT_TRUE(FillLanguageList("junk.ini").languageFiles.empty());
}

}  // namespace
}  // namespace tarnwick
