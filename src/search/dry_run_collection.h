#pragma once

#include <map>
#include <set>
#include <string>

#include "search/collection.h"
#include "search/disk_collection.h"

namespace tarnwick {

// The collection as a run would leave it, without changing anything: it
// reads the disk and keeps the run's moves, renames, trashes and deletions
// in memory, so that every later decision of the run (free names, numbered
// names, names restored) is the one a real run would make.
class DryRunCollection : public Collection {
 public:
  std::error_code EnterFolder(const std::string& root, const std::string& folder) override;
  std::vector<std::string> ListMp3() override;
  bool Exists(const std::string& path) override;
  std::optional<FileIdentity> Identity(const std::string& path) override;
  std::error_code Move(FileAction::Kind kind, const std::string& from, const std::string& to,
                       const FileIdentity& expected) override;
  TrashResult Trash(const std::string& path, const FileIdentity& expected) override;
  std::error_code Delete(const std::string& path, const FileIdentity& expected) override;

 private:
  std::error_code Remove(const std::string& path, const FileIdentity& expected);

  DiskCollection disk_{{.lockFolders = false}};
  std::string work_path_;
  std::set<std::string> gone_;                   // paths the run has moved or removed
  std::map<std::string, FileIdentity> arrived_;  // paths the run has moved files to
  std::set<std::string> trashed_;                // trash entries handed out
};

}  // namespace tarnwick
