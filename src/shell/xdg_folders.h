#pragma once

#include <string>

namespace tarnwick {

// The user folders of the freedesktop base-directory and user-dirs
// conventions. Each is empty when neither its variable nor HOME is set.

// $XDG_CONFIG_HOME, else $HOME/.config.
std::string ConfigFolder();

// $XDG_DATA_HOME, else $HOME/.local/share.
std::string DataFolder();

// XDG_DESKTOP_DIR from user-dirs.dirs in the configuration folder, else
// $HOME/Desktop.
std::string DesktopFolder();

}  // namespace tarnwick
