#include "settings/language.h"

#include "platform/app_folder.h"
#include "platform/files.h"
#include "platform/ini_file.h"

namespace tarnwick {
namespace {

constexpr const char* kMissing = "LangError";
constexpr const char* kPrioritySection = "Options_Tab2_Priority";

// The field `Field` of the sub-record `Record` of LANGUAGE, and of a page of
// the options dialog.
template <auto Record, auto Field>
std::string& FieldOf(LANGUAGE& language) {
  return language.*Record.*Field;
}
template <auto Page, auto Field>
std::string& PageFieldOf(LANGUAGE& language) {
  return language.OPTIONS.*Page.*Field;
}

// Keys added after the original ones; each falls back to a readable text, so
// that older language files keep working.
template <auto Field>
constexpr LanguageKey MainKey(const char* key, const char* fallback) {
  return {"Main", key, fallback, FieldOf<&LANGUAGE::MAIN, Field>};
}
template <auto Field>
constexpr LanguageKey ResultsKey(const char* key, const char* fallback) {
  return {"Results", key, fallback, FieldOf<&LANGUAGE::RESULTS, Field>};
}
template <auto Field>
constexpr LanguageKey OptionsKey(const char* key, const char* fallback) {
  return {"Options", key, fallback, FieldOf<&LANGUAGE::OPTIONS, Field>};
}
template <auto Field>
constexpr LanguageKey Tab1Key(const char* key, const char* fallback) {
  return {"Options_Tab1", key, fallback, PageFieldOf<&OPTIONS::TAB1, Field>};
}
template <auto Field>
constexpr LanguageKey MessagesKey(const char* key, const char* fallback) {
  return {"Messages", key, fallback, FieldOf<&LANGUAGE::MESSAGES, Field>};
}

// "ButtonCancel" of section "Main" is read twice: for the options dialog
// with its own placeholder, and for the cancel buttons of the main and the
// countdown window.
constexpr LanguageKey kKeys[] = {
    {"General", "language", kMissing, FieldOf<&LANGUAGE::GENERAL, &GENERAL::language>},
    {"Main", "ButtonOk", "LangError (OK)", FieldOf<&LANGUAGE::GENERAL, &GENERAL::ButtonOk>},
    {"Main", "ButtonCancel", "LangError (Cancel)",
     FieldOf<&LANGUAGE::GENERAL, &GENERAL::ButtonCancel>},
    {"Main", "ButtonExit", kMissing, FieldOf<&LANGUAGE::MAIN, &MAIN::ButtonExit>},
    {"Main", "ButtonSearchDouble", kMissing, FieldOf<&LANGUAGE::MAIN, &MAIN::ButtonSearchDouble>},
    {"Main", "ButtonFindErrors", kMissing, FieldOf<&LANGUAGE::MAIN, &MAIN::ButtonFindErrors>},
    {"Main", "ButtonOptions", "LangError (Options)",
     FieldOf<&LANGUAGE::MAIN, &MAIN::ButtonOptions>},
    {"Main", "ButtonCancel", kMissing, FieldOf<&LANGUAGE::MAIN, &MAIN::ButtonCancel>},
    {"Main", "TitleName", kMissing, FieldOf<&LANGUAGE::MAIN, &MAIN::TitleName>},
    {"Main", "TitleFolder", kMissing, FieldOf<&LANGUAGE::MAIN, &MAIN::TitleFolder>},
    {"Main", "TitleLength", kMissing, FieldOf<&LANGUAGE::MAIN, &MAIN::TitleLength>},
    {"Main", "TitleVBR", kMissing, FieldOf<&LANGUAGE::MAIN, &MAIN::TitleVBR>},
    {"Main", "TitleBitrate", kMissing, FieldOf<&LANGUAGE::MAIN, &MAIN::TitleBitrate>},
    {"Main", "TitleErrors", kMissing, FieldOf<&LANGUAGE::MAIN, &MAIN::TitleErrors>},
    {"Main", "TitleFrames", kMissing, FieldOf<&LANGUAGE::MAIN, &MAIN::TitleFrames>},
    {"Main", "TitleCloseInX", kMissing, FieldOf<&LANGUAGE::MAIN, &MAIN::TitleCloseInX>},
    {"Main", "TitleYes", kMissing, FieldOf<&LANGUAGE::MAIN, &MAIN::TitleYes>},
    {"Main", "TitleNo", kMissing, FieldOf<&LANGUAGE::MAIN, &MAIN::TitleNo>},
    {"Options_Tab1", "name", kMissing, PageFieldOf<&OPTIONS::TAB1, &TAB1::name>},
    {"Options_Tab1", "TitleLanguage", "LangError (Language:)",
     PageFieldOf<&OPTIONS::TAB1, &TAB1::TitleLanguage>},
    {"Options_Tab1", "ButtonMP3", kMissing, PageFieldOf<&OPTIONS::TAB1, &TAB1::ButtonMP3>},
    {"Options_Tab1", "ButtonMove", kMissing, PageFieldOf<&OPTIONS::TAB1, &TAB1::ButtonMove>},
    {"Options_Tab1", "ButtonUnknown", kMissing, PageFieldOf<&OPTIONS::TAB1, &TAB1::ButtonUnknown>},
    {"Options_Tab1", "ButtonShortDesk", kMissing,
     PageFieldOf<&OPTIONS::TAB1, &TAB1::ButtonShortDesk>},
    {"Options_Tab1", "ButtonShortAuto", kMissing,
     PageFieldOf<&OPTIONS::TAB1, &TAB1::ButtonShortAuto>},
    {"Options_Tab1", "TitleDouble", kMissing, PageFieldOf<&OPTIONS::TAB1, &TAB1::TitleDouble>},
    {"Options_Tab1", "TitleDoubleDisplay", kMissing,
     PageFieldOf<&OPTIONS::TAB1, &TAB1::TitleDoubleDisplay>},
    {"Options_Tab1", "TitleDoubleMove", kMissing,
     PageFieldOf<&OPTIONS::TAB1, &TAB1::TitleDoubleMove>},
    {"Options_Tab1", "TitleDoubleDelete", kMissing,
     PageFieldOf<&OPTIONS::TAB1, &TAB1::TitleDoubleDelete>},
    {"Options_Tab1", "TitleVBR", kMissing, PageFieldOf<&OPTIONS::TAB1, &TAB1::TitleVBR>},
    {"Options_Tab1", "TitleVBREver", kMissing, PageFieldOf<&OPTIONS::TAB1, &TAB1::TitleVBREver>},
    {"Options_Tab1", "TitleVBRDouble", kMissing,
     PageFieldOf<&OPTIONS::TAB1, &TAB1::TitleVBRDouble>},
    {"Options_Tab1", "TitleSearchStart", kMissing,
     PageFieldOf<&OPTIONS::TAB1, &TAB1::TitleSearchStart>},
    {"Options_Tab1", "TitleSearchStop", kMissing,
     PageFieldOf<&OPTIONS::TAB1, &TAB1::TitleSearchStop>},
    {"Options_Tab1", "TitleMoveUnknown", kMissing,
     PageFieldOf<&OPTIONS::TAB1, &TAB1::TitleMoveUnknown>},
    {"Options_Tab1", "TitleRecursive", kMissing,
     PageFieldOf<&OPTIONS::TAB1, &TAB1::TitleRecursive>},
    {"Options_Tab1", "TitleLowPriority", kMissing,
     PageFieldOf<&OPTIONS::TAB1, &TAB1::TitleLowPriority>},
    {"Options_Tab2", "name", kMissing, PageFieldOf<&OPTIONS::TAB2, &TAB2::name>},
    {"Options_Tab2", "ButtonAdd", kMissing, PageFieldOf<&OPTIONS::TAB2, &TAB2::ButtonAdd>},
    {"Options_Tab2", "ButtonDelete", kMissing, PageFieldOf<&OPTIONS::TAB2, &TAB2::ButtonDelete>},
    {"Options_Tab2", "TitleMultipleMP3", kMissing,
     PageFieldOf<&OPTIONS::TAB2, &TAB2::TitleMultipleMP3>},
    {"Options_Tab2", "TitleActivate", kMissing, PageFieldOf<&OPTIONS::TAB2, &TAB2::TitleActivate>},
    {"Options_Tab2", "TitlePriority", kMissing, PageFieldOf<&OPTIONS::TAB2, &TAB2::TitlePriority>},
    {"Options_Tab2", "ButtonUp", kMissing, PageFieldOf<&OPTIONS::TAB2, &TAB2::ButtonUp>},
    {"Options_Tab2", "ButtonDown", kMissing, PageFieldOf<&OPTIONS::TAB2, &TAB2::ButtonDown>},
    {"Options_Tab2", "ButtonStandard", kMissing,
     PageFieldOf<&OPTIONS::TAB2, &TAB2::ButtonStandard>},
    {"Messages", "MsgFileExists", kMissing, FieldOf<&LANGUAGE::MESSAGES, &MESSAGES::MsgFileExists>},
    {"Messages", "MsgIllegalNumPrioList", kMissing,
     FieldOf<&LANGUAGE::MESSAGES, &MESSAGES::MsgIllegalNumPrioList>},
    {"Messages", "MsgFolderMP3DoesNotExist", kMissing,
     FieldOf<&LANGUAGE::MESSAGES, &MESSAGES::MsgFolderMP3DoesNotExist>},
    {"Messages", "MsgFolderMovedDoesNotExist", kMissing,
     FieldOf<&LANGUAGE::MESSAGES, &MESSAGES::MsgFolderMovedDoesNotExist>},
    {"Messages", "MsgFolderUnknownDoesNotExist", kMissing,
     FieldOf<&LANGUAGE::MESSAGES, &MESSAGES::MsgFolderUnknownDoesNotExist>},
    {"Messages", "MsgNotConfigured", kMissing,
     FieldOf<&LANGUAGE::MESSAGES, &MESSAGES::MsgNotConfigured>},
    {"Messages", "MsgFolderLocked",
     "folder \"%s\" is in use by another Tarnwick run and was skipped",
     FieldOf<&LANGUAGE::MESSAGES, &MESSAGES::MsgFolderLocked>},
    {"Messages", "MsgFolderIsSearched",
     "\"%s\" receives moved or unknown files and cannot be a folder that is searched",
     FieldOf<&LANGUAGE::MESSAGES, &MESSAGES::MsgFolderIsSearched>},
    MainKey<&MAIN::ButtonUndo>("ButtonUndo", "Undo last run"),
    MainKey<&MAIN::TitleProblems>("TitleProblems", "Problems"),
    MainKey<&MAIN::TitleCloseIn1>("TitleCloseIn1", ""),
    ResultsKey<&RESULTS::TitleNoDuplicates>("TitleNoDuplicates", "No duplicates found"),
    ResultsKey<&RESULTS::TitleNoDamaged>("TitleNoDamaged", "No damaged files found"),
    ResultsKey<&RESULTS::TitleDamagedFiles>("TitleDamagedFiles", "Damaged files"),
    ResultsKey<&RESULTS::TitleKept>("TitleKept", "kept"),
    ResultsKey<&RESULTS::TitleMovedTo>("TitleMovedTo", "moved to %s"),
    ResultsKey<&RESULTS::TitleTrashed>("TitleTrashed", "trashed"),
    ResultsKey<&RESULTS::TitleDeleted>("TitleDeleted", "deleted"),
    ResultsKey<&RESULTS::TitleRenamedFrom>("TitleRenamedFrom", "renamed from %s"),
    ResultsKey<&RESULTS::TitleHeld>("TitleHeld", "held: %s"),
    ResultsKey<&RESULTS::TitleFailed>("TitleFailed", "failed: %s"),
    ResultsKey<&RESULTS::TitleHeldSameFile>("TitleHeldSameFile", "same file"),
    ResultsKey<&RESULTS::TitleHeldLengths>("TitleHeldLengths", "lengths differ"),
    ResultsKey<&RESULTS::TitleHeldRecordings>("TitleHeldRecordings", "different recordings"),
    ResultsKey<&RESULTS::TitleHeldDamaged>("TitleHeldDamaged", "copy to keep is damaged"),
    ResultsKey<&RESULTS::TitleSumPairs>("TitleSumPairs", "%d pairs"),
    ResultsKey<&RESULTS::TitleSumPairs1>("TitleSumPairs1", ""),
    ResultsKey<&RESULTS::TitleSumMoved>("TitleSumMoved", "%d moved"),
    ResultsKey<&RESULTS::TitleSumTrashed>("TitleSumTrashed", "%d trashed"),
    ResultsKey<&RESULTS::TitleSumDeleted>("TitleSumDeleted", "%d deleted"),
    ResultsKey<&RESULTS::TitleSumHeld>("TitleSumHeld", "%d held"),
    ResultsKey<&RESULTS::TitleSumFailed>("TitleSumFailed", "%d failed"),
    ResultsKey<&RESULTS::TitleSumRenamed>("TitleSumRenamed", "%d renamed"),
    ResultsKey<&RESULTS::TitleSumUnknown>("TitleSumUnknown", "%d unknown files moved"),
    ResultsKey<&RESULTS::TitleSumUnknown1>("TitleSumUnknown1", ""),
    ResultsKey<&RESULTS::TitleSumDamaged>("TitleSumDamaged", "%d damaged files"),
    ResultsKey<&RESULTS::TitleSumDamaged1>("TitleSumDamaged1", ""),
    ResultsKey<&RESULTS::TitleSumStopped>("TitleSumStopped", "%s (stopped)"),
    ResultsKey<&RESULTS::ButtonOpen>("ButtonOpen", "Open"),
    ResultsKey<&RESULTS::ButtonOpenFolder>("ButtonOpenFolder", "Open containing folder"),
    ResultsKey<&RESULTS::ButtonCopyPath>("ButtonCopyPath", "Copy path"),
    ResultsKey<&RESULTS::MsgNoPlayer>("MsgNoPlayer", "No program is set up to open MP3 files"),
    ResultsKey<&RESULTS::MsgFolderNotSearched>("MsgFolderNotSearched",
                                               "folder \"%s\" could not be searched"),
    ResultsKey<&RESULTS::MsgUndoQuestion>("MsgUndoQuestion",
                                          "Undo the last run? This is what it brings back:"),
    ResultsKey<&RESULTS::TitleUndoMove>("TitleUndoMove", "moved back to %s"),
    ResultsKey<&RESULTS::TitleUndoRename>("TitleUndoRename", "renamed back to %s"),
    ResultsKey<&RESULTS::TitleUndoTrash>("TitleUndoTrash", "taken back from the trash to %s"),
    ResultsKey<&RESULTS::TitleUndoDelete>("TitleUndoDelete", "deleted for good, cannot come back"),
    ResultsKey<&RESULTS::TitleUndoFailed>("TitleUndoFailed", "not brought back: %s"),
    ResultsKey<&RESULTS::TitleUndoSummary>("TitleUndoSummary", "%d files brought back"),
    Tab1Key<&TAB1::TitleTrash>("TitleTrash", "Delete into the trash"),
    Tab1Key<&TAB1::TitleCheckPairs>("TitleCheckPairs", "Check both are the same song"),
    // The texts that the design fixes in German stay its fallbacks.
    OptionsKey<&OPTIONS::TitleOptions>("TitleOptions", "Optionen"),
    OptionsKey<&OPTIONS::TitlePickMusic>("TitlePickMusic", "Musik-Ordner wählen"),
    OptionsKey<&OPTIONS::TitlePickMoved>("TitlePickMoved", "Ordner für doppelte Dateien wählen"),
    OptionsKey<&OPTIONS::TitlePickUnknown>("TitlePickUnknown",
                                           "Ordner für unbekannte Dateien wählen"),
    OptionsKey<&OPTIONS::TitleLinkComment>("TitleLinkComment", "Löscht doppelte MP3-Dateien"),
    MessagesKey<&MESSAGES::MsgNoFolderListed>("MsgNoFolderListed",
                                              "MP3-Ordner: Kein Verzeichnis ausgewählt"),
    MessagesKey<&MESSAGES::MsgFolderListed>("MsgFolderListed", "\"%s\" is in the list already"),
    MessagesKey<&MESSAGES::MsgNoPriorities>("MsgNoPriorities",
                                            "keine Einträge in Prioritätenliste gefunden!"),
    MessagesKey<&MESSAGES::MsgLinkDesktop>("MsgLinkDesktop",
                                           "Verknüpfung erfolgreich auf dem Desktop erstellt"),
    MessagesKey<&MESSAGES::MsgLinkAutostart>("MsgLinkAutostart",
                                             "Verknüpfung erfolgreich im Autostart erstellt"),
    MessagesKey<&MESSAGES::MsgLinkFailed>("MsgLinkFailed", "Fehler beim Erstellen der Verknüpfung"),
};

// The values of the priority section in file order; its key names only
// serve to find the values.
std::vector<std::string> ReadPriorityTexts(const IniFile& file) {
  std::vector<std::string> texts;
  for (const std::string& key : file.ReadSectionKeys(kPrioritySection)) {
    texts.push_back(file.ReadString(kPrioritySection, key, ""));
  }
  return texts;
}

}  // namespace

std::span<const LanguageKey> LanguageKeys() { return kKeys; }

void SetDefaultMessages(LANGUAGE& language) {
  MESSAGES& m = language.MESSAGES;
  m.MsgFileExists = "error: %s.mp3 already exists";
  m.MsgIllegalNumPrioList = "warning: illegal number in priority list!";
  m.MsgFolderMP3DoesNotExist = "MP3 folder: directory \"%s\" does not exist";
  m.MsgFolderMovedDoesNotExist = "moved files: directory \"%s\" does not exist";
  m.MsgFolderUnknownDoesNotExist = "unknown files: directory \"%s\" does not exist";
  m.MsgNotConfigured = "the program must be configured before using it!";
  // The messages added since have their English text as the fallback.
  for (const LanguageKey& key : kKeys) {
    const std::string_view fallback = key.fallback;
    if (key.section == std::string_view("Messages") && !fallback.starts_with(kMissing)) {
      key.field(language) = key.fallback;
    }
  }
}

std::string LanguageFolder() { return AppFolder() + "language/"; }

void LoadLanguage(LANGUAGE& language, const std::string& file_name, const MessageSink& show) {
  const std::string path = LanguageFolder() + file_name;
  // The message is fixed: without a language file there is nothing to
  // translate it with. Loading goes on, so every text shows its placeholder.
  // Only a regular file counts: a folder or a FIFO of that name is no language.
  const bool found = IsRegularFile(path);
  if (!found) show("Language not found, go to \"Options\"");
  const IniFile file(found ? path : std::string());
  for (const LanguageKey& key : kKeys) {
    key.field(language) = file.ReadString(key.section, key.key, key.fallback);
  }
  language.OPTIONS.TAB2.PriorityTexts = ReadPriorityTexts(file);
}

LanguageList FillLanguageList(const std::string& current_file_name) {
  LanguageList list;
  const std::string folder = LanguageFolder();
  for (const std::string& name : ListFiles(folder, ".ini")) {
    const std::string display_name = IniFile(folder + name).ReadString("General", "language", "");
    if (display_name.empty()) continue;
    if (name == current_file_name) list.selected = static_cast<int>(list.languageFiles.size());
    list.languageFiles.push_back(name);
    list.displayNames.push_back(display_name);
  }
  return list;
}

}  // namespace tarnwick
