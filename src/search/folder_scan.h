#pragma once

#include <string>

#include "search/search_run.h"

namespace tarnwick {

// Appends one track per MP3 file of the current folder (settings.mp3folder).
void ReadFolder(SearchRun& run);

// Appends `folder` and, depth first, every folder below it to runFolders,
// unless it is the move or unknown folder (compared lowered, final '/'
// included), which leaves out its whole tree.
void AddFolderTree(SearchRun& run, const std::string& folder);

// Fills runFolders from "multifolder", "searchinsubfolder", the folder list
// and the MP3 folder.
void BuildRunFolders(SearchRun& run);

}  // namespace tarnwick
