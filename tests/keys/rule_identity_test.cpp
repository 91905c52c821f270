// NormaliseKeys takes short cuts (reused match data, the JIT, skipping rules
// that cannot match). Here its keys are compared with the plainest possible
// application of the rules: the interpreter, every rule substituted on every
// name, one after the other.

#define PCRE2_CODE_UNIT_WIDTH 8
#include <gtest/gtest.h>
#include <pcre2.h>

#include <random>
#include <string>
#include <vector>

#include "keys/name_mix.h"
#include "search/title_rules.h"

namespace tarnwick {
namespace {

class PlainRules {
 public:
  PlainRules() {
    for (const TitleRule& rule : titleRules) {
      int error = 0;
      PCRE2_SIZE offset = 0;
      codes_.push_back(
          pcre2_compile(reinterpret_cast<PCRE2_SPTR>(rule.pattern.data()), rule.pattern.size(),
                        PCRE2_UTF | PCRE2_DOTALL | PCRE2_DOLLAR_ENDONLY, &error, &offset, nullptr));
    }
  }
  ~PlainRules() {
    for (pcre2_code* code : codes_) pcre2_code_free(code);
  }

  std::string Key(std::string key) const {
    for (size_t r = 0; r < codes_.size(); ++r) key = Substitute(codes_[r], titleRules[r], key);
    return key;
  }

 private:
  static std::string Substitute(pcre2_code* code, const TitleRule& rule, const std::string& key) {
    std::string out(key.size() * 2 + 16, '\0');
    PCRE2_SIZE length = out.size();
    const int rc = pcre2_substitute(
        code, reinterpret_cast<PCRE2_SPTR>(key.data()), key.size(), 0,
        PCRE2_NO_JIT | PCRE2_SUBSTITUTE_GLOBAL | PCRE2_SUBSTITUTE_LITERAL, nullptr, nullptr,
        reinterpret_cast<PCRE2_SPTR>(rule.replacement.data()), rule.replacement.size(),
        reinterpret_cast<PCRE2_UCHAR*>(out.data()), &length);
    EXPECT_GE(rc, 0) << "rule " << rule.pattern << " on " << key;
    out.resize(length);
    return out;
  }

  std::vector<pcre2_code*> codes_;
};

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
  const PlainRules plain;
  std::vector<std::string> keys = names;
  NormaliseKeys(keys);
  for (size_t i = 0; i < names.size(); ++i) {
    ASSERT_EQ(keys[i], plain.Key(names[i])) << "name: " << names[i];
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
