#pragma once

#include <string>

namespace tarnwick {

// The user's desktop folder: XDG_DESKTOP_DIR from user-dirs.dirs in the
// configuration folder, else $HOME/Desktop; empty without HOME.
std::string DesktopFolder();

}  // namespace tarnwick
