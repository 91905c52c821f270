// The end of a run in the main window, and what the results list offers:
// opening a row's file, its menu, and the status of the selected row.

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMenu>
#include <QUrl>

#include "platform/format.h"
#include "platform/text.h"
#include "ui/countdown_window.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"

namespace tarnwick {
namespace {

// A file's address. A path that is not UTF-8 keeps its bytes
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

// Whatever waited for the run to end comes now: a close, or the countdown
// of an unattended run that was refused.
void TfHaupt::FinishRun(RunType type, RunOutcome outcome) {
  ShowPendingNotes();
  if (outcome != RunOutcome::kRefused) SummariseRun(type, outcome);
  lstInfo->Model().Flush();
  error_caption_due_ = false;
  ProgressReset();
  RefreshUndoButton();
  const bool countdown = unattended_ && outcome == RunOutcome::kRefused;
  unattended_ = false;
  if (close_requested_) {
    close_requested_ = false;
    close();
  } else if (countdown) {
    ShowExitCountdown();
  }
}

// A run that found nothing says so in the list; every run that ran says
// what it did in the status bar.
void TfHaupt::SummariseRun(RunType type, RunOutcome outcome) {
  ResultModel& model = lstInfo->Model();
  if (type == RunType::kErrors) AddErrorCaption();
  const RunCounts& counts = model.Counts();
  const RESULTS& texts = language_.RESULTS;
  const bool duplicates = type == RunType::kDuplicates;
  if (outcome == RunOutcome::kFinished && (duplicates ? counts.pairs : counts.damaged) == 0) {
    model.AppendOwn(RowRole::kNote, duplicates ? texts.TitleNoDuplicates : texts.TitleNoDamaged);
  }
  summary_ = SummaryText(counts, type, outcome == RunOutcome::kAborted, texts);
  sbInfo->showMessage(ToQt(summary_));
}

// The error detection adds to the list; its rows start below a caption that
// is scrolled to the top, so that they come into view.
void TfHaupt::AddErrorCaption() {
  if (!error_caption_due_) return;
  error_caption_due_ = false;
  ResultModel& model = lstInfo->Model();
  model.AppendOwn(RowRole::kCaption, language_.RESULTS.TitleDamagedFiles);
  model.Flush();
  lstInfo->scrollTo(model.index(model.rowCount() - 1, 0), QAbstractItemView::PositionAtTop);
}

void TfHaupt::ShowPendingNotes() {
  for (const std::string& note : pending_notes_)
    lstInfo->Model().AppendOwn(RowRole::kMessage, note);
  pending_notes_.clear();
}

// Between runs the status bar shows the summary, or the reason of a held
// pair while one of its rows is selected.
void TfHaupt::ShowRowStatus(const QModelIndex& current) {
  if (!settings_.stopped || !current.isValid()) return;
  const ListedRow& listed = lstInfo->Model().Listed(current.row());
  const bool held = listed.outcome.kind == RowOutcome::Kind::kHeld;
  sbInfo->showMessage(ToQt(held ? lstInfo->Model().OutcomeText(current.row()) : summary_));
}

// Opens the file of the selected row where it is now; a row whose file is
// gone, or that stands for no file, opens nothing.
void TfHaupt::lstInfoDblClick() {
  const QModelIndexList selected = lstInfo->selectionModel()->selectedRows();
  if (selected.isEmpty()) return;
  const std::string path = lstInfo->Model().OpenablePath(selected.first().row());
  if (!path.empty()) OpenFile(path);
}

void TfHaupt::OpenFile(const std::string& path) {
  if (!QDesktopServices::openUrl(FileUrl(path))) ShowMessageBox(language_.RESULTS.MsgNoPlayer);
}

void TfHaupt::lstInfoRowMenu(int row, const QPoint& position) {
  const RESULTS& texts = language_.RESULTS;
  const std::string openable = lstInfo->Model().OpenablePath(row);
  const std::string path = lstInfo->Model().Row(row).path;
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("lstInfoMenu"));
  QAction* open = menu.addAction(ToQt(texts.ButtonOpen), [this, openable] { OpenFile(openable); });
  open->setEnabled(!openable.empty());
  QAction* folder = menu.addAction(ToQt(texts.ButtonOpenFolder), [path] {
    QDesktopServices::openUrl(FileUrl(std::string(FolderOf(path))));
  });
  QAction* copy = menu.addAction(ToQt(texts.ButtonCopyPath),
                                 [path] { QApplication::clipboard()->setText(ToQt(path)); });
  folder->setEnabled(!path.empty());
  copy->setEnabled(!path.empty());
  menu.exec(position);
}

}  // namespace tarnwick
