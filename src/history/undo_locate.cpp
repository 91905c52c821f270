#include "history/undo_locate.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "history/trash_lookup.h"

namespace tarnwick {
namespace {

// The file as it was before the action, or its copy on another file system
// (a new inode there, with the same size and modification time).
bool IsOriginal(const std::optional<FileIdentity>& now, const FileIdentity& before) {
  return now && (*now == before || (now->device != before.device && now->SameContents(before)));
}

FoundFile CheckPlaced(const ActionOutcome& outcome, const ActionIntent& intent,
                      const Occupancy& names) {
  FoundFile found{true, outcome.to, outcome.trashInfo, ""};
  const std::optional<FileIdentity> now = names.IdentityOf(outcome.to);
  if (!now) {
    found.error = "the file is no longer there";
  } else if (outcome.placed ? *now != *outcome.placed : !IsOriginal(now, intent.identity)) {
    found.error = "the file has changed since the run";
  }
  return found;
}

// The run ended during the action: the file is at its target or in the trash.
FoundFile FindCutOff(const ActionIntent& intent, const Occupancy& names) {
  if (intent.action == JournalAction::kTrash) {
    const std::optional<TrashEntry> entry = FindTrashed(intent.from, intent.identity);
    if (entry) return {true, entry->file, entry->info, ""};
    return {true, "", "", "the file is neither at its place nor in the trash"};
  }
  if (IsOriginal(names.IdentityOf(intent.to), intent.identity)) return {true, intent.to, "", ""};
  return {true, intent.to, "", "the file is neither at its old nor at its new name"};
}

}  // namespace

std::optional<FileIdentity> Occupancy::IdentityOf(const std::string& path) const {
  if (freed_.contains(path)) return std::nullopt;
  return IdentityAt(AT_FDCWD, path);
}

bool Occupancy::Taken(const std::string& path) const {
  struct stat st {};
  if (filled_.contains(path)) return true;
  return !freed_.contains(path) && lstat(path.c_str(), &st) == 0;
}

void Occupancy::Moved(const std::string& from, const std::string& to) {
  freed_.insert(from);
  filled_.erase(from);
  filled_.insert(to);
  freed_.erase(to);
}

FoundFile Locate(const JournalEntry& entry, const Occupancy& names) {
  const ActionIntent& intent = entry.intent;
  if (IsOriginal(names.IdentityOf(intent.from), intent.identity)) return {};
  if (intent.action == JournalAction::kDelete) return {true, intent.from, "", ""};
  if (entry.outcome) return CheckPlaced(*entry.outcome, intent, names);
  return FindCutOff(intent, names);
}

}  // namespace tarnwick
