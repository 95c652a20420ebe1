// "检索(&S)": the position search over the positions ticked on the page in
// force, shown in both result grids.
#include "app/commands/search_commands.h"

#include "app/session/history_session.h"
#include "search/position_search.h"

namespace qudrim::app {

void SearchCommands::Command1_Click(const std::array<bool, 8>& positions)
{
    runSearch(QStringLiteral("检索无法进行"), true, positions, true, [this](const search::SearchOptions& o) {
        return search::preparePositionSearch(context_.history.store().db(), o, &context_.history.columnCache());
    });
}

}  // namespace qudrim::app
