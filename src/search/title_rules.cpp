#include "search/title_rules.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstdint>
#include <memory>

#include "platform/text.h"

namespace tarnwick {

const std::array<TitleRule, 26> titleRules = {{
    {"(_\\d)?\\.mp3$", ""},
    {"ie\\B", "i"},
    {"Ä", "a"},
    {"Ö", "o"},
    {"Ü", "u"},
    {"(ae|ä)", "a"},
    {"(oe|ö)", "o"},
    {"(ue|ü)", "u"},
    {"(ey|ie)\\b", "y"},
    {"[áàâÁÀÂ]", "a"},
    {"[éèêÉÈÊ]", "e"},
    {"[íìîÍÌÎ]", "i"},
    {"[óòôÓÒÔ]", "o"},
    {"[úùûÚÙÛ]", "u"},
    {"[ýÝ]", "y"},
    {"c", "k"},
    {"\\bfeat.*?-", ""},
    {"\\bwith\\b.*?-", ""},
    {"\\bpresent.*?-", ""},
    {"\\bvs.?\\b.*?-", ""},
    {"\\band.*?-", ""},
    {"\\b&.*?-", ""},
    {"\\bft\\.?\\b.*?-", ""},
    {"\\bthe\\b", ""},
    {"(th|ht)", "t"},
    {"[^a-z]", ""},
}};

namespace {

using Code = std::unique_ptr<pcre2_code, decltype(&pcre2_code_free)>;
using MatchData = std::unique_ptr<pcre2_match_data, decltype(&pcre2_match_data_free)>;

// Case-sensitive, and without PCRE2_UCP, so that \b and \B see only the ASCII
// letters, digits and "_" as word characters. File names may hold line
// breaks: "." must match them too, and "$" must mean the very end rather
// than "before a final line break".
constexpr uint32_t kRuleOptions = PCRE2_UTF | PCRE2_DOTALL | PCRE2_DOLLAR_ENDONLY;

// Texts of which a key must hold at least one for a rule's pattern to be
// able to match. Looking for them is far cheaper than a match attempt, and
// most rules find nothing in most names. Rule 25 matches in nearly every
// name and has none.
using Needles = std::array<std::string_view, 6>;
constexpr std::array<Needles, 26> kNeedles = {{
    {".mp3"},
    {"ie"},
    {"Ä"},
    {"Ö"},
    {"Ü"},
    {"ae", "ä"},
    {"oe", "ö"},
    {"ue", "ü"},
    {"ey", "ie"},
    {"á", "à", "â", "Á", "À", "Â"},
    {"é", "è", "ê", "É", "È", "Ê"},
    {"í", "ì", "î", "Í", "Ì", "Î"},
    {"ó", "ò", "ô", "Ó", "Ò", "Ô"},
    {"ú", "ù", "û", "Ú", "Ù", "Û"},
    {"ý", "Ý"},
    {"c"},
    {"feat"},
    {"with"},
    {"present"},
    {"vs"},
    {"and"},
    {"&"},
    {"ft"},
    {"the"},
    {"th", "ht"},
    {},
}};

// The bytes a key may hold. A needle with a byte outside the set cannot
// occur in the key, which settles most needles without searching the key.
// A rule's result is made of the key's own bytes and its replacement, so
// adding the replacement keeps the set true for the changed key.
class ByteSet {
 public:
  explicit ByteSet(std::string_view text) { Add(text); }
  void Add(std::string_view text) {
    for (const char c : text) {
      const auto b = static_cast<uint8_t>(c);
      bits_[b >> 6] |= uint64_t{1} << (b & 63);
    }
  }
  bool HasAll(std::string_view text) const {
    for (const char c : text) {
      const auto b = static_cast<uint8_t>(c);
      if (((bits_[b >> 6] >> (b & 63)) & 1) == 0) return false;
    }
    return true;
  }

 private:
  std::array<uint64_t, 4> bits_{};
};

bool MayMatch(std::string_view key, const ByteSet& bytes, const Needles& needles) {
  if (needles[0].empty()) return true;
  for (std::string_view needle : needles) {
    if (needle.empty()) break;
    if (bytes.HasAll(needle) && key.find(needle) != std::string_view::npos) return true;
  }
  return false;
}

// A pattern compiled for the JIT when the library offers it; PCRE2 runs the
// interpreter by itself for a pattern the JIT could not compile.
Code Compile(std::string_view pattern, uint32_t options) {
  int error = 0;
  PCRE2_SIZE offset = 0;
  Code code(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), options,
                          &error, &offset, nullptr),
            &pcre2_code_free);
  if (code) pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE);
  return code;
}

