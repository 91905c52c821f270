#include "search/title_rules.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

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

// A pattern compiled for the JIT when the library offers it; pcre2_match
// falls back to the interpreter by itself when the JIT could not compile.
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
    for (const TitleRule& rule : titleRules) compiled.push_back(Compile(rule.pattern, kRuleOptions));
    return compiled;
  }();
  return rules;
}

// Match data and an output buffer, reused from key to key on one thread.
class RuleRunner {
 public:
  void Apply(std::string& key) {
    const std::vector<Code>& rules = CompiledRules();
    for (size_t r = 0; r < rules.size() && !key.empty(); ++r) {
      if (rules[r]) ApplyRule(*rules[r], titleRules[r].replacement, key);
    }
  }

 private:
  // Two pairs: the whole match and the one group a rule may have.
  static constexpr uint32_t kOvectorPairs = 2;
  static constexpr uint32_t kSubstituteOptions = PCRE2_NO_UTF_CHECK | PCRE2_SUBSTITUTE_MATCHED |
                                                 PCRE2_SUBSTITUTE_GLOBAL |
                                                 PCRE2_SUBSTITUTE_LITERAL;

  void ApplyRule(const pcre2_code& code, std::string_view replacement, std::string& key) {
    const auto subject = reinterpret_cast<PCRE2_SPTR>(key.data());
    if (pcre2_match(&code, subject, key.size(), 0, PCRE2_NO_UTF_CHECK, match_.get(), nullptr) < 0) {
      return;
    }
    // Every replacement is at most one byte and every match at least one
    // character, so the result never outgrows the key (plus the final zero
    // that pcre2_substitute writes).
    buffer_.resize(key.size() + 1);
    PCRE2_SIZE length = buffer_.size();
    const int done = pcre2_substitute(
        &code, subject, key.size(), 0, kSubstituteOptions, match_.get(), nullptr,
        reinterpret_cast<PCRE2_SPTR>(replacement.data()), replacement.size(),
        reinterpret_cast<PCRE2_UCHAR*>(buffer_.data()), &length);
    if (done > 0) key.assign(buffer_.data(), length);
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
