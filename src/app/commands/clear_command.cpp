// "清空历史号码(&C)": empties the history after a question. Only the list
// follows; the next issue, the range end and the panel keep what they
// showed, and the file is not compacted.
#include "app/commands/commands.h"

#include "app/commands/command_context.h"
#include "app/desktop/error_text.h"
#include "app/desktop/prompter.h"
#include "app/session/history_session.h"
#include "app/session/session_warnings.h"

namespace qudrim::app {

bool confirmClearing(const CommandContext& context)
{
    return context.prompter.confirm(context.window, QStringLiteral("确认清空"), QStringLiteral("确定要清空所有的历史号码吗？"));
}

void clearHistory(const CommandContext& context)
{
    if (!historyOpenFor(context, QStringLiteral("历史号码无法清空")))
        return;
    if (!confirmClearing(context))
        return;
    try {
        context.history.store().deleteAll();
    } catch (const std::exception& e) {
        context.prompter.warning(context.window, QStringLiteral("清空历史号码"),
                                 QStringLiteral("历史号码没有能够清空，历史号码保持原样。"), exceptionText(e));
        return;
    }
    context.history.changed(HistoryChange::emptied());
}

}  // namespace qudrim::app
