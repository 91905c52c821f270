#include "ui/result_model.h"

#include <QBrush>

#include "ui/qt_text.h"

namespace tarnwick {

ResultModel::ResultModel(QObject* parent) : QAbstractTableModel(parent) {
  flush_timer_.setSingleShot(true);
  flush_timer_.setInterval(kBatchMilliseconds);
  connect(&flush_timer_, &QTimer::timeout, this, &ResultModel::Flush);
}

int ResultModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ResultModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const ResultRow& row = Row(index.row());
  if (role == Qt::BackgroundRole) return QBrush(RowBackground(index.row()));
  if (role != Qt::DisplayRole) return {};
  if (index.column() == 0) return ToQt(row.caption);
  const size_t item = static_cast<size_t>(index.column() - 1);
  return item < row.subItems.size() ? ToQt(row.subItems[item]) : QString();
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section < titles_.size() ? titles_[section] : QString();
}

Qt::ItemFlags ResultModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  if (Row(index.row()).IsSeparator()) return Qt::ItemIsEnabled;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void ResultModel::SetTitles(const QStringList& titles) {
  titles_ = titles;
  emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
}

void ResultModel::Clear() {
  beginResetModel();
  rows_.clear();
  pending_.clear();
  endResetModel();
}

void ResultModel::Append(const ResultRow& row) {
  pending_.push_back(row);
  if (!flush_timer_.isActive()) flush_timer_.start();
}

void ResultModel::Flush() {
  flush_timer_.stop();
  if (pending_.empty()) return;
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(pending_.size()) - 1);
  rows_.insert(rows_.end(), std::make_move_iterator(pending_.begin()),
               std::make_move_iterator(pending_.end()));
  pending_.clear();
  endInsertRows();
}

QColor ResultModel::RowBackground(int row) const {
  return Row(row).IsSeparator() ? QColor(0x808080) : QColor(0xFFFFFF);
}

}  // namespace tarnwick
