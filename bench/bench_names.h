#pragma once

#include <cstddef>
#include <string>

namespace tarnwick::bench {

// A number spelled with letters that no title rule changes or removes (no
// vowels, no c, h, t, v, w, y), so that different numbers always give
// different title keys, also inside words such as "and..." or "ft".
inline std::string Spelled(std::size_t n) {
  static constexpr char kLetters[] = "bdfgjklmnpqrsxz";
  constexpr std::size_t kBase = sizeof kLetters - 1;
  std::string word;
  do {
    word += kLetters[n % kBase];
    n /= kBase;
  } while (n > 0);
  return word;
}

}  // namespace tarnwick::bench
