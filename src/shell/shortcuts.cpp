#include "shell/shortcuts.h"

#include <sys/stat.h>

#include <cerrno>
#include <string_view>

#include "platform/file_io.h"
#include "platform/text.h"
#include "platform/xdg_base.h"
#include "shell/desktop_entry.h"
#include "shell/xdg_folders.h"

namespace tarnwick {
namespace {

// The autostart folder is created when missing, as the session manager
// reads it from there; the other folders must exist already.
std::string AutostartFolder() {
  const std::string config = ConfigHome();
  if (config.empty()) return "";
  mkdir(config.c_str(), 0700);
  const std::string folder = config + "/autostart";
  if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return "";
  return folder;
}

std::string DestinationFolder(LinkLocation location, const std::string& subFolder) {
  switch (location) {
    case llDesktop: return DesktopFolder();
    case llStartMenu: {
      const std::string data = DataHome();
      return data.empty() ? "" : data + "/applications";
    }
    case llStartup: return AutostartFolder();
    case llOtherFolder: return subFolder;
    case llQuickLaunch:
    case llSendTo: return "";
  }
  return "";
}

// Written whole or not at all, so a desktop never sees half an entry.
// Executable, because desktops refuse to start unmarked entries.
bool WriteEntry(const std::string& path, std::string_view text) {
  return !WriteFileAtomically(path, text, 0755);
}

}  // namespace

std::string CreateLink(const std::string& target, LinkLocation location,
                       const std::string& subFolder, const std::string& workingDir,
                       const std::string& arguments, const std::string& description) {
  const std::string folder = DestinationFolder(location, subFolder);
  if (folder.empty()) return "";
  std::string path = WithTrailingSlash(folder);
  if (!subFolder.empty() && location != llOtherFolder) path = WithTrailingSlash(path + subFolder);
  path += std::string(NameStem(target)) + ".desktop";
  const std::string working = workingDir.empty() ? std::string(FolderOf(target)) : workingDir;
  const std::string text = DesktopEntryText(target, working, arguments, description);
  return WriteEntry(path, text) ? path : "";
}

}  // namespace tarnwick
