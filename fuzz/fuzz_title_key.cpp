// Arbitrary bytes (valid and invalid UTF-8) as file names through TitleKey.
// The key must be made only of the letters a to z, and it must equal the
// plain result of running every title rule in order with PCRE2, which
// checks the shortcuts TitleKey takes (skipping rules that cannot match,
// the reused buffer) against the rules themselves.

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "platform/text.h"
#include "search/title_rules.h"

namespace tarnwick {
namespace {

using fuzz::Require;
using Code = std::unique_ptr<pcre2_code, decltype(&pcre2_code_free)>;

// The options the rules are documented to run with: case-sensitive, "."
// matching line breaks, "$" only at the very end.
constexpr uint32_t kOptions = PCRE2_UTF | PCRE2_DOTALL | PCRE2_DOLLAR_ENDONLY;

const std::vector<Code>& Rules() {
  static const std::vector<Code> rules = [] {
    std::vector<Code> compiled;
    for (const TitleRule& rule : titleRules) {
      int error = 0;
      PCRE2_SIZE offset = 0;
      compiled.emplace_back(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(rule.pattern.data()),
                                          rule.pattern.size(), kOptions, &error, &offset, nullptr),
                            &pcre2_code_free);
      Require(compiled.back() != nullptr, "a title rule compiles");
    }
    return compiled;
  }();
  return rules;
}

// One rule, every match replaced, with the interpreter and a buffer sized by
// PCRE2 itself.
std::string Substitute(const pcre2_code& code, std::string_view replacement,
                       const std::string& key) {
  const uint32_t options =
      PCRE2_SUBSTITUTE_GLOBAL | PCRE2_SUBSTITUTE_LITERAL | PCRE2_SUBSTITUTE_OVERFLOW_LENGTH;
  std::string out(key.size() + 1, '\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    PCRE2_SIZE length = out.size();
    const int rc =
        pcre2_substitute(&code, reinterpret_cast<PCRE2_SPTR>(key.data()), key.size(), 0, options,
                         nullptr, nullptr, reinterpret_cast<PCRE2_SPTR>(replacement.data()),
                         replacement.size(), reinterpret_cast<PCRE2_UCHAR*>(out.data()), &length);
    if (rc >= 0) return out.substr(0, length);
    Require(rc == PCRE2_ERROR_NOMEMORY, "a title rule runs without error");
    out.assign(length, '\0');
  }
  Require(false, "the substitution fits the buffer PCRE2 asked for");
  return key;
}

std::string ReferenceKey(std::string_view name) {
  std::string key = LowerAscii(ToUtf8(name));
  for (size_t r = 0; r < titleRules.size(); ++r) {
    key = Substitute(*Rules()[r], titleRules[r].replacement, key);
  }
  return key;
}

}  // namespace
}  // namespace tarnwick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using tarnwick::fuzz::Require;
  const std::string name(reinterpret_cast<const char*>(data), size);
  const std::string key = tarnwick::TitleKey(name);
  for (const char c : key) Require(c >= 'a' && c <= 'z', "a key holds only a to z");
  Require(tarnwick::IsValidUtf8(key), "a key is valid UTF-8");
  Require(key == tarnwick::ReferenceKey(name), "the key equals the rules run one by one");
  return 0;
}
