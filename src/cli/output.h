#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::cli {

constexpr const char* kProgramName = "tarnwick-cli";

// A file name or path as UTF-8 for printing; names that are not valid UTF-8
// are read as Windows-1252.
std::string Display(std::string_view bytes);

// A name for one cell of a table: like Display, with control characters
// (a newline or tab in a file name) written as escapes so the table keeps its
// lines and columns.
std::string DisplayCell(std::string_view bytes);

// Columns a text takes on a terminal: wide (CJK) characters take two,
// combining accents none. Needs a UTF-8 character type locale (main sets
// one); a byte that is no character there counts as one column.
size_t DisplayWidth(std::string_view text);

// A message as the terminal shows it: UTF-8, with the line feed and carriage
// return pair of the analysis messages made a plain line break and every
// other control character escaped.
std::string OneLinePerLine(std::string_view message);

// One line, or one JSON object on one line, of standard output, flushed at
// once: a reader (or a kill) sees every line the moment it is printed.
void PrintLine(std::string_view line);
void PrintJsonLine(const nlohmann::json& object);

// Standard output refused a write (a closed pipe: SIGPIPE is ignored).
bool OutputClosed();

// "tarnwick-cli: message" on standard error.
void PrintError(std::string_view message);

// Shows the core's messages on standard error, one line per line.
void PrintMessage(const std::string& text);

// A length of time as m:ss, or h:mm:ss from one hour up.
std::string ClockTime(long seconds);

// Rows of cells as left-aligned columns, each as wide as its widest cell.
void PrintTable(const std::vector<std::vector<std::string>>& rows);
std::vector<size_t> ColumnWidths(const std::vector<std::vector<std::string>>& rows);
std::string AlignedLine(const std::vector<std::string>& cells, const std::vector<size_t>& widths);

}  // namespace tarnwick::cli
