#pragma once

#include <array>
#include <cstdlib>
#include <optional>
#include <string>

#include "support/temp_dir.h"

namespace tarnwick::test {

// A home folder of its own for as long as it lives: HOME points into a
// temporary folder (or to `home` when given) and the XDG base variables are unset, so the trash,
// the journals and the configuration go there. A test may set those variables itself; all of them
// are restored after.
class TempUserHome {
 public:
  explicit TempUserHome(const std::string& home = "") {
    for (size_t i = 0; i < kNames.size(); ++i) {
      const char* value = std::getenv(kNames[i]);
      if (value != nullptr) saved_[i] = value;
      unsetenv(kNames[i]);
    }
    setenv("HOME", home.empty() ? path().c_str() : home.c_str(), 1);
  }
  ~TempUserHome() {
    for (size_t i = 0; i < kNames.size(); ++i) {
      saved_[i] ? setenv(kNames[i], saved_[i]->c_str(), 1) : unsetenv(kNames[i]);
    }
  }
  TempUserHome(const TempUserHome&) = delete;
  TempUserHome& operator=(const TempUserHome&) = delete;

  // The temporary folder (the home folder unless given), ending with '/'.
  const std::string& path() const { return dir_.path(); }
  const TempDir& dir() const { return dir_; }

 private:
  static constexpr std::array<const char*, 4> kNames = {"HOME", "XDG_DATA_HOME", "XDG_STATE_HOME",
                                                        "XDG_CONFIG_HOME"};
  TempDir dir_;
  std::array<std::optional<std::string>, 4> saved_;
};

}  // namespace tarnwick::test
