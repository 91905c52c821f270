#include "ui/main_window.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWindow>

#include "search/duplicate_search.h"
#include "search/error_detection.h"
#include "ui/home_page.h"
#include "ui/message_box.h"
#include "ui/options_dialog.h"
#include "ui/qt_text.h"
#include "ui/window_place.h"

namespace tarnwick {

TfHaupt::TfHaupt(const QStringList& arguments) {
  setObjectName(QStringLiteral("fHaupt"));
  BuildControls();
  ConnectHandlers();
  FormCreate(arguments);
  PlaceOnScreen();
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

// Every message here appears before the window is shown, unless the program
// starts unattended: then they wait for the list. The folder warnings of
// LoadSettings are in English, since only the built-in messages are in
// force until the language file has been read.
void TfHaupt::FormCreate(const QStringList& arguments) {
  SetApplicationTitle(QStringLiteral("Tarnwick"));
  settings_.stopped = true;
  SetDefaultMessages(language_);
  ReadCommandLine(arguments);
  std::vector<std::string> messages;
  const MessageSink keep = [&messages](const std::string& text) { messages.push_back(text); };
  LoadSettings(settings_, *columns_, language_.MESSAGES, SettingsPath(), keep);
  run_.options.settingsFile = SettingsPath();
  LoadLanguage(language_, settings_.lang, keep);
  if (!settings_.configured) messages.push_back(language_.MESSAGES.MsgNotConfigured);
  ShowStartupMessages(messages);
}

void TfHaupt::ShowStartupMessages(const std::vector<std::string>& messages) {
  if (StartsUnattended()) {
    pending_notes_ = messages;
    return;
  }
  for (const std::string& message : messages) ShowMessageBox(message);
}

// Only the first argument counts; the program's own name comes before it.
void TfHaupt::ReadCommandLine(const QStringList& arguments) {
  if (arguments.size() < 2 || arguments[1].toLower() != QLatin1String("debug")) return;
  const QString title = QStringLiteral("Tarnwick Debug-Modus");
  SetApplicationTitle(title);
  setWindowTitle(title);
}

// The stored place, or the design's size in the middle of the screen; either
// fits into the screen's free area with room for the window's frame, whose
// size the window manager only tells once the window is shown.
void TfHaupt::PlaceOnScreen() {
  const QRect available = screen()->availableGeometry();
  const std::optional<WindowPlace> place = LoadWindowPlace(SettingsPath());
  QRect wanted = place ? place->geometry : QRect(QPoint(), size());
  if (!place) wanted.moveCenter(available.center());
  const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
  const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
  setGeometry(FitIntoScreen(wanted, available, QMargins(border, title + border, border, border)));
  if (place && place->maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void TfHaupt::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_) return;
  shown_ = true;
  FormShow();
}

// A first start asks for the options once the window is up.
void TfHaupt::FormShow() {
  Label1->setText(QString::asprintf("Tarnwick v%d.%d", VersionMajor, VersionMinor));
  ApplyColumnWidths(settings_, *columns_);
  ApplyMainTexts();
  RefreshUndoButton();
  if (settings_.autostart) tAutostart->start();
  if (!settings_.configured && !StartsUnattended()) {
    QTimer::singleShot(0, this, &TfHaupt::btnOptionenClick);
  }
}

// During a run the window waits: the run stops at its next test point and
// the window closes when it has returned (FinishRun).
void TfHaupt::closeEvent(QCloseEvent* event) {
  if (!settings_.stopped) {
    close_requested_ = true;
    PressExit(run_);
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
  emit Closed();
}

// A failed write of the place has been reported with the widths already.
void TfHaupt::FormClose() {
  SaveColumnWidths(*columns_, SettingsPath(), ShowMessageBox);
  SaveWindowPlace({normalGeometry(), isMaximized()}, SettingsPath());
}

void TfHaupt::ApplyMainTexts() {
  const MAIN& m = language_.MAIN;
  btnEnde->setText(ToQt(m.ButtonExit));
  btnTarnwick->setText(ToQt(m.ButtonSearchDouble));
  btnFehler->setText(ToQt(m.ButtonFindErrors));
  btnOptionen->setText(ToQt(m.ButtonOptions));
  btnUndo->setText(ToQt(m.ButtonUndo));
  lstInfo->Model().SetTitles({ToQt(m.TitleName), ToQt(m.TitleFolder), ToQt(m.TitleLength),
                              ToQt(m.TitleVBR), ToQt(m.TitleBitrate), ToQt(m.TitleErrors),
                              ToQt(m.TitleFrames), ToQt(m.TitleProblems)});
}

void TfHaupt::ReloadLanguage() {
  LoadLanguage(language_, settings_.lang, ShowMessageBox);
  ApplyMainTexts();
}

void TfHaupt::btnTarnwickClick() {
  sbInfo->clearMessage();
  FinishRun(RunType::kDuplicates, RunDuplicateSearch(run_));
}

void TfHaupt::btnFehlerClick() {
  sbInfo->clearMessage();
  error_caption_due_ = true;
  FinishRun(RunType::kErrors, RunErrorDetection(run_));
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

void TfHaupt::SetUndoAvailable(bool available) {
  btnUndo->setVisible(available);
  btnUndo->setEnabled(available && settings_.stopped);
}

void TfHaupt::tAutostartTimer() {
  tAutostart->stop();
  unattended_ = settings_.close;
  btnTarnwickClick();
}

void TfHaupt::lblLinkClick() { QDesktopServices::openUrl(HomePageUrl()); }

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