// The compiled rules, built on first use and kept for the life of the process.
const std::vector<Code>& CompiledRules() {
  static const std::vector<Code> rules = [] {
    std::vector<Code> compiled;
    for (const TitleRule& rule : titleRules) {
      compiled.push_back(Compile(rule.pattern, kRuleOptions));
    }
    return compiled;
  }();
  return rules;
}

// Match data and an output buffer, reused from key to key on one thread.
class RuleRunner {
 public:
  void Apply(std::string& key) {
    const std::vector<Code>& rules = CompiledRules();
    ByteSet bytes(key);
    for (size_t r = 0; r < rules.size() && !key.empty(); ++r) {
      if (rules[r] && MayMatch(key, bytes, kNeedles[r]) &&
          ApplyRule(*rules[r], titleRules[r].replacement, key)) {
        bytes.Add(titleRules[r].replacement);
      }
    }
  }

 private:
  // Two pairs: the whole match and the one group a rule may have.
  static constexpr uint32_t kOvectorPairs = 2;
  static constexpr uint32_t kSubstituteOptions =
      PCRE2_NO_UTF_CHECK | PCRE2_SUBSTITUTE_GLOBAL | PCRE2_SUBSTITUTE_LITERAL;

  // True when the pattern matched and the key changed.
  bool ApplyRule(const pcre2_code& code, std::string_view replacement, std::string& key) {
    // Every replacement is at most one byte and every match at least one
    // character, so the result never outgrows the key (plus the final zero
    // that pcre2_substitute writes).
    buffer_.resize(key.size() + 1);
    PCRE2_SIZE length = buffer_.size();
    const int replaced = pcre2_substitute(
        &code, reinterpret_cast<PCRE2_SPTR>(key.data()), key.size(), 0, kSubstituteOptions,
        match_.get(), nullptr, reinterpret_cast<PCRE2_SPTR>(replacement.data()), replacement.size(),
        reinterpret_cast<PCRE2_UCHAR*>(buffer_.data()), &length);
    if (replaced <= 0) return false;
    key.assign(buffer_.data(), length);
    return true;
  }

  MatchData match_{pcre2_match_data_create(kOvectorPairs, nullptr), &pcre2_match_data_free};
  std::string buffer_;
};

RuleRunner& Runner() {
  thread_local RuleRunner runner;
  return runner;
}

}  // namespace

std::string LoweredName(std::string_view file_name) { return LowerAscii(ToUtf8(file_name)); }

void ApplyTitleRules(std::string& key) {
  // The rules match characters and are run without PCRE2's own UTF check;
  // a key that is not UTF-8 is read as Windows-1252 like every name.
  if (!IsValidUtf8(key)) key = Cp1252ToUtf8(key);
  Runner().Apply(key);
}

void NormaliseKeys(std::vector<std::string>& keys) {
  for (std::string& key : keys) ApplyTitleRules(key);
}

bool StripNumberingSuffix(std::string_view name, std::string& base) {
  // Rule 0 touches only ASCII bytes at the end of the name, so matching the
  // raw bytes finds what a character-wise match finds, for names in any
  // encoding, and the bytes before the match stay exactly as they were.
  static const Code suffix = Compile(titleRules[0].pattern, PCRE2_DOLLAR_ENDONLY);
  if (!suffix) return false;
  MatchData match(pcre2_match_data_create_from_pattern(suffix.get(), nullptr),
                  &pcre2_match_data_free);
  if (pcre2_match(suffix.get(), reinterpret_cast<PCRE2_SPTR>(name.data()), name.size(), 0, 0,
                  match.get(), nullptr) < 0) {
    return false;
  }
  base.assign(name.substr(0, pcre2_get_ovector_pointer(match.get())[0]));
  return true;
}

std::string TitleKey(std::string_view file_name) {
  std::string key = LoweredName(file_name);
  ApplyTitleRules(key);
  return key;
}

}  // namespace tarnwick
