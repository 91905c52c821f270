#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::test {

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes out of scope.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The folder, ending with '/'.
  const std::string& path() const { return path_; }
  // path() + relative; creates the parent folders of a file path.
  std::string Sub(std::string_view relative) const;
  // Creates a folder below this one and returns its path ending with '/'.
  std::string MakeDir(std::string_view relative) const;
  // Writes a file below this one and returns its full path.
  std::string WriteFile(std::string_view relative, std::string_view content) const;

 private:
  std::string path_;
};

std::string ReadFile(const std::string& path);
void WriteFileAt(const std::string& path, std::string_view content);

// Every regular file below the folders by its path below its folder, with
// its bytes; and only the bytes, sorted, which tell whether a file was lost
// or doubled wherever it went.
std::map<std::string, std::string> FilesBelow(const std::string& folder);
std::vector<std::string> ContentsBelow(const std::vector<std::string>& folders);

}  // namespace tarnwick::test
