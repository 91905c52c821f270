#include "settings/settings_keys.h"

namespace tarnwick {
namespace {

constexpr SettingsKey Text(const char* name, SettingsKey::TextField field, const char* fallback) {
  return {name, field, fallback};
}
constexpr SettingsKey Folder(const char* name, SettingsKey::TextField field) {
  return {name, field, "", 0, true};
}
constexpr SettingsKey Flag(const char* name, SettingsKey::FlagField field, bool fallback) {
  return {name, field, "", fallback ? 1 : 0};
}

constexpr SettingsKey kKeys[] = {
    Text("lang", &SETTINGS::lang, "english.ini"),
    {"double", &SETTINGS::doubleMode, "", kDoubleShow},
    Folder("mp3folder", &SETTINGS::mp3folder),
    Folder("movefolder", &SETTINGS::movefolder),
    Folder("unknownfolder", &SETTINGS::unknownfolder),
    Flag("autostart", &SETTINGS::autostart, false),
    Flag("close", &SETTINGS::close, false),
    Flag("moveunknown", &SETTINGS::moveunknown, false),
    Flag("vbr", &SETTINGS::vbr, false),
    Flag("vbrever", &SETTINGS::vbrever, false),
    Flag("vbrdouble", &SETTINGS::vbrdouble, true),
    Flag("configured", &SETTINGS::configured, false),
    Flag("searchinsubfolder", &SETTINGS::searchinsubfolder, false),
    Flag("idle", &SETTINGS::idle, false),
    Flag("multifolder", &SETTINGS::multifolder, false),
    Flag("trash", &SETTINGS::trash, true),
    Flag("checkpairs", &SETTINGS::checkpairs, true),
    Flag("strictchecks", &SETTINGS::strictchecks, true),
};

}  // namespace

std::span<const SettingsKey> SettingsKeys() { return kKeys; }

}  // namespace tarnwick
