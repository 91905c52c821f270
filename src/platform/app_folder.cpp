#include "platform/app_folder.h"

#include <unistd.h>

#include <cstdlib>

#include "platform/text.h"

namespace tarnwick {

std::string ExecutablePath() {
  std::string path(4096, '\0');
  const ssize_t len = readlink("/proc/self/exe", path.data(), path.size());
  path.resize(len > 0 ? static_cast<size_t>(len) : 0);
  return path;
}

std::string AppFolder() {
  if (const char* home = std::getenv("TARNWICK_HOME"); home != nullptr && *home != '\0') {
    return WithTrailingSlash(home);
  }
  return std::string(FolderOf(ExecutablePath()));
}

}  // namespace tarnwick
