// Arbitrary bytes (valid and invalid UTF-8) as file names through TitleKey.
// The key must be made only of the letters a to z, and it must equal the
// plain result of running every title rule in order with PCRE2.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "plain_title_rules.h"
#include "platform/text.h"
#include "search/title_rules.h"

namespace tarnwick {
namespace {

std::string ReferenceKey(std::string_view name) {
  static const fuzz::PlainTitleRules rules;
  const std::optional<std::string> key = rules.Key(LowerAscii(ToUtf8(name)));
  fuzz::Require(key.has_value(), "every title rule compiles and runs");
  return *key;
}

}  // namespace
}  // namespace tarnwick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using tarnwick::fuzz::Require;
  const std::string name(reinterpret_cast<const char*>(data), size);
  const std::string key = tarnwick::TitleKey(name);
  for (const char c : key) Require(c >= 'a' && c <= 'z', "a key holds only a to z");
  Require(key == tarnwick::ReferenceKey(name), "the key equals the rules run one by one");
  return 0;
}
