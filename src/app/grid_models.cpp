#include "app/grid_models.h"

namespace qudrim::app {

void HistoryModel::setSnapshot(std::shared_ptr<const store::Snapshot> snapshot)
{
    beginResetModel();
    snapshot_ = std::move(snapshot);
    endResetModel();
}

int HistoryModel::rowCount(const QModelIndex& parent) const
{
    return (parent.isValid() || !snapshot_) ? 0 : snapshot_->count();
}

int HistoryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 8; }

QVariant HistoryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !snapshot_ || index.row() >= snapshot_->count())
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    const DrawRow& row = snapshot_->row(index.row());
    if (index.column() == 0)
        return QString::number(row.issue);
    return QString::number(row.L[static_cast<size_t>(index.column())].A);
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section == 0)
        return QStringLiteral("期号");
    if (section == 7)
        return QStringLiteral("特码");
    return QStringLiteral("落%1码").arg(section);
}

TextGridModel::TextGridModel(QStringList header, QObject* parent)
    : QAbstractTableModel(parent), header_(std::move(header))
{
}

void TextGridModel::setHeader(const QStringList& header)
{
    if (header.size() == header_.size()) {
        header_ = header;
        emit headerDataChanged(Qt::Horizontal, 0, static_cast<int>(header_.size()) - 1);
        return;
    }
    beginResetModel();
    header_ = header;
    endResetModel();
}

void TextGridModel::setRows(std::vector<QStringList> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int TextGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TextGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(header_.size());
}

QVariant TextGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(rows_.size()))
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    const QStringList& row = rows_[static_cast<size_t>(index.row())];
    return index.column() < row.size() ? row[index.column()] : QString();
}

QVariant TextGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return section + 1;
    return section < header_.size() ? header_[section] : QString();
}

}  // namespace qudrim::app
