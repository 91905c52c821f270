// The texts of the options dialog: the language list and the language's
// texts on every control.

#include <algorithm>

#include "settings/language.h"
#include "ui/main_window.h"
#include "ui/options_dialog.h"
#include "ui/qt_text.h"

namespace tarnwick {

void TfOptionen::FillLanguageList() {
  const LanguageList list = tarnwick::FillLanguageList(fHaupt_.Settings().lang);
  cbLang->clear();
  for (const std::string& name : list.displayNames) cbLang->addItem(ToQt(name));
  languageFiles = list.languageFiles;
  cbLang->setCurrentIndex(list.selected);
}

void TfOptionen::ApplyOptionsTexts() {
  const LANGUAGE& language = fHaupt_.Language();
  const TAB1& t1 = language.OPTIONS.TAB1;
  const TAB2& t2 = language.OPTIONS.TAB2;
  setWindowTitle(ToQt(language.OPTIONS.TitleOptions));
  btnOK->setText(ToQt(language.GENERAL.ButtonOk));
  btnAbort->setText(ToQt(language.GENERAL.ButtonCancel));
  pcTabs->setTabText(pcTabs->indexOf(ts1), ToQt(t1.name));
  lblLang->setText(ToQt(t1.TitleLanguage));
  // The label grows with its text, as the labels of the design do.
  lblLang->resize(std::max(lblLang->sizeHint().width(), 43), lblLang->height());
  btnSong->setText(ToQt(t1.ButtonMP3));
  btnMove->setText(ToQt(t1.ButtonMove));
  btnUnknown->setText(ToQt(t1.ButtonUnknown));
  btnLinkDesktop->setText(ToQt(t1.ButtonShortDesk));
  btnLinkAutostart->setText(ToQt(t1.ButtonShortAuto));
  raDouble->setTitle(ToQt(t1.TitleDouble));
  raDoubleItems->button(0)->setText(ToQt(t1.TitleDoubleDisplay));
  raDoubleItems->button(1)->setText(ToQt(t1.TitleDoubleMove));
  raDoubleItems->button(2)->setText(ToQt(t1.TitleDoubleDelete));
  chVBR->setText(ToQt(t1.TitleVBR));
  raVBRever->setText(ToQt(t1.TitleVBREver));
  raVBRdouble->setText(ToQt(t1.TitleVBRDouble));
  chAutostart->setText(ToQt(t1.TitleSearchStart));
  chClose->setText(ToQt(t1.TitleSearchStop));
  chUnknown->setText(ToQt(t1.TitleMoveUnknown));
  chSubFolder->setText(ToQt(t1.TitleRecursive));
  chIdle->setText(ToQt(t1.TitleLowPriority));
  chTrash->setText(ToQt(t1.TitleTrash));
  chCheckPairs->setText(ToQt(t1.TitleCheckPairs));
  pcTabs->setTabText(pcTabs->indexOf(ts2), ToQt(t2.name));
  btnMultiFolderNew->setText(ToQt(t2.ButtonAdd));
  btnMultiFolderDelete->setText(ToQt(t2.ButtonDelete));
  groupMultiFolder->setTitle(ToQt(t2.TitleMultipleMP3));
  chMultiFolder->setText(ToQt(t2.TitleActivate));
  groupPrio->setTitle(ToQt(t2.TitlePriority));
  btnPrioUp->setText(ToQt(t2.ButtonUp));
  btnPrioDown->setText(ToQt(t2.ButtonDown));
  btnPrioStd->setText(ToQt(t2.ButtonStandard));
  // The list has one entry per rule; texts beyond the last rule have no entry.
  const int count = std::min(listPrio->count(), static_cast<int>(t2.PriorityTexts.size()));
  for (int i = 0; i < count; ++i) {
    listPrio->item(i)->setText(ToQt(t2.PriorityTexts[static_cast<size_t>(i)]));
  }
}

}  // namespace tarnwick
