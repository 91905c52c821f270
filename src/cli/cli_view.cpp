#include "cli/cli_view.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "cli/commands.h"
#include "cli/output.h"

namespace tarnwick::cli {
namespace {

volatile std::sig_atomic_t interrupts = 0;

void OnInterrupt(int) {
  interrupts = interrupts + 1;
  if (interrupts >= 2) _exit(kExitInterrupted);
}

std::vector<std::string> DisplayCells(const ResultRow& row) {
  std::vector<std::string> cells{DisplayCell(row.caption)};
  for (const std::string& item : row.subItems) cells.push_back(DisplayCell(item));
  return cells;
}

}  // namespace

void InstallInterruptHandler() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
}

bool InterruptRequested() { return interrupts > 0; }

CliView::CliView(Options options)
    : options_(std::move(options)), progress_on_terminal_(isatty(STDERR_FILENO) == 1) {}

CliView::~CliView() { ClearProgress(); }

void CliView::ShowMessage(const std::string& text) {
  ClearProgress();
  PrintError(OneLinePerLine(text));
}

void CliView::ProgressReset() {
  progress_position_ = 0;
  ClearProgress();
}

void CliView::SetProgressMax(int n) { progress_max_ = n; }

void CliView::SetProgressPosition(int n) {
  progress_position_ = n;
  DrawProgress(false);
}

void CliView::ClearRows() {
  lines_.clear();
  rows_appended_ = 0;
}

void CliView::AppendRow(const ResultRow& row) {
  ++rows_appended_;
  if (options_.json) {
    std::vector<std::string> items;
    for (const std::string& item : row.subItems) items.push_back(Display(item));
    PrintJsonLine(
        {{"kind", RowKindName(row.kind)}, {"caption", Display(row.caption)}, {"items", items}});
    return;
  }
  if (row.IsSeparator()) {
    if (!lines_.empty()) lines_.push_back({{}, ""});
    return;
  }
  lines_.push_back({DisplayCells(row), ""});
}

void CliView::ProcessPendingEvents() {
  if (InterruptRequested() && run_ != nullptr && !run_->settings.stopped) PressExit(*run_);
}

void CliView::FolderRead(const std::string& folder, size_t tracks) {
  if (!options_.verbose) return;
  ClearProgress();
  std::fprintf(stderr, "%s: %zu tracks\n", DisplayCell(folder).c_str(), tracks);
}

void CliView::FileActionTried(const FileAction& action) {
  if (options_.json) {
    nlohmann::json line = {{"kind", "action"},
                           {"action", FileActionName(action.kind)},
                           {"from", Display(action.from)},
                           {"to", Display(action.to)},
                           {"ok", action.ok()}};
    if (!action.ok()) line["error"] = action.error.message();
    PrintJsonLine(line);
    return;
  }
  std::string text = std::string(action.ok() ? "" : "failed to ") + FileActionName(action.kind) +
                     ": " + DisplayCell(action.from);
  if (!action.to.empty()) text += " -> " + DisplayCell(action.to);
  if (!action.ok()) text += ": " + action.error.message();
  lines_.push_back({{}, text});
}

void CliView::Finish() {
  ClearProgress();
  if (options_.json || lines_.empty()) return;
  std::vector<std::vector<std::string>> table{options_.columnTitles};
  for (const Line& line : lines_) {
    if (!line.cells.empty()) table.push_back(line.cells);
  }
  const std::vector<size_t> widths = ColumnWidths(table);
  std::string out = AlignedLine(options_.columnTitles, widths) + "\n";
  for (const Line& line : lines_) {
    out += (line.cells.empty() ? line.text : AlignedLine(line.cells, widths)) + "\n";
  }
  std::fputs(out.c_str(), stdout);
  std::fflush(stdout);
  lines_.clear();
}

void CliView::DrawProgress(bool force) {
  if (!progress_on_terminal_ || progress_max_ <= 0) return;
  const int permille = static_cast<int>(1000LL * progress_position_ / progress_max_);
  if (!force && permille == last_drawn_permille_) return;
  last_drawn_permille_ = permille;
  constexpr int kWidth = 30;
  const int filled = permille * kWidth / 1000;
  std::fprintf(stderr, "\r[%s%s] %3d.%d%%", std::string(static_cast<size_t>(filled), '#').c_str(),
               std::string(static_cast<size_t>(kWidth - filled), ' ').c_str(), permille / 10,
               permille % 10);
  std::fflush(stderr);
  progress_drawn_ = true;
}

void CliView::ClearProgress() {
  if (!progress_drawn_) return;
  std::fprintf(stderr, "\r\033[K");
  std::fflush(stderr);
  progress_drawn_ = false;
  last_drawn_permille_ = -1;
}

}  // namespace tarnwick::cli
