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
#include <string>
#include <vector>

#include "search/run_view.h"
#include "search/search_run.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "ui/result_list.h"
#include "ui/run_texts.h"

namespace tarnwick {

class TfOptionen;
class TfEnde;

inline constexpr int VersionMajor = 3;
inline constexpr int VersionMinor = 4;

// The main window: the button panel on the left, the results list with its
// progress bar and status bar on the right. It owns the settings and texts of
// the program and is the user interface of both runs, which run on this
// thread and let pending events through at their test points.
//
// A run started by the automatic search with "close" set is unattended: its
// messages go into the list instead of boxes that would wait for a user.
// Closing the window during a run stops the run first, as the exit button
// does, and then closes.
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
  void btnUndoClick();

  // The undo button stays hidden until there is a run to undo.
  void SetUndoAvailable(bool available);
  // Shows the undo button while the newest run has something to undo.
  void RefreshUndoButton();

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
  // Whether the program searches and ends by itself, with nobody waiting.
  bool StartsUnattended() const { return settings_.autostart && settings_.close; }
  void ShowStartupMessages(const std::vector<std::string>& messages);
  void FormShow();
  void FormClose();
  void PlaceOnScreen();

  // The end of a run: the summary, the notes in the list, and whatever
  // waited for the run to end (a close, the unattended countdown).
  void FinishRun(RunType type, RunOutcome outcome);
  void SummariseRun(RunType type, RunOutcome outcome);
  void AddErrorCaption();
  void ShowPendingNotes();
  void ShowRowStatus(const QModelIndex& current);
  void lstInfoRowMenu(int row, const QPoint& position);
  void OpenFile(const std::string& path);

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
  void FolderNotSearched(const std::string& folder, std::error_code why) override;
  void FileActionTried(const FileAction& action) override;
  void PairHeld(const HeldPair& held) override;

  SETTINGS settings_;
  LANGUAGE language_;
  SearchRun run_{settings_, language_, *this};
  TfOptionen* fOptionen_ = nullptr;
  TfEnde* fEnde_ = nullptr;
  bool shown_ = false;
  bool unattended_ = false;                 // the run in progress waits for nobody
  bool close_requested_ = false;            // the window closes when the run has stopped
  bool error_caption_due_ = false;          // the error detection's rows start below a caption
  std::vector<std::string> pending_notes_;  // unattended start-up messages for the list
  std::string summary_;                     // of the last run, for the status bar

  QLabel* Label1 = nullptr;
  QLabel* lblLink = nullptr;
  QPushButton* btnTarnwick = nullptr;
  QPushButton* btnFehler = nullptr;
  QPushButton* btnOptionen = nullptr;
  QPushButton* btnEnde = nullptr;
  QPushButton* btnUndo = nullptr;
  ResultList* lstInfo = nullptr;
  QProgressBar* pBar = nullptr;
  QStatusBar* sbInfo = nullptr;
  std::array<QLabel*, 3> sbPanels{};
  QTimer* tAutostart = nullptr;
  std::unique_ptr<HeaderColumns> columns_;
};

}  // namespace tarnwick
