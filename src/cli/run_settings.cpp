#include "cli/run_settings.h"

#include <map>

#include "platform/text.h"

namespace tarnwick::cli {
namespace {

const std::map<std::string, int> kModes = {
    {"show", kDoubleShow}, {"move", kDoubleMove}, {"delete", kDoubleDelete}};

const char* ModeName(int mode) {
  for (const auto& [name, value] : kModes) {
    if (value == mode) return name.c_str();
  }
  return "show";
}

void ApplyFolders(const RunArgs& args, SETTINGS& s) {
  if (args.folders.size() == 1) {
    s.multifolder = false;
    s.mp3folder = WithTrailingSlash(args.folders.front());
  } else if (args.folders.size() > 1) {
    s.multifolder = true;
    s.folders.clear();
    for (const std::string& folder : args.folders) s.folders.push_back(WithTrailingSlash(folder));
  }
  if (args.recursive) s.searchinsubfolder = true;
}

// Folders named on the command line make a run of their own: what it does
// to files is only what the command line says.
void ApplyActions(const RunArgs& args, SETTINGS& s) {
  if (!args.folders.empty()) {
    s.doubleMode = kDoubleShow;
    s.movefolder.clear();
    s.moveunknown = false;
    s.unknownfolder.clear();
  }
  if (!args.mode.empty()) s.doubleMode = kModes.at(args.mode);
  if (!args.moveTo.empty()) s.movefolder = WithTrailingSlash(args.moveTo);
  if (!args.unknownTo.empty()) {
    s.unknownfolder = WithTrailingSlash(args.unknownTo);
    s.moveunknown = true;
  }
  if (!args.vbr.empty()) {
    s.vbr = args.vbr != "off";
    s.vbrever = args.vbr == "ever";
  }
  if (!args.checkPairs.empty()) s.checkpairs = args.checkPairs == "on";
  if (args.permanent) s.trash = false;
}

}  // namespace

std::optional<std::string> ApplyRunArgs(const RunArgs& args, SETTINGS& s) {
  ApplyFolders(args, s);
  ApplyActions(args, s);
  if (!args.moveTo.empty() && s.doubleMode != kDoubleMove) {
    return "--move-to only fits --mode move";
  }
  if (args.permanent && s.doubleMode != kDoubleDelete) return "--permanent only fits --mode delete";
  if (s.doubleMode == kDoubleMove && s.movefolder.empty()) {
    return "--mode move needs a folder for the moved copies: give --move-to DIR";
  }
  return std::nullopt;
}

std::string ModeLine(const SETTINGS& s, const std::string& settings_file) {
  std::string line = std::string("mode ") + ModeName(s.doubleMode);
  if (s.doubleMode == kDoubleMove) line += " to " + s.movefolder;
  if (s.doubleMode == kDoubleDelete) line += s.trash ? " into the trash" : " for good";
  if (s.moveunknown) line += ", unknown files to " + s.unknownfolder;
  return line + ", as the settings file " + settings_file + " says";
}

}  // namespace tarnwick::cli
