#include "settings/settings.h"

#include <algorithm>

#include "platform/app_folder.h"
#include "platform/files.h"
#include "platform/format.h"
#include "platform/ini_file.h"
#include "platform/priority.h"
#include "platform/text.h"
#include "settings/folder_checks.h"
#include "settings/settings_keys.h"

namespace tarnwick {
namespace {

constexpr const char* kSettings = "Settings";
constexpr const char* kFolders = "Folders";

std::string TitleWidthKey(int column) { return "titleWidth" + std::to_string(column); }

template <class... Visitors>
struct Overloaded : Visitors... {
  using Visitors::operator()...;
};
// Clang before 17 deduces no aggregate's template arguments on its own.
template <class... Visitors>
Overloaded(Visitors...) -> Overloaded<Visitors...>;

void ReadKey(const IniFile& ini, const SettingsKey& key, SETTINGS& s) {
  std::visit(Overloaded{
                 [&](SettingsKey::TextField field) {
                   std::string value = ini.ReadString(kSettings, key.name, key.textFallback);
                   s.*field = key.folder ? WithTrailingSlash(std::move(value)) : value;
                 },
                 [&](SettingsKey::NumberField field) {
                   s.*field = static_cast<int>(ini.ReadInteger(kSettings, key.name, key.fallback));
                 },
                 [&](SettingsKey::FlagField field) {
                   s.*field = ini.ReadBool(kSettings, key.name, key.fallback != 0);
                 },
             },
             key.field);
}

std::string ValueText(const SettingsKey& key, const SETTINGS& s) {
  return std::visit(
      Overloaded{
          [&](SettingsKey::TextField field) { return s.*field; },
          [&](SettingsKey::NumberField field) { return std::to_string(s.*field); },
          [&](SettingsKey::FlagField field) { return std::string(s.*field ? "1" : "0"); },
      },
      key.field);
}

void ReadOptions(const IniFile& ini, SETTINGS& s) {
  for (const SettingsKey& key : SettingsKeys()) ReadKey(ini, key, s);
  if (s.doubleMode < kDoubleShow || s.doubleMode > kDoubleDelete) s.doubleMode = kDoubleShow;
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

std::error_code SetOptions(IniFile& ini, const SETTINGS& s) {
  for (const SettingsKey& key : SettingsKeys()) {
    if (const std::error_code error = ini.Set(kSettings, key.name, ValueText(key, s))) return error;
  }
  return {};
}

std::error_code SetFolders(IniFile& ini, const SETTINGS& s) {
  for (const std::string& key : ini.ReadSectionKeys(kFolders)) ini.Remove(kFolders, key);
  for (size_t i = 0; i < s.folders.size(); ++i) {
    if (const std::error_code error = ini.Set(kFolders, std::to_string(i), s.folders[i])) {
      return error;
    }
  }
  return {};
}

// Every change goes into one atomic write, so the file is never seen half
// saved; a refusal keeps the file as it was.
bool SaveOrReport(const IniFile& ini, std::error_code error, const MessageSink& show) {
  if (!error) error = ini.Save();
  if (!error) return true;
  show(FormatText("Unable to write to %s", ini.Path()) + ": " + error.message());
  return false;
}

}  // namespace

std::string SettingsPath() { return AppFolder() + kSettingsFileName; }

void LoadSettings(SETTINGS& settings, const ResultColumns& columns, const MESSAGES& messages,
                  const std::string& path, const MessageSink& show) {
  // A FIFO or folder in its place reads as no file, and says so.
  if (FileExists(path) && !IsRegularFile(path)) {
    show(FormatText("Unable to read %s", path) + ": not a regular file");
  }
  const IniFile ini(path);
  ReadOptions(ini, settings);
  ReadFolders(ini, settings);
  settings.priority = {0, 1, 2, 3, 4};
  ReadColumnWidths(ini, columns, settings);
  // Start-up only warns, about every missing folder; the values stay as loaded.
  if (settings.configured) {
    for (const std::string& message : MissingFolderMessages(settings, messages, {})) show(message);
  }
  SetProcessPriority(settings.idle);
}

bool SaveSettings(const SETTINGS& settings, const std::string& path, const MessageSink& show) {
  IniFile ini(path);
  std::error_code error = SetOptions(ini, settings);
  if (!error) error = SetFolders(ini, settings);
  ini.Remove(kSettings, "delete");
  return SaveOrReport(ini, error, show);
}

bool SaveColumnWidths(const ResultColumns& columns, const std::string& path,
                      const MessageSink& show) {
  IniFile ini(path);
  std::error_code error;
  for (int i = 0; i < columns.ColumnCount() && !error; ++i) {
    error = ini.Set(kSettings, TitleWidthKey(i), std::to_string(columns.ColumnWidth(i)));
  }
  return SaveOrReport(ini, error, show);
}

void ApplyColumnWidths(const SETTINGS& settings, ResultColumns& columns) {
  columns.BeginUpdate();
  const int count = std::min(columns.ColumnCount(), static_cast<int>(settings.titleWidth.size()));
  for (int i = 0; i < count; ++i) {
    columns.SetColumnWidth(i, settings.titleWidth[static_cast<size_t>(i)]);
  }
  columns.EndUpdate();
}

}  // namespace tarnwick
