#pragma once

#include <string>

namespace tarnwick {

// The freedesktop base folders of the user. A variable counts only with an
// absolute path; otherwise the folder below HOME applies. Empty when neither
// is set. No trailing '/'.

// $XDG_CONFIG_HOME, else $HOME/.config.
std::string ConfigHome();
// $XDG_DATA_HOME, else $HOME/.local/share.
std::string DataHome();
// $XDG_STATE_HOME, else $HOME/.local/state.
std::string StateHome();

// The program's own state folder, $XDG_STATE_HOME/tarnwick; a search never
// enters it.
std::string ProgramStateFolder();

}  // namespace tarnwick
