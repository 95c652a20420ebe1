// "检索(&S)": reads the search options and the panel, runs the position
// search and shows both result grids.
#include "app/frmMain.h"

#include "app/busy_cursor.h"
#include "app/grid_models.h"
#include "search/position_search.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QTableView>

#include <optional>

using namespace qudrim;

void frmMain::Command1_Click()
{
    runPendingBoxHandler();

    // The issue range must be two whole numbers before anything runs.
    const auto range = searchRange();
    if (!range)
        return;

    search::SearchOptions o;
    o.specialCounts = Check2->isChecked();
    std::optional<app::BusyCursor> busy;
    busy.emplace();
    // Fixed or free positions follow the buttons at the moment of the click.
    state_.bolZyw = !Option1[0]->isChecked();
    Check2->setVisible(state_.bolZyw);
    // The positions of the page in force.
    const auto& checks = panel_.bolSdsr ? Check11 : Check1;
    for (int i = 1; i <= 7; ++i)
        bolWei_[static_cast<size_t>(i)] = checks[static_cast<size_t>(i)]->isChecked();

    o.bolZyw = state_.bolZyw;
    o.bolSq = state_.bolSq;
    o.intPreQi = state_.intPreQi;
    o.intLei = state_.intLei;
    o.bolWei = bolWei_;
    o.intSqLei = panel_.intSqLei;
    o.display = searchDisplay(*range);

    try {
        showSearchResult(search::runPositionSearch(store_->db(), o, &columnCache_), true);
    } catch (const std::exception& e) {
        busy.reset();
        showSearchFailure(e, true);
    }
}

void frmMain::setHitColumnWidths()
{
    MSFlexGrid2->setColumnWidth(0, app::twipsToPixels(1000));
    for (int c = 1; c <= 7; ++c)
        MSFlexGrid2->setColumnWidth(c, app::twipsToPixels(800));
    MSFlexGrid2->setColumnWidth(8, app::twipsToPixels(2500));
    MSFlexGrid2->setColumnWidth(9, app::twipsToPixels(680));
}

void frmMain::setTallyColumnWidths()
{
    const int widths[4] = {480, 680, 800, 880};
    for (int c = 0; c < 4; ++c)
        MSFlexGrid3->setColumnWidth(c, app::twipsToPixels(widths[c]));
}
