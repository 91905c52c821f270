#include "platform/message_sink.h"

#include <cstdio>
#include <utility>

namespace tarnwick {
namespace {

void PrintToStderr(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }

MessageSink& CurrentSink() {
  static MessageSink sink = PrintToStderr;
  return sink;
}

}  // namespace

MessageSink SetMessageSink(MessageSink sink) {
  if (!sink) sink = PrintToStderr;
  return std::exchange(CurrentSink(), std::move(sink));
}

void ShowMessage(const std::string& text) { CurrentSink()(text); }

}  // namespace tarnwick
