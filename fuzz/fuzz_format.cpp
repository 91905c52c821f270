// Arbitrary language texts through the safe formatter. The input is the
// pattern, a zero byte, then the argument (no zero byte: all pattern, empty
// argument).
//
// The argument must be put in at most once and never read as a pattern. To
// tell inserted bytes from pattern bytes, the pattern is also filled with a
// zero byte, which the pattern never holds: it must occur at most once, and
// the output for the real argument must be the marked output with the zero
// byte replaced by the argument.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/format.h"

namespace tarnwick {
namespace {

using fuzz::Require;

void CheckOneArgument(std::string_view pattern, std::string_view argument) {
  const std::string out = FormatText(pattern, argument);
  Require(out.size() <= pattern.size() + argument.size(),
          "output longer than pattern and argument");
  if (pattern.find('%') == std::string_view::npos) Require(out == pattern, "no % leaves the text");

  const char m = '\0';
  const std::string marked = FormatText(pattern, std::string_view(&m, 1));
  const auto count = std::count(marked.begin(), marked.end(), m);
  Require(count <= 1, "the argument is put in at most once");
  std::string expected = marked;
  if (count == 1) expected.replace(expected.find(m), 1, argument);
  Require(out == expected, "the argument is copied as it stands, never formatted");
}

}  // namespace
}  // namespace tarnwick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t zero = input.find('\0');
  const std::string_view pattern = input.substr(0, zero);
  const std::string_view argument =
      zero == std::string_view::npos ? std::string_view() : input.substr(zero + 1);
  // Exact-size copies, so that a read past either end is a heap overflow.
  const auto pattern_bytes = std::make_unique<char[]>(pattern.size());
  const auto argument_bytes = std::make_unique<char[]>(argument.size());
  std::copy(pattern.begin(), pattern.end(), pattern_bytes.get());
  std::copy(argument.begin(), argument.end(), argument_bytes.get());
  const std::string_view exact_pattern(pattern_bytes.get(), pattern.size());
  tarnwick::CheckOneArgument(exact_pattern, {argument_bytes.get(), argument.size()});

  // The number form gives the same text as its decimal digits.
  const long long number = static_cast<long long>(argument.size()) - 7;
  tarnwick::fuzz::Require(tarnwick::FormatText(exact_pattern, number) ==
                              tarnwick::FormatText(exact_pattern, std::to_string(number)),
                          "the number form matches its digits");
  return 0;
}
