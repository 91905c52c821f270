#include "search/row_format.h"

#include <cstdio>

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
           std::to_string(info.Frames)}};
}

ResultRow ErrorRow(const std::string& path, const TMp3Info& info, const MAIN& texts) {
  return {RowKind::kError,
          std::string(FileNameOf(path)),
          {std::string(FolderOf(path)), FormatPlayTime(info.Length), YesNo(info.Vbr, texts),
           std::to_string(info.Bitrate) + " KB/s", std::to_string(info.Errors),
           std::to_string(info.Frames)}};
}

ResultRow UnknownRow(const std::string& path) {
  return {RowKind::kUnknown, path, {"-", "-", "-", "-", "-"}};
}

ResultRow SeparatorRow() { return {RowKind::kSeparator, "", {}}; }

}  // namespace tarnwick
