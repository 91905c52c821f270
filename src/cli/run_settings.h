#pragma once

#include <optional>
#include <string>
#include <vector>

#include "mp3/ahead_analysis.h"
#include "settings/settings.h"

namespace tarnwick::cli {

// What the search and errors commands take from the command line.
struct RunArgs {
  std::vector<std::string> folders;
  std::string settingsFile;
  bool recursive = false;
  bool json = false;
  bool verbose = false;
  unsigned workers = DefaultWorkers();
  // Duplicate search only.
  std::string mode, moveTo, unknownTo, vbr, checkPairs;
  bool permanent = false;
  bool dryRun = false;
  bool wait = false;
  // Error detection only.
  bool decode = false;
};

// Puts the command line's choices into the settings, for this run only (the
// settings file is never written). With folders on the command line the
// settings file's action, move folder and unknown folder do not count: the
// mode is show unless --mode says otherwise, and unknown files stay unless
// --unknown-to names a folder. Returns why the combination cannot run
// (a usage error), or nothing.
std::optional<std::string> ApplyRunArgs(const RunArgs& args, SETTINGS& settings);

// One line for a run of the configured folders: the mode it runs in and
// where that came from.
std::string ModeLine(const SETTINGS& settings, const std::string& settings_file);

}  // namespace tarnwick::cli
