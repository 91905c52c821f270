#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

#include "search/run_view.h"
#include "search/search_run.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "ui/result_list.h"

namespace tarnwick {

class TfOptionen;
class TfEnde;

inline constexpr int VersionMajor = 3;
inline constexpr int VersionMinor = 4;

// The main window: the button panel on the left, the results list with its
// progress bar and status bar on the right. It owns the settings and texts of
// the program and is the user interface of both runs, which run on this
// thread and let pending events through at their test points.
class TfHaupt : public QWidget, private RunView {
  Q_OBJECT

 public:
  // Creates the window hidden and runs the start-up steps, whose messages
  // all come before the window is shown.
  explicit TfHaupt(const QStringList& arguments);

  // The other two windows, created after this one.
  void SetWindows(TfOptionen& options, TfEnde& countdown);

  SETTINGS& Settings() { return settings_; }
  const LANGUAGE& Language() const { return language_; }

  // Puts the texts of the language on the buttons and the column headers.
  void ApplyMainTexts();
  // Reads the language file named by the settings again and shows it.
  void ReloadLanguage();

  void btnTarnwickClick();
  void btnFehlerClick();
  void btnOptionenClick();
  void btnEndeClick();
  void lblLinkClick();
  void lstInfoDblClick();
  void tAutostartTimer();

 signals:
  // The window has closed and saved its column widths: the program ends as
  // soon as control is back in its event loop.
  void Closed();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  QWidget* BuildButtonPanel();
  QWidget* BuildResultPanel();
  void ConnectHandlers();

  void FormCreate(const QStringList& arguments);
  void ReadCommandLine(const QStringList& arguments);
  void FormShow();
  void FormClose();

  void lblLinkMouseEnter();
  void lblLinkMouseLeave();
  void lblLinkMouseDown();
  void lblLinkMouseUp();
  void SetLinkColour(const QColor& colour);

  // RunView: what a run shows, on the real controls.
  void ShowMessage(const std::string& text) override;
  void ProgressReset() override;
  void SetProgressMax(int n) override;
  void SetProgressPosition(int n) override;
  void ClearRows() override;
  void AppendRow(const ResultRow& row) override;
  void ProcessPendingEvents() override;
  void SetRunButtons(bool enabled) override;
  void SetExitButton(const std::string& text) override;
  void ShowExitCountdown() override;
  void SetStatusText(int panel, const std::string& text) override;

  SETTINGS settings_;
  LANGUAGE language_;
  SearchRun run_{settings_, language_, *this};
  TfOptionen* fOptionen_ = nullptr;
  TfEnde* fEnde_ = nullptr;
  bool shown_ = false;

  QLabel* Label1 = nullptr;
  QLabel* lblLink = nullptr;
  QPushButton* btnTarnwick = nullptr;
  QPushButton* btnFehler = nullptr;
  QPushButton* btnOptionen = nullptr;
  QPushButton* btnEnde = nullptr;
  ResultList* lstInfo = nullptr;
  QProgressBar* pBar = nullptr;
  QStatusBar* sbInfo = nullptr;
  std::array<QLabel*, 3> sbPanels{};
  QTimer* tAutostart = nullptr;
  std::unique_ptr<HeaderColumns> columns_;
};

}  // namespace tarnwick
