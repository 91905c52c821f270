#include "search/row_format.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/text.h"

namespace tarnwick {
namespace {

const std::string& YesNo(bool yes, const MAIN& texts) {
  return yes ? texts.TitleYes : texts.TitleNo;
}

}  // namespace

std::string FormatPlayTime(int seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2d:%.2d", seconds / 60, seconds % 60);
  return text;
}

int PercentDone(size_t done, size_t total) {
  const size_t scaled = done * 100;
  size_t percent = scaled / total;
  const size_t twice_rest = 2 * (scaled % total);
  if (twice_rest > total || (twice_rest == total && percent % 2 == 1)) ++percent;
  return static_cast<int>(percent);
}

ResultRow PairRow(const std::string& path, const std::string& folder, const TMp3Info& info,
                  const MAIN& texts) {
  return {RowKind::kPair,
          std::string(FileNameOf(path)),
          {folder, FormatPlayTime(info.Length), YesNo(info.Vbr, texts),
           std::to_string(info.Bitrate) + "kB/s", std::to_string(info.Errors),
           std::to_string(info.Frames)},
          path,
          info};
}

ResultRow ErrorRow(const std::string& path, const Mp3Analysis& analysis, const MAIN& texts,
                   bool problems_column) {
  const TMp3Info& info = analysis.info;
  const bool failed = info.Length == -1;
  ResultRow row{RowKind::kError, std::string(FileNameOf(path)), {std::string(FolderOf(path))}};
  if (failed) {
    row.subItems.insert(row.subItems.end(), 5, "-");
  } else {
    row.subItems.insert(row.subItems.end(),
                        {FormatPlayTime(info.Length), YesNo(info.Vbr, texts),
                         std::to_string(info.Bitrate) + " KB/s", std::to_string(info.Errors),
                         std::to_string(info.Frames)});
    row.info = info;
  }
  if (problems_column) row.subItems.push_back(ProblemsText(analysis.problems));
  row.path = path;
  row.problems = analysis.problems;
  row.failure = analysis.failure;
  return row;
}

std::string ProblemsText(const std::vector<Problem>& problems) {
  std::vector<std::pair<Problem::Kind, int>> counts;
  for (const Problem& problem : problems) {
    auto found = std::find_if(counts.begin(), counts.end(),
                              [&problem](const auto& c) { return c.first == problem.kind; });
    if (found == counts.end()) {
      counts.emplace_back(problem.kind, 1);
    } else {
      ++found->second;
    }
  }
  std::string text;
  for (const auto& [kind, count] : counts) {
    if (!text.empty()) text += ", ";
    text += ProblemKindName(kind);
    if (count > 1) text += " \u00d7" + std::to_string(count);
  }
  return text;
}

ResultRow UnknownRow(const std::string& path) {
  return {RowKind::kUnknown, path, {"-", "-", "-", "-", "-"}, path};
}

ResultRow SeparatorRow() { return {RowKind::kSeparator, "", {}}; }

}  // namespace tarnwick
