#pragma once

#include <optional>
#include <string>
#include <vector>

#include "mp3/mp3_info.h"
#include "mp3/problems.h"

namespace tarnwick {

// What a row of the results list stands for. The window only distinguishes
// rows with and without sub-items; the command line names the kind.
enum class RowKind { kSeparator, kPair, kUnknown, kError };

// A caption (the first column) and 0 to 6 sub-items for the following
// columns (a seventh, the problems, in the strict error detection). A row
// without sub-items is a separator. Texts are raw bytes as the file system
// gave them; front ends convert them for display.
//
// Beyond the columns a row keeps what its texts were made from, for front
// ends that say more (exact values, the file itself, its problems).
struct ResultRow {
  RowKind kind = RowKind::kSeparator;
  std::string caption;
  std::vector<std::string> subItems;
  std::string path = {};               // the file the row is about; empty for a separator
  std::optional<TMp3Info> info = {};   // its analysis, when it has one
  std::vector<Problem> problems = {};  // error detection: the problems of the stream
  int failure = 0;                     // error detection: the code of a failed analysis

  bool IsSeparator() const { return subItems.empty(); }
};

const char* RowKindName(RowKind kind);

}  // namespace tarnwick
