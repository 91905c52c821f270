// The controls of the options dialog, at the places and sizes of its design.
// Places are relative to the page or group that holds a control.

#include <QScreen>
#include <initializer_list>
#include <type_traits>

#include "ui/fonts.h"
#include "ui/options_dialog.h"

namespace tarnwick {
namespace {

template <typename Control>
Control* Place(QWidget* parent, const char* name, const char* text, int left, int top, int width,
               int height) {
  auto* control = new Control(parent);
  control->setObjectName(QLatin1String(name));
  if constexpr (std::is_base_of_v<QAbstractButton, Control> || std::is_same_v<QLabel, Control>) {
    control->setText(QString::fromUtf8(text));
  } else if constexpr (std::is_same_v<QGroupBox, Control>) {
    control->setTitle(QString::fromUtf8(text));
  }
  control->setGeometry(left, top, width, height);
  return control;
}

constexpr int kExtraHeight = 20;

constexpr const char* kPriorityEntries[] = {
    "- variable Bitrate besser als statische Bitrate",
    "- höhere Bitrate (bessere Qualität)",
    "- kleinere Fehleranzahl",
    "- längeres Lied",
    "- das erste der beiden Lieder (letzte Regel)",
};

}  // namespace

void TfOptionen::BuildControls() {
  setWindowTitle(QStringLiteral("Optionen"));
  UseDesignFont(*this);
  // Taller than designed by one row of check boxes, kExtraHeight, for the
  // trash and the pair check below the first page's last row.
  setFixedSize(376, 304 + kExtraHeight);
  move(screen()->availableGeometry().center() - rect().center());
  pcTabs = Place<QTabWidget>(this, "pcTabs", "", 0, 0, 376, 273 + kExtraHeight);
  pcTabs->addTab(BuildPage1(), QStringLiteral("Allgemein"));
  pcTabs->addTab(BuildPage2(), QStringLiteral("Ordner"));
  btnOK = Place<QPushButton>(this, "btnOK", "&OK", 176, 275 + kExtraHeight, 91, 21);
  btnAbort = Place<QPushButton>(this, "btnAbort", "&Abbrechen", 274, 275 + kExtraHeight, 91, 21);
  btnOK->setDefault(true);
}

QWidget* TfOptionen::BuildPage1() {
  ts1 = new QWidget;
  ts1->setObjectName(QStringLiteral("ts1"));
  lblLang = Place<QLabel>(ts1, "lblLang", "Sprache:", 8, 8, 43, 21);
  cbLang = Place<QComboBox>(ts1, "cbLang", "", 176, 8, 185, 21);
  btnSong = Place<QPushButton>(ts1, "btnSong", "MP3-Ordner", 8, 32, 161, 21);
  editSong = Place<QLineEdit>(ts1, "editSong", "", 176, 32, 185, 21);
  btnMove = Place<QPushButton>(ts1, "btnMove", "verschobene Dateien", 8, 56, 161, 21);
  editMove = Place<QLineEdit>(ts1, "editMove", "", 176, 56, 185, 21);
  btnUnknown = Place<QPushButton>(ts1, "btnUnknown", "unbekannte Dateien", 8, 80, 161, 21);
  editUnknown = Place<QLineEdit>(ts1, "editUnknown", "", 176, 80, 185, 21);
  for (QLineEdit* edit : {editSong, editMove, editUnknown}) edit->setReadOnly(true);
  btnLinkDesktop =
      Place<QPushButton>(ts1, "btnLinkDesktop", "Verknüpfung auf Desktop", 8, 112, 161, 21);
  btnLinkAutostart =
      Place<QPushButton>(ts1, "btnLinkAutostart", "Verknüpfung im Autostart", 8, 136, 161, 21);
  BuildDoubleGroup(ts1);
  chVBR = Place<QCheckBox>(ts1, "chVBR", "VBR - Dateien bevorzugen", 176, 112, 161, 17);
  raVBRever = Place<QRadioButton>(ts1, "raVBRever", "immer bevorzugen", 192, 128, 145, 17);
  // Wider than designed, to the column's right edge like the boxes below:
  // the design's 145 pixels cut the text in both languages.
  raVBRdouble =
      Place<QRadioButton>(ts1, "raVBRdouble", "wie CBR mit doppelten bps", 192, 144, 169, 17);
  chAutostart =
      Place<QCheckBox>(ts1, "chAutostart", "Suche bei Programmstart starten", 176, 160, 185, 17);
  chClose = Place<QCheckBox>(ts1, "chClose", "Programm nach Suche beenden", 176, 176, 185, 17);
  chUnknown =
      Place<QCheckBox>(ts1, "chUnknown", "Unbekannte Dateien verschieben", 176, 192, 185, 17);
  chSubFolder = Place<QCheckBox>(ts1, "chSubFolder", "Unterordner durchsuchen", 176, 208, 185, 17);
  chIdle = Place<QCheckBox>(ts1, "chIdle", "mit niedriger Priorität starten", 176, 224, 185, 17);
  chCheckPairs =
      Place<QCheckBox>(ts1, "chCheckPairs", "Check both are the same song", 176, 240, 185, 17);
  return ts1;
}

void TfOptionen::BuildDoubleGroup(QWidget* page) {
  raDouble = Place<QGroupBox>(page, "raDouble", "Doppelte Dateien", 8, 160, 161, 73);
  raDoubleItems = new QButtonGroup(raDouble);
  const char* items[] = {"anzeigen", "verschieben", "löschen"};
  for (int i = 0; i < 3; ++i) {
    const std::string name = "raDoubleItem" + std::to_string(i);
    auto* item = Place<QRadioButton>(raDouble, name.c_str(), items[i], 8, 16 + 17 * i, 145, 17);
    raDoubleItems->addButton(item, i);
  }
  // Beside the choice it belongs to; enabled only with "delete".
  chTrash = Place<QCheckBox>(page, "chTrash", "Delete into the trash", 8, 236, 161, 17);
}

QWidget* TfOptionen::BuildPage2() {
  ts2 = new QWidget;
  ts2->setObjectName(QStringLiteral("ts2"));
  groupMultiFolder = Place<QGroupBox>(ts2, "groupMultiFolder", "mehrere MP3-Ordner", 8, 8, 353, 97);
  chMultiFolder = Place<QCheckBox>(groupMultiFolder, "chMultiFolder", "aktivieren", 8, 16, 97, 17);
  listMultiFolder = Place<QListWidget>(groupMultiFolder, "listMultiFolder", "", 8, 32, 257, 57);
  btnMultiFolderNew =
      Place<QPushButton>(groupMultiFolder, "btnMultiFolderNew", "Hinzufügen", 272, 32, 75, 25);
  btnMultiFolderDelete =
      Place<QPushButton>(groupMultiFolder, "btnMultiFolderDelete", "Entfernen", 272, 64, 75, 25);
  BuildPriorityGroup(ts2);
  return ts2;
}

// The rule order is fixed: this group is hidden and disabled, and nothing
// shows or enables it.
void TfOptionen::BuildPriorityGroup(QWidget* page) {
  groupPrio =
      Place<QGroupBox>(page, "groupPrio", "Priorität bei doppelten Dateien:", 8, 112, 353, 113);
  listPrio = Place<QListWidget>(groupPrio, "listPrio", "", 8, 16, 257, 89);
  for (const char* entry : kPriorityEntries) listPrio->addItem(QString::fromUtf8(entry));
  btnPrioUp = Place<QPushButton>(groupPrio, "btnPrioUp", "Höher", 272, 16, 75, 25);
  btnPrioDown = Place<QPushButton>(groupPrio, "btnPrioDown", "Niedriger", 272, 48, 75, 25);
  btnPrioStd = Place<QPushButton>(groupPrio, "btnPrioStd", "Standard", 272, 80, 75, 25);
  for (QWidget* control :
       std::initializer_list<QWidget*>{listPrio, btnPrioUp, btnPrioDown, btnPrioStd}) {
    control->setEnabled(false);
  }
  groupPrio->setEnabled(false);
  groupPrio->hide();
}

void TfOptionen::ConnectHandlers() {
  connect(btnOK, &QPushButton::clicked, this, &TfOptionen::btnOKClick);
  connect(btnAbort, &QPushButton::clicked, this, &TfOptionen::btnAbortClick);
  connect(btnSong, &QPushButton::clicked, this, &TfOptionen::btnSongClick);
  connect(btnMove, &QPushButton::clicked, this, &TfOptionen::btnMoveClick);
  connect(btnUnknown, &QPushButton::clicked, this, &TfOptionen::btnUnknownClick);
  connect(btnMultiFolderNew, &QPushButton::clicked, this, &TfOptionen::btnMultiFolderNewClick);
  connect(btnMultiFolderDelete, &QPushButton::clicked, this,
          &TfOptionen::btnMultiFolderDeleteClick);
  connect(btnLinkDesktop, &QPushButton::clicked, this, &TfOptionen::btnLinkDesktopClick);
  connect(btnLinkAutostart, &QPushButton::clicked, this, &TfOptionen::btnLinkAutostartClick);
  connect(raDoubleItems, &QButtonGroup::idClicked, this, &TfOptionen::raDoubleClick);
  connect(chUnknown, &QCheckBox::clicked, this, &TfOptionen::chUnknownClick);
  connect(chVBR, &QCheckBox::clicked, this, &TfOptionen::chVBRClick);
  connect(chMultiFolder, &QCheckBox::clicked, this, &TfOptionen::chMultiFolderClick);
  connect(btnPrioUp, &QPushButton::clicked, this, &TfOptionen::btnPrioUpClick);
  connect(btnPrioDown, &QPushButton::clicked, this, &TfOptionen::btnPrioDownClick);
  connect(btnPrioStd, &QPushButton::clicked, this, &TfOptionen::btnPrioStdClick);
}

}  // namespace tarnwick
