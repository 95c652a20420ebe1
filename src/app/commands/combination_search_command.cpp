// "组合检索(&G)": the combination search over every combination of the
// chosen size, shown in both result grids.
#include "app/commands/search_commands.h"

#include "app/panels/search_option_state.h"
#include "app/session/history_session.h"
#include "combination/combination_search.h"

namespace qudrim::app {

void SearchCommands::Command2_Click()
{
    // The positions of the last position search, which this search reads
    // and never changes, come with the options both searches share.
    runSearch(QStringLiteral("组合检索无法进行"), false, bolWei_, false, [this](const search::SearchOptions& o) {
        const combination::CombinationOptions c{o, options_.intZhWSetup, options_.bolZhpm};
        return combination::prepareCombinationSearch(context_.history.store().db(), c, &context_.history.columnCache());
    });
}

}  // namespace qudrim::app

