#pragma once

#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "platform/file_identity.h"
#include "platform/trash.h"
#include "search/run_view.h"

namespace tarnwick {

// The files of the collection as a run reads and changes them: the disk
// itself, or the disk with a dry run's changes imagined on top. Paths are
// folder + name; the folder is the one in work or a destination folder.
class Collection {
 public:
  virtual ~Collection() = default;

  // Makes `folder`, which lies at or below `root`, the folder in work. Every
  // folder below the root is entered without following a link, so a folder
  // swapped for a link is refused instead of followed. A run that changes
  // files also locks the folder against other runs (FileError::kFolderLocked).
  virtual std::error_code EnterFolder(const std::string& root, const std::string& folder) = 0;
  // The MP3 files of the folder in work, in listing order.
  virtual std::vector<std::string> ListMp3() = 0;

  virtual bool Exists(const std::string& path) = 0;
  virtual std::optional<FileIdentity> Identity(const std::string& path) = 0;

  // Each acts only on the file `expected` describes (FileError::kChanged
  // otherwise) and never replaces an existing file.
  virtual std::error_code Move(FileAction::Kind kind, const std::string& from,
                               const std::string& to, const FileIdentity& expected) = 0;
  virtual TrashResult Trash(const std::string& path, const FileIdentity& expected) = 0;
  virtual std::error_code Delete(const std::string& path, const FileIdentity& expected) = 0;
};

}  // namespace tarnwick
