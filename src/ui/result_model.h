#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <QTimer>
#include <string>

#include "settings/language.h"
#include "ui/run_record.h"

namespace tarnwick {

// The rows of the results list: a caption and up to seven sub-items in
// eight columns, with what happened to each row's file. A row without
// sub-items is a separator, painted grey (amber for a held pair) and never
// selectable.
class ResultModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumns = 8;

  explicit ResultModel(QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The texts of the outcomes; the record lives as long as the model.
  void SetTexts(const RESULTS& texts) { texts_ = &texts; }
  void SetTitles(const QStringList& titles);
  void Clear();
  // Rows reach the view in batches, at most every kBatchMilliseconds: a run
  // lets pending events through after every row, and a view that lays out
  // and repaints itself for each single row would slow a long run to a crawl.
  void Append(const ResultRow& row);
  // A row of the window's own: a message, a note or a caption.
  void AppendOwn(RowRole role, const std::string& text, const std::string& folder = "");
  void Apply(const FileAction& action);
  void Hold(const HeldPair& held);
  // Shows the rows appended since the last batch at once.
  void Flush();

  const ResultRow& Row(int row) const { return Listed(row).row; }
  const ListedRow& Listed(int row) const { return record_[static_cast<size_t>(row)]; }
  const RunCounts& Counts() const { return record_.Counts(); }
  // The file a row stands for as it is now; empty for a file that is gone
  // and for rows that stand for no file.
  std::string OpenablePath(int row) const;
  std::string OutcomeText(int row) const;

  // The background of a row: white with sub-items; grey without, amber
  // when its pair is held.
  QColor RowBackground(int row) const;

 private:
  static constexpr int kBatchMilliseconds = 50;

  void Add(ListedRow row);
  void RowsChanged(const std::vector<size_t>& rows);
  QVariant Foreground(const ListedRow& listed) const;
  QVariant ToolTip(const ListedRow& listed, const QModelIndex& index) const;

  RunRecord record_;
  int shown_ = 0;  // the rows the view knows of
  QTimer flush_timer_;
  QStringList titles_;
  const RESULTS* texts_ = nullptr;
};

}  // namespace tarnwick
