#include "platform/xdg_base.h"

#include <cstdlib>

namespace tarnwick {
namespace {

std::string AbsoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] == '/' ? value : "";
}

std::string WithoutTrailingSlashes(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::string BaseFolder(const char* variable, const char* below_home) {
  const std::string folder = AbsoluteVariable(variable);
  if (!folder.empty()) return WithoutTrailingSlashes(folder);
  const std::string home = WithoutTrailingSlashes(AbsoluteVariable("HOME"));
  if (home.empty()) return "";
  return (home == "/" ? "" : home) + "/" + below_home;
}

}  // namespace

std::string ConfigHome() { return BaseFolder("XDG_CONFIG_HOME", ".config"); }
std::string DataHome() { return BaseFolder("XDG_DATA_HOME", ".local/share"); }
std::string StateHome() { return BaseFolder("XDG_STATE_HOME", ".local/state"); }

std::string ProgramStateFolder() {
  const std::string state = StateHome();
  return state.empty() ? "" : state + "/tarnwick";
}

}  // namespace tarnwick
