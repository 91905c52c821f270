// The options dialog's enabling rules, folder choices, folder list, shortcut
// buttons and the buttons of the (hidden) rule list.

#include <QListWidgetItem>
#include <cstdlib>

#include "platform/app_folder.h"
#include "platform/format.h"
#include "platform/text.h"
#include "settings/settings.h"
#include "shell/folder_picker.h"
#include "shell/shortcuts.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/options_dialog.h"
#include "ui/qt_text.h"

namespace tarnwick {
namespace {

// The picker opens at the field's folder; a field keeps its text when the
// user cancels the picker.
void PickInto(QLineEdit* field, const std::string& title, bool allowNewFolder) {
  const std::string folder = BrowseFolder(title, allowNewFolder, FromQt(field->text()));
  if (!folder.empty()) field->setText(ToQt(folder));
}

// The program as a shortcut should start it. An installed program runs
// through its launcher script, which names itself in TARNWICK_LAUNCHER so
// that shortcuts go through it too.
std::string LinkTarget() {
  const char* launcher = std::getenv("TARNWICK_LAUNCHER");
  return (launcher != nullptr && *launcher != '\0') ? launcher : ExecutablePath();
}

void CreateProgramLink(LinkLocation location, const std::string& success,
                       const LANGUAGE& language) {
  const std::string link =
      CreateLink(LinkTarget(), location, "", "", "", language.OPTIONS.TitleLinkComment);
  ShowMessageBox(link.empty() ? language.MESSAGES.MsgLinkFailed : success);
}

}  // namespace

void TfOptionen::raDoubleClick() {
  const bool move = DoubleItem() == kDoubleMove;
  btnMove->setEnabled(move);
  editMove->setEnabled(move);
  chTrash->setEnabled(DoubleItem() == kDoubleDelete);
}

void TfOptionen::chUnknownClick() {
  btnUnknown->setEnabled(chUnknown->isChecked());
  editUnknown->setEnabled(chUnknown->isChecked());
}

void TfOptionen::chVBRClick() {
  raVBRever->setEnabled(chVBR->isChecked());
  raVBRdouble->setEnabled(chVBR->isChecked());
}

void TfOptionen::chMultiFolderClick() {
  const bool several = chMultiFolder->isChecked();
  btnMultiFolderNew->setEnabled(several);
  btnMultiFolderDelete->setEnabled(several);
  listMultiFolder->setEnabled(several);
  btnSong->setEnabled(!several);
  editSong->setEnabled(!several);
}

void TfOptionen::btnSongClick() {
  PickInto(editSong, fHaupt_.Language().OPTIONS.TitlePickMusic, false);
}

void TfOptionen::btnMoveClick() {
  PickInto(editMove, fHaupt_.Language().OPTIONS.TitlePickMoved, true);
}

void TfOptionen::btnUnknownClick() {
  PickInto(editUnknown, fHaupt_.Language().OPTIONS.TitlePickUnknown, true);
}

// The picker opens at the selected folder of the list, else at the MP3
// folder. The list never tests that a folder exists, but refuses one it
// holds already.
void TfOptionen::btnMultiFolderNewClick() {
  const QListWidgetItem* selected = listMultiFolder->currentItem();
  const QString start = selected != nullptr ? selected->text() : editSong->text();
  const LANGUAGE& language = fHaupt_.Language();
  const std::string picked = BrowseFolder(language.OPTIONS.TitlePickMusic, false, FromQt(start));
  if (picked.empty()) return;
  const QString folder = ToQt(WithTrailingSlash(picked));
  if (!listMultiFolder->findItems(folder, Qt::MatchExactly).isEmpty()) {
    ShowMessageBox(FormatText(language.MESSAGES.MsgFolderListed, FromQt(folder)));
    return;
  }
  listMultiFolder->addItem(folder);
}

void TfOptionen::btnMultiFolderDeleteClick() {
  const QList<QListWidgetItem*> selected = listMultiFolder->selectedItems();
  if (!selected.isEmpty()) delete selected.first();
}

void TfOptionen::btnLinkDesktopClick() {
  const LANGUAGE& language = fHaupt_.Language();
  CreateProgramLink(llDesktop, language.MESSAGES.MsgLinkDesktop, language);
}

void TfOptionen::btnLinkAutostartClick() {
  const LANGUAGE& language = fHaupt_.Language();
  CreateProgramLink(llStartup, language.MESSAGES.MsgLinkAutostart, language);
}

void TfOptionen::btnPrioUpClick() {
  const int at = listPrio->currentRow();
  if (at >= 1) SwapPriorityEntries(at, at - 1);
}

void TfOptionen::btnPrioDownClick() {
  const int at = listPrio->currentRow();
  if (at >= 0 && at < listPrio->count() - 1) SwapPriorityEntries(at, at + 1);
}

// Passes of exchanges that move every entry towards its standard position;
// as many passes as entries put them all in place.
void TfOptionen::btnPrioStdClick() {
  listPrio->setUpdatesEnabled(false);
  const int count = listPrio->count();
  for (int pass = 0; pass < count; ++pass) {
    for (int i = 0; i < count; ++i) {
      const int standard = listPrio->item(i)->data(kStandardPosition).toInt();
      if (i > standard) SwapPriorityEntries(i, standard);
    }
  }
  listPrio->setUpdatesEnabled(true);
}

}  // namespace tarnwick
