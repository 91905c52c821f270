#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <QTimer>
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

  explicit ResultModel(QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  void SetTitles(const QStringList& titles);
  void Clear();
  // Rows reach the view in batches, at most every kBatchMilliseconds: a run
  // lets pending events through after every row, and a view that lays out
  // and repaints itself for each single row would slow a long run to a crawl.
  void Append(const ResultRow& row);
  // Shows the rows appended since the last batch at once.
  void Flush();
  const ResultRow& Row(int row) const { return rows_[static_cast<size_t>(row)]; }

  // The background of a row: white with sub-items, grey without.
  QColor RowBackground(int row) const;

 private:
  static constexpr int kBatchMilliseconds = 50;

  std::vector<ResultRow> rows_;
  std::vector<ResultRow> pending_;
  QTimer flush_timer_;
  QStringList titles_;
};

}  // namespace tarnwick
