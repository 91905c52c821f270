#pragma once

#include <string>

namespace tarnwick {

// Lets the user choose a folder in the desktop's folder dialog, titled
// `title`; offers to make a new folder only with `allowNewFolder`. The dialog
// opens at `start`, or at the home folder when `start` is empty or no
// folder. Returns the chosen folder without a final '/' (the root as "/"),
// or an empty text when the user cancels.
std::string BrowseFolder(const std::string& title, bool allowNewFolder,
                         const std::string& start = "");

}  // namespace tarnwick
