#include "ui/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/qt_text.h"

namespace tarnwick {
namespace {

QString& Title() {
  static QString title = QStringLiteral("Tarnwick");
  return title;
}

}  // namespace

void SetApplicationTitle(const QString& title) { Title() = title; }

QString ApplicationTitle() { return Title(); }

void ShowMessageBox(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, ApplicationTitle(), ToQt(text), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

}  // namespace tarnwick
