#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace tarnwick {
namespace {

const std::error_code kNoError;

using test::ReadFile;
using test::TempDir;

// A missing file or a folder reads as empty; names ignore case and the
// first of two equal keys wins.
TEST(IniRead, NamesIgnoreCaseAndFirstKeyWins) {
  TempDir dir;
  for (const std::string& path : {dir.Sub("none.ini"), dir.MakeDir("folder.ini")}) {
    EXPECT_EQ(IniFile(path).ReadString("Settings", "lang", "english.ini"), "english.ini");
    EXPECT_TRUE(IniFile(path).ReadSectionKeys("Folders").empty());
  }
  const IniFile ini(
      dir.WriteFile("a.ini", "[settings]\n  MP3Folder  =  /music/  \nmp3folder=/second/\n"));
  EXPECT_EQ(ini.ReadString("SETTINGS", "mp3folder", ""), "/music/");
}

TEST(IniRead, QuotesCrlfLongValuesAndWindows1252) {
  TempDir dir;
  const std::string long_value(3000, 'x');
  std::string wide;  // 3000 two-byte characters, cut after 2047 of them
  for (int i = 0; i < 3000; ++i) wide += "\xC3\xA4";
  const IniFile ini(dir.WriteFile(
      "a.ini", "[S]\r\nquoted=\" spaced \"\r\nhalf=\"open\r\nlong=" + long_value +
                   "\r\nname=K\xE4se\nutf=K\xC3\xA4se\nlone=\"\n" + "wide=" + wide + "\n"));
  EXPECT_EQ(ini.ReadString("S", "quoted", ""), " spaced ");
  EXPECT_EQ(ini.ReadString("S", "half", ""), "\"open");
  EXPECT_EQ(ini.ReadString("S", "long", "").size(), IniFile::kMaxValueChars);
  EXPECT_EQ(ini.ReadString("S", "name", ""), "K\xC3\xA4se");
  EXPECT_EQ(ini.ReadString("S", "utf", ""), "K\xC3\xA4se");
  EXPECT_EQ(ini.ReadString("S", "lone", ""), "\"");
  EXPECT_EQ(ini.ReadString("S", "wide", ""), wide.substr(0, 2 * IniFile::kMaxValueChars));
}

TEST(IniRead, IntegersAndBooleans) {
  TempDir dir;
  const IniFile ini(dir.WriteFile("a.ini",
                                  "[S]\ndec=-12\nhex=0x1F\nHEX=0X10\nzx=0x\nword=yes\ntwo=2\nzero="
                                  "0\nbig=99999999999999999999\none=0x1\nplus=+7\nneg=-1\n"));
  // Unreadable values give the default, -5.
  const std::pair<const char*, int> integers[] = {
      {"dec", -12}, {"hex", 31}, {"zx", -5}, {"word", -5}, {"big", -5}, {"one", 1}, {"plus", 7}};
  for (const auto& [key, value] : integers) EXPECT_EQ(ini.ReadInteger("S", key, -5), value) << key;
  for (const auto& [key, value] : {std::pair{"neg", true}, {"two", true}, {"hex", true}}) {
    EXPECT_EQ(ini.ReadBool("S", key, !value), value) << key;
  }
  EXPECT_FALSE(ini.ReadBool("S", "zero", true));
  EXPECT_TRUE(ini.ReadBool("S", "word", true));
  EXPECT_FALSE(ini.ReadBool("S", "word", false));
}

TEST(IniRead, SectionKeysInFileOrderWithoutCommentsOrJunk) {
  TempDir dir;
  const IniFile ini(dir.WriteFile("a.ini",
                                  "orphan=1\n[Folders]\nb=/x\n; c=/commented\n# d=/x\njunk line\n"
                                  "=/nameless\na=/y/\n\n[Next]\nz=1\n"));
  EXPECT_EQ(ini.ReadSectionKeys("folders"), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(ini.ReadString("Folders", "# d", "none"), "none");
}

// The list of key names holds at most 16384 bytes, each name and the list
// with its terminating zero byte: 16 names of 1023 bytes are one too many,
// 15 of them and one of 1022 just fit.
TEST(IniRead, SectionKeysFitTheirSizeLimit) {
  TempDir dir;
  std::string text = "[Over]\n";
  for (char c = 'a'; c < 'a' + 16; ++c) text += std::string(1023, c) + "=1\n";
  text += "[Fit]\n";
  for (char c = 'a'; c < 'a' + 15; ++c) text += std::string(1023, c) + "=1\n";
  text += std::string(1022, 'z') + "=1\n";
  const IniFile ini(dir.WriteFile("a.ini", text));
  EXPECT_EQ(ini.ReadSectionKeys("Over").size(), 15u);
  EXPECT_EQ(ini.ReadSectionKeys("Fit").size(), 16u);
}

// An existing key changes in place; a new key ends its section, a new
// section the file; everything else stays as it was.
TEST(IniWrite, ChangesOneLineAndKeepsEverythingElse) {
  TempDir dir;
  const std::string path = dir.WriteFile(
      "a.ini", "; my settings\n[Settings]\nlang=deutsch.ini\nunknown=keep me\n\n[Extra]\nx=1\n");
  IniFile ini(path);
  ASSERT_EQ(ini.WriteString("settings", "LANG", "english.ini"), kNoError);
  ASSERT_EQ(ini.WriteString("Settings", "double", "1"), kNoError);
  ASSERT_EQ(ini.WriteString("Folders", "0", "/music/"), kNoError);
  EXPECT_EQ(
      ReadFile(path),
      "; my settings\n[Settings]\nLANG=english.ini\nunknown=keep me\ndouble=1\n\n[Extra]\nx=1\n"
      "[Folders]\n0=/music/\n");
  EXPECT_EQ(IniFile(path).ReadString("folders", "0", ""), "/music/");
}

// A new file gets the mode the umask leaves.
TEST(IniWrite, NewFileGetsTheModeOfTheUmask) {
  TempDir dir;
  const mode_t mask = umask(027);
  ASSERT_EQ(IniFile(dir.Sub("masked.ini")).WriteString("S", "a", "1"), kNoError);
  umask(mask);
  struct stat st {};
  stat(dir.Sub("masked.ini").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// An editor's byte order mark is skipped when reading and kept when writing.
TEST(IniWrite, KeepsByteOrderMarkCrlfAndDeletesKeys) {
  TempDir dir;
  const std::string path = dir.WriteFile("a.ini", "\xEF\xBB\xBF[S]\r\na=1\r\ndelete=1\r\nb=2");
  IniFile ini(path);
  ASSERT_EQ(ini.DeleteKey("S", "DELETE"), kNoError);
  ASSERT_EQ(ini.WriteString("S", "c", "3"), kNoError);
  EXPECT_EQ(ReadFile(path), "\xEF\xBB\xBF[S]\r\na=1\r\nb=2\r\nc=3\r\n");
  EXPECT_EQ(ini.DeleteKey("S", "missing"), kNoError);
}

// A write sees what others wrote since the file was read, keeps the file's
// mode, and refuses line breaks that would inject lines.
TEST(IniWrite, SeesChangesOfOthersAndRefusesLineBreaks) {
  TempDir dir;
  const std::string path = dir.WriteFile("a.ini", "[S]\na=1\n");
  IniFile ini(path);
  test::WriteFileAt(path, "[S]\na=1\nother=2\n");
  chmod(path.c_str(), 0604);
  ASSERT_EQ(ini.WriteString("S", "a", "9"), kNoError);
  EXPECT_EQ(ini.WriteString("S", "mp3folder", "/music\n[Evil]\nx=1"), std::errc::invalid_argument);
  EXPECT_EQ(ini.WriteString("S", "a\rb", "1"), std::errc::invalid_argument);
  EXPECT_EQ(ReadFile(path), "[S]\na=9\nother=2\n");
  struct stat st {};
  stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0604u);
}

// A rename would replace a read-only file: the write must refuse it itself.
TEST(IniWrite, ReadOnlyFileRefusesAndStaysWhole) {
  TempDir dir;
  const std::string file = dir.WriteFile("ro.ini", "[S]\na=1\n");
  test::GiveToUnprivileged(dir.path());
  chmod(file.c_str(), 0444);
  EXPECT_TRUE(test::RunUnprivileged(
      [&] { return IniFile(file).WriteString("S", "a", "2") == std::errc::permission_denied; }));
  EXPECT_EQ(ReadFile(file), "[S]\na=1\n");
}

}  // namespace
}  // namespace tarnwick
