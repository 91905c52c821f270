#include "ui/main_window.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QScreen>
#include <QUrl>
#include <QWindow>

#include "platform/text.h"
#include "search/duplicate_search.h"
#include "search/error_detection.h"
#include "ui/home_page.h"
#include "ui/message_box.h"
#include "ui/options_dialog.h"
#include "ui/qt_text.h"

namespace tarnwick {
namespace {

// A listed file's address. A path that is not UTF-8 keeps its bytes
// percent-encoded, so the file opened is the very file listed.
QUrl FileUrl(const std::string& path) {
  if (IsValidUtf8(path)) return QUrl::fromLocalFile(QString::fromStdString(path));
  QUrl url;
  url.setScheme(QStringLiteral("file"));
  url.setPath(QString::fromLatin1(QByteArray::fromStdString(path).toPercentEncoding("/")),
              QUrl::TolerantMode);
  return url;
}

}  // namespace

TfHaupt::TfHaupt(const QStringList& arguments) {
  setObjectName(QStringLiteral("fHaupt"));
  BuildControls();
  ConnectHandlers();
  move(screen()->availableGeometry().center() - rect().center());
  FormCreate(arguments);
}

// The options dialog belongs to this window, so the window manager keeps it
// above it; it is not a child widget, since disabling this window would then
// disable the dialog as well.
void TfHaupt::SetWindows(TfOptionen& options, TfEnde& countdown) {
  fOptionen_ = &options;
  fEnde_ = &countdown;
  winId();
  options.winId();
  options.windowHandle()->setTransientParent(windowHandle());
}

// Every message here appears before the window is shown. The folder warnings
// of LoadSettings are in English, since only the built-in messages are in
// force until the language file has been read.
void TfHaupt::FormCreate(const QStringList& arguments) {
  SetApplicationTitle(QStringLiteral("Tarnwick"));
  settings_.stopped = true;
  SetDefaultMessages(language_);
  ReadCommandLine(arguments);
  LoadSettings(settings_, *columns_, language_.MESSAGES, SettingsPath(), ShowMessageBox);
  LoadLanguage(language_, settings_.lang, ShowMessageBox);
  if (!settings_.configured) ShowMessageBox(language_.MESSAGES.MsgNotConfigured);
}

// Only the first argument counts; the program's own name comes before it.
void TfHaupt::ReadCommandLine(const QStringList& arguments) {
  if (arguments.size() < 2 || arguments[1].toLower() != QLatin1String("debug")) return;
  const QString title = QStringLiteral("Tarnwick Debug-Modus");
  SetApplicationTitle(title);
  setWindowTitle(title);
}

void TfHaupt::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

void TfHaupt::FormShow() {
  Label1->setText(QString::asprintf("Tarnwick v%d.%d", VersionMajor, VersionMinor));
  ApplyColumnWidths(settings_, *columns_);
  ApplyMainTexts();
  if (settings_.autostart) tAutostart->start();
}

// Closing never stops a run: when one is active it carries on to its end,
// and the program ends when it has returned to the event loop.
void TfHaupt::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
  emit Closed();
}

void TfHaupt::FormClose() { SaveColumnWidths(*columns_, SettingsPath(), ShowMessageBox); }

void TfHaupt::ApplyMainTexts() {
  const MAIN& m = language_.MAIN;
  btnEnde->setText(ToQt(m.ButtonExit));
  btnTarnwick->setText(ToQt(m.ButtonSearchDouble));
  btnFehler->setText(ToQt(m.ButtonFindErrors));
  btnOptionen->setText(ToQt(m.ButtonOptions));
  lstInfo->Model().SetTitles({ToQt(m.TitleName), ToQt(m.TitleFolder), ToQt(m.TitleLength),
                              ToQt(m.TitleVBR), ToQt(m.TitleBitrate), ToQt(m.TitleErrors),
                              ToQt(m.TitleFrames)});
}

void TfHaupt::ReloadLanguage() {
  LoadLanguage(language_, settings_.lang, ShowMessageBox);
  ApplyMainTexts();
}

void TfHaupt::btnTarnwickClick() {
  RunDuplicateSearch(run_);
  lstInfo->Model().Flush();
}

void TfHaupt::btnFehlerClick() {
  RunErrorDetection(run_);
  lstInfo->Model().Flush();
}

// The dialog is filled from the settings as it shows, before this window
// greys out; it enables this window again when it closes.
void TfHaupt::btnOptionenClick() {
  fOptionen_->show();
  fOptionen_->activateWindow();
  setEnabled(false);
}

// During a run this is the cancel button; the run stops at its next test point.
void TfHaupt::btnEndeClick() {
  if (PressExit(run_) == ExitDecision::kCloseWindow) close();
}

void TfHaupt::tAutostartTimer() {
  tAutostart->stop();
  btnTarnwickClick();
}

// Opens the file of the selected row: its folder (the first sub-item) and
// its name. Whether that succeeds is not reported.
void TfHaupt::lstInfoDblClick() {
  const QModelIndexList selected = lstInfo->selectionModel()->selectedRows();
  if (selected.isEmpty()) return;
  const ResultRow& row = lstInfo->Model().Row(selected.first().row());
  if (row.IsSeparator()) return;
  QDesktopServices::openUrl(FileUrl(row.subItems[0] + row.caption));
}

void TfHaupt::lblLinkClick() { QDesktopServices::openUrl(QUrl(QString::fromUtf8(kHomePage))); }

bool TfHaupt::eventFilter(QObject* watched, QEvent* event) {
  if (watched != lblLink) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::Enter: lblLinkMouseEnter(); break;
    case QEvent::Leave: lblLinkMouseLeave(); break;
    case QEvent::MouseButtonPress: lblLinkMouseDown(); break;
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      lblLinkMouseUp();
      if (mouse->button() == Qt::LeftButton &&
          lblLink->rect().contains(mouse->position().toPoint())) {
        lblLinkClick();
      }
      break;
    }
    default: break;
  }
  return QWidget::eventFilter(watched, event);
}

void TfHaupt::lblLinkMouseEnter() { SetLinkColour(QColor(255, 0, 0)); }
void TfHaupt::lblLinkMouseLeave() { SetLinkColour(QColor(0, 0, 255)); }
void TfHaupt::lblLinkMouseDown() { SetLinkColour(QColor(0, 128, 0)); }
void TfHaupt::lblLinkMouseUp() { SetLinkColour(QColor(0, 0, 255)); }

void TfHaupt::SetLinkColour(const QColor& colour) {
  QPalette palette = lblLink->palette();
  palette.setColor(QPalette::WindowText, colour);
  lblLink->setPalette(palette);
}

}  // namespace tarnwick
