#include "shell/xdg_folders.h"

#include <cstdlib>
#include <fstream>
#include <string_view>

#include "platform/xdg_base.h"

namespace tarnwick {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string Home() { return Environment("HOME"); }

// The value of a line NAME="..." of user-dirs.dirs: shell quoting with
// backslash escapes, and a leading $HOME that stands for the home folder.
std::string UserDirValue(std::string_view quoted) {
  if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') return "";
  quoted = quoted.substr(1, quoted.size() - 2);
  std::string value;
  for (size_t i = 0; i < quoted.size(); ++i) {
    if (quoted[i] == '\\' && i + 1 < quoted.size()) ++i;
    value += quoted[i];
  }
  if (value == "$HOME" || value.starts_with("$HOME/")) return Home() + value.substr(5);
  return value.starts_with('/') ? value : "";
}

std::string UserDir(std::string_view name) {
  const std::string config = ConfigHome();
  if (config.empty()) return "";
  std::ifstream file(config + "/user-dirs.dirs");
  std::string line;
  std::string value;
  while (std::getline(file, line)) {
    const std::string_view text(line);
    if (text.starts_with(name) && text.substr(name.size()).starts_with('=')) {
      value = UserDirValue(text.substr(name.size() + 1));
    }
  }
  return value;
}

}  // namespace

std::string DesktopFolder() {
  std::string folder = UserDir("XDG_DESKTOP_DIR");
  if (!folder.empty()) return folder;
  const std::string home = Home();
  return home.empty() ? "" : home + "/Desktop";
}

}  // namespace tarnwick
