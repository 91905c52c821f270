// The main window as the user interface of a run.

#include <QCoreApplication>
#include <algorithm>

#include "ui/countdown_window.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"

namespace tarnwick {

void TfHaupt::ShowMessage(const std::string& text) { ShowMessageBox(text); }

void TfHaupt::ProgressReset() { pBar->setValue(pBar->minimum()); }

// A maximum equal to the minimum would turn the bar into a busy indicator.
void TfHaupt::SetProgressMax(int n) { pBar->setMaximum(std::max(n, pBar->minimum() + 1)); }

void TfHaupt::SetProgressPosition(int n) { pBar->setValue(n); }

void TfHaupt::ClearRows() { lstInfo->Model().Clear(); }

void TfHaupt::AppendRow(const ResultRow& row) { lstInfo->Model().Append(row); }

void TfHaupt::ProcessPendingEvents() { QCoreApplication::processEvents(); }

void TfHaupt::SetRunButtons(bool enabled) {
  btnTarnwick->setEnabled(enabled);
  btnOptionen->setEnabled(enabled);
  btnFehler->setEnabled(enabled);
}

void TfHaupt::SetExitButton(const std::string& text) { btnEnde->setText(ToQt(text)); }

void TfHaupt::ShowExitCountdown() { fEnde_->show(); }

void TfHaupt::SetStatusText(int panel, const std::string& text) {
  sbPanels.at(static_cast<size_t>(panel))->setText(ToQt(text));
}

}  // namespace tarnwick
