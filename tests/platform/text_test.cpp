#include "platform/text.h"

#include <gtest/gtest.h>

#include "platform/format.h"

namespace tarnwick {
namespace {

TEST(Utf8, ValidAndInvalidSequences) {
  for (const char* valid : {"plain", "K\xC3\xA4se", "\xF0\x9F\x8E\xB5"}) {
    EXPECT_TRUE(IsValidUtf8(valid)) << valid;
  }
  for (const char* invalid : {"K\xE4se",              // Windows-1252 ä
                              "\xC0\xAF",             // overlong '/'
                              "\xED\xA0\x80",         // a surrogate
                              "\xE2\x82",             // cut short
                              "\xF4\x90\x80\x80"}) {  // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8(invalid)) << invalid;
  }
}

TEST(Utf8, Windows1252IsConvertedOnlyWhenNotUtf8) {
  EXPECT_EQ(Cp1252ToUtf8("K\xE4se \x80 \x9F"), "K\xC3\xA4se \xE2\x82\xAC \xC5\xB8");
  EXPECT_EQ(ToUtf8("K\xE4se"), "K\xC3\xA4se");
  EXPECT_EQ(ToUtf8("K\xC3\xA4se"), "K\xC3\xA4se");
  // Unassigned codes keep their C1 value instead of vanishing.
  EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");
  EXPECT_EQ(LowerAscii("ÄRGER - ÜBER.MP3"), "Ärger - Über.mp3");
}

TEST(Text, PathParts) {
  EXPECT_EQ(FolderOf("/music/a/Song.mp3"), "/music/a/");
  EXPECT_EQ(FileNameOf("Song.mp3"), "Song.mp3");
  EXPECT_EQ(FolderOf("Song.mp3"), "");
  EXPECT_EQ(WithTrailingSlash("/"), "/");
  EXPECT_EQ(WithTrailingSlash(""), "");
}

// The first %s or %d takes the argument; everything else, the argument
// included, shows as text.
TEST(FormatText, FillsTheFirstPlaceholderOnly) {
  EXPECT_EQ(FormatText("error: %s.mp3 already exists", "Song"), "error: Song.mp3 already exists");
  EXPECT_EQ(FormatText("closes in %d seconds", 5LL), "closes in 5 seconds");
  EXPECT_EQ(FormatText("100%% of %s", "x"), "100% of x");
  EXPECT_EQ(FormatText("%n%x%p %s", "a"), "%n%x%p a");
  EXPECT_EQ(FormatText("trailing %", "a"), "trailing %");
  EXPECT_EQ(FormatText("%d%s%n", "9"), "9%s%n");
  EXPECT_EQ(FormatText("%999999999s", "a"), "%999999999s");
}

}  // namespace
}  // namespace tarnwick
