#include "app/panels/result_grids.h"

#include "app/panels/result_models.h"
#include "app/widgets/column_widths.h"
#include "app/widgets/controls.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>

#include <array>

namespace qudrim::app {

ResultGrids::ResultGrids(QWidget* parent)
    : QWidget(parent),
      MSFlexGrid2_(makeGrid(QStringLiteral("MSFlexGrid2"))),
      MSFlexGrid3_(makeGrid(QStringLiteral("MSFlexGrid3"))),
      hitsModel_(new ResultModel(ResultModel::Grid::Hits, this)),
      tallyModel_(new ResultModel(ResultModel::Grid::Tally, this))
{
    MSFlexGrid2_->setToolTip(gridExportTip());
    auto* h = new QHBoxLayout(this);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(6);
    h->addWidget(MSFlexGrid2_, 1);
    h->addWidget(MSFlexGrid3_);

    // Both grids show their header rows before the first search; the tally
    // grid's column widths, and with them its width, come with start-up.
    MSFlexGrid2_->setModel(hitsModel_);
    MSFlexGrid3_->setModel(tallyModel_);
    setHitColumnWidths(true);
    for (QTableView* grid : {MSFlexGrid2_, MSFlexGrid3_}) {
        grid->viewport()->installEventFilter(this);
        grid->horizontalHeader()->viewport()->installEventFilter(this);
    }
    chainTabOrder(tabOrder());
}

const QAbstractItemModel& ResultGrids::hits() const { return *hitsModel_; }

const QAbstractItemModel& ResultGrids::tally() const { return *tallyModel_; }

QList<QWidget*> ResultGrids::tabOrder() const { return {MSFlexGrid2_, MSFlexGrid3_}; }

void ResultGrids::showResult(std::shared_ptr<const search::SearchResult> result, bool setSerialColumn)
{
    lastSetSerialColumn_ = setSerialColumn;
    hitsModel_->setResult(result);
    tallyModel_->setResult(std::move(result));
    setHitColumnWidths(setSerialColumn);
    setTallyColumnWidths();
    showFirstRows();
}

void ResultGrids::showResultAgain(std::shared_ptr<const search::SearchResult> result)
{
    showResult(std::move(result), lastSetSerialColumn_);
}

void ResultGrids::clear(bool setSerialColumn)
{
    lastSetSerialColumn_ = setSerialColumn;
    hitsModel_->clearRows();
    tallyModel_->clearRows();
    setHitColumnWidths(setSerialColumn);
    setTallyColumnWidths();
    showFirstRows();
}

void ResultGrids::showFirstRows()
{
    // A view keeps its scroll position through a new model's rows: a new
    // result would open where the user had scrolled the last one to.
    MSFlexGrid2_->scrollToTop();
    MSFlexGrid3_->scrollToTop();
}

void ResultGrids::clearAgain() { clear(lastSetSerialColumn_); }

void ResultGrids::setHitColumnWidths(bool setSerialColumn)
{
    // The issue, the seven positions, the compared draw's numbers and the row
    // number. Without setSerialColumn the row-number column keeps the width
    // it has, growing only when its texts need more.
    std::array<int, 10> widths{};
    widths[0] = twipsToPixels(1000);
    for (int c = 1; c <= 7; ++c)
        widths[static_cast<size_t>(c)] = twipsToPixels(800);
    widths[8] = twipsToPixels(2500);
    widths[9] = setSerialColumn ? twipsToPixels(680) : MSFlexGrid2_->columnWidth(9);

    // The widest text of each column, as the result names it without
    // reading every row.
    std::array<QStringList, 10> widest;
    if (const search::SearchResult* r = hitsModel_->result()) {
        const auto texts = r->widestHitTexts();
        for (size_t c = 0; c < widest.size(); ++c)
            for (const std::string& t : texts[c])
                widest[c] << QString::fromStdString(t);
    }
    fitColumnWidths(MSFlexGrid2_, widths, widest);
}

void ResultGrids::setTallyColumnWidths()
{
    // Row number, value, count and percentage; the grid is as wide as its
    // columns, so a percentage of 100 % shows whole. A tally has a row for
    // each value of a kind, at most 49: its cells are measured as they are.
    const std::array<int, 4> widths = {twipsToPixels(480), twipsToPixels(680), twipsToPixels(800), twipsToPixels(880)};
    fitColumnWidthsToCells(MSFlexGrid3_, widths);
    MSFlexGrid3_->setFixedWidth(widthForAllColumns(MSFlexGrid3_));
}

bool ResultGrids::eventFilter(QObject* watched, QEvent* event)
{
    // A double click is one of the left button, as everywhere on the desktop.
    if (event->type() == QEvent::MouseButtonDblClick && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        auto over = [watched](QTableView* grid) {
            return watched == grid->viewport() || watched == grid->horizontalHeader()->viewport();
        };
        if (over(MSFlexGrid2_))
            emit hitsDoubleClicked();
        else if (over(MSFlexGrid3_))
            emit tallyDoubleClicked();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace qudrim::app
