#include "support/unprivileged.h"

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

namespace tarnwick::test {
namespace {

constexpr uid_t kNobody = 65534;

}  // namespace

void GiveToUnprivileged(const std::string& path) {
  if (geteuid() != 0) return;
  namespace fs = std::filesystem;
  if (chown(path.c_str(), kNobody, kNobody) != 0) return;
  std::error_code ec;
  if (!fs::is_directory(path, ec)) return;
  for (const auto& entry : fs::recursive_directory_iterator(path, ec)) {
    if (chown(entry.path().c_str(), kNobody, kNobody) != 0) return;
  }
}

bool RunUnprivileged(const std::function<bool()>& body) {
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0)) _exit(2);
    _exit(body() ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace tarnwick::test
