#include "ui/result_list.h"

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
  horizontalHeader()->setDefaultSectionSize(50);
}

void ResultList::mouseDoubleClickEvent(QMouseEvent* event) {
  QTableView::mouseDoubleClickEvent(event);
  emit DoubleClicked();
}

void HeaderColumns::SetColumnWidth(int column, int width) {
  header_.resizeSection(column, std::max(width, 0));
}

}  // namespace tarnwick
