#include "app/session/history_list_model.h"

#include "app/session/history_session.h"

namespace qudrim::app {

HistoryListModel::HistoryListModel(const HistorySession& history, QObject* parent)
    : QAbstractTableModel(parent), history_(history), rows_(history.view().count())
{
    connect(&history, &HistorySession::historyAboutToChange, this, &HistoryListModel::aboutToFollow);
    connect(&history, &HistorySession::historyChanged, this, &HistoryListModel::follow);
}

void HistoryListModel::showWholeView()
{
    beginResetModel();
    rows_ = history_.view().count();
    endResetModel();
}

void HistoryListModel::aboutToFollow(const HistoryChange& change)
{
    switch (change.rows) {
    case HistoryChange::Rows::Unchanged:
        return;
    case HistoryChange::Rows::Appended:
        if (change.appended > 0)
            beginInsertRows({}, rows_, rows_ + change.appended - 1);
        return;
    case HistoryChange::Rows::LastRemoved:
        if (rows_ > 0)
            beginRemoveRows({}, rows_ - 1, rows_ - 1);
        return;
    case HistoryChange::Rows::Replaced:
    case HistoryChange::Rows::Emptied:
        beginResetModel();
        return;
    }
}

void HistoryListModel::follow(const HistoryChange& change)
{
    switch (change.rows) {
    case HistoryChange::Rows::Unchanged:
        return;
    case HistoryChange::Rows::Appended:
        if (change.appended > 0) {
            rows_ = history_.view().count();
            endInsertRows();
        }
        return;
    case HistoryChange::Rows::LastRemoved:
        if (rows_ > 0) {
            rows_ = history_.view().count();
            endRemoveRows();
        }
        return;
    case HistoryChange::Rows::Replaced:
    case HistoryChange::Rows::Emptied:
        rows_ = history_.view().count();
        endResetModel();
        return;
    }
}

int HistoryListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int HistoryListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 8; }

QVariant HistoryListModel::data(const QModelIndex& index, int role) const
{
    const store::Snapshot& view = history_.view();
    if (!index.isValid() || index.row() >= rows_ || index.row() >= view.count())
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    const DrawRow& row = view.row(index.row());
    if (index.column() == 0)
        return QString::number(row.issue);
    return QString::number(row.L[static_cast<size_t>(index.column())].A);
}

QVariant HistoryListModel::headerData(int section, Qt::Orientation orientation, int role) const
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

}  // namespace qudrim::app
