#include "shell/desktop_entry.h"

#include "platform/text.h"

namespace tarnwick {
std::string_view NameStem(std::string_view path) {
  const std::string_view name = FileNameOf(path);
  const size_t dot = name.rfind('.');
  return (dot == std::string_view::npos || dot == 0) ? name : name.substr(0, dot);
}

std::string EscapeEntryValue(std::string_view value) {
  std::string escaped;
  for (const char c : value) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\n': escaped += "\\n"; break;
      case '\t': escaped += "\\t"; break;
      case '\r': escaped += "\\r"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

// Inside double quotes the Exec key wants '"', '`', '$' and '\' behind a
// backslash; that backslash is then escaped once more as part of the string
// value, so a literal backslash ends up as four.
std::string QuoteExecArgument(std::string_view argument) {
  std::string quoted;
  for (const char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  std::string value(1, '"');
  return value.append(EscapeEntryValue(quoted)).append(1, '"');
}

std::string DesktopEntryText(std::string_view target, std::string_view workingDir,
                             std::string_view arguments, std::string_view description) {
  std::string exec = QuoteExecArgument(target);
  if (!arguments.empty()) exec.append(1, ' ').append(arguments);
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Version=1.0\n"
         "Name=" +
         EscapeEntryValue(NameStem(target)) +
         "\n"
         "Comment=" +
         EscapeEntryValue(description) +
         "\n"
         "Exec=" +
         exec +
         "\n"
         "Path=" +
         EscapeEntryValue(workingDir) +
         "\n"
         "Icon=tarnwick\n"
         "Terminal=false\n";
}

}  // namespace tarnwick
