#pragma once

#include <string>
#include <vector>

#include "search/run_view.h"
#include "search/search_run.h"

namespace tarnwick::cli {

// The run's user interface on a terminal: rows and file actions on standard
// output (an aligned table, or JSON Lines), messages and progress on
// standard error. Ctrl-C is the exit button.
class CliView : public RunView {
 public:
  struct Options {
    bool json = false;
    bool verbose = false;
    std::vector<std::string> columnTitles;  // the seven titles of the language
  };

  explicit CliView(Options options);
  ~CliView() override;

  // The run the exit button (Ctrl-C) stops.
  void Attach(SearchRun& run) { run_ = &run; }
  // Prints what the table has gathered; call when the run has returned.
  void Finish();
  size_t RowsAppended() const { return rows_appended_; }

  void ShowMessage(const std::string& text) override;
  void ProgressReset() override;
  void SetProgressMax(int n) override;
  void SetProgressPosition(int n) override;
  void ClearRows() override;
  void AppendRow(const ResultRow& row) override;
  void ProcessPendingEvents() override;
  void SetRunButtons(bool) override {}
  void SetExitButton(const std::string&) override {}
  void ShowExitCountdown() override {}
  void SetStatusText(int, const std::string&) override {}
  void FolderRead(const std::string& folder, size_t tracks) override;
  void FileActionTried(const FileAction& action) override;

 private:
  // A table line is either a row of cells (aligned) or a text of its own.
  struct Line {
    std::vector<std::string> cells;
    std::string text;
  };

  void DrawProgress(bool force);
  void ClearProgress();

  Options options_;
  SearchRun* run_ = nullptr;
  std::vector<Line> lines_;
  size_t rows_appended_ = 0;
  bool progress_on_terminal_ = false;
  bool progress_drawn_ = false;
  int progress_max_ = 0;
  int progress_position_ = 0;
  int last_drawn_permille_ = -1;
};

// Installs the Ctrl-C handler: the first press asks the run to stop, the
// second ends the program with status 130.
void InstallInterruptHandler();
bool InterruptRequested();

}  // namespace tarnwick::cli
