#pragma once

#include <string>

namespace tarnwick {

// The folder that holds the settings file and the folder "language": the
// environment variable TARNWICK_HOME when set, else the executable's folder.
// Ends with '/'.
std::string AppFolder();

// Full path of the running executable.
std::string ExecutablePath();

}  // namespace tarnwick
