#pragma once

#include <string>
#include <vector>

#include "platform/message_sink.h"

namespace tarnwick::test {

// Records the messages the core would show, in order, instead of showing them.
struct MessageLog {
  std::vector<std::string> texts;
  MessageSink sink() {
    return [this](const std::string& text) { texts.push_back(text); };
  }
};

}  // namespace tarnwick::test
