#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <vector>

#include "search/result_row.h"

namespace tarnwick {

// The rows of the results list: a caption and up to six sub-items in seven
// columns. A row without sub-items is a separator, painted grey and never
// selectable.
class ResultModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumns = 7;

  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  void SetTitles(const QStringList& titles);
  void Clear();
  void Append(const ResultRow& row);
  const ResultRow& Row(int row) const { return rows_[static_cast<size_t>(row)]; }

  // The background of a row: white with sub-items, grey without.
  QColor lstInfoCustomDrawItem(int row) const;

 private:
  std::vector<ResultRow> rows_;
  QStringList titles_;
};

}  // namespace tarnwick
