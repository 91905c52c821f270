#pragma once

#include <span>
#include <string>
#include <vector>

#include "platform/message_sink.h"

namespace tarnwick {

// The texts of the program, one string per key of the language file.
struct GENERAL {
  std::string language, ButtonOk, ButtonCancel;
};

struct MAIN {
  std::string ButtonExit, ButtonCancel, ButtonSearchDouble, ButtonFindErrors, ButtonOptions;
  std::string TitleName, TitleFolder, TitleLength, TitleVBR, TitleBitrate, TitleErrors, TitleFrames,
      TitleYes, TitleNo, TitleCloseInX;
  // Beyond the original texts: the undo button, the problems column, and
  // the countdown's singular, which is empty where the language has none.
  std::string ButtonUndo, TitleProblems, TitleCloseIn1;
};

// What the results list says about a run: the outcome of each row, the
// summary in the status bar, the notes in the list and the row menu. A
// singular ("...1") is empty where the language has none.
struct RESULTS {
  std::string TitleNoDuplicates, TitleNoDamaged, TitleDamagedFiles;
  std::string TitleKept, TitleMovedTo, TitleTrashed, TitleDeleted, TitleRenamedFrom, TitleHeld,
      TitleFailed;
  std::string TitleHeldSameFile, TitleHeldLengths, TitleHeldRecordings, TitleHeldDamaged;
  std::string TitleSumPairs, TitleSumPairs1, TitleSumMoved, TitleSumTrashed, TitleSumDeleted,
      TitleSumHeld, TitleSumFailed, TitleSumRenamed, TitleSumUnknown, TitleSumUnknown1,
      TitleSumDamaged, TitleSumDamaged1, TitleSumStopped;
  std::string ButtonOpen, ButtonOpenFolder, ButtonCopyPath;
  std::string MsgNoPlayer, MsgFolderNotSearched;
  std::string MsgUndoQuestion, TitleUndoMove, TitleUndoRename, TitleUndoTrash, TitleUndoDelete,
      TitleUndoFailed, TitleUndoSummary;
};

struct TAB1 {
  std::string name, TitleLanguage, ButtonMP3, ButtonMove, ButtonUnknown, ButtonShortDesk,
      ButtonShortAuto, TitleDouble, TitleDoubleDisplay, TitleDoubleMove, TitleDoubleDelete,
      TitleVBR, TitleVBREver, TitleVBRDouble, TitleSearchStart, TitleSearchStop, TitleMoveUnknown,
      TitleRecursive, TitleLowPriority;
  std::string TitleTrash, TitleCheckPairs;  // beyond the original texts
};

struct TAB2 {
  std::string name, ButtonAdd, ButtonDelete, TitleMultipleMP3, TitleActivate, TitlePriority,
      ButtonUp, ButtonDown, ButtonStandard;
  std::vector<std::string> PriorityTexts;
};

struct OPTIONS {
  tarnwick::TAB1 TAB1;
  tarnwick::TAB2 TAB2;
  // The dialog's caption, the folder pickers' titles and the comment of the
  // launchers it creates.
  std::string TitleOptions, TitlePickMusic, TitlePickMoved, TitlePickUnknown, TitleLinkComment;
};

struct MESSAGES {
  std::string MsgFileExists, MsgIllegalNumPrioList, MsgFolderMP3DoesNotExist,
      MsgFolderMovedDoesNotExist, MsgFolderUnknownDoesNotExist, MsgNotConfigured;
  // Beyond the original six; a file without them shows the English text.
  std::string MsgFolderLocked, MsgFolderIsSearched;
  // The options dialog's checks of the folder and rule lists and its
  // shortcut messages.
  std::string MsgNoFolderListed, MsgFolderListed, MsgNoPriorities, MsgLinkDesktop, MsgLinkAutostart,
      MsgLinkFailed;
};

struct LANGUAGE {
  tarnwick::GENERAL GENERAL;
  tarnwick::MAIN MAIN;
  tarnwick::RESULTS RESULTS;
  tarnwick::OPTIONS OPTIONS;
  tarnwick::MESSAGES MESSAGES;
};

// One key of a language file and the field of LANGUAGE it feeds.
struct LanguageKey {
  const char* section;
  const char* key;
  const char* fallback;  // the text shown when the file lacks the key
  std::string& (*field)(LANGUAGE& language);
};

// Every key of a language file in reading order; the priority texts, which
// come from a section of their own, aside.
std::span<const LanguageKey> LanguageKeys();

// The six built-in English messages, in force until a language file is read.
void SetDefaultMessages(LANGUAGE& language);

// Reads the language file `file_name` of the folder "language" beside the
// executable; shows "Language not found, go to "Options"" through `show`
// when it is missing.
void LoadLanguage(LANGUAGE& language, const std::string& file_name, const MessageSink& show);

// The language files offered in the options dialog, in listing order.
struct LanguageList {
  std::vector<std::string> displayNames;
  std::vector<std::string> languageFiles;
  int selected = -1;  // the entry whose file name equals the current one, or -1
};
LanguageList FillLanguageList(const std::string& current_file_name);

// The folder of the language files, ending with '/'.
std::string LanguageFolder();

}  // namespace tarnwick
