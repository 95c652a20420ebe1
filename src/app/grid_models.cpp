#include "app/grid_models.h"

namespace qudrim::app {

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
