// The result grids of both searches: the matching draws MSFlexGrid2 and the
// tally MSFlexGrid3, their header rows, column widths and double clicks.
#pragma once

#include "search/result_display.h"

#include <QObject>

class QTableView;
class QWidget;

namespace qudrim::app {

class TextGridModel;

class ResultGrids final : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QTableView* MSFlexGrid2 = nullptr;
        QTableView* MSFlexGrid3 = nullptr;
    };

    ResultGrids(const Controls& controls, QWidget* window);

    // Shows a search's result; setSerialColumn false (the combination search)
    // leaves the width of the row-number column as it is, growing only when
    // its texts need more.
    void show(const search::SearchResult& result, bool setSerialColumn);
    // A failed search never shows a partial result: both grids keep only
    // their header rows.
    void clear(bool setSerialColumn);
    // The tally grid has its column widths before the first search.
    void setTallyColumnWidths();

signals:
    // A double click of the left button on a grid or its header row.
    void hitsDoubleClicked();
    void tallyDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setHitColumnWidths(bool setSerialColumn);

    Controls c_;
    TextGridModel* hitsModel_;
    TextGridModel* tallyModel_;
};

}  // namespace qudrim::app
