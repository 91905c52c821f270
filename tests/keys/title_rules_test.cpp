#include "search/title_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

struct Case {
  const char* name;
  const char* key;
};

void ExpectKeys(const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(TitleKey(c.name), c.key) << "name: " << c.name;
}

TEST(TitleKey, SpellingsOfOneSongShareTheirKey) {
  ExpectKeys({
      {"The Night Owls - Blue River.mp3", "nigtowlsbluriver"},
      {"Night Owls feat. Somebody - Blue River_1.mp3", "nigtowlsbluriver"},
      {"Die Käfer - Schöne Liebe.mp3", "dykaferskhonelibe"},
      {"Die Kaefer - Schoene Liebe.MP3", "dykaferskhonelibe"},
      {"Café Olé - Track 2.mp3", "kafeoletrakk"},
  });
}

TEST(TitleKey, CreditsAreRemovedOnlyUpToTheNextDash) {
  ExpectKeys({
      // No "-" after the credit: it stays in the key.
      {"Night Owls - Blue River feat. Somebody.mp3", "nigtowlsbluriverfeatsomebody"},
      // Lazy: only up to the first "-", never to the last one.
      {"Night Owls feat. Al - Live - Blue River.mp3", "nigtowlslivebluriver"},
      {"Owls ft Al - Live - Song.mp3", "owlslivesong"},
      {"Zappa ft. Al - Pizza.mp3", "zappapizza"},
      {"Owls vsx Al - Live - Song.mp3", "owlslivesong"},
      {"Owls with Al - Live - Song.mp3", "owlslivesong"},
      {"Owls presents Al - Live - Song.mp3", "owlslivesong"},
      {"Owls& Al - Live - Song.mp3", "owlslivesong"},
      {"Anderson - Live - Song.mp3", "livesong"},
  });
}

TEST(TitleKey, CreditWordsCountOnlyAtAWordStart) {
  ExpectKeys({
      // The "&" must follow a word character directly.
      {"Night Owls & Friends - Blue River.mp3", "nigtowlsfrindsbluriver"},
      {"Night Owls& Friends - Blue River.mp3", "nigtowlsbluriver"},
      {"Sand - Song.mp3", "sandsong"},
      {"Craft - Song.mp3", "kraftsong"},
      {"Within - Song.mp3", "witinsong"},
      {"Owls vsxy Al - Song.mp3", "owlsvsxyalsong"},
  });
}

TEST(TitleKey, RulesRunInTheirOrder) {
  ExpectKeys({
      // "c" becomes "k" first, so "ch" is never taken for "th"/"ht".
      {"Bach.mp3", "bakh"},
      // "the" is removed as a word before "th" shrinks to "t".
      {"The Thing.mp3", "ting"},
      {"Theater.mp3", "teater"},  // "the" only as a word of its own
      // "ie" inside a word becomes "i", at the end of a word "y".
      {"Liebe.mp3", "libe"},
      {"Sie.mp3", "sy"},
      // The umlaut rules have run when rule 25 removes unmapped letters, so
      // an "ae" that only appears then stays.
      {"Straße.mp3", "strae"},
      {"Señor Garçon Noël.mp3", "seorgaronnol"},
      // The numbering suffix goes with the extension, before the digits rule.
      {"Track_2.mp3", "trakk"},
      {"Track 2_.mp3", "trakk"},
  });
}

TEST(TitleKey, WordBoundariesSeeOnlyAsciiWordCharacters) {
  ExpectKeys({
      // "ß" is no word character, so the "ie" before it ends a word.
      {"Spieß.mp3", "spy"},
      // "&" after "ß" does not follow a word character.
      {"Maß& Klar - Song.mp3", "maklarsong"},
      // "é" is mapped before the credit rules, so "éfeat" is one word.
      {"Éfeat. Al - Song.mp3", "efeatalsong"},
      {"Ñfeat. Al - Song.mp3", "song"},
  });
}

TEST(TitleKey, NamesWithoutLettersHaveAnEmptyKey) {
  ExpectKeys({{"01.mp3", ""}, {"_1.mp3", ""}, {"2001 - 09 - 11_3.mp3", ""}, {"", ""}});
}

TEST(TitleKey, UpperCaseLettersOutsideAToZAreMappedByTheirOwnRules) {
  EXPECT_EQ(LoweredName("ÄÖÜ ÉÇÑ AZ.MP3"), "ÄÖÜ ÉÇÑ az.mp3");
  ExpectKeys({
      {"ÉCOLE - ÇA VA.mp3", "ekoleava"},
      {"ÖL ÜBER ÄPFEL.mp3", "oluberapfel"},
      {"ÁÀÂ ÉÈÊ ÍÌÎ ÓÒÔ ÚÙÛ Ý.mp3", "aaaeeeiiiooouuuy"},
  });
}

TEST(TitleKey, Windows1252NamesGetTheKeyOfTheirUtf8Spelling) {
  EXPECT_EQ(LoweredName("M\xE4rchen.MP3"), "märchen.mp3");
  EXPECT_EQ(TitleKey("Die M\xE4rchen - Sch\xF6ne Liebe.mp3"),
            TitleKey("Die Märchen - Schöne Liebe.mp3"));
  EXPECT_EQ(TitleKey("\xC4RGER - \xD6l.mp3"), "argerol");
  std::string key = "m\xE4rchen.mp3";
  ApplyTitleRules(key);
  EXPECT_EQ(key, "markhen");
}

TEST(TitleKey, LineBreaksInNamesAreOrdinaryCharacters) {
  // "$" is the very end, not the place before a final line break.
  EXPECT_EQ(TitleKey("Song.mp3\n"), "songmp");
  // "." matches a line break, so a credit may span one.
  EXPECT_EQ(TitleKey("Owls feat. Al\nBo - Song.mp3"), "owlssong");
}

TEST(NormaliseKeys, KeysEveryEntryAndLeavesEmptyEntriesEmpty) {
  std::vector<std::string> keys = {"", LoweredName("The Night Owls - Blue River.mp3"), "",
                                   LoweredName("Liebe_1.mp3")};
  NormaliseKeys(keys);
  EXPECT_EQ(keys, (std::vector<std::string>{"", "nigtowlsbluriver", "", "libe"}));
}

// The extension and a single suffix digit go; the bytes before stay as they
// are, in any encoding.
TEST(StripNumberingSuffix, RemovesTheExtensionAndOneSuffixDigit) {
  const std::pair<const char*, const char*> stripped[] = {
      {"Song_1.mp3", "Song"},     {"Song_9.mp3", "Song"},   {"Song.mp3", "Song"},
      {"Song_12.mp3", "Song_12"}, {"Song_x.mp3", "Song_x"}, {"M\xE4rchen_2.mp3", "M\xE4rchen"},
  };
  for (const auto& [name, expected] : stripped) {
    std::string base;
    ASSERT_TRUE(StripNumberingSuffix(name, base)) << name;
    EXPECT_EQ(base, expected);
  }
  std::string base = "unchanged";
  for (const char* other : {"Song.MP3", "Song_1.Mp3", "Song.mp3.txt", "Song.mp3\n", "Song_1mp3"}) {
    EXPECT_FALSE(StripNumberingSuffix(other, base)) << other;
  }
  EXPECT_EQ(base, "unchanged");
}

}  // namespace
}  // namespace tarnwick
