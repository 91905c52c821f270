#pragma once

#include <cstdint>
#include <string>

namespace tarnwick {

// Where a shortcut to the program goes. Quick launch and send-to have no
// counterpart on a freedesktop system, so they give no folder.
enum LinkLocation : std::uint8_t {
  llDesktop = 0,
  llQuickLaunch = 1,
  llSendTo = 2,
  llStartMenu = 3,
  llStartup = 4,
  llOtherFolder = 5,  // the sub-folder argument is the destination itself
};

// Writes a desktop entry that starts `target` into the folder of `location`
// (below it in `subFolder`, which is not created) and returns the entry's
// full path. The entry is named after the target with its extension
// replaced by ".desktop". An empty working folder means the target's own.
// Returns an empty text when there is no destination folder or the entry
// could not be written.
std::string CreateLink(const std::string& target, LinkLocation location,
                       const std::string& subFolder, const std::string& workingDir,
                       const std::string& arguments, const std::string& description);

}  // namespace tarnwick
