#include "app/commands/search_commands.h"

#include "app/desktop/error_text.h"
#include "app/desktop/prompter.h"
#include "app/panels/search_option_state.h"
#include "app/session/history_session.h"
#include "app/session/session_warnings.h"
#include "app/widgets/busy_cursor.h"

#include <optional>

namespace qudrim::app {

SearchCommands::SearchCommands(const CommandContext& context, const SearchOptionState& options,
                               const PanelState& panel, const CodeBases& bases, RangeAsk askRange, QObject* parent)
    : QObject(parent), context_(context), options_(options), panel_(panel), bases_(bases), askRange_(std::move(askRange))
{
}

void reportSearchFailure(Prompter& prompter, QWidget* window, const QString& detail)
{
    prompter.warning(window, QStringLiteral("检索失败"),
                     QStringLiteral("检索没有能够完成，结果列表已清空。\n\n"
                                    "请关闭可能正在使用历史数据库的其他程序，然后再检索一次。"),
                     detail);
}

void SearchCommands::runSearch(const QString& refused, bool setSerialColumn, const std::array<bool, 8>& positions,
                               bool keepPositions, const Prepare& prepare)
{
    if (!context_.history.isOpen()) {
        warnHistoryNotOpen(context_.prompter, context_.window, context_.history, refused);
        return;
    }
    // The issue range must be two whole numbers before anything runs.
    const auto range = askRange_();
    if (!range)
        return;

    std::optional<BusyCursor> busy;
    busy.emplace();
    // The combination search reads the positions of the last position
    // search that got this far, whether it then succeeds or fails.
    if (keepPositions)
        bolWei_ = positions;
    try {
        search::PreparedSearch prepared = prepare(options_.request(*range, panel_, positions, bases_));
        emit resultFound(std::make_shared<const search::SearchResult>(std::move(prepared.result)), setSerialColumn);
        // The result shows now; its marks go into the table once the window is idle.
        context_.history.keepMarks(std::move(prepared.marks));
    } catch (const std::exception& e) {
        busy.reset();
        emit searchFailed(setSerialColumn);
        reportSearchFailure(context_.prompter, context_.window, exceptionText(e));
    }
}

}  // namespace qudrim::app
