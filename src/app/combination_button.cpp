// "组合检索(&G)": the combination search over every combination of the
// chosen size, shown in both result grids.
#include "app/frmMain.h"

#include "app/busy_cursor.h"
#include "combination/combination_search.h"

#include <QCheckBox>
#include <QRadioButton>

#include <optional>

using namespace qudrim;

void frmMain::Command2_Click()
{
    runPendingBoxHandler();

    if (!store_->isOpen()) {
        warnHistoryNotOpen(QStringLiteral("组合检索无法进行"));
        return;
    }

    // The issue range must be two whole numbers before anything runs.
    const auto range = searchRange();
    if (!range)
        return;

    std::optional<app::BusyCursor> busy;
    busy.emplace();
    // Fixed or free positions follow the buttons at the moment of the
    // click; the setting keeps what the user last chose.
    state_.bolZyw = !Option1[0]->isChecked();
    Check2->setVisible(state_.bolZyw);

    combination::CombinationOptions o;
    // A greyed box counts as ticked.
    o.specialCounts = Check2->checkState() != Qt::Unchecked;
    o.bolZyw = state_.bolZyw;
    o.bolSq = state_.bolSq;
    o.intPreQi = state_.intPreQi;
    o.intLei = state_.intLei;
    o.intZhWSetup = state_.intZhWSetup;
    o.bolZhpm = state_.bolZhpm;
    // The positions of the last position search, which this search reads
    // and never changes.
    o.bolWei = bolWei_;
    o.intSqLei = panel_.intSqLei;
    o.display = searchDisplay(*range);

    try {
        showSearchResult(combination::runCombinationSearch(store_->db(), o, &columnCache_), false);
    } catch (const std::exception& e) {
        busy.reset();
        showSearchFailure(e, false);
    }
    historyChanged();
}
