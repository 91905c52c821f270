#include "ui/options_dialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <algorithm>

#include "platform/files.h"
#include "platform/format.h"
#include "platform/priority.h"
#include "platform/text.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"

namespace tarnwick {
TfOptionen::TfOptionen(TfHaupt& main) : QWidget(nullptr, Qt::Dialog), fHaupt_(main) {
  setObjectName(QStringLiteral("fOptionen"));
  BuildControls();
  ConnectHandlers();
}

void TfOptionen::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TfOptionen::FormShow() {
  FillFromSettings();
  raDoubleClick();
  chUnknownClick();
  chVBRClick();
  chMultiFolderClick();
  FillLanguageList();
  ApplyOptionsTexts();
  AttachStandardPositions();
  const std::vector<int>& priority = fHaupt_.Settings().priority;
  for (size_t i = 0; i < priority.size(); ++i)
    SwapPriorityEntries(static_cast<int>(i), priority[i]);
}

void TfOptionen::FillFromSettings() {
  const SETTINGS& s = fHaupt_.Settings();
  editSong->setText(ToQt(s.mp3folder));
  editMove->setText(ToQt(s.movefolder));
  editUnknown->setText(ToQt(s.unknownfolder));
  raDoubleItems->button(s.doubleMode)->setChecked(true);
  chAutostart->setChecked(s.autostart);
  chClose->setChecked(s.close);
  chUnknown->setChecked(s.moveunknown);
  chVBR->setChecked(s.vbr);
  SetVbrChoice(s.vbrever, s.vbrdouble);
  chSubFolder->setChecked(s.searchinsubfolder);
  chIdle->setChecked(s.idle);
  chTrash->setChecked(s.trash);
  chCheckPairs->setChecked(s.checkpairs);
  chMultiFolder->setChecked(s.multifolder);
  listMultiFolder->clear();
  for (const std::string& folder : s.folders) listMultiFolder->addItem(ToQt(folder));
}

// Two radio buttons of one set, which may also both be off. Set one after
// the other, the second wins when both are on.
void TfOptionen::SetVbrChoice(bool ever, bool twice) {
  raVBRever->setAutoExclusive(false);
  raVBRdouble->setAutoExclusive(false);
  raVBRever->setChecked(ever && !twice);
  raVBRdouble->setChecked(twice);
  raVBRever->setAutoExclusive(true);
  raVBRdouble->setAutoExclusive(true);
}

void TfOptionen::AttachStandardPositions() {
  for (int i = 0; i < listPrio->count(); ++i) listPrio->item(i)->setData(kStandardPosition, i);
}

// Swaps two entries of the rule list, each with its text and standard position.
void TfOptionen::SwapPriorityEntries(int a, int b) {
  if (a == b || a < 0 || b < 0 || a >= listPrio->count() || b >= listPrio->count()) return;
  const int low = std::min(a, b);
  const int high = std::max(a, b);
  QListWidgetItem* later = listPrio->takeItem(high);
  QListWidgetItem* earlier = listPrio->takeItem(low);
  listPrio->insertItem(low, later);
  listPrio->insertItem(high, earlier);
}

void TfOptionen::closeEvent(QCloseEvent* event) {
  FormClose();
  QWidget::closeEvent(event);
}

void TfOptionen::FormClose() {
  for (int i = 0; i < listPrio->count(); ++i) listPrio->item(i)->setData(kStandardPosition, {});
  fHaupt_.setEnabled(true);
}

void TfOptionen::btnAbortClick() { close(); }

void TfOptionen::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    btnAbortClick();
    return;
  }
  QWidget::keyPressEvent(event);
}

// A failed check or a refused settings file keeps the dialog open; the
// language switches only once the settings are written.
void TfOptionen::btnOKClick() {
  if (!ValidateInput()) return;
  AddTrailingSlashes();
  CopyToSettings();
  SETTINGS& s = fHaupt_.Settings();
  SetProcessPriority(chIdle->isChecked());
  s.configured = true;
  if (!SaveSettings(s, SettingsPath(), ShowMessageBox)) return;
  fHaupt_.ReloadLanguage();
  close();
}

// At most one message per press: the first check that fails ends it.
bool TfOptionen::ValidateInput() {
  const MESSAGES& m = fHaupt_.Language().MESSAGES;
  if (!chMultiFolder->isChecked() && !CheckFolderField(editSong, m.MsgFolderMP3DoesNotExist)) {
    return false;
  }
  if (chMultiFolder->isChecked() && listMultiFolder->count() == 0) {
    pcTabs->setCurrentWidget(ts2);
    ShowMessageBox(m.MsgNoFolderListed);
    return false;
  }
  if (DoubleItem() == kDoubleMove && !CheckFolderField(editMove, m.MsgFolderMovedDoesNotExist)) {
    return false;
  }
  if (chUnknown->isChecked() && !CheckFolderField(editUnknown, m.MsgFolderUnknownDoesNotExist)) {
    return false;
  }
  if (listPrio->count() == 0) {
    pcTabs->setCurrentWidget(ts2);
    ShowMessageBox(m.MsgNoPriorities);
    return false;
  }
  return true;
}

// `message` names the folder of the field with its placeholder.
bool TfOptionen::CheckFolderField(QLineEdit* field, const std::string& message) {
  const std::string text = FromQt(field->text());
  if (IsDirectory(text)) return true;
  pcTabs->setCurrentWidget(ts1);
  field->setFocus();
  field->selectAll();
  ShowMessageBox(FormatText(message, text));
  return false;
}

void TfOptionen::AddTrailingSlashes() {
  const auto add = [](QLineEdit* field) {
    field->setText(ToQt(WithTrailingSlash(FromQt(field->text()))));
  };
  add(editSong);
  if (DoubleItem() == kDoubleMove) add(editMove);
  if (chUnknown->isChecked()) add(editUnknown);
}

// The rule order is never edited or stored: `priority` keeps its values and
// only follows the number of rules.
void TfOptionen::CopyToSettings() {
  SETTINGS& s = fHaupt_.Settings();
  const int language = cbLang->currentIndex();
  if (language >= 0) s.lang = languageFiles[static_cast<size_t>(language)];
  s.doubleMode = DoubleItem();
  s.mp3folder = FromQt(editSong->text());
  s.movefolder = FromQt(editMove->text());
  s.unknownfolder = FromQt(editUnknown->text());
  s.autostart = chAutostart->isChecked();
  s.close = chClose->isChecked();
  s.moveunknown = chUnknown->isChecked();
  s.vbr = chVBR->isChecked();
  s.vbrever = raVBRever->isChecked();
  s.vbrdouble = raVBRdouble->isChecked();
  s.searchinsubfolder = chSubFolder->isChecked();
  s.idle = chIdle->isChecked();
  s.trash = chTrash->isChecked();
  s.checkpairs = chCheckPairs->isChecked();
  s.multifolder = chMultiFolder->isChecked();
  s.priority.resize(static_cast<size_t>(listPrio->count()));
  s.folders.clear();
  for (int i = 0; i < listMultiFolder->count(); ++i) {
    s.folders.push_back(FromQt(listMultiFolder->item(i)->text()));
  }
}

}  // namespace tarnwick
