// NormaliseKeys against the plainest application of the title rules.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "keys/name_mix.h"
#include "search/title_rules.h"
#include "support/plain_title_rules.h"

namespace tarnwick {
namespace {

// Names glued together from the pieces the rules look for, in every order,
// including the places where two rules meet.
std::vector<std::string> PieceSoup(size_t count) {
  static const std::vector<std::string> kPieces = {
      "a",    "e",    "i",       "o",  "u",   "y",  "c",    "t",  "h",           "s",  "v",
      "f",    "-",    " ",       "&",  ".",   "_",  "1",    "ie", "ey",          "ae", "oe",
      "ue",   "ä",    "ö",       "ü",  "Ä",   "Ö",  "Ü",    "á",  "à",           "â",  "Á",
      "À",    "Â",    "é",       "è",  "ê",   "É",  "È",    "Ê",  "í",           "ì",  "î",
      "Í",    "Ì",    "Î",       "ó",  "ò",   "ô",  "Ó",    "Ò",  "Ô",           "ú",  "ù",
      "û",    "Ú",    "Ù",       "Û",  "ý",   "Ý",  "ß",    "ñ",  "th",          "ht", "the",
      "feat", "with", "present", "vs", "and", "ft", ".mp3", "\n", "\xE2\x82\xAC"};
  std::mt19937 random(7);
  std::uniform_int_distribution<size_t> piece(0, kPieces.size() - 1);
  std::uniform_int_distribution<int> length(0, 14);
  std::vector<std::string> names;
  for (size_t i = 0; i < count; ++i) {
    std::string name;
    for (int n = length(random); n > 0; --n) name += kPieces[piece(random)];
    names.push_back(std::move(name));
  }
  return names;
}

void ExpectSameKeys(const std::vector<std::string>& names) {
  const test::PlainTitleRules plain;
  std::vector<std::string> keys = names;
  NormaliseKeys(keys);
  for (size_t i = 0; i < names.size(); ++i) {
    ASSERT_EQ(keys[i], plain.Key(names[i]).value_or("rule failed")) << "name: " << names[i];
  }
}

TEST(RuleIdentity, RealisticNamesGetThePlainKeys) {
  std::vector<std::string> names = test::MakeNameMix(20000, 3);
  for (std::string& name : names) name = LoweredName(name);
  ExpectSameKeys(names);
}

TEST(RuleIdentity, RuleFragmentsInAnyOrderGetThePlainKeys) { ExpectSameKeys(PieceSoup(50000)); }

}  // namespace
}  // namespace tarnwick
