#include "ui/window_place.h"

#include <algorithm>

#include "platform/ini_file.h"

namespace tarnwick {
namespace {

constexpr const char* kSettings = "Settings";
constexpr const char* kLeft = "windowLeft";
constexpr const char* kTop = "windowTop";
constexpr const char* kWidth = "windowWidth";
constexpr const char* kHeight = "windowHeight";
constexpr const char* kMaximized = "windowMaximized";

int ReadInt(const IniFile& ini, const char* key) {
  return static_cast<int>(
      std::clamp<long long>(ini.ReadInteger(kSettings, key, 0), -100000, 100000));
}

}  // namespace

std::optional<WindowPlace> LoadWindowPlace(const std::string& path) {
  const IniFile ini(path);
  const QRect geometry(ReadInt(ini, kLeft), ReadInt(ini, kTop), ReadInt(ini, kWidth),
                       ReadInt(ini, kHeight));
  if (geometry.width() <= 0 || geometry.height() <= 0) return std::nullopt;
  return WindowPlace{geometry, ini.ReadBool(kSettings, kMaximized, false)};
}

std::error_code SaveWindowPlace(const WindowPlace& place, const std::string& path) {
  IniFile ini(path);
  const QRect& g = place.geometry;
  for (const auto& [key, value] :
       {std::pair{kLeft, g.x()}, std::pair{kTop, g.y()}, std::pair{kWidth, g.width()},
        std::pair{kHeight, g.height()}, std::pair{kMaximized, place.maximized ? 1 : 0}}) {
    if (const std::error_code error = ini.Set(kSettings, key, std::to_string(value))) return error;
  }
  return ini.Save();
}

QRect FitIntoScreen(QRect wanted, const QRect& available, const QMargins& frame) {
  const QRect room = available.marginsRemoved(frame);
  wanted.setWidth(std::min(wanted.width(), room.width()));
  wanted.setHeight(std::min(wanted.height(), room.height()));
  wanted.moveLeft(std::clamp(wanted.left(), room.left(), room.right() + 1 - wanted.width()));
  wanted.moveTop(std::clamp(wanted.top(), room.top(), room.bottom() + 1 - wanted.height()));
  return wanted;
}

}  // namespace tarnwick
