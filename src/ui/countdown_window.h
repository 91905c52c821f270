#pragma once

#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

namespace tarnwick {

class TfHaupt;

// Ends an unattended search: counts down from five seconds, one a second,
// and closes the main window a second after it has shown 0, unless the user
// cancels with its button or Esc. Each showing starts again from five.
class TfEnde : public QWidget {
  Q_OBJECT

 public:
  explicit TfEnde(TfHaupt& main);

  void Timer1Timer();
  void btnCancelClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FormShow();
  void ShowCountdown();
  void ShowSecondsLeft();

  TfHaupt& fHaupt_;
  int secondsLeft = 0;
  QLabel* lblEnde = nullptr;
  QPushButton* btnCancel = nullptr;
  QTimer* Timer1 = nullptr;
};

}  // namespace tarnwick
