#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// The contents of a freedesktop desktop entry that starts `target` with
// `arguments` (already in the command-line syntax of the Exec key) in
// `workingDir`. Name is the target's file name without its extension; Icon
// is the program's installed icon.
std::string DesktopEntryText(std::string_view target, std::string_view workingDir,
                             std::string_view arguments, std::string_view description);

// The file name of `path` without its extension; a leading dot starts no
// extension.
std::string_view NameStem(std::string_view path);

// A string value escaped for a desktop entry: backslash, newline, tab and
// carriage return.
std::string EscapeEntryValue(std::string_view value);

// One argument of the Exec key: double-quoted, with the characters the key
// reserves escaped, and '%' doubled so it is no field code.
std::string QuoteExecArgument(std::string_view argument);

}  // namespace tarnwick
