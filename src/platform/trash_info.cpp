#include "platform/trash_info.h"

#include <climits>

namespace tarnwick {
namespace {

bool IsUnreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

std::string LocalTime(std::time_t time) {
  std::tm local{};
  localtime_r(&time, &local);
  char text[32];
  const size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  return std::string(text, length);
}

// `text` cut to at most `limit` bytes, never inside a UTF-8 sequence.
std::string_view CutUtf8(std::string_view text, size_t limit) {
  if (text.size() <= limit) return text;
  while (limit > 0 && (static_cast<unsigned char>(text[limit]) & 0xC0) == 0x80) --limit;
  return text.substr(0, limit);
}

}  // namespace

std::string PercentEncodePath(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsUnreserved(byte) || c == '/') {
      encoded += c;
    } else {
      encoded += {'%', kHex[byte >> 4], kHex[byte & 0xF]};
    }
  }
  return encoded;
}

std::string TrashInfoText(std::string_view absolute_path, std::time_t deleted) {
  return "[Trash Info]\nPath=" + PercentEncodePath(absolute_path) +
         "\nDeletionDate=" + LocalTime(deleted) + "\n";
}

std::string TrashEntryName(std::string_view name, int attempt) {
  const size_t room = NAME_MAX - kTrashInfoEnding.size();
  // The extension starts at the last dot, unless that dot starts the name.
  const size_t dot = name.rfind('.');
  const bool has_extension = dot != std::string_view::npos && dot > 0;
  std::string_view stem = has_extension ? name.substr(0, dot) : name;
  std::string ending = attempt > 1 ? "." + std::to_string(attempt) : "";
  if (has_extension && ending.size() + name.size() - dot < room) {
    ending += name.substr(dot);
  } else {
    stem = name;
  }
  return std::string(CutUtf8(stem, room - ending.size())) + std::string(ending);
}

}  // namespace tarnwick
