#pragma once

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace tarnwick {

// A private-profile INI file. Section and key names match without regard to
// case and the first matching key wins. A write changes or adds one key in
// place and keeps every other line (comments, unknown keys, junk) exactly as
// it was; a new key goes to the end of its section, a new section to the end
// of the file. The file is replaced whole through a temporary file and a
// rename, so a reader or a crash never sees half a file.
class IniFile {
 public:
  static constexpr size_t kMaxValueChars = 2047;
  static constexpr size_t kMaxKeyNameBytes = 16384;

  // Reads the file; a missing or unreadable file, and anything that is no
  // regular file (a FIFO, a folder), reads as empty.
  explicit IniFile(std::string path);

  const std::string& Path() const { return path_; }

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  // Signed decimal, or hexadecimal after "0x"/"0X" when longer than two
  // characters; anything else gives the fallback.
  long long ReadInteger(std::string_view section, std::string_view key, long long fallback) const;
  // An integer that is not zero; a word gives the fallback.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
  // Key names of a section in file order.
  std::vector<std::string> ReadSectionKeys(std::string_view section) const;

  // Edits of the lines in memory, written by Save all at once. A name or
  // value that holds a line break, which the format cannot keep, is refused
  // with invalid_argument.
  std::error_code Set(std::string_view section, std::string_view key, std::string_view value);
  void Remove(std::string_view section, std::string_view key);
  // Writes the lines as they now stand; the reason when the file refused
  // (a path that is no regular file is refused, never replaced).
  std::error_code Save() const;

  // One key at a time: re-reads the file, changes one key and saves.
  std::error_code WriteString(std::string_view section, std::string_view key,
                              std::string_view value);
  std::error_code DeleteKey(std::string_view section, std::string_view key);

 private:
  struct Entry {
    size_t line;          // index into lines_
    std::string section;  // lower-cased
    std::string key;      // as written, trimmed
    std::string value;    // decoded, trimmed, unquoted
  };

  void Load();
  void Parse();
  const Entry* Find(std::string_view section, std::string_view key) const;
  // Index after the last key or header line of a section, or npos.
  size_t EndOfSection(std::string_view section) const;
  std::string Contents() const;

  std::string path_;
  std::vector<std::string> lines_;  // raw bytes of each line, CR kept
  std::vector<Entry> entries_;
  bool crlf_ = false;
  bool final_newline_ = true;
  bool bom_ = false;  // the file starts with a UTF-8 byte order mark, which is kept
};

// Parses an integer the way the settings file stores it; false when it is not one.
bool ParseIniInteger(std::string_view text, long long& value);

}  // namespace tarnwick
