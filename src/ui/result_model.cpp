#include "ui/result_model.h"

#include <QApplication>
#include <QBrush>
#include <QFont>
#include <QIcon>
#include <QStyle>

#include "ui/qt_text.h"
#include "ui/run_texts.h"

namespace tarnwick {
namespace {

// The mark in the Name cell of a row whose file something happened to.
QIcon OutcomeIcon(const ListedRow& listed) {
  using Kind = RowOutcome::Kind;
  if (listed.role == RowRole::kMessage) {
    return QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
  }
  switch (listed.outcome.kind) {
    case Kind::kNone: return {};
    case Kind::kKept: return QApplication::style()->standardIcon(QStyle::SP_DialogApplyButton);
    case Kind::kMoved: return QApplication::style()->standardIcon(QStyle::SP_ArrowForward);
    case Kind::kTrashed: return QApplication::style()->standardIcon(QStyle::SP_TrashIcon);
    case Kind::kDeleted: return QApplication::style()->standardIcon(QStyle::SP_DialogDiscardButton);
    case Kind::kRenamed: return QApplication::style()->standardIcon(QStyle::SP_BrowserReload);
    case Kind::kHeld: return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    case Kind::kFailed: return QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical);
  }
  return {};
}

QString CellText(const ResultRow& row, int column) {
  if (column == 0) return ToQt(row.caption);
  const size_t item = static_cast<size_t>(column - 1);
  return item < row.subItems.size() ? ToQt(row.subItems[item]) : QString();
}

QFont BoldFont() {
  QFont bold;
  bold.setBold(true);
  return bold;
}

bool IsGone(const RowOutcome& outcome) {
  return outcome.kind == RowOutcome::Kind::kDeleted || outcome.kind == RowOutcome::Kind::kTrashed;
}

}  // namespace

ResultModel::ResultModel(QObject* parent) : QAbstractTableModel(parent) {
  flush_timer_.setSingleShot(true);
  flush_timer_.setInterval(kBatchMilliseconds);
  connect(&flush_timer_, &QTimer::timeout, this, &ResultModel::Flush);
}

int ResultModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shown_; }

int ResultModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant ResultModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const ListedRow& listed = Listed(index.row());
  const bool name = index.column() == 0;
  switch (role) {
    case Qt::DisplayRole: return CellText(listed.row, index.column());
    case Qt::BackgroundRole: return QBrush(RowBackground(index.row()));
    case Qt::ForegroundRole: return Foreground(listed);
    case Qt::DecorationRole: return name ? QVariant(OutcomeIcon(listed)) : QVariant();
    case Qt::ToolTipRole: return ToolTip(listed, index);
    case Qt::FontRole: return listed.role == RowRole::kCaption ? QVariant(BoldFont()) : QVariant();
    default: return {};
  }
}

// The outcome in the Name cell; a held pair's band names the reason
// wherever the pointer is on it.
QVariant ResultModel::ToolTip(const ListedRow& listed, const QModelIndex& index) const {
  const bool band = listed.row.IsSeparator() && listed.role == RowRole::kListed;
  return index.column() == 0 || band ? ToQt(OutcomeText(index.row())) : QString();
}

QVariant ResultModel::Foreground(const ListedRow& listed) const {
  switch (listed.role) {
    case RowRole::kMessage:
    case RowRole::kNote: return QBrush(QColor(0x808080));
    case RowRole::kCaption: return QBrush(Qt::white);
    case RowRole::kListed: return {};
  }
  return {};
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
  record_.Clear();
  shown_ = 0;
  endResetModel();
}

void ResultModel::Append(const ResultRow& row) { Add(ListedRow{row}); }

// Notes and captions are separators with a caption; a message has its
// folder as a sub-item, so that it can be selected like a file's row. The
// kind counts for the run's own rows only.
void ResultModel::AppendOwn(RowRole role, const std::string& text, const std::string& folder) {
  ResultRow row{RowKind::kSeparator, text, {}};
  if (role == RowRole::kMessage) row.subItems = {folder};
  Add(ListedRow{std::move(row), role});
}

void ResultModel::Add(ListedRow row) {
  record_.Append(std::move(row));
  if (!flush_timer_.isActive()) flush_timer_.start();
}

void ResultModel::Apply(const FileAction& action) { RowsChanged(record_.Apply(action)); }

void ResultModel::Hold(const HeldPair& held) { RowsChanged(record_.Hold(held)); }

// Rows not yet shown come with their changes in the next batch.
void ResultModel::RowsChanged(const std::vector<size_t>& rows) {
  for (const size_t row : rows) {
    if (row >= static_cast<size_t>(shown_)) continue;
    const int at = static_cast<int>(row);
    emit dataChanged(index(at, 0), index(at, kColumns - 1));
  }
}

void ResultModel::Flush() {
  flush_timer_.stop();
  const int total = static_cast<int>(record_.size());
  if (shown_ == total) return;
  beginInsertRows({}, shown_, total - 1);
  shown_ = total;
  endInsertRows();
}

std::string ResultModel::OpenablePath(int row) const {
  const ListedRow& listed = Listed(row);
  if (listed.role != RowRole::kListed || IsGone(listed.outcome)) return "";
  return listed.row.path;
}

std::string ResultModel::OutcomeText(int row) const {
  return texts_ == nullptr ? "" : tarnwick::OutcomeText(Listed(row).outcome, *texts_);
}

QColor ResultModel::RowBackground(int row) const {
  const ListedRow& listed = Listed(row);
  if (!listed.row.IsSeparator() || listed.role == RowRole::kNote) return QColor(0xFFFFFF);
  return listed.outcome.kind == RowOutcome::Kind::kHeld ? QColor(0xFFBF00) : QColor(0x808080);
}

}  // namespace tarnwick
