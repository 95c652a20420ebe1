// "组合检索(&G)": the combination search over every combination of the
// chosen size, shown in both result grids.
#include "app/frmMain.h"

#include "combination/combination_search.h"

using namespace qudrim;

void frmMain::Command2_Click()
{
    runSearchCommand(QStringLiteral("组合检索无法进行"), false, [this](std::pair<int32_t, int32_t> range) {
        // The positions of the last position search, which this search reads
        // and never changes, come with the options both searches share.
        const combination::CombinationOptions o{searchOptions(range), state_.intZhWSetup, state_.bolZhpm};
        return combination::runCombinationSearch(store_->db(), o, &columnCache_);
    });
}
