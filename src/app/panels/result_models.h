// The models behind the result grids: a search's result as the core worked
// it out, each cell and header put into words by the result itself, and
// only when the view asks for it, so that a result of ten thousand draws
// shows as fast as one of ten. Header row 0 of a grid is the model's
// horizontal header; grid row r >= 1 is model row r - 1.
#pragma once

#include "search/result_display.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <memory>

namespace qudrim::app {

class ResultModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Grid {
        Hits,   // MSFlexGrid2: the matching draws
        Tally,  // MSFlexGrid3: the tally of the result kind
    };

    // Before the first result the header row shows as a result without hits has it.
    ResultModel(Grid grid, QObject* parent);

    void setResult(std::shared_ptr<const search::SearchResult> result);
    // No rows; the header keeps the texts of the last result.
    void clearRows();

    const search::SearchResult* result() const { return result_.get(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QStringList headerOf(const search::SearchResult& result) const;

    Grid grid_;
    std::shared_ptr<const search::SearchResult> result_;
    size_t rows_ = 0;
    QStringList header_;
};

}  // namespace qudrim::app
