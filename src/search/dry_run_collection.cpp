#include "search/dry_run_collection.h"

#include <algorithm>

#include "platform/file_errors.h"
#include "platform/files.h"
#include "platform/text.h"

namespace tarnwick {

std::error_code DryRunCollection::EnterFolder(const std::string& root, const std::string& folder) {
  work_path_ = folder;
  return disk_.EnterFolder(root, folder);
}

std::vector<std::string> DryRunCollection::ListMp3() {
  std::vector<std::string> names;
  for (std::string& name : disk_.ListMp3()) {
    if (!gone_.contains(work_path_ + name)) names.push_back(std::move(name));
  }
  for (const auto& [path, identity] : arrived_) {
    if (FolderOf(path) == work_path_ && path.ends_with(".mp3"))
      names.emplace_back(FileNameOf(path));
  }
  std::sort(names.begin(), names.end(), ListingOrderLess);
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

bool DryRunCollection::Exists(const std::string& path) {
  if (arrived_.contains(path)) return true;
  return !gone_.contains(path) && disk_.Exists(path);
}

std::optional<FileIdentity> DryRunCollection::Identity(const std::string& path) {
  if (const auto found = arrived_.find(path); found != arrived_.end()) return found->second;
  if (gone_.contains(path)) return std::nullopt;
  return disk_.Identity(path);
}

// What the disk collection checks before it acts, on the imagined files.
std::error_code DryRunCollection::Remove(const std::string& path, const FileIdentity& expected) {
  const std::optional<FileIdentity> now = Identity(path);
  if (!now) return std::make_error_code(std::errc::no_such_file_or_directory);
  if (*now != expected) return FileError::kChanged;
  arrived_.erase(path);
  gone_.insert(path);
  return {};
}

std::error_code DryRunCollection::Move(FileAction::Kind, const std::string& from,
                                       const std::string& to, const FileIdentity& expected) {
  if (Exists(to)) return std::make_error_code(std::errc::file_exists);
  if (const std::error_code error = Remove(from, expected)) return error;
  gone_.erase(to);
  arrived_[to] = expected;
  return {};
}

TrashResult DryRunCollection::Trash(const std::string& path, const FileIdentity& expected) {
  TrashResult predicted = PredictTrashEntry(path, trashed_);
  if (predicted.error) return predicted;
  if (const std::error_code error = Remove(path, expected)) return {{}, error};
  trashed_.insert(predicted.entry.file);
  return predicted;
}

std::error_code DryRunCollection::Delete(const std::string& path, const FileIdentity& expected) {
  return Remove(path, expected);
}

}  // namespace tarnwick
