#pragma once

#include <QStringList>

#include "ui/countdown_window.h"
#include "ui/main_window.h"
#include "ui/options_dialog.h"

namespace tarnwick {

// The program's three windows, created once in this order and kept until it
// ends. The main window's start-up runs while it is created, before the
// other two exist.
struct Program {
  explicit Program(const QStringList& arguments);

  TfHaupt fHaupt;
  TfOptionen fOptionen;
  TfEnde fEnde;
};

}  // namespace tarnwick
