#include "cli/cli_view.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "cli/json_rows.h"
#include "cli/output.h"
#include "cli/signals.h"
#include "platform/file_errors.h"

namespace tarnwick::cli {
namespace {

// A long run of rows in one folder is printed in blocks of this many lines,
// each aligned on its own, so the table never holds more.
constexpr size_t kTableBlock = 500;

std::vector<std::string> DisplayCells(const ResultRow& row) {
  std::vector<std::string> cells{DisplayCell(row.caption)};
  for (const std::string& item : row.subItems) cells.push_back(DisplayCell(item));
  return cells;
}

std::string ActionText(const FileAction& action) {
  std::string text = std::string(action.ok() ? "" : "failed to ") + FileActionName(action.kind) +
                     ": " + DisplayCell(action.from);
  if (!action.to.empty()) text += " -> " + DisplayCell(action.to);
  if (!action.ok()) text += ": " + action.error.message();
  return text;
}

// Redrawn at most this often: the eye cannot follow more, and a terminal
// that is written to too often slows the run.
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

size_t TerminalWidth() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return 80;
  return size.ws_col;
}

}  // namespace

CliView::CliView(Options options)
    : options_(std::move(options)),
      progress_on_terminal_(isatty(STDERR_FILENO) == 1),
      progress_(options_.progressByFolders ? RunProgress::Measure::kFolders
                                           : RunProgress::Measure::kFiles) {}

CliView::~CliView() { ClearProgress(); }

void CliView::ShowMessage(const std::string& text) {
  ClearProgress();
  PrintMessage(text);
}

void CliView::ProgressReset() { ClearProgress(); }

void CliView::SetProgressMax(int n) {
  progress_.SetMax(n, RunProgress::Clock::now());
  DrawProgress();
}

void CliView::SetProgressPosition(int n) {
  progress_.SetPosition(n);
  DrawProgress();
}

// Panel 1 of the window's status bar is the folder of the file in work.
void CliView::SetStatusText(int panel, const std::string& text) {
  if (panel == 1) progress_.SetFolder(text);
}

void CliView::ClearRows() {
  lines_.clear();
  rows_appended_ = 0;
}

void CliView::AppendRow(const ResultRow& row) {
  ++rows_appended_;
  if (options_.json) return PrintJsonLine(RowObject(row));
  // A separator between two pairs is a blank line; none before the first.
  if (row.IsSeparator()) {
    if (!lines_.empty() || header_printed_) AddTableLine({{}, ""});
    return;
  }
  AddTableLine({DisplayCells(row), ""});
}

void CliView::AddTableLine(Line line) {
  lines_.push_back(std::move(line));
  if (lines_.size() >= kTableBlock) FlushTable();
}

// The exit button: a stop signal, or an output that can no longer be
// written, stops the run at this test point.
void CliView::ProcessPendingEvents() {
  const bool closed = OutputClosed();
  if (!StopRequested() && !closed) return;
  if (closed && !stop_reported_) PrintError("standard output is closed: the run stops");
  stop_reported_ = true;
  if (run_ != nullptr && !run_->settings.stopped) PressExit(*run_);
}

void CliView::FoldersFound(size_t folders) {
  progress_.FoldersFound(folders, RunProgress::Clock::now());
}

void CliView::FolderRead(const std::string& folder, size_t tracks) {
  progress_.FolderRead(folder, tracks);
  if (options_.verbose) {
    ClearProgress();
    std::fprintf(stderr, "%s: %zu tracks\n", DisplayCell(folder).c_str(), tracks);
  }
  DrawProgress();
}

void CliView::FolderDone(const std::string&) {
  progress_.FolderDone();
  FlushTable();
  DrawProgress();
}

void CliView::FolderNotSearched(const std::string& folder, std::error_code why) {
  progress_.FolderRead(folder, 0);
  folder_missed_ = true;
  // A folder locked by another run has had its message from the run.
  if (why == FileError::kFolderLocked) return;
  ClearProgress();
  PrintError(DisplayCell(folder) + ": cannot be searched: " + why.message());
}

void CliView::FileActionTried(const FileAction& action) {
  if (!action.ok()) action_failed_ = true;
  ClearProgress();
  if (options_.json) return PrintJsonLine(ActionObject(action, options_.dryRun));
  PrintLine(ActionText(action));
}

void CliView::PairHeld(const HeldPair& held) {
  if (options_.json) return PrintJsonLine(HeldObject(held));
  AddTableLine({{}, std::string("held: ") + HeldReasonName(held.reason)});
}

void CliView::Finish() {
  ClearProgress();
  FlushTable();
}

void CliView::FlushTable() {
  if (options_.json || lines_.empty()) return;
  std::vector<std::vector<std::string>> table{options_.columnTitles};
  for (const Line& line : lines_) {
    if (!line.cells.empty()) table.push_back(line.cells);
  }
  const std::vector<size_t> widths = ColumnWidths(table);
  std::string out;
  if (!header_printed_) out = AlignedLine(options_.columnTitles, widths) + "\n";
  header_printed_ = true;
  for (const Line& line : lines_) {
    out += (line.cells.empty() ? line.text : AlignedLine(line.cells, widths)) + "\n";
  }
  ClearProgress();
  lines_.clear();
  out.pop_back();
  PrintLine(out);
}

void CliView::DrawProgress() {
  if (!progress_on_terminal_) return;
  const RunProgress::Clock::time_point now = RunProgress::Clock::now();
  if (progress_drawn_ && now - last_drawn_ < kRedrawInterval) return;
  const std::string text = progress_.Text(now, TerminalWidth() - 1);
  if (text.empty()) return;
  std::fprintf(stderr, "\r%s\033[K", text.c_str());
  std::fflush(stderr);
  progress_drawn_ = true;
  last_drawn_ = now;
}

void CliView::ClearProgress() {
  if (!progress_drawn_) return;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
  progress_drawn_ = false;
}

}  // namespace tarnwick::cli
