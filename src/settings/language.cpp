#include "settings/language.h"

#include "platform/app_folder.h"

namespace tarnwick {

void SetDefaultMessages(LANGUAGE& language) {
  MESSAGES& m = language.MESSAGES;
  m.MsgFileExists = "error: %s.mp3 already exists";
  m.MsgIllegalNumPrioList = "warning: illegal number in priority list!";
  m.MsgFolderMP3DoesNotExist = "MP3 folder: directory \"%s\" does not exist";
  m.MsgFolderMovedDoesNotExist = "moved files: directory \"%s\" does not exist";
  m.MsgFolderUnknownDoesNotExist = "unknown files: directory \"%s\" does not exist";
  m.MsgNotConfigured = "the program must be configured before using it!";
}

std::string LanguageFolder() { return AppFolder() + "language/"; }

void LoadLanguage(LANGUAGE&, const std::string&) {}

LanguageList FillLanguageList(const std::string&) { return {}; }

}  // namespace tarnwick
