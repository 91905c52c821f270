#include "ui/countdown_window.h"

#include <QKeyEvent>
#include <QShowEvent>

#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/run_texts.h"

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

// The window takes the focus, so that Enter, Space and Esc reach its button.
void TfEnde::FormShow() {
  move(fHaupt_.geometry().center() - rect().center());
  secondsLeft = 5;
  ShowCountdown();
  Timer1->start();
  activateWindow();
  btnCancel->setFocus();
}

void TfEnde::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    btnCancelClick();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TfEnde::ShowCountdown() {
  btnCancel->setText(ToQt(fHaupt_.Language().MAIN.ButtonCancel));
  ShowSecondsLeft();
}

void TfEnde::ShowSecondsLeft() {
  const MAIN& texts = fHaupt_.Language().MAIN;
  lblEnde->setText(ToQt(CountText(texts.TitleCloseInX, texts.TitleCloseIn1, secondsLeft)));
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
