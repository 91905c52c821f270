#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>
#include <string>
#include <vector>

namespace tarnwick {

class TfHaupt;

// The options dialog. It is shown and hidden, never destroyed; while it is
// visible the main window is disabled, so it acts modally without an event
// loop of its own. Every showing fills it from the settings, so edits that
// were not confirmed with OK (or were dropped with Esc) are gone the next time.
class TfOptionen : public QWidget {
  Q_OBJECT

 public:
  explicit TfOptionen(TfHaupt& main);

  void btnOKClick();
  void btnAbortClick();
  void btnSongClick();
  void btnMoveClick();
  void btnUnknownClick();
  void btnMultiFolderNewClick();
  void btnMultiFolderDeleteClick();
  void btnLinkDesktopClick();
  void btnLinkAutostartClick();
  void raDoubleClick();
  void chUnknownClick();
  void chVBRClick();
  void chMultiFolderClick();
  void btnPrioUpClick();
  void btnPrioDownClick();
  void btnPrioStdClick();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildControls();
  QWidget* BuildPage1();
  QWidget* BuildPage2();
  void BuildDoubleGroup(QWidget* page);
  void BuildPriorityGroup(QWidget* page);
  void ConnectHandlers();

  void FormShow();
  void FormClose();
  void FillFromSettings();
  void FillLanguageList();
  void ApplyOptionsTexts();
  void AttachStandardPositions();

  bool ValidateInput();
  bool CheckFolderField(QLineEdit* field, const std::string& message);
  void AddTrailingSlashes();
  void CopyToSettings();

  int DoubleItem() const { return raDoubleItems->checkedId(); }
  void SetVbrChoice(bool ever, bool twice);
  void SwapPriorityEntries(int a, int b);

  // The data role of a rule entry that holds its place in the standard
  // order, set while the dialog is visible.
  static constexpr int kStandardPosition = Qt::UserRole;

  TfHaupt& fHaupt_;
  std::vector<std::string> languageFiles;

  QTabWidget* pcTabs = nullptr;
  QWidget* ts1 = nullptr;
  QWidget* ts2 = nullptr;
  QLabel* lblLang = nullptr;
  QComboBox* cbLang = nullptr;
  QPushButton* btnSong = nullptr;
  QLineEdit* editSong = nullptr;
  QPushButton* btnMove = nullptr;
  QLineEdit* editMove = nullptr;
  QPushButton* btnUnknown = nullptr;
  QLineEdit* editUnknown = nullptr;
  QPushButton* btnLinkDesktop = nullptr;
  QPushButton* btnLinkAutostart = nullptr;
  QGroupBox* raDouble = nullptr;
  QButtonGroup* raDoubleItems = nullptr;
  QCheckBox* chVBR = nullptr;
  QRadioButton* raVBRever = nullptr;
  QRadioButton* raVBRdouble = nullptr;
  QCheckBox* chAutostart = nullptr;
  QCheckBox* chClose = nullptr;
  QCheckBox* chUnknown = nullptr;
  QCheckBox* chSubFolder = nullptr;
  QCheckBox* chIdle = nullptr;
  QCheckBox* chTrash = nullptr;
  QCheckBox* chCheckPairs = nullptr;
  QGroupBox* groupMultiFolder = nullptr;
  QCheckBox* chMultiFolder = nullptr;
  QListWidget* listMultiFolder = nullptr;
  QPushButton* btnMultiFolderNew = nullptr;
  QPushButton* btnMultiFolderDelete = nullptr;
  QGroupBox* groupPrio = nullptr;
  QListWidget* listPrio = nullptr;
  QPushButton* btnPrioUp = nullptr;
  QPushButton* btnPrioDown = nullptr;
  QPushButton* btnPrioStd = nullptr;
  QPushButton* btnOK = nullptr;
  QPushButton* btnAbort = nullptr;
};

}  // namespace tarnwick
