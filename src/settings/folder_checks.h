#pragma once

#include <string>
#include <vector>

#include "settings/language.h"
#include "settings/settings.h"

namespace tarnwick {

// Which of the configured folders a check looks at.
struct FolderChecks {
  bool mp3Folder = true;      // the MP3 folder
  bool actionFolders = true;  // the move folder in move mode, the unknown folder with moveunknown
};

// The message for each checked folder that is empty or no existing folder, in
// the order MP3, move, unknown folder. Start-up shows them all, a run the first.
std::vector<std::string> MissingFolderMessages(const SETTINGS& settings, const MESSAGES& messages,
                                               FolderChecks checks);

}  // namespace tarnwick
