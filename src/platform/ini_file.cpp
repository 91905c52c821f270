#include "platform/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <sstream>

#include "platform/file_errors.h"
#include "platform/file_io.h"
#include "platform/text.h"

namespace tarnwick {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsComment(std::string_view trimmed) {
  return !trimmed.empty() && (trimmed.front() == ';' || trimmed.front() == '#');
}

// "[name]" gives name; anything else gives false.
bool SectionHeader(std::string_view trimmed, std::string& name) {
  if (trimmed.empty() || trimmed.front() != '[') return false;
  const size_t close = trimmed.find(']');
  if (close == std::string_view::npos) return false;
  name = LowerAscii(Trim(trimmed.substr(1, close - 1)));
  return true;
}

std::string Unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

// Cuts after `max_chars` characters, never inside a UTF-8 sequence.
std::string CutChars(std::string text, size_t max_chars) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (chars++ == max_chars) {
      text.resize(i);
      break;
    }
  }
  return text;
}

bool SameName(std::string_view a, std::string_view b) { return LowerAscii(a) == LowerAscii(b); }

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool ParseIniInteger(std::string_view text, long long& value) {
  text = Trim(text);
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  } else if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
  }
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
  return !text.empty() && ec == std::errc() && ptr == end;
}

IniFile::IniFile(std::string path) : path_(std::move(path)) { Load(); }

namespace {

// The whole file, or nothing when it is missing, unreadable or no regular file.
std::string ReadWholeFile(const std::string& path) {
  std::string content;
  // Non-blocking, so that a FIFO put in place of the file never blocks.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return content;
  struct stat st {};
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    char buffer[1 << 14];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) != 0;) {
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) break;
      content.append(buffer, static_cast<size_t>(got));
    }
  }
  close(fd);
  return content;
}

}  // namespace

void IniFile::Load() {
  lines_.clear();
  std::string content = ReadWholeFile(path_);
  // A byte order mark, as some editors write, would hide the first section.
  bom_ = content.starts_with(kByteOrderMark);
  if (bom_) content.erase(0, kByteOrderMark.size());
  final_newline_ = content.empty() || content.back() == '\n';
  std::istringstream stream(content);
  for (std::string line; std::getline(stream, line);) lines_.push_back(std::move(line));
  crlf_ = !lines_.empty() && !lines_.front().empty() && lines_.front().back() == '\r';
  Parse();
}

void IniFile::Parse() {
  entries_.clear();
  std::string section;
  bool in_section = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const std::string_view trimmed = Trim(lines_[i]);
    if (SectionHeader(trimmed, section)) {
      in_section = true;
      continue;
    }
    const size_t equals = trimmed.find('=');
    if (!in_section || IsComment(trimmed) || equals == std::string_view::npos) continue;
    const std::string_view key = Trim(trimmed.substr(0, equals));
    if (key.empty()) continue;
    // Each line is decoded on its own, so hand-edited Windows-1252 lines and
    // lines this program wrote in UTF-8 read correctly side by side.
    std::string value = CutChars(Unquote(Trim(ToUtf8(trimmed.substr(equals + 1)))), kMaxValueChars);
    entries_.push_back({i, section, ToUtf8(key), std::move(value)});
  }
}

const IniFile::Entry* IniFile::Find(std::string_view section, std::string_view key) const {
  const std::string lowered = LowerAscii(section);
  for (const Entry& entry : entries_) {
    if (entry.section == lowered && SameName(entry.key, key)) return &entry;
  }
  return nullptr;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  const Entry* entry = Find(section, key);
  return entry ? entry->value : std::string(fallback);
}

long long IniFile::ReadInteger(std::string_view section, std::string_view key,
                               long long fallback) const {
  const Entry* entry = Find(section, key);
  long long value = 0;
  return entry && ParseIniInteger(entry->value, value) ? value : fallback;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

std::vector<std::string> IniFile::ReadSectionKeys(std::string_view section) const {
  const std::string lowered = LowerAscii(section);
  std::vector<std::string> keys;
  size_t bytes = 1;  // the list's final terminator
  for (const Entry& entry : entries_) {
    if (entry.section != lowered) continue;
    bytes += entry.key.size() + 1;
    if (bytes > kMaxKeyNameBytes) break;
    keys.push_back(entry.key);
  }
  return keys;
}

size_t IniFile::EndOfSection(std::string_view section) const {
  const std::string lowered = LowerAscii(section);
  size_t header = std::string::npos;
  std::string name;
  for (size_t i = 0; i < lines_.size() && header == std::string::npos; ++i) {
    if (SectionHeader(Trim(lines_[i]), name) && name == lowered) header = i;
  }
  if (header == std::string::npos) return header;
  // After the last line of the section that is not blank, so that blank
  // lines before the next section stay where they are.
  size_t end = header + 1;
  for (size_t i = header + 1; i < lines_.size(); ++i) {
    const std::string_view trimmed = Trim(lines_[i]);
    if (SectionHeader(trimmed, name)) break;
    if (!trimmed.empty()) end = i + 1;
  }
  return end;
}

std::error_code IniFile::Set(std::string_view section, std::string_view key,
                             std::string_view value) {
  // A line break would split the entry and smuggle lines into the file.
  const auto breaks_line = [](std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
  };
  if (breaks_line(section) || breaks_line(key) || breaks_line(value)) {
    return std::make_error_code(std::errc::invalid_argument);
  }
  const std::string cr = crlf_ ? "\r" : "";
  std::string line = std::string(key) + "=" + std::string(value) + cr;
  if (const Entry* entry = Find(section, key)) {
    lines_[entry->line] = std::move(line);
  } else if (const size_t end = EndOfSection(section); end != std::string::npos) {
    lines_.insert(lines_.begin() + static_cast<long>(end), std::move(line));
  } else {
    std::string header(1, '[');
    lines_.push_back(header.append(section).append("]").append(cr));
    lines_.push_back(std::move(line));
  }
  final_newline_ = true;
  Parse();
  return {};
}

void IniFile::Remove(std::string_view section, std::string_view key) {
  const Entry* entry = Find(section, key);
  if (entry == nullptr) return;
  lines_.erase(lines_.begin() + static_cast<long>(entry->line));
  Parse();
}

std::error_code IniFile::WriteString(std::string_view section, std::string_view key,
                                     std::string_view value) {
  Load();
  if (const std::error_code error = Set(section, key, value)) return error;
  return Save();
}

std::error_code IniFile::DeleteKey(std::string_view section, std::string_view key) {
  Load();
  if (Find(section, key) == nullptr) return {};
  Remove(section, key);
  return Save();
}

std::string IniFile::Contents() const {
  std::string content(bom_ ? kByteOrderMark : std::string_view());
  for (size_t i = 0; i < lines_.size(); ++i) {
    content += lines_[i];
    if (i + 1 == lines_.size() && !final_newline_) break;
    // A CRLF file's last line may have had no line end at all.
    if (crlf_ && (lines_[i].empty() || lines_[i].back() != '\r')) content += '\r';
    content += '\n';
  }
  return content;
}

std::error_code IniFile::Save() const {
  struct stat st {};
  const bool exists = stat(path_.c_str(), &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) return FileError::kNotRegularFile;
  // A file the user may not write stays as it is, as with any read-only file.
  if (exists && access(path_.c_str(), W_OK) != 0) return LastError();
  return WriteFileAtomically(path_, Contents(), exists ? (st.st_mode & 07777) : NewFileMode());
}

}  // namespace tarnwick
