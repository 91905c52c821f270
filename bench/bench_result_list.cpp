// The window's results list while a run appends 100,000 rows to it: the time
// per appended row (with the pending events the run lets through after each
// row, which include showing each batch of new rows) near the start and near
// the end, and the time to scroll through the full list.
// Run with QT_QPA_PLATFORM=offscreen, or on a real display.

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <cstdio>

#include "ui/result_list.h"

namespace {

using tarnwick::ResultRow;
using tarnwick::RowKind;

ResultRow RowNumber(int i) {
  if (i % 3 == 0) return {RowKind::kSeparator, "", {}};
  return {RowKind::kPair,
          "Artist " + std::to_string(i) + " - Title.mp3",
          {"/home/me/Music/Some Folder/", "04:01", "No", "192kB/s", "0", "9226"}};
}

// Microseconds per row over `count` rows appended as a run appends them.
double AppendRows(tarnwick::ResultList& list, int first, int count) {
  QElapsedTimer timer;
  timer.start();
  for (int i = first; i < first + count; ++i) {
    list.Model().Append(RowNumber(i));
    QCoreApplication::processEvents();
  }
  return static_cast<double>(timer.nsecsElapsed()) / 1000.0 / count;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tarnwick::ResultList list(nullptr);
  list.resize(493, 400);
  list.show();
  constexpr int kRows = 100000, kSample = 2000;
  const double start = AppendRows(list, 0, kSample);
  AppendRows(list, kSample, kRows - 2 * kSample);
  list.scrollToBottom();
  const double end = AppendRows(list, kRows - kSample, kSample);
  list.Model().Flush();

  QElapsedTimer timer;
  timer.start();
  QScrollBar* bar = list.verticalScrollBar();
  for (int step = 0; step <= 100; ++step) {
    bar->setValue(bar->maximum() * step / 100);
    list.repaint();
  }
  const double scroll_ms = static_cast<double>(timer.nsecsElapsed()) / 1e6 / 101;
  std::printf(
      "rows %d: append %.1f us/row at the start, %.1f us/row at the end; "
      "scroll and repaint %.2f ms per step\n",
      list.Model().rowCount(), start, end, scroll_ms);
  return 0;
}
