#pragma once

#include <cstddef>
#include <string>
#include <system_error>

#include "platform/file_identity.h"
#include "search/collection.h"
#include "search/search_run.h"

namespace tarnwick {

// Takes files named as unknown ("Artist - Unknown.mp3", "Unnamed - Title.mp3",
// ...) out of the run, listing and moving them to the unknown folder when
// "moveunknown" is on. After each move pending events run, and a stop ends
// the loop.
void HandleUnknownFiles(SearchRun& run);

// Moves, trashes or deletes the losing copy of a pair, by the "double" and
// "trash" settings, if it still is the file `expected` describes (as it was
// analysed), and takes it out of the run whether or not that worked.
void RemoveTrack(SearchRun& run, size_t k, const FileIdentity& expected);

// Moves `source` to `target`, numbering the name (Song.mp3, Song_2.mp3,
// Song_3.mp3, ...) while it is taken; an existing file is never replaced.
// The extension and a one-digit numbering suffix of the target are recognised
// in any letter case and the extension keeps its spelling. Returns the path
// tried last and why the move failed, if it did.
struct MoveResult {
  std::string target;
  std::error_code error;

  bool ok() const { return !error; }
};
MoveResult MoveFileUnique(Collection& collection, const std::string& source,
                          const std::string& target, const FileIdentity& expected);

// Gives "Song_1.mp3" its plain name "Song.mp3" back where that name is free
// in the current folder; tells the user when it is taken. After each rename
// pending events run, and a stop ends the loop.
void RestoreNames(SearchRun& run);

// Whether a lowered file name marks an unknown artist or title.
bool IsUnknownName(const std::string& lowered_name);

}  // namespace tarnwick
