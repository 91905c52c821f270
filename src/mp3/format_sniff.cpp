#include "mp3/format_sniff.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <string_view>

namespace tarnwick {
namespace {

struct Signature {
  std::size_t offset;
  std::string_view magic;
  const char* name;
};

// Checked in order: RIFF/WAVE before plain RIFF.
constexpr std::array<Signature, 16> kSignatures = {{
    {8, "WAVE", "RIFF/WAVE audio"},
    {0, "RIFF", "RIFF"},
    {0, "OggS", "Ogg"},
    {0, "fLaC", "FLAC"},
    {4, "ftyp", "MP4/M4A"},
    {0, "FORM", "AIFF/IFF"},
    {0, std::string_view("\x30\x26\xB2\x75", 4), "ASF/WMA"},
    {0, "MAC ", "Monkey's Audio"},
    {0, "wvpk", "WavPack"},
    {0, "MThd", "MIDI"},
    {0, "#EXTM3U", "M3U playlist"},
    {0, "%PDF", "PDF"},
    {0, std::string_view("PK\x03\x04", 4), "ZIP"},
    {0, "\x89PNG", "PNG image"},
    {0, "\xFF\xD8\xFF", "JPEG image"},
    {0, "<?xml", "XML"},
}};

bool HasAt(std::span<const std::uint8_t> bytes, std::size_t at, std::string_view magic) {
  return bytes.size() >= at + magic.size() &&
         std::memcmp(bytes.data() + at, magic.data(), magic.size()) == 0;
}

// HTML pages (an error page saved instead of the song) start with a doctype
// or a tag, perhaps after a byte order mark and white space.
bool LooksLikeHtml(std::span<const std::uint8_t> bytes) {
  constexpr std::string_view kLead = " \t\r\n\xEF\xBB\xBF";
  const auto start = std::find_if(bytes.begin(), bytes.end(), [&](std::uint8_t b) {
    return kLead.find(static_cast<char>(b)) == std::string_view::npos;
  });
  if (start == bytes.end() || *start != '<') return false;
  std::string head(start, start + std::min<std::ptrdiff_t>(bytes.end() - start, 1024));
  std::transform(head.begin(), head.end(), head.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return head.find("<html") != std::string::npos ||
         head.find("<!doctype html") != std::string::npos;
}

}  // namespace

std::optional<std::string> ForeignFormat(std::span<const std::uint8_t> bytes, std::int64_t at) {
  if (at < 0 || at >= static_cast<std::int64_t>(bytes.size())) return std::nullopt;
  bytes = bytes.subspan(static_cast<std::size_t>(at));
  for (const Signature& s : kSignatures) {
    const bool riff_form = s.offset == 8 && !HasAt(bytes, 0, "RIFF");
    if (!riff_form && HasAt(bytes, s.offset, s.magic)) return s.name;
  }
  if (LooksLikeHtml(bytes)) return "HTML page";
  return std::nullopt;
}

}  // namespace tarnwick
