// The INI layer over arbitrary file contents: parse, write one key, parse
// again. The write may change only its own key: every other key keeps its
// value, and every other line stays where and as it was (its line end may
// follow the file's CRLF style).
//
// Input: the first byte chooses what to write (an existing key as spelt, an
// existing key in another letter case, a new key in an existing section, or
// a new section); the rest is the file.

#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
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

void WriteWhole(const std::string& path, std::string_view content) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  Require(fd >= 0, "open the file");
  Require(write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size()),
          "write the file");
  close(fd);
}

std::string ReadWhole(const std::string& path) {
  std::string content;
  const int fd = open(path.c_str(), O_RDONLY);
  Require(fd >= 0, "open the written file");
  char buffer[4096];
  for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;) content.append(buffer, got);
  close(fd);
  return content;
}

// Lines as the layer splits them: at '\n', with no empty line after a final one.
std::vector<std::string> Lines(std::string_view content) {
  std::vector<std::string> lines;
  while (!content.empty()) {
    const size_t end = content.find('\n');
    lines.emplace_back(content.substr(0, end));
    content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
  }
  return lines;
}

// A line without the one CR that ends it in a CRLF file.
std::string_view Bare(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

// Section names of the header lines, "[name]" with anything after the "]".
std::vector<std::string> SectionNames(const std::vector<std::string>& lines) {
  std::vector<std::string> names;
  for (const std::string& line : lines) {
    const std::string_view t = Trim(line);
    const size_t close = t.find(']');
    if (t.empty() || t.front() != '[' || close == std::string_view::npos) continue;
    names.push_back(LowerAscii(Trim(t.substr(1, close - 1))));
  }
  return names;
}

std::vector<Value> AllValues(const IniFile& ini, const std::vector<std::string>& sections) {
  std::vector<Value> values;
  for (size_t i = 0; i < sections.size(); ++i) {
    bool repeated = false;
    for (size_t j = 0; j < i; ++j) repeated = repeated || sections[j] == sections[i];
    if (repeated) continue;
    for (const std::string& key : ini.ReadSectionKeys(sections[i])) {
      values.push_back({sections[i], key, ini.ReadString(sections[i], key, kMissing)});
    }
  }
  return values;
}

std::string FlipCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
    else if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
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

bool SameLine(std::string_view a, std::string_view b) { return Bare(a) == Bare(b); }

bool SameLines(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (!SameLine(a[i], b[i])) return false;
  }
  return true;
}

// Where a new key of `section` belongs: after the last line that is not blank
// between the section's first header and the next header; npos without one.
size_t EndOfSection(const std::vector<std::string>& lines, std::string_view section) {
  size_t end = std::string::npos;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::vector<std::string> header = SectionNames({lines[i]});
    if (end != std::string::npos && !header.empty()) break;
    if (end == std::string::npos && !header.empty() && header[0] == LowerAscii(section))
      end = i + 1;
    if (end != std::string::npos && !Trim(lines[i]).empty()) end = i + 1;
  }
  return end;
}

// An existing key is changed in place: at most one line differs, and it is
// the written one. A new key goes to the end of its section, a new section
// to the end of the file.
bool OnlyTheKeyChanged(const std::vector<std::string>& before,
                       const std::vector<std::string>& after, const Value& w, bool existed) {
  const std::string line = w.key + "=" + w.value;
  if (existed) {
    if (after.size() != before.size()) return false;
    for (size_t i = 0, differ = 0; i < after.size(); ++i) {
      if (SameLine(before[i], after[i])) continue;
      if (++differ > 1 || !SameLine(after[i], line)) return false;
    }
    return true;
  }
  std::vector<std::string> expected = before;
  const size_t end = EndOfSection(before, w.section);
  if (end == std::string::npos) {
    expected.push_back("[" + w.section + "]");
    expected.push_back(line);
  } else {
    expected.insert(expected.begin() + static_cast<long>(end), line);
  }
  return SameLines(expected, after);
}

bool IsWritten(const Value& v, const Value& w) {
  return v.section == LowerAscii(w.section) && LowerAscii(v.key) == LowerAscii(w.key);
}

void CheckWrite(std::string_view content, std::uint8_t control) {
  const std::string path = std::string(WorkFolder()) + "/fuzz.ini";
  WriteWhole(path, content);
  const std::vector<std::string> before_lines = Lines(content);
  const std::vector<std::string> sections = SectionNames(before_lines);
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
  bool existed = false;
  for (const Value& v : before) existed = existed || IsWritten(v, w);
  Require(OnlyTheKeyChanged(before_lines, Lines(ReadWhole(path)), w, existed),
          "only the key's line changed");

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
