#pragma once

#include <cstdio>
#include <cstdlib>

namespace tarnwick::fuzz {

// Stops the fuzzer on a broken invariant: libFuzzer reports an abort() as a
// crash and keeps the input that caused it.
inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "invariant violated: %s\n", what);
  std::abort();
}

}  // namespace tarnwick::fuzz
