#pragma once

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <array>
#include <vector>

#include "settings/settings.h"
#include "ui/result_model.h"

namespace tarnwick {

// Refuses every change of the selection or of the current row that would
// reach a separator row, so the previous selection stays as it was.
class RowSelectionModel : public QItemSelectionModel {
  Q_OBJECT

 public:
  explicit RowSelectionModel(ResultModel* model, QObject* parent);

  using QItemSelectionModel::select;
  void select(const QItemSelection& selection, SelectionFlags command) override;
  void setCurrentIndex(const QModelIndex& index, SelectionFlags command) override;

 private:
  // True when the row of `index` may change its state.
  bool MaySelect(const QModelIndex& index) const;
  QItemSelection WithoutSeparators(const QItemSelection& selection) const;

  const ResultModel* model_;
};

// The results list: grid lines, whole rows, read-only, unsorted, with column
// headers that do not react to clicks. Stays fast with many rows because
// every row has the same fixed height.
//
// Columns lay themselves out: Name and Folder share the width the others
// leave, and the others fit their contents, except a column the user has
// sized, which keeps its width. The keys step over separators, Tab leaves
// the list, and Enter opens the selected row as a double-click does.
class ResultList : public QTableView {
  Q_OBJECT

 public:
  // The width of the design's columns, which stands for "laid out by the
  // list" among the stored widths.
  static constexpr int kDesignWidth = 50;

  explicit ResultList(QWidget* parent);

  ResultModel& Model() { return *model_; }
  const ResultModel& Model() const { return *model_; }

  // kDesignWidth for a column the list lays out, else its width.
  int StoredWidth(int column) const;
  // A stored width: kDesignWidth hands the column back to the list.
  void SetStoredWidth(int column, int width);
  void FitColumns();

  // The text of a cell that does not fit it, and the outcome of a row's
  // file in its Name cell, as the tool tip shows them.
  QString CellToolTip(const QModelIndex& index) const;

 signals:
  // A double-click anywhere on the list, on a row or not, or Enter.
  void DoubleClicked();
  void RowMenuRequested(int row, const QPoint& global_position);

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  static constexpr int kStretchColumns = 2;  // Name and Folder
  static constexpr int kMinimumStretch = 60;

  int SelectableRowFrom(int row, int step) const;
  void RowsInserted(int first, int last);
  void ModelReset();
  void SectionResized(int column);
  int ContentWidth(int column) const;
  int CellMargin() const;
  int TextWidth(const QString& text) const;
  void ShareWidth(const std::vector<int>& columns, int width);
  bool TextIsCut(const QModelIndex& index) const;

  ResultModel* model_;  // owned as a child
  std::array<int, ResultModel::kColumns> content_widths_{};
  std::array<bool, ResultModel::kColumns> user_sized_{};
  bool fitting_ = false;
};

// The list's columns as the settings read and write their widths.
class HeaderColumns : public ResultColumns {
 public:
  explicit HeaderColumns(ResultList& list) : list_(list) {}

  int ColumnCount() const override { return ResultModel::kColumns; }
  int ColumnWidth(int column) const override { return list_.StoredWidth(column); }
  void SetColumnWidth(int column, int width) override { list_.SetStoredWidth(column, width); }
  void EndUpdate() override { list_.FitColumns(); }

 private:
  ResultList& list_;
};

}  // namespace tarnwick
