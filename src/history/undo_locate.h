#pragma once

#include <optional>
#include <set>
#include <string>

#include "history/journal_reader.h"
#include "platform/file_identity.h"

namespace tarnwick {

// Which names are taken as the undo goes along. A dry run changes nothing,
// so the names its earlier steps would free or take are noted here: a later
// step then sees the folder as the real undo would leave it (the usual case:
// "Song_1.mp3" renamed back frees "Song.mp3" for the copy moved away).
class Occupancy {
 public:
  std::optional<FileIdentity> IdentityOf(const std::string& path) const;
  bool Taken(const std::string& path) const;
  void Moved(const std::string& from, const std::string& to);

 private:
  std::set<std::string> freed_;
  std::set<std::string> filled_;
};

// Where the file an action acted on is now.
struct FoundFile {
  bool undoNeeded = false;  // false: it is at its old place as it was
  std::string path;         // move, rename: its new name; trash: the trashed file
  std::string trashInfo;
  std::string error;  // it must come back but cannot: gone, or changed since the run
};

// Looks for the file of one action that succeeded or was cut off by the end
// of the run: still at its old place, at the target, or in the trash. Only
// the very file the run placed is found (same identity; a move across file
// systems keeps only size and modification time).
FoundFile Locate(const JournalEntry& entry, const Occupancy& names);

}  // namespace tarnwick
