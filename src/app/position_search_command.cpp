// "检索(&S)": the position search over the positions ticked on the page in
// force, shown in both result grids.
#include "app/search_commands.h"

#include "app/base_draw_panel.h"
#include "app/history.h"
#include "search/position_search.h"

namespace qudrim::app {

void SearchCommands::Command1_Click()
{
    // The combination search reads the positions of the last position
    // search that ran.
    runSearch(QStringLiteral("检索无法进行"), true, panel_.chosenPositions(), [this](const search::SearchOptions& o) {
        bolWei_ = o.bolWei;
        return search::preparePositionSearch(context_.history.store().db(), o, &context_.history.columnCache());
    });
}

}  // namespace qudrim::app
