// The main window as the user interface of a run.

#include <QCoreApplication>
#include <algorithm>

#include "platform/file_errors.h"
#include "platform/format.h"
#include "ui/countdown_window.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"

namespace tarnwick {

// Nobody would answer a box during an unattended run: the message goes into
// the list with the folder in work, after those of the start.
void TfHaupt::ShowMessage(const std::string& text) {
  if (!unattended_) {
    ShowMessageBox(text);
    return;
  }
  ShowPendingNotes();
  lstInfo->Model().AppendOwn(RowRole::kMessage, text, settings_.mp3folder);
}

void TfHaupt::ProgressReset() { pBar->setValue(pBar->minimum()); }

// A maximum equal to the minimum would turn the bar into a busy indicator.
void TfHaupt::SetProgressMax(int n) { pBar->setMaximum(std::max(n, pBar->minimum() + 1)); }

void TfHaupt::SetProgressPosition(int n) { pBar->setValue(n); }

void TfHaupt::ClearRows() {
  lstInfo->Model().Clear();
  ShowPendingNotes();
}

void TfHaupt::AppendRow(const ResultRow& row) {
  AddErrorCaption();
  lstInfo->Model().Append(row);
}

void TfHaupt::ProcessPendingEvents() { QCoreApplication::processEvents(); }

void TfHaupt::SetRunButtons(bool enabled) {
  btnTarnwick->setEnabled(enabled);
  btnOptionen->setEnabled(enabled);
  btnFehler->setEnabled(enabled);
  btnUndo->setEnabled(enabled);
}

void TfHaupt::SetExitButton(const std::string& text) { btnEnde->setText(ToQt(text)); }

void TfHaupt::ShowExitCountdown() { fEnde_->show(); }

void TfHaupt::SetStatusText(int panel, const std::string& text) {
  sbInfo->clearMessage();
  sbPanels.at(static_cast<size_t>(panel))->setText(ToQt(text));
}

// A folder locked by another run has had its message already.
void TfHaupt::FolderNotSearched(const std::string& folder, std::error_code why) {
  if (why == FileError::kFolderLocked) return;
  const std::string text =
      FormatText(language_.RESULTS.MsgFolderNotSearched, folder) + ": " + why.message();
  lstInfo->Model().AppendOwn(RowRole::kMessage, text, folder);
}

void TfHaupt::FileActionTried(const FileAction& action) { lstInfo->Model().Apply(action); }

void TfHaupt::PairHeld(const HeldPair& held) { lstInfo->Model().Hold(held); }

}  // namespace tarnwick
