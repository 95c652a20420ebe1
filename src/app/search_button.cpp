// "检索(&S)": reads the search options and the panel, runs the position
// search and shows both result grids.
#include "app/frmMain.h"

#include "app/column_widths.h"
#include "app/grid_models.h"
#include "search/position_search.h"

#include <QCheckBox>
#include <QTableView>

#include <array>

using namespace qudrim;

void frmMain::Command1_Click()
{
    runSearchCommand(QStringLiteral("检索无法进行"), true, [this](std::pair<int32_t, int32_t> range) {
        // The positions of the page in force.
        const auto& checks = panel_.bolSdsr ? Check11 : Check1;
        for (int i = 1; i <= 7; ++i)
            bolWei_[static_cast<size_t>(i)] = checks[static_cast<size_t>(i)]->isChecked();
        return search::runPositionSearch(store_->db(), searchOptions(range), &columnCache_);
    });
}

void frmMain::setHitColumnWidths(bool setSerialColumn)
{
    // The issue, the seven positions, the compared draw's numbers and the row
    // number. Without setSerialColumn the row-number column keeps the width
    // it has, growing only when its texts need more.
    std::array<int, 10> widths{};
    widths[0] = app::twipsToPixels(1000);
    for (int c = 1; c <= 7; ++c)
        widths[static_cast<size_t>(c)] = app::twipsToPixels(800);
    widths[8] = app::twipsToPixels(2500);
    widths[9] = setSerialColumn ? app::twipsToPixels(680) : MSFlexGrid2->columnWidth(9);
    app::fitColumnWidthsToCells(MSFlexGrid2, widths);
}

void frmMain::setTallyColumnWidths()
{
    // Row number, value, count and percentage; the grid is as wide as its
    // columns, so a percentage of 100 % shows whole.
    const std::array<int, 4> widths = {app::twipsToPixels(480), app::twipsToPixels(680), app::twipsToPixels(800),
                                       app::twipsToPixels(880)};
    app::fitColumnWidthsToCells(MSFlexGrid3, widths);
    MSFlexGrid3->setFixedWidth(app::widthForAllColumns(MSFlexGrid3));
}
