#include "search/disk_collection.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>

#include "platform/file_errors.h"
#include "platform/file_io.h"
#include "platform/file_moves.h"
#include "platform/file_system.h"
#include "platform/files.h"
#include "platform/folder_access.h"
#include "platform/text.h"

namespace tarnwick {
namespace {

std::string NameOf(const std::string& path) { return std::string(tarnwick::FileNameOf(path)); }

}  // namespace

std::error_code DiskCollection::EnterFolder(const std::string& root, const std::string& folder) {
  work_ = UniqueFd();
  work_path_ = folder;
  const OpenedFolder opened_root = OpenFolder(root);
  if (opened_root.error) return opened_root.error;
  OpenedFolder opened =
      OpenFolderBelow(opened_root.fd.get(), std::string_view(folder).substr(root.size()));
  if (opened.error) return opened.error;
  if (const std::error_code error = Lock(opened.fd.get())) return error;
  work_ = std::move(opened.fd);
  return {};
}

// The folder's own descriptor is the lock: an advisory lock that every run,
// of any user, meets on the same folder whatever path led to it, and that
// leaves no file behind. File systems without locks go unlocked.
std::error_code DiskCollection::Lock(int fd) {
  if (!options_.lockFolders) return {};
  const int how = LOCK_EX | (options_.waitForLocks ? 0 : LOCK_NB);
  if (flock(fd, how) == 0) return {};
  if (errno == EWOULDBLOCK) return FileError::kFolderLocked;
  if (errno == EINTR) return LastError();
  return {};
}

std::vector<std::string> DiskCollection::ListMp3() {
  return work_ ? ListFilesAt(work_.get(), ".mp3") : std::vector<std::string>();
}

int DiskCollection::FolderOf(const std::string& path) {
  const std::string folder(tarnwick::FolderOf(path));
  if (folder == work_path_) return work_ ? work_.get() : -1;
  auto found = destinations_.find(folder);
  if (found == destinations_.end()) {
    OpenedFolder opened = OpenFolder(folder);
    // Leftovers of copies that a killed run began here go now.
    if (opened.fd) RemoveStaleCopies(opened.fd.get());
    found = destinations_.emplace(folder, std::move(opened.fd)).first;
  }
  return found->second ? found->second.get() : -1;
}

bool DiskCollection::Exists(const std::string& path) {
  const int fd = FolderOf(path);
  return fd >= 0 && FileExistsAt(fd, NameOf(path));
}

std::optional<FileIdentity> DiskCollection::Identity(const std::string& path) {
  const int fd = FolderOf(path);
  return fd >= 0 ? IdentityAt(fd, NameOf(path)) : std::nullopt;
}

bool DiskCollection::Intend(JournalAction action, const std::string& from, const std::string& to,
                            const FileIdentity& identity, std::uint64_t& seq,
                            std::error_code& error) {
  if (options_.journal == nullptr) return true;
  const JournalWriter::Intent intent = options_.journal->BeginAction(action, from, to, identity);
  seq = intent.seq;
  error = intent.error;
  return !error;
}

void DiskCollection::Record(std::uint64_t seq, std::error_code error, const std::string& to) {
  if (options_.journal == nullptr) return;
  if (error) {
    options_.journal->ActionFailed(seq, error.message());
  } else {
    options_.journal->ActionDone(seq, to);
  }
}

std::error_code DiskCollection::Move(FileAction::Kind kind, const std::string& from,
                                     const std::string& to, const FileIdentity& expected) {
  const int from_fd = FolderOf(from);
  const int to_fd = FolderOf(to);
  if (from_fd < 0 || to_fd < 0) return FileError::kFolderUnreachable;
  const JournalAction action =
      kind == FileAction::Kind::kRename ? JournalAction::kRename : JournalAction::kMove;
  std::uint64_t seq = 0;
  std::error_code error;
  if (!Intend(action, from, to, expected, seq, error)) return error;
  error = MoveFileAt(from_fd, NameOf(from), to_fd, NameOf(to), &expected);
  Record(seq, error, to);
  return error;
}

TrashResult DiskCollection::Trash(const std::string& path, const FileIdentity& expected) {
  const int fd = FolderOf(path);
  if (fd < 0) return {{}, FileError::kFolderUnreachable};
  const std::optional<FileIdentity> now = IdentityAt(fd, NameOf(path));
  if (!now) return {{}, LastError()};
  if (*now != expected) return {{}, FileError::kChanged};
  // The trash records the absolute path, whatever spelling the run was given.
  const std::optional<std::string> folder = FolderPathOf(fd);
  if (!folder) return {{}, FileError::kFolderUnreachable};
  std::uint64_t seq = 0;
  std::error_code error;
  if (!Intend(JournalAction::kTrash, path, "", expected, seq, error)) return {{}, error};
  const TrashResult trashed = MoveToTrash(fd, NameOf(path), JoinPath(*folder, NameOf(path)));
  if (options_.journal != nullptr && !trashed.error) {
    options_.journal->ActionTrashed(seq, trashed.entry);
  } else {
    Record(seq, trashed.error, "");
  }
  return trashed;
}

std::error_code DiskCollection::Delete(const std::string& path, const FileIdentity& expected) {
  const int fd = FolderOf(path);
  if (fd < 0) return FileError::kFolderUnreachable;
  std::uint64_t seq = 0;
  std::error_code error;
  if (!Intend(JournalAction::kDelete, path, "", expected, seq, error)) return error;
  error = DeleteFileAt(fd, NameOf(path), &expected);
  Record(seq, error, "");
  return error;
}

}  // namespace tarnwick
