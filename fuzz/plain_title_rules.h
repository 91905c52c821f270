#pragma once

#ifndef PCRE2_CODE_UNIT_WIDTH
#define PCRE2_CODE_UNIT_WIDTH 8
#endif
#include <pcre2.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/title_rules.h"

namespace tarnwick::fuzz {

// The title rules applied in the plainest way there is: PCRE2's interpreter,
// every rule substituted on the whole key, one after the other, with the
// options the rules are documented to run with. TitleKey and NormaliseKeys
// take short cuts (reused match data, the JIT, skipping rules that cannot
// match); their keys must equal these.
class PlainTitleRules {
 public:
  PlainTitleRules() {
    for (const TitleRule& rule : titleRules) {
      int error = 0;
      PCRE2_SIZE offset = 0;
      codes_.push_back(
          pcre2_compile(reinterpret_cast<PCRE2_SPTR>(rule.pattern.data()), rule.pattern.size(),
                        PCRE2_UTF | PCRE2_DOTALL | PCRE2_DOLLAR_ENDONLY, &error, &offset, nullptr));
    }
  }
  ~PlainTitleRules() {
    for (pcre2_code* code : codes_) pcre2_code_free(code);
  }
  PlainTitleRules(const PlainTitleRules&) = delete;
  PlainTitleRules& operator=(const PlainTitleRules&) = delete;

  // The key of a lowered UTF-8 name; nothing when a rule fails to compile or run.
  std::optional<std::string> Key(std::string key) const {
    for (size_t r = 0; r < codes_.size(); ++r) {
      if (codes_[r] == nullptr || !Substitute(*codes_[r], titleRules[r].replacement, key))
        return std::nullopt;
    }
    return key;
  }

 private:
  // Every match replaced, in a buffer of the size PCRE2 asks for.
  static bool Substitute(const pcre2_code& code, std::string_view replacement, std::string& key) {
    const uint32_t options = PCRE2_NO_JIT | PCRE2_SUBSTITUTE_GLOBAL | PCRE2_SUBSTITUTE_LITERAL |
                             PCRE2_SUBSTITUTE_OVERFLOW_LENGTH;
    std::string out(key.size() + 1, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
      PCRE2_SIZE length = out.size();
      const int rc =
          pcre2_substitute(&code, reinterpret_cast<PCRE2_SPTR>(key.data()), key.size(), 0, options,
                           nullptr, nullptr, reinterpret_cast<PCRE2_SPTR>(replacement.data()),
                           replacement.size(), reinterpret_cast<PCRE2_UCHAR*>(out.data()), &length);
      if (rc >= 0) {
        key = out.substr(0, length);
        return true;
      }
      if (rc != PCRE2_ERROR_NOMEMORY) return false;
      out.assign(length, '\0');
    }
    return false;
  }

  std::vector<pcre2_code*> codes_;
};

}  // namespace tarnwick::fuzz
