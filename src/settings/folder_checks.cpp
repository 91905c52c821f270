#include "settings/folder_checks.h"

#include "platform/files.h"
#include "platform/format.h"

namespace tarnwick {

std::vector<std::string> MissingFolderMessages(const SETTINGS& s, const MESSAGES& m,
                                               FolderChecks checks) {
  std::vector<std::string> found;
  const auto check = [&found](bool applies, const std::string& folder, const std::string& text) {
    if (applies && !IsDirectory(folder)) found.push_back(FormatText(text, folder));
  };
  check(checks.mp3Folder, s.mp3folder, m.MsgFolderMP3DoesNotExist);
  check(checks.actionFolders && s.doubleMode == kDoubleMove, s.movefolder,
        m.MsgFolderMovedDoesNotExist);
  check(checks.actionFolders && s.moveunknown, s.unknownfolder, m.MsgFolderUnknownDoesNotExist);
  return found;
}

}  // namespace tarnwick
