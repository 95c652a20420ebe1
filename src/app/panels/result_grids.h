// The result grids of both searches, side by side: the matching draws
// MSFlexGrid2 and the tally MSFlexGrid3, their header rows, column widths
// and double clicks.
#pragma once

#include "search/result_display.h"

#include <QList>
#include <QWidget>

#include <memory>

class QAbstractItemModel;
class QTableView;

namespace qudrim::app {

class ResultModel;

class ResultGrids final : public QWidget {
    Q_OBJECT
public:
    explicit ResultGrids(QWidget* parent = nullptr);

    // Shows a search's result; setSerialColumn false (the combination search)
    // leaves the width of the row-number column as it is, growing only when
    // its texts need more.
    void showResult(std::shared_ptr<const search::SearchResult> result, bool setSerialColumn);
    // The same result again, as the table now shows it, in the same grids.
    void showResultAgain(std::shared_ptr<const search::SearchResult> result);
    // A failed search never shows a partial result: both grids keep only
    // their header rows.
    void clear(bool setSerialColumn);
    // The same, after the search that filled them has failed.
    void clearAgain();
    // The tally grid has its column widths before the first search.
    void setTallyColumnWidths();

    // What the grids show, for their exports.
    const QAbstractItemModel& hits() const;
    const QAbstractItemModel& tally() const;
    // The matching draws, then the tally.
    QList<QWidget*> tabOrder() const;

signals:
    // A double click of the left button on a grid or its header row.
    void hitsDoubleClicked();
    void tallyDoubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setHitColumnWidths(bool setSerialColumn);
    // Every result starts at its first row.
    void showFirstRows();

    QTableView* MSFlexGrid2_;
    QTableView* MSFlexGrid3_;
    ResultModel* hitsModel_;
    ResultModel* tallyModel_;
    bool lastSetSerialColumn_ = true;
};

}  // namespace qudrim::app
