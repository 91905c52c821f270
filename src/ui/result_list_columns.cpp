// How the results list lays out its columns: the widths the user gave and
// the settings keep, widths that fit the texts, and the free width that Name
// and Folder share.

#include <QHeaderView>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "ui/result_list.h"

namespace tarnwick {

int ResultList::StoredWidth(int column) const {
  return user_sized_.at(column) ? horizontalHeader()->sectionSize(column) : kDesignWidth;
}

void ResultList::SetStoredWidth(int column, int width) {
  user_sized_.at(column) = width != kDesignWidth;
  if (!user_sized_[column]) return;
  fitting_ = true;
  horizontalHeader()->resizeSection(column, std::max(width, 0));
  fitting_ = false;
}

// The columns the list lays out: all but Name and Folder fit their
// contents, and those two share what is left of the width in view.
void ResultList::FitColumns() {
  fitting_ = true;
  QHeaderView& header = *horizontalHeader();
  int used = 0;
  std::vector<int> stretched;
  for (int column = 0; column < ResultModel::kColumns; ++column) {
    const bool fitted = !user_sized_[column];
    if (fitted && column < kStretchColumns) {
      stretched.push_back(column);
      continue;
    }
    if (fitted) header.resizeSection(column, ContentWidth(column));
    used += header.sectionSize(column);
  }
  ShareWidth(stretched, viewport()->width() - used);
  fitting_ = false;
}

// Room for every text, and what is more in equal parts; when the room is
// short, parts in the measure of the texts. The last column takes what is
// left, so that the columns end at the edge.
void ResultList::ShareWidth(const std::vector<int>& columns, int width) {
  int wanted = 0;
  for (const int column : columns) wanted += ContentWidth(column);
  const int count = static_cast<int>(columns.size());
  int left = width;
  for (int i = 0; i < count; ++i) {
    const int column = columns[static_cast<size_t>(i)];
    const int content = ContentWidth(column);
    const int share = i == count - 1    ? left
                      : width >= wanted ? content + (width - wanted) / count
                                        : width * content / std::max(wanted, 1);
    const int size = std::max(share, kMinimumStretch);
    horizontalHeader()->resizeSection(column, size);
    left -= size;
  }
}

// The widest text of a column, with the margins a cell keeps around it.
int ResultList::ContentWidth(int column) const {
  const int cell = content_widths_[static_cast<size_t>(column)] + CellMargin() + 1;
  return std::max(cell, horizontalHeader()->sectionSizeHint(column));
}

void ResultList::SectionResized(int column) {
  if (fitting_) return;
  user_sized_.at(column) = true;
  FitColumns();
}

// Notes and captions span the whole row; the columns learn the widths of
// the new texts, the Name column with room for an outcome's mark.
void ResultList::RowsInserted(int first, int last) {
  const int mark = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this) + CellMargin();
  bool wider = false;
  for (int row = first; row <= last; ++row) {
    const ListedRow& listed = model_->Listed(row);
    if (listed.role == RowRole::kNote || listed.role == RowRole::kCaption) {
      setSpan(row, 0, 1, ResultModel::kColumns);
      continue;
    }
    for (int column = 0; column < ResultModel::kColumns; ++column) {
      int& widest = content_widths_[static_cast<size_t>(column)];
      const int width = TextWidth(model_->index(row, column).data().toString());
      const int needed = width + (column == 0 ? mark : 0);
      wider = wider || needed > widest;
      widest = std::max(widest, needed);
    }
  }
  if (wider) FitColumns();
}

void ResultList::ModelReset() {
  clearSpans();
  content_widths_.fill(0);
  FitColumns();
}

void ResultList::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  FitColumns();
}

// Rounded up: a text a fraction of a pixel wider than its room is cut.
int ResultList::TextWidth(const QString& text) const {
  return static_cast<int>(std::ceil(QFontMetricsF(font()).horizontalAdvance(text)));
}

// The margins a cell keeps on both sides of its text.
int ResultList::CellMargin() const {
  return 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
}

}  // namespace tarnwick
