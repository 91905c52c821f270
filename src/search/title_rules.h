#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// One step of the reduction of a file name to its title key: every match of
// `pattern` becomes `replacement`, which is plain text.
struct TitleRule {
  std::string_view pattern;
  std::string_view replacement;
};

// The rules in the order they run. Each works on the result of the one
// before, so their order is part of their meaning: "c" becomes "k" before
// "th"/"ht" shrink to "t", and "ie" inside a word becomes "i" before a
// word-final "ie" becomes "y". Rule 0 also strips a numbering suffix ("_1")
// together with the extension.
extern const std::array<TitleRule, 26> titleRules;

// A file name (without its folder) as the title rules expect it: UTF-8,
// converted from Windows-1252 when it is not valid UTF-8, with only the
// letters A to Z lowered. Upper-case letters such as "Ä" stay as they are.
std::string LoweredName(std::string_view file_name);

// Runs the title rules in order on a lowered name, turning it into its key.
// An empty key means the name takes no part in pairing.
void ApplyTitleRules(std::string& key);

// Applies the title rules to every entry; empty entries stay empty.
void NormaliseKeys(std::vector<std::string>& keys);

// Rule 0 on its own, on the name's own bytes and case: when `name` ends in
// ".mp3", optionally preceded by "_" and one digit, `base` receives the name
// without that ending and the result is true.
bool StripNumberingSuffix(std::string_view name, std::string& base);

// The title key of a file name: LoweredName, then the title rules.
std::string TitleKey(std::string_view file_name);

}  // namespace tarnwick
