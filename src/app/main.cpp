// tarnwick: the desktop program. Finds songs stored twice in an MP3 folder
// and keeps the better copy.

#include <QApplication>
#include <QIcon>

#include "ui/program.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/tarnwick.png")));
  // Desktops match the windows with the installed menu entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("tarnwick"));
  // The program ends when its main window closes, not when its last window
  // does: a run may still be going on then, and the countdown window closes
  // the main window while it is itself visible.
  QApplication::setQuitOnLastWindowClosed(false);
  tarnwick::Program program(QApplication::arguments());
  QObject::connect(&program.fHaupt, &tarnwick::TfHaupt::Closed, &app,
                   [] { QCoreApplication::exit(0); });
  program.fHaupt.show();
  return QApplication::exec();
}
