#include "ui/countdown_window.h"

#include <QShowEvent>

#include "platform/format.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"

namespace tarnwick {

// A small tool window above all others, with a title bar but no buttons in it.
TfEnde::TfEnde(TfHaupt& main)
    : QWidget(nullptr,
              Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      fHaupt_(main) {
  setObjectName(QStringLiteral("fEnde"));
  setWindowTitle(QStringLiteral("Tarnwick"));
  UseDesignFont(*this);
  setFixedSize(337, 90);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setAutoFillBackground(true);
  lblEnde = new QLabel(QStringLiteral("Das Programm beendet sich in 0 Sekunden"), this);
  lblEnde->setObjectName(QStringLiteral("lblEnde"));
  lblEnde->setGeometry(5, 8, 321, 25);
  lblEnde->setAlignment(Qt::AlignCenter);
  lblEnde->setFont(ArialFont(16));
  btnCancel = new QPushButton(QStringLiteral("&Abbrechen"), this);
  btnCancel->setObjectName(QStringLiteral("btnCancel"));
  btnCancel->setGeometry(8, 40, 321, 41);
  btnCancel->setFont(ArialFont(19));
  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, &TfEnde::Timer1Timer);
  connect(btnCancel, &QPushButton::clicked, this, &TfEnde::btnCancelClick);
}

void TfEnde::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TfEnde::FormShow() {
  move(fHaupt_.geometry().center() - rect().center());
  secondsLeft = 5;
  ShowCountdown();
  Timer1->start();
}

void TfEnde::ShowCountdown() {
  btnCancel->setText(ToQt(fHaupt_.Language().MAIN.ButtonCancel));
  ShowSecondsLeft();
}

void TfEnde::ShowSecondsLeft() {
  lblEnde->setText(ToQt(FormatText(fHaupt_.Language().MAIN.TitleCloseInX, secondsLeft)));
}

// The tick after 0 ends the program. The countdown stops first, so a run
// that still has to wind up cannot make it close the window again.
void TfEnde::Timer1Timer() {
  if (secondsLeft <= 0) {
    Timer1->stop();
    hide();
    fHaupt_.close();
    return;
  }
  --secondsLeft;
  ShowSecondsLeft();
}

void TfEnde::btnCancelClick() {
  Timer1->stop();
  hide();
}

}  // namespace tarnwick
