#include "app/result_models.h"

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

QString positionCaption(int i) { return i == 7 ? QStringLiteral("特位") : QStringLiteral("平%1位").arg(i); }

// The header row shows before the first search.
QStringList emptyHitHeader()
{
    QStringList header = {QStringLiteral("期号")};
    for (int i = 1; i <= 7; ++i)
        header << positionCaption(i);
    header << QStringLiteral("上期开奖") << QStringLiteral("序号");
    return header;
}

}  // namespace

ResultModel::ResultModel(QStringList header, QObject* parent) : QAbstractTableModel(parent), header_(std::move(header))
{
}

void ResultModel::setResult(std::shared_ptr<const search::SearchResult> result)
{
    beginResetModel();
    result_ = std::move(result);
    if (result_) {
        header_ = headerOf(*result_);
        // The names of a kind's values, put into words once instead of once a cell.
        for (int v = 0; v < static_cast<int>(names_.size()); ++v)
            names_[static_cast<size_t>(v)] = QString::fromStdString(result_->valueText(v));
    }
    rows_ = result_ ? rowsOf(*result_) : 0;
    endResetModel();
}

void ResultModel::clearRows() { setResult(nullptr); }

QString ResultModel::valueText(int64_t value) const
{
    if (value >= 0 && value < static_cast<int64_t>(names_.size()))
        return names_[static_cast<size_t>(value)];
    return result_ ? QString::fromStdString(result_->valueText(value)) : QString();
}

QStringList ResultModel::valueTexts() const
{
    QStringList texts;
    for (const QString& name : names_)
        if (!texts.contains(name))
            texts << name;
    return texts;
}

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
    return cellText(static_cast<size_t>(index.row()), index.column());
}

HitsModel::HitsModel(QObject* parent) : ResultModel(emptyHitHeader(), parent) {}

QStringList HitsModel::headerOf(const search::SearchResult& result) const { return toStrings(result.hitHeader()); }

QString HitsModel::cellText(size_t row, int column) const
{
    const search::HitRow& hit = result()->hits[row];
    if (column == 0)
        return QString::number(hit.issue);
    if (column >= 1 && column <= 7)
        return valueText(hit.values[static_cast<size_t>(column)]);
    if (column == 8)
        return QString::fromStdString(hit.list);
    if (column == 9)
        return QString::number(row + 1);
    return {};
}

TallyModel::TallyModel(QObject* parent)
    : ResultModel({QStringLiteral("序号"), QStringLiteral("结果"), QStringLiteral("出现次数"), QStringLiteral("百分比")},
                  parent)
{
}

QStringList TallyModel::headerOf(const search::SearchResult& result) const { return toStrings(result.tallyHeader()); }

QString TallyModel::cellText(size_t row, int column) const
{
    const search::TallyRow& t = result()->tally[row];
    switch (column) {
    case 0: return QString::number(row + 1);
    case 1: return valueText(t.value);
    case 2: return QString::number(t.count);
    case 3: return QString::fromStdString(result()->tallyText(row, 3));
    default: return {};
    }
}

}  // namespace qudrim::app
