#pragma once

#include <string>
#include <vector>

#include "cli/progress_line.h"
#include "search/run_view.h"
#include "search/search_run.h"

namespace tarnwick::cli {

// The run's user interface on a terminal: rows and file actions on standard
// output (an aligned table, or JSON Lines), messages and progress on
// standard error. A stop signal (Ctrl-C) is the exit button.
//
// Nothing waits for the end of the run: JSON lines and the table's actions
// are printed as they happen, the table's rows (with held pairs) whenever a
// folder is done, so a stopped or killed run has said what it did, and a
// long run holds few rows in memory. On a terminal a progress line says how
// far the run has come (RunProgress).
class CliView : public RunView {
 public:
  struct Options {
    bool json = false;
    bool verbose = false;
    bool dryRun = false;                    // actions are marked as not done
    bool progressByFolders = false;         // the duplicate search lists folder by folder
    std::vector<std::string> columnTitles;  // the titles of the language
  };

  explicit CliView(Options options);
  ~CliView() override;

  // The run the exit button stops.
  void Attach(SearchRun& run) { run_ = &run; }
  // Prints what the table still holds; call when the run has returned.
  void Finish();

  size_t RowsAppended() const { return rows_appended_; }
  bool ActionFailed() const { return action_failed_; }
  bool FolderMissed() const { return folder_missed_; }

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
  void SetStatusText(int panel, const std::string& text) override;
  void FoldersFound(size_t folders) override;
  void FolderRead(const std::string& folder, size_t tracks) override;
  void FolderNotSearched(const std::string& folder, std::error_code why) override;
  void FolderDone(const std::string& folder) override;
  void FileActionTried(const FileAction& action) override;
  void PairHeld(const HeldPair& held) override;

 private:
  // A table line is either a row of cells (aligned) or a text of its own.
  struct Line {
    std::vector<std::string> cells;
    std::string text;
  };

  void AddTableLine(Line line);
  void FlushTable();
  void DrawProgress();
  void ClearProgress();

  Options options_;
  SearchRun* run_ = nullptr;
  std::vector<Line> lines_;
  bool header_printed_ = false;
  size_t rows_appended_ = 0;
  bool action_failed_ = false;
  bool folder_missed_ = false;
  bool stop_reported_ = false;
  bool progress_on_terminal_ = false;
  bool progress_drawn_ = false;
  RunProgress progress_;
  RunProgress::Clock::time_point last_drawn_;
};

}  // namespace tarnwick::cli
