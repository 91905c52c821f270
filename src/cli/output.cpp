#include "cli/output.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <iostream>

#include "platform/text.h"

namespace tarnwick::cli {
size_t DisplayWidth(std::string_view text) {
  std::mbstate_t state{};
  size_t width = 0;
  for (size_t i = 0; i < text.size();) {
    wchar_t character = 0;
    const size_t length = std::mbrtowc(&character, text.data() + i, text.size() - i, &state);
    if (length == 0 || length > text.size() - i) {
      state = {};
      ++width;
      ++i;
      continue;
    }
    const int columns = wcwidth(character);
    width += columns < 0 ? 1 : static_cast<size_t>(columns);
    i += length;
  }
  return width;
}

std::string Display(std::string_view bytes) { return ToUtf8(bytes); }

std::string DisplayCell(std::string_view bytes) {
  std::string cell;
  for (const char c : Display(bytes)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      cell += "\\n";
    } else if (c == '\t') {
      cell += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      cell += escape;
    } else {
      cell += c;
    }
  }
  return cell;
}

// The analysis separates the two lines of its messages by LF CR; every
// other control character (from a file name) is shown escaped.
std::string OneLinePerLine(std::string_view message) {
  std::string text;
  for (size_t start = 0;;) {
    const size_t end = message.find("\n\r", start);
    text += DisplayCell(message.substr(start, end - start));
    if (end == std::string_view::npos) return text;
    text += '\n';
    start = end + 2;
  }
}

void PrintLine(std::string_view line) {
  std::cout << line << '\n';
  std::cout.flush();
}

void PrintJsonLine(const nlohmann::json& object) {
  PrintLine(object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

bool OutputClosed() { return std::cout.fail(); }

void PrintError(std::string_view message) {
  std::cout.flush();
  std::cerr << kProgramName << ": " << message << std::endl;
}

void PrintMessage(const std::string& text) { PrintError(OneLinePerLine(text)); }

std::string ClockTime(long seconds) {
  char text[32];
  if (seconds >= 3600) {
    std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
  } else {
    std::snprintf(text, sizeof text, "%ld:%02ld", seconds / 60, seconds % 60);
  }
  return text;
}

std::vector<size_t> ColumnWidths(const std::vector<std::vector<std::string>>& rows) {
  std::vector<size_t> widths;
  for (const auto& row : rows) {
    widths.resize(std::max(widths.size(), row.size()));
    for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(row[c]));
  }
  return widths;
}

std::string AlignedLine(const std::vector<std::string>& cells, const std::vector<size_t>& widths) {
  std::string line;
  for (size_t c = 0; c < cells.size(); ++c) {
    line += cells[c];
    if (c + 1 < cells.size() && c < widths.size()) {
      line.append(widths[c] - std::min(widths[c], DisplayWidth(cells[c])) + 2, ' ');
    }
  }
  return line;
}

void PrintTable(const std::vector<std::vector<std::string>>& rows) {
  const std::vector<size_t> widths = ColumnWidths(rows);
  for (const auto& row : rows) std::cout << AlignedLine(row, widths) << '\n';
  std::cout.flush();
}

}  // namespace tarnwick::cli
