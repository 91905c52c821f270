#include "ui/result_list.h"

#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QToolTip>
#include <algorithm>

namespace tarnwick {

RowSelectionModel::RowSelectionModel(ResultModel* model, QObject* parent)
    : QItemSelectionModel(model, parent), model_(model) {}

bool RowSelectionModel::MaySelect(const QModelIndex& index) const {
  return !index.isValid() || !model_->Row(index.row()).IsSeparator();
}

QItemSelection RowSelectionModel::WithoutSeparators(const QItemSelection& selection) const {
  QItemSelection kept;
  for (const QItemSelectionRange& range : selection) {
    for (int row = range.top(); row <= range.bottom(); ++row) {
      const QModelIndex left = range.model()->index(row, range.left(), range.parent());
      if (!MaySelect(left)) continue;
      const QModelIndex right = range.model()->index(row, range.right(), range.parent());
      kept.merge(QItemSelection(left, right), QItemSelectionModel::Select);
    }
  }
  return kept;
}

// An attempt to select nothing but separators is refused as a whole,
// clearing included: the rows selected before stay selected. The view has
// left the separators out already when it asks to select an empty set.
void RowSelectionModel::select(const QItemSelection& selection, SelectionFlags command) {
  const QItemSelection kept = WithoutSeparators(selection);
  if (kept.isEmpty() && command.testFlag(QItemSelectionModel::Select)) return;
  QItemSelectionModel::select(kept, command);
}

void RowSelectionModel::setCurrentIndex(const QModelIndex& index, SelectionFlags command) {
  if (!MaySelect(index)) return;
  QItemSelectionModel::setCurrentIndex(index, command);
}

ResultList::ResultList(QWidget* parent) : QTableView(parent), model_(new ResultModel(this)) {
  setModel(model_);
  setSelectionModel(new RowSelectionModel(model_, this));
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);
  setSortingEnabled(false);
  setShowGrid(true);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setFrameShape(QFrame::NoFrame);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(0);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setMinimumSectionSize(0);
  horizontalHeader()->setDefaultSectionSize(kDesignWidth);
  connect(model_, &QAbstractItemModel::rowsInserted, this,
          [this](const QModelIndex&, int first, int last) { RowsInserted(first, last); });
  connect(model_, &QAbstractItemModel::modelReset, this, &ResultList::ModelReset);
  connect(model_, &QAbstractItemModel::headerDataChanged, this, &ResultList::FitColumns);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column) { SectionResized(column); });
}

int ResultList::SelectableRowFrom(int row, int step) const {
  for (; row >= 0 && row < model_->rowCount(); row += step) {
    if (!model_->Row(row).IsSeparator()) return row;
  }
  return -1;
}

// A move that would end on a separator goes on past it in its direction,
// or back the other way when there is no row beyond it.
// Home and End go to the first and last row, as in a list.
QModelIndex ResultList::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const bool ends = action == MoveHome || action == MoveEnd;
  const int last = model_->rowCount() - 1;
  const QModelIndex target =
      ends ? model_->index(action == MoveHome ? 0 : last, std::max(currentIndex().column(), 0))
           : QTableView::moveCursor(action, modifiers);
  if (!target.isValid() || !model_->Row(target.row()).IsSeparator()) return target;
  const int step = action == MoveUp || action == MovePageUp || action == MoveEnd ? -1 : 1;
  int row = SelectableRowFrom(target.row(), step);
  if (row < 0) row = SelectableRowFrom(target.row(), -step);
  return row < 0 ? currentIndex() : model_->index(row, target.column());
}

void ResultList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit DoubleClicked();
    return;
  }
  QTableView::keyPressEvent(event);
}

void ResultList::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  emit DoubleClicked();
}

// The menu belongs to the row under the pointer, or to the current row when
// the keyboard asks for it; the row becomes the selected one.
void ResultList::contextMenuEvent(QContextMenuEvent* event) {
  const bool by_mouse = event->reason() == QContextMenuEvent::Mouse;
  const QModelIndex index = by_mouse ? indexAt(event->pos()) : currentIndex();
  if (!index.isValid() || model_->Row(index.row()).IsSeparator()) return;
  setCurrentIndex(index);
  const QPoint at =
      by_mouse ? event->globalPos() : viewport()->mapToGlobal(visualRect(index).center());
  emit RowMenuRequested(index.row(), at);
}

bool ResultList::TextIsCut(const QModelIndex& index) const {
  int room = visualRect(index).width() - CellMargin();
  if (!index.data(Qt::DecorationRole).value<QIcon>().isNull()) {
    room -= style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this) + CellMargin();
  }
  const QFont font =
      index.data(Qt::FontRole).isValid() ? index.data(Qt::FontRole).value<QFont>() : this->font();
  return QFontMetricsF(font).horizontalAdvance(index.data().toString()) > room;
}

QString ResultList::CellToolTip(const QModelIndex& index) const {
  if (!index.isValid()) return {};
  QString tip = index.data(Qt::ToolTipRole).toString();
  if (!TextIsCut(index)) return tip;
  const QString text = index.data().toString();
  return tip.isEmpty() ? text : text + QLatin1Char('\n') + tip;
}

bool ResultList::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QTableView::viewportEvent(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  const QModelIndex index = indexAt(help->pos());
  const QString tip = CellToolTip(index);
  if (tip.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(help->globalPos(), tip, viewport(), visualRect(index));
  }
  return true;
}

}  // namespace tarnwick
