#pragma once

#include <string>

#include "search/search_run.h"

namespace tarnwick {

// Appends one track per MP3 file of the current folder (settings.mp3folder),
// which the run's collection has entered.
void ReadFolder(SearchRun& run);

// Appends `folder` and, depth first, every folder below it to runFolders,
// with `folder` as their root. Links to folders are not followed. Left out,
// with their whole tree: the move and unknown folders, the home trash, the
// trash folders at the top of a file system and the program's state folder,
// each recognised as the folder itself, whatever path leads to it. A stop
// ends the walk.
void AddFolderTree(SearchRun& run, const std::string& folder);

// Makes runFolders[index] the current folder (settings.mp3folder) and
// enters it through the run's collection. A folder that cannot be entered is
// reported to the view (FolderNotSearched; a folder locked by another run
// also with a message) and passed over: false.
bool EnterRunFolder(SearchRun& run, size_t index);

// The move folder (in move mode) or the unknown folder (with "moveunknown")
// when it is one of the folders the run searches, recognised as the folder
// itself whatever path leads to it; else none.
const std::string* SearchedTarget(const SETTINGS& settings);

// Fills runFolders and their roots from "multifolder", "searchinsubfolder",
// the folder list and the MP3 folder.
void BuildRunFolders(SearchRun& run);

}  // namespace tarnwick
