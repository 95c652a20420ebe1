#include "app/result_grids.h"

#include "app/column_widths.h"
#include "app/grid_models.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>

#include <array>

namespace qudrim::app {

namespace {

QString positionCaption(int i) { return i == 7 ? QStringLiteral("特位") : QStringLiteral("平%1位").arg(i); }

template <size_t N>
QStringList toStrings(const std::array<std::string, N>& texts)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(N));
    for (const std::string& t : texts)
        list << QString::fromStdString(t);
    return list;
}

template <size_t N>
std::vector<QStringList> toRows(const std::vector<std::array<std::string, N>>& rows)
{
    std::vector<QStringList> out;
    out.reserve(rows.size());
    for (const auto& row : rows)
        out.push_back(toStrings(row));
    return out;
}

}  // namespace

ResultGrids::ResultGrids(const Controls& controls, QWidget* window) : QObject(window), c_(controls)
{
    // The result grids show their header rows before the first search.
    QStringList hitHeader = {QStringLiteral("期号")};
    for (int i = 1; i <= 7; ++i)
        hitHeader << positionCaption(i);
    hitHeader << QStringLiteral("上期开奖") << QStringLiteral("序号");
    hitsModel_ = new TextGridModel(hitHeader, this);
    c_.MSFlexGrid2->setModel(hitsModel_);
    setHitColumnWidths(true);

    // Its column widths, and with them its width, come with start-up.
    tallyModel_ = new TextGridModel(
        {QStringLiteral("序号"), QStringLiteral("结果"), QStringLiteral("出现次数"), QStringLiteral("百分比")}, this);
    c_.MSFlexGrid3->setModel(tallyModel_);

    for (QTableView* grid : {c_.MSFlexGrid2, c_.MSFlexGrid3}) {
        grid->viewport()->installEventFilter(this);
        grid->horizontalHeader()->viewport()->installEventFilter(this);
    }
}

void ResultGrids::show(const search::SearchResult& result, bool setSerialColumn)
{
    hitsModel_->setHeader(toStrings(result.hitHeader));
    hitsModel_->setRows(toRows(result.hits));
    tallyModel_->setHeader(toStrings(result.tallyHeader));
    tallyModel_->setRows(toRows(result.tally));
    setHitColumnWidths(setSerialColumn);
    setTallyColumnWidths();
}

void ResultGrids::clear(bool setSerialColumn)
{
    hitsModel_->clearRows();
    tallyModel_->clearRows();
    setHitColumnWidths(setSerialColumn);
    setTallyColumnWidths();
}

void ResultGrids::setHitColumnWidths(bool setSerialColumn)
{
    // The issue, the seven positions, the compared draw's numbers and the row
    // number.
    std::array<int, 10> widths{};
    widths[0] = twipsToPixels(1000);
    for (int c = 1; c <= 7; ++c)
        widths[static_cast<size_t>(c)] = twipsToPixels(800);
    widths[8] = twipsToPixels(2500);
    widths[9] = setSerialColumn ? twipsToPixels(680) : c_.MSFlexGrid2->columnWidth(9);
    fitColumnWidthsToCells(c_.MSFlexGrid2, widths);
}

void ResultGrids::setTallyColumnWidths()
{
    // Row number, value, count and percentage; the grid is as wide as its
    // columns, so a percentage of 100 % shows whole.
    const std::array<int, 4> widths = {twipsToPixels(480), twipsToPixels(680), twipsToPixels(800), twipsToPixels(880)};
    fitColumnWidthsToCells(c_.MSFlexGrid3, widths);
    c_.MSFlexGrid3->setFixedWidth(widthForAllColumns(c_.MSFlexGrid3));
}

bool ResultGrids::eventFilter(QObject* watched, QEvent* event)
{
    // A double click is one of the left button, as everywhere on the desktop.
    if (event->type() == QEvent::MouseButtonDblClick && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        auto over = [watched](QTableView* grid) {
            return watched == grid->viewport() || watched == grid->horizontalHeader()->viewport();
        };
        if (over(c_.MSFlexGrid2))
            emit hitsDoubleClicked();
        else if (over(c_.MSFlexGrid3))
            emit tallyDoubleClicked();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace qudrim::app
