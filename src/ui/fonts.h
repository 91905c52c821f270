#pragma once

#include <QFont>
#include <QWidget>

namespace tarnwick {

// Arial at a height in pixels; the font system picks its metric twin
// (Liberation Sans, Nimbus Sans) where Arial itself is missing.
inline QFont ArialFont(int pixels, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// The windows are laid out in pixels for a sans-serif font 11 pixels high.
// Arial at that height is about as wide, so the texts fit their places.
inline void UseDesignFont(QWidget& window) { window.setFont(ArialFont(11)); }

}  // namespace tarnwick
