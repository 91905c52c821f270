#pragma once

#include <functional>
#include <string>

namespace tarnwick::test {

// Runs `body` in a child process without root's rights (as "nobody" when the
// tests run as root), so that file permissions really refuse.
// `body` returns true on success; the result is the child's verdict.
bool RunUnprivileged(const std::function<bool()>& body);

// Hands a file or folder tree to the unprivileged user (no-op when not root).
void GiveToUnprivileged(const std::string& path);

}  // namespace tarnwick::test
