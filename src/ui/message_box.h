#pragma once

#include <QString>
#include <string>

namespace tarnwick {

// The application title, "Tarnwick" or "Tarnwick Debug-Modus" in debug mode,
// is the caption of every message box.
void SetApplicationTitle(const QString& title);
QString ApplicationTitle();

// The message sink of the desktop program: a modal box with one OK button,
// captioned with the application title.
void ShowMessageBox(const std::string& text);

}  // namespace tarnwick
