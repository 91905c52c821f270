#pragma once

#include <QMargins>
#include <QRect>
#include <optional>
#include <string>
#include <system_error>

namespace tarnwick {

// Where the main window was when it closed: its normal place, and whether
// it was maximised. Kept in the section "Settings" of the settings file
// beside the column widths.
struct WindowPlace {
  QRect geometry;
  bool maximized = false;
};

// None when the file holds no usable place.
std::optional<WindowPlace> LoadWindowPlace(const std::string& path);
std::error_code SaveWindowPlace(const WindowPlace& place, const std::string& path);

// `wanted` made to fit into `available` with its frame: no larger than the
// room, and moved inside it.
QRect FitIntoScreen(QRect wanted, const QRect& available, const QMargins& frame);

}  // namespace tarnwick
