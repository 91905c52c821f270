#pragma once

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

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
class ResultList : public QTableView {
  Q_OBJECT

 public:
  explicit ResultList(QWidget* parent);

  ResultModel& Model() { return *model_; }
  const ResultModel& Model() const { return *model_; }

 signals:
  // A double-click anywhere on the list, on a row or not.
  void DoubleClicked();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  ResultModel* model_;  // owned as a child
};

// The list's columns as the settings read and write their widths.
class HeaderColumns : public ResultColumns {
 public:
  explicit HeaderColumns(QHeaderView& header) : header_(header) {}

  int ColumnCount() const override { return header_.count(); }
  int ColumnWidth(int column) const override { return header_.sectionSize(column); }
  void SetColumnWidth(int column, int width) override;

 private:
  QHeaderView& header_;
};

}  // namespace tarnwick
