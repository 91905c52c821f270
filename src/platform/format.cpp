#include "platform/format.h"

namespace tarnwick {

std::string FormatText(std::string_view pattern, std::string_view argument) {
  std::string out;
  out.reserve(pattern.size() + argument.size());
  bool filled = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (pattern[i] != '%') {
      out += pattern[i];
    } else if (next == '%') {
      out += '%';
      ++i;
    } else if (!filled && (next == 's' || next == 'd')) {
      out += argument;
      filled = true;
      ++i;
    } else {
      out += '%';
    }
  }
  return out;
}

std::string FormatText(std::string_view pattern, long long number) {
  return FormatText(pattern, std::to_string(number));
}

}  // namespace tarnwick
