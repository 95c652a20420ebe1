// The models behind the three grids. Header row 0 of a grid is the model's
// horizontal header; grid row r >= 1 is model row r - 1.
#pragma once

#include "store/history_store.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <memory>
#include <vector>

namespace qudrim::app {

// The history list: one row per draw of the read view, oldest first; column 0
// the issue, 1..6 the regular numbers in drawn order, 7 the special number.
// It reads the snapshot itself, so a refill of any length costs nothing.
class HistoryModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setSnapshot(std::shared_ptr<const store::Snapshot> snapshot);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const store::Snapshot> snapshot_;
};

// A grid of ready-made texts: the matching draws and the tally of a search.
class TextGridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    TextGridModel(QStringList header, QObject* parent = nullptr);

    void setHeader(const QStringList& header);
    void setRows(std::vector<QStringList> rows);
    void clearRows() { setRows({}); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList header_;
    std::vector<QStringList> rows_;
};

}  // namespace qudrim::app
