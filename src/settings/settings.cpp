#include "settings/settings.h"

#include <algorithm>

#include "platform/app_folder.h"
#include "platform/files.h"
#include "platform/format.h"
#include "platform/ini_file.h"
#include "platform/message_sink.h"
#include "platform/priority.h"
#include "platform/text.h"

namespace tarnwick {
namespace {

constexpr const char* kSettings = "Settings";
constexpr const char* kFolders = "Folders";

std::string TitleWidthKey(int column) { return "titleWidth" + std::to_string(column); }

void ReadOptions(const IniFile& ini, SETTINGS& s) {
  s.lang = ini.ReadString(kSettings, "lang", "english.ini");
  const long long mode = ini.ReadInteger(kSettings, "double", kDoubleShow);
  s.doubleMode = (mode < kDoubleShow || mode > kDoubleDelete) ? kDoubleShow : static_cast<int>(mode);
  s.mp3folder = ini.ReadString(kSettings, "mp3folder", "");
  s.movefolder = ini.ReadString(kSettings, "movefolder", "");
  s.unknownfolder = ini.ReadString(kSettings, "unknownfolder", "");
  s.autostart = ini.ReadBool(kSettings, "autostart", false);
  s.close = ini.ReadBool(kSettings, "close", false);
  s.moveunknown = ini.ReadBool(kSettings, "moveunknown", false);
  s.vbr = ini.ReadBool(kSettings, "vbr", false);
  s.vbrever = ini.ReadBool(kSettings, "vbrever", false);
  s.vbrdouble = ini.ReadBool(kSettings, "vbrdouble", true);
  s.configured = ini.ReadBool(kSettings, "configured", false);
  s.searchinsubfolder = ini.ReadBool(kSettings, "searchinsubfolder", false);
  s.idle = ini.ReadBool(kSettings, "idle", false);
  s.multifolder = ini.ReadBool(kSettings, "multifolder", false);
}

// The key names of "Folders" are ignored: every key in file order is a folder.
void ReadFolders(const IniFile& ini, SETTINGS& s) {
  s.folders.clear();
  for (const std::string& key : ini.ReadSectionKeys(kFolders)) {
    std::string folder = ini.ReadString(kFolders, key, "");
    if (!folder.empty()) s.folders.push_back(WithTrailingSlash(std::move(folder)));
  }
}

void ReadColumnWidths(const IniFile& ini, const ResultColumns& columns, SETTINGS& s) {
  s.titleWidth.resize(static_cast<size_t>(columns.ColumnCount()));
  for (int i = 0; i < columns.ColumnCount(); ++i) {
    const long long width = ini.ReadInteger(kSettings, TitleWidthKey(i), columns.ColumnWidth(i));
    s.titleWidth[static_cast<size_t>(i)] = static_cast<int>(width);
  }
}

// Start-up warnings: they only warn, the values stay as loaded.
void WarnAboutMissingFolders(const SETTINGS& s, const MESSAGES& messages) {
  if (!IsDirectory(s.mp3folder)) {
    ShowMessage(FormatText(messages.MsgFolderMP3DoesNotExist, s.mp3folder));
  }
  if (!IsDirectory(s.movefolder) && s.doubleMode == kDoubleMove) {
    ShowMessage(FormatText(messages.MsgFolderMovedDoesNotExist, s.movefolder));
  }
  if (!IsDirectory(s.unknownfolder) && s.moveunknown) {
    ShowMessage(FormatText(messages.MsgFolderUnknownDoesNotExist, s.unknownfolder));
  }
}

bool ReportWriteFailure(const std::string& path) {
  ShowMessage(FormatText("Unable to write to %s", path));
  return false;
}

bool WriteOptions(IniFile& ini, const SETTINGS& s) {
  return ini.WriteString(kSettings, "lang", s.lang) &&
         ini.WriteInteger(kSettings, "double", s.doubleMode) &&
         ini.WriteString(kSettings, "mp3folder", s.mp3folder) &&
         ini.WriteString(kSettings, "movefolder", s.movefolder) &&
         ini.WriteString(kSettings, "unknownfolder", s.unknownfolder) &&
         ini.WriteBool(kSettings, "autostart", s.autostart) &&
         ini.WriteBool(kSettings, "close", s.close) &&
         ini.WriteBool(kSettings, "moveunknown", s.moveunknown) &&
         ini.WriteBool(kSettings, "vbr", s.vbr) &&
         ini.WriteBool(kSettings, "vbrever", s.vbrever) &&
         ini.WriteBool(kSettings, "vbrdouble", s.vbrdouble) &&
         ini.WriteBool(kSettings, "configured", s.configured) &&
         ini.WriteBool(kSettings, "searchinsubfolder", s.searchinsubfolder) &&
         ini.WriteBool(kSettings, "idle", s.idle) &&
         ini.WriteBool(kSettings, "multifolder", s.multifolder);
}

bool WriteFolders(IniFile& ini, const SETTINGS& s) {
  for (const std::string& key : ini.ReadSectionKeys(kFolders)) {
    if (!ini.DeleteKey(kFolders, key)) return false;
  }
  for (size_t i = 0; i < s.folders.size(); ++i) {
    if (!ini.WriteString(kFolders, std::to_string(i), s.folders[i])) return false;
  }
  return true;
}

}  // namespace

std::string SettingsPath() { return AppFolder() + kSettingsFileName; }

void LoadSettings(SETTINGS& settings, const ResultColumns& columns, const MESSAGES& messages,
                  const std::string& path) {
  const IniFile ini(path);
  ReadOptions(ini, settings);
  ReadFolders(ini, settings);
  settings.priority = {0, 1, 2, 3, 4};
  ReadColumnWidths(ini, columns, settings);
  if (settings.configured) WarnAboutMissingFolders(settings, messages);
  SetProcessPriority(settings.idle);
}

bool SaveSettings(const SETTINGS& settings, const std::string& path) {
  IniFile ini(path);
  const bool ok = WriteOptions(ini, settings) && WriteFolders(ini, settings) &&
                  ini.DeleteKey(kSettings, "delete");
  return ok || ReportWriteFailure(path);
}

bool SaveColumnWidths(const ResultColumns& columns, const std::string& path) {
  IniFile ini(path);
  for (int i = 0; i < columns.ColumnCount(); ++i) {
    if (!ini.WriteInteger(kSettings, TitleWidthKey(i), columns.ColumnWidth(i))) {
      return ReportWriteFailure(path);
    }
  }
  return true;
}

void ApplyColumnWidths(const SETTINGS& settings, ResultColumns& columns) {
  columns.BeginUpdate();
  const int count = std::min(columns.ColumnCount(), static_cast<int>(settings.titleWidth.size()));
  for (int i = 0; i < count; ++i) columns.SetColumnWidth(i, settings.titleWidth[static_cast<size_t>(i)]);
  columns.EndUpdate();
}

}  // namespace tarnwick
