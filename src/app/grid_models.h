// The models behind the three grids. Header row 0 of a grid is the model's
// horizontal header; grid row r >= 1 is model row r - 1.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace qudrim::app {

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
