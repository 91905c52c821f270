#pragma once

#include <functional>
#include <string>

namespace tarnwick {

// Where user-facing messages go, handed to the core by its caller: the
// desktop program shows a modal box, the command line prints to standard
// error, tests record them. The core has no message channel of its own.
using MessageSink = std::function<void(const std::string& text)>;

}  // namespace tarnwick
