#include "support/temp_dir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tarnwick::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "tarnwick-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern + "/";
}

TempDir::~TempDir() {
  std::error_code ec;
  // Tests may leave read-only folders behind; open them up before removing.
  for (auto it = fs::recursive_directory_iterator(
           path_, fs::directory_options::skip_permission_denied, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  }
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::string TempDir::Sub(std::string_view relative) const {
  std::string full = path_ + std::string(relative);
  fs::create_directories(fs::path(full).parent_path());
  return full;
}

std::string TempDir::MakeDir(std::string_view relative) const {
  std::string full = path_ + std::string(relative);
  fs::create_directories(full);
  if (full.back() != '/') full += '/';
  return full;
}

std::string TempDir::WriteFile(std::string_view relative, std::string_view content) const {
  const std::string full = Sub(relative);
  WriteFileAt(full, content);
  return full;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFileAt(const std::string& path, std::string_view content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::map<std::string, std::string> FilesBelow(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file())
      files[entry.path().lexically_relative(folder).string()] = ReadFile(entry.path());
  }
  return files;
}

std::vector<std::string> ContentsBelow(const std::vector<std::string>& folders) {
  std::vector<std::string> contents;
  for (const std::string& folder : folders) {
    for (const auto& [path, bytes] : FilesBelow(folder)) contents.push_back(bytes);
  }
  std::sort(contents.begin(), contents.end());
  return contents;
}

}  // namespace tarnwick::test
