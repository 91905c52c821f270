// The undo button: the newest run not yet undone is shown, confirmed once,
// undone, and what came back is listed.

#include <QApplication>
#include <QMessageBox>

#include "history/run_history.h"
#include "history/undo_run.h"
#include "platform/format.h"
#include "ui/main_window.h"
#include "ui/message_box.h"
#include "ui/qt_text.h"

namespace tarnwick {
namespace {

// A preview shows this many steps; the rest is counted.
constexpr size_t kPreviewSteps = 20;

std::string StepText(const UndoStep& step, const RESULTS& t) {
  if (!step.ok) return step.from + ": " + FormatText(t.TitleUndoFailed, step.error);
  switch (step.action) {
    case JournalAction::kMove: return step.from + ": " + FormatText(t.TitleUndoMove, step.to);
    case JournalAction::kRename: return step.from + ": " + FormatText(t.TitleUndoRename, step.to);
    case JournalAction::kTrash: return step.from + ": " + FormatText(t.TitleUndoTrash, step.to);
    case JournalAction::kDelete: return step.from + ": " + t.TitleUndoDelete;
  }
  return step.from;
}

std::vector<UndoStep> Preview(const std::string& journal) {
  std::vector<UndoStep> steps;
  UndoRun(journal, true, [&steps](const UndoStep& step) { steps.push_back(step); });
  return steps;
}

bool Confirmed(const std::vector<UndoStep>& steps, const RESULTS& t) {
  QString list;
  for (size_t i = 0; i < steps.size() && i < kPreviewSteps; ++i) {
    list += ToQt(StepText(steps[i], t)) + "\n";
  }
  if (steps.size() > kPreviewSteps) list += QString("… %1 more").arg(steps.size() - kPreviewSteps);
  QMessageBox box(QMessageBox::Question, ApplicationTitle(), ToQt(t.MsgUndoQuestion),
                  QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
  box.setInformativeText(list);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace

void TfHaupt::RefreshUndoButton() { SetUndoAvailable(NewestRunNotUndone().has_value()); }

void TfHaupt::btnUndoClick() {
  const std::optional<std::string> journal = NewestRunNotUndone();
  const RESULTS& t = language_.RESULTS;
  if (journal && Confirmed(Preview(*journal), t)) {
    lstInfo->Model().Clear();
    size_t back = 0;
    const UndoResult result = UndoRun(*journal, false, [&](const UndoStep& step) {
      back += step.ok && step.action != JournalAction::kDelete;
      lstInfo->Model().AppendOwn(RowRole::kMessage, StepText(step, t));
    });
    lstInfo->Model().Flush();
    summary_ = FormatText(t.TitleUndoSummary, static_cast<long long>(back));
    if (result.error) summary_ += ": " + result.error.message();
    sbInfo->showMessage(ToQt(summary_));
  }
  RefreshUndoButton();
}

}  // namespace tarnwick
