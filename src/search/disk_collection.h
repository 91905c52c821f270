#pragma once

#include <map>
#include <string>

#include "history/journal_writer.h"
#include "platform/unique_fd.h"
#include "search/collection.h"

namespace tarnwick {

// The collection on disk. It keeps the folder in work and each destination
// folder open and acts relative to those descriptors, so that a folder
// renamed or swapped for a link during the run never redirects an action.
class DiskCollection : public Collection {
 public:
  struct Options {
    bool lockFolders = true;    // a run that changes files locks each folder in work
    bool waitForLocks = false;  // wait for another run instead of skipping its folder
    // Every change is written here before it is made and how it ended after:
    // no journal line, no change (the action fails with the journal's reason).
    JournalWriter* journal = nullptr;
  };

  explicit DiskCollection(Options options) : options_(options) {}

  std::error_code EnterFolder(const std::string& root, const std::string& folder) override;
  std::vector<std::string> ListMp3() override;
  bool Exists(const std::string& path) override;
  std::optional<FileIdentity> Identity(const std::string& path) override;
  std::error_code Move(FileAction::Kind kind, const std::string& from, const std::string& to,
                       const FileIdentity& expected) override;
  TrashResult Trash(const std::string& path, const FileIdentity& expected) override;
  std::error_code Delete(const std::string& path, const FileIdentity& expected) override;

 private:
  // The open folder of `path` and the name in it; -1 when it cannot be opened.
  int FolderOf(const std::string& path);
  std::error_code Lock(int fd);
  // The journal's intent line; false (with its error) when it cannot be written.
  bool Intend(JournalAction action, const std::string& from, const std::string& to,
              const FileIdentity& identity, std::uint64_t& seq, std::error_code& error);
  void Record(std::uint64_t seq, std::error_code error, const std::string& to);

  Options options_;
  std::string work_path_;
  UniqueFd work_;
  std::map<std::string, UniqueFd> destinations_;
};

}  // namespace tarnwick
