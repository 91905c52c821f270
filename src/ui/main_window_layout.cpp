// The controls of the main window, at the places and sizes of its design.

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/fonts.h"
#include "ui/home_page.h"
#include "ui/main_window.h"

namespace tarnwick {
namespace {

QPushButton* CommandButton(QWidget* panel, const char* name, const char* text, int top) {
  auto* button = new QPushButton(QString::fromUtf8(text), panel);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(32, top, 129, 33);
  return button;
}

QLabel* StatusPanel(QStatusBar* bar, int width) {
  auto* panel = new QLabel(bar);
  panel->setFixedWidth(width);
  panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  bar->addWidget(panel);
  return panel;
}

}  // namespace

void TfHaupt::BuildControls() {
  setWindowTitle(QStringLiteral("Tarnwick"));
  UseDesignFont(*this);
  resize(678, 493);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(BuildButtonPanel());
  layout->addWidget(BuildResultPanel(), 1);
  tAutostart = new QTimer(this);
  tAutostart->setObjectName(QStringLiteral("tAutostart"));
  tAutostart->setSingleShot(true);
  tAutostart->setInterval(1000);
  columns_ = std::make_unique<HeaderColumns>(*lstInfo);
}

QWidget* TfHaupt::BuildButtonPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFixedWidth(185);
  Label1 = new QLabel(QStringLiteral("Tarnwick"), panel);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(8, 8, 169, 17);
  Label1->setAlignment(Qt::AlignCenter);
  Label1->setFont(ArialFont(16, true));
  lblLink = new QLabel(QString::fromUtf8(kHomePageCaption), panel);
  lblLink->setObjectName(QStringLiteral("lblLink"));
  lblLink->setGeometry(19, 55, 142, 18);
  QFont link_font = ArialFont(16);
  link_font.setUnderline(true);
  lblLink->setFont(link_font);
  lblLink->setCursor(Qt::PointingHandCursor);
  lblLink->setToolTip(HomePageUrl().toString());
  lblLink->installEventFilter(this);
  SetLinkColour(QColor(0, 0, 255));
  btnTarnwick = CommandButton(panel, "btnTarnwick", "Doppelte Dateien finden", 176);
  btnFehler = CommandButton(panel, "btnFehler", "Fehlererkennung", 216);
  btnOptionen = CommandButton(panel, "btnOptionen", "Optionen", 304);
  btnEnde = CommandButton(panel, "btnEnde", "Beenden", 344);
  // Hidden until the program has a run to undo (SetUndoAvailable).
  btnUndo = CommandButton(panel, "btnUndo", "Undo last run", 392);
  btnUndo->hide();
  return panel;
}

QWidget* TfHaupt::BuildResultPanel() {
  auto* panel = new QWidget(this);
  panel->setObjectName(QStringLiteral("Panel2"));
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  lstInfo = new ResultList(panel);
  lstInfo->setObjectName(QStringLiteral("lstInfo"));
  lstInfo->Model().SetTexts(language_.RESULTS);
  lstInfo->Model().SetTitles({"Name", "Ordner", QString::fromUtf8("Länge"), "VBR", "Bitrate",
                              "Fehler", "Frames", "Probleme"});
  pBar = new QProgressBar(panel);
  pBar->setObjectName(QStringLiteral("pBar"));
  pBar->setFixedHeight(16);
  pBar->setTextVisible(false);
  pBar->setRange(0, 100);
  pBar->setValue(0);
  sbInfo = new QStatusBar(panel);
  sbInfo->setObjectName(QStringLiteral("sbInfo"));
  sbInfo->setFixedHeight(19);
  sbPanels = {StatusPanel(sbInfo, 30), StatusPanel(sbInfo, 200), StatusPanel(sbInfo, 50)};
  layout->addWidget(lstInfo, 1);
  layout->addWidget(pBar);
  layout->addWidget(sbInfo);
  return panel;
}

void TfHaupt::ConnectHandlers() {
  connect(btnTarnwick, &QPushButton::clicked, this, &TfHaupt::btnTarnwickClick);
  connect(btnFehler, &QPushButton::clicked, this, &TfHaupt::btnFehlerClick);
  connect(btnOptionen, &QPushButton::clicked, this, &TfHaupt::btnOptionenClick);
  connect(btnEnde, &QPushButton::clicked, this, &TfHaupt::btnEndeClick);
  connect(lstInfo, &ResultList::DoubleClicked, this, &TfHaupt::lstInfoDblClick);
  connect(lstInfo, &ResultList::RowMenuRequested, this, &TfHaupt::lstInfoRowMenu);
  connect(lstInfo->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &TfHaupt::ShowRowStatus);
  connect(btnUndo, &QPushButton::clicked, this, &TfHaupt::btnUndoClick);
  connect(tAutostart, &QTimer::timeout, this, &TfHaupt::tAutostartTimer);
}

}  // namespace tarnwick
