#include "app/panels/result_models.h"

namespace qudrim::app {

namespace {

template <size_t N>
QStringList toStrings(const std::array<std::string, N>& texts)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(N));
    for (const std::string& t : texts)
        list << QString::fromStdString(t);
    return list;
}

}  // namespace

ResultModel::ResultModel(Grid grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), header_(headerOf(search::SearchResult()))
{
}

QStringList ResultModel::headerOf(const search::SearchResult& result) const
{
    return grid_ == Grid::Hits ? toStrings(result.hitHeader()) : toStrings(result.tallyHeader());
}

void ResultModel::setResult(std::shared_ptr<const search::SearchResult> result)
{
    beginResetModel();
    result_ = std::move(result);
    if (result_)
        header_ = headerOf(*result_);
    rows_ = !result_ ? 0 : grid_ == Grid::Hits ? result_->hits.size() : result_->tally.size();
    endResetModel();
}

void ResultModel::clearRows() { setResult(nullptr); }

int ResultModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : static_cast<int>(rows_); }

int ResultModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(header_.size());
}

QVariant ResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return section + 1;
    return section < header_.size() ? header_[section] : QString();
}

QVariant ResultModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !result_ || index.row() < 0 || static_cast<size_t>(index.row()) >= rows_ ||
        index.column() >= static_cast<int>(header_.size()))
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    const auto row = static_cast<size_t>(index.row());
    return QString::fromStdString(grid_ == Grid::Hits ? result_->hitText(row, index.column())
                                                      : result_->tallyText(row, index.column()));
}

}  // namespace qudrim::app
