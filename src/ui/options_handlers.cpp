// The options dialog's enabling rules, folder choices, folder list, shortcut
// buttons and the buttons of the (hidden) rule list.

#include <QListWidgetItem>
#include <cstdlib>

#include "platform/app_folder.h"
#include "platform/text.h"
#include "settings/settings.h"
#include "shell/folder_picker.h"
#include "shell/shortcuts.h"
#include "ui/message_box.h"
#include "ui/options_dialog.h"
#include "ui/qt_text.h"

namespace tarnwick {
namespace {

constexpr const char* kPickMusicFolder = "Musik-Ordner wählen";
constexpr const char* kLinkDescription = "Löscht doppelte MP3-Dateien";
constexpr const char* kLinkFailed = "Fehler beim Erstellen der Verknüpfung";

// A field keeps its text when the user cancels the picker.
void PickInto(QLineEdit* field, const char* title, bool allowNewFolder) {
  const std::string folder = BrowseFolder(title, allowNewFolder);
  if (!folder.empty()) field->setText(ToQt(folder));
}

// The program as a shortcut should start it. An installed program runs
// through its launcher script, which names itself in TARNWICK_LAUNCHER so
// that shortcuts go through it too.
std::string LinkTarget() {
  const char* launcher = std::getenv("TARNWICK_LAUNCHER");
  return (launcher != nullptr && *launcher != '\0') ? launcher : ExecutablePath();
}

void CreateProgramLink(LinkLocation location, const char* success) {
  const std::string link = CreateLink(LinkTarget(), location, "", "", "", kLinkDescription);
  ShowMessageBox(link.empty() ? kLinkFailed : success);
}

}  // namespace

void TfOptionen::raDoubleClick() {
  const bool move = DoubleItem() == kDoubleMove;
  btnMove->setEnabled(move);
  editMove->setEnabled(move);
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

void TfOptionen::btnSongClick() { PickInto(editSong, kPickMusicFolder, false); }

void TfOptionen::btnMoveClick() { PickInto(editMove, "Ordner für doppelte Dateien wählen", true); }

void TfOptionen::btnUnknownClick() {
  PickInto(editUnknown, "Ordner für unbekannte Dateien wählen", true);
}

// The list takes a folder twice if asked to and never tests that it exists.
void TfOptionen::btnMultiFolderNewClick() {
  const std::string folder = BrowseFolder(kPickMusicFolder, false);
  if (!folder.empty()) listMultiFolder->addItem(ToQt(WithTrailingSlash(folder)));
}

void TfOptionen::btnMultiFolderDeleteClick() {
  const QList<QListWidgetItem*> selected = listMultiFolder->selectedItems();
  if (!selected.isEmpty()) delete selected.first();
}

void TfOptionen::btnLinkDesktopClick() {
  CreateProgramLink(llDesktop, "Verknüpfung erfolgreich auf dem Desktop erstellt");
}

void TfOptionen::btnLinkAutostartClick() {
  CreateProgramLink(llStartup, "Verknüpfung erfolgreich im Autostart erstellt");
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
