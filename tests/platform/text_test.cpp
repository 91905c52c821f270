#include "platform/text.h"

#include <gtest/gtest.h>

#include "platform/format.h"

namespace tarnwick {
namespace {

TEST(Utf8, ValidAndInvalidSequences) {
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(
      IsValidUtf8("K\xC3\xA4"
                  "fer"));                       // Käfer
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x8E\xB5"));  // a four-byte note
  EXPECT_FALSE(
      IsValidUtf8("K\xE4"
                  "fer"));                        // Windows-1252 ä
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong '/'
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // a surrogate
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // cut short
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
}

TEST(Utf8, Windows1252IsConvertedOnlyWhenNotUtf8) {
  EXPECT_EQ(Cp1252ToUtf8("K\xE4"
                         "fer \x80 \x9F"),
            "K\xC3\xA4"
            "fer \xE2\x82\xAC \xC5\xB8");
  EXPECT_EQ(ToUtf8("K\xE4"
                   "fer"),
            "K\xC3\xA4"
            "fer");
  EXPECT_EQ(ToUtf8("K\xC3\xA4"
                   "fer"),
            "K\xC3\xA4"
            "fer");
  // Unassigned codes keep their C1 value instead of vanishing.
  EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");
}

TEST(Text, LowersOnlyAsciiLetters) {
  EXPECT_EQ(LowerAscii("\xC3\x84RGER - \xC3\x9C"
                       "ber.MP3"),
            "\xC3\x84rger - \xC3\x9C"
            "ber.mp3");
}

TEST(Text, PathParts) {
  EXPECT_EQ(FileNameOf("/music/a/Song.mp3"), "Song.mp3");
  EXPECT_EQ(FolderOf("/music/a/Song.mp3"), "/music/a/");
  EXPECT_EQ(FileNameOf("Song.mp3"), "Song.mp3");
  EXPECT_EQ(FolderOf("Song.mp3"), "");
  EXPECT_EQ(WithTrailingSlash("/music"), "/music/");
  EXPECT_EQ(WithTrailingSlash("/"), "/");
  EXPECT_EQ(WithTrailingSlash(""), "");
}

TEST(FormatText, FillsTheFirstPlaceholderOnly) {
  EXPECT_EQ(FormatText("error: %s.mp3 already exists", "Song"), "error: Song.mp3 already exists");
  EXPECT_EQ(FormatText("closes in %d seconds", 5LL), "closes in 5 seconds");
  EXPECT_EQ(FormatText("%s and %s", "a"), "a and %s");
  EXPECT_EQ(FormatText("100%% of %s", "x"), "100% of x");
}

TEST(FormatText, HostilePatternsShowAsText) {
  EXPECT_EQ(FormatText("%n%x%p %s", "a"), "%n%x%p a");
  EXPECT_EQ(FormatText("trailing %", "a"), "trailing %");
  EXPECT_EQ(FormatText("%d%s%n", "9"), "9%s%n");
  EXPECT_EQ(FormatText("", "a"), "");
  // The argument itself is never read as a pattern.
  EXPECT_EQ(FormatText("<%s>", "%s%n"), "<%s%n>");
}

}  // namespace
}  // namespace tarnwick
