// The INI layer over arbitrary file contents: parse, write one key, parse
// again. The written key reads back, in any letter case, and every other key
// keeps its value. (Where the line goes is checked by the unit tests.)
//
// Input: the first byte chooses what to write (an existing key as spelt, an
// existing key in another letter case, a new key in an existing section, or
// a new section); the rest is the file.

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "platform/file_io.h"
#include "platform/ini_file.h"
#include "platform/text.h"

namespace tarnwick {
namespace {

using fuzz::Require;

// Never a value: a read value is valid UTF-8, and 0xFF never is.
constexpr std::string_view kMissing = "\xFF missing";

struct Value {
  std::string section, key, value;
};

// A folder for the file, in memory when /dev/shm exists (every write syncs),
// removed at exit. Kept in a plain array: it must outlive static strings.
char work_folder[PATH_MAX];

const char* WorkFolder() {
  if (work_folder[0] != '\0') return work_folder;
  const std::string base = access("/dev/shm", W_OK) == 0
                               ? std::string("/dev/shm")
                               : std::filesystem::temp_directory_path().string();
  std::snprintf(work_folder, sizeof work_folder, "%s/tarnwick-fuzz-ini-XXXXXX", base.c_str());
  Require(mkdtemp(work_folder) != nullptr, "temporary folder");
  std::atexit([] {
    std::error_code ec;
    std::filesystem::remove_all(work_folder, ec);
  });
  return work_folder;
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string_view Trim(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t\r");
  return first == s.npos ? "" : s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// Section names of the header lines, "[name]" with anything after the "]",
// each once. Lines end at '\n', as the layer splits them.
std::vector<std::string> SectionNames(std::string_view content) {
  std::vector<std::string> names;
  std::istringstream lines{std::string(content)};
  for (std::string line; std::getline(lines, line);) {
    const std::string_view t = Trim(line);
    const size_t close = t.find(']');
    if (t.empty() || t.front() != '[' || close == std::string_view::npos) continue;
    names.push_back(LowerAscii(Trim(t.substr(1, close - 1))));
  }
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

std::vector<Value> AllValues(const IniFile& ini, const std::vector<std::string>& sections) {
  std::vector<Value> values;
  for (const std::string& section : sections) {
    for (const std::string& key : ini.ReadSectionKeys(section)) {
      values.push_back({section, key, ini.ReadString(section, key, kMissing)});
    }
  }
  return values;
}

// Every ASCII letter in the other case (the only letters of the "C" locale).
std::string FlipCase(std::string text) {
  for (char& c : text) c ^= std::isalpha(static_cast<unsigned char>(c)) ? 0x20 : 0;
  return text;
}

// What to write, chosen by `control` among the file's own names.
Value Choose(std::uint8_t control, const std::vector<Value>& values,
             const std::vector<std::string>& sections) {
  const std::string value = "value" + std::to_string(control);
  const size_t pick = control >> 2;
  switch (control & 3) {
    case 0:
    case 1:
      if (!values.empty()) {
        const Value& v = values[pick % values.size()];
        return {v.section, (control & 3) == 1 ? FlipCase(v.key) : v.key, value};
      }
      break;
    case 2:
      if (!sections.empty()) return {sections[pick % sections.size()], "FuzzKey", value};
      break;
  }
  return {"FuzzSection", "FuzzKey", value};
}

bool IsWritten(const Value& v, const Value& w) {
  return v.section == LowerAscii(w.section) && LowerAscii(v.key) == LowerAscii(w.key);
}

void CheckWrite(std::string_view content, std::uint8_t control) {
  const std::string path = std::string(WorkFolder()) + "/fuzz.ini";
  Require(!WriteFileAtomically(path, content, 0600), "write the file");
  const std::vector<std::string> sections = SectionNames(content);
  const std::vector<Value> before = AllValues(IniFile(path), sections);

  const Value w = Choose(control, before, sections);
  IniFile ini(path);
  // A name or value with a line break cannot be kept by the format: the
  // write is refused and the file stays as it was.
  if ((w.section + w.key + w.value).find_first_of("\r\n") != std::string::npos) {
    Require(static_cast<bool>(ini.WriteString(w.section, w.key, w.value)),
            "a line break is refused");
    Require(ReadWhole(path) == content, "a refused write changes nothing");
    return;
  }
  Require(!ini.WriteString(w.section, w.key, w.value), "the write succeeds");
  Require(ini.ReadString(w.section, w.key, kMissing) == w.value, "the written value reads back");

  const IniFile reread(path);
  Require(reread.ReadString(w.section, w.key, kMissing) == w.value, "the written value re-reads");
  Require(reread.ReadString(FlipCase(w.section), FlipCase(w.key), kMissing) == w.value,
          "names match without regard to case");
  for (const Value& v : before) {
    if (IsWritten(v, w)) continue;
    Require(reread.ReadString(v.section, v.key, kMissing) == v.value, "another key kept its value");
  }
}

}  // namespace
}  // namespace tarnwick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  tarnwick::CheckWrite({reinterpret_cast<const char*>(data) + 1, size - 1}, data[0]);
  return 0;
}
