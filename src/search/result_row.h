#pragma once

#include <string>
#include <vector>

namespace tarnwick {

// What a row of the results list stands for. The window only distinguishes
// rows with and without sub-items; the command line names the kind.
enum class RowKind { kSeparator, kPair, kUnknown, kError };

// A caption (the first column) and 0 to 6 sub-items for the following
// columns. A row without sub-items is a separator. Texts are raw bytes as
// the file system gave them; front ends convert them for display.
struct ResultRow {
  RowKind kind = RowKind::kSeparator;
  std::string caption;
  std::vector<std::string> subItems;

  bool IsSeparator() const { return subItems.empty(); }
};

const char* RowKindName(RowKind kind);

}  // namespace tarnwick
