#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// Fills a user-editable pattern (a language text) without printf: the first
// "%s" or "%d" receives `argument`, "%%" becomes "%", and every other "%"
// sequence is shown as it stands. A broken pattern gives odd text, never a crash.
std::string FormatText(std::string_view pattern, std::string_view argument);
std::string FormatText(std::string_view pattern, long long number);

}  // namespace tarnwick
