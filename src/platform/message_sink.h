#pragma once

#include <functional>
#include <string>

namespace tarnwick {

// Where user-facing messages go: the desktop program shows a modal box,
// the command line prints to standard error, tests record them.
using MessageSink = std::function<void(const std::string& text)>;

// Installs a sink and returns the one it replaces.
MessageSink SetMessageSink(MessageSink sink);

// Hands a message to the installed sink (standard error when none is set).
void ShowMessage(const std::string& text);

}  // namespace tarnwick
