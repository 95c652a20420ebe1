// "删除最后历史": deletes the newest draw and compacts the file, asking
// nothing: each click takes one more draw. The next typed draw then
// continues the history as it now stands.
#include "app/commands/commands.h"

#include "app/commands/command_context.h"
#include "app/commands/compaction_report.h"
#include "app/desktop/prompter.h"
#include "app/session/history_session.h"
#include "app/session/session_warnings.h"
#include "history/delete_last.h"

namespace qudrim::app {

void deleteLastDraw(const CommandContext& context)
{
    if (!historyOpenFor(context, QStringLiteral("最后一期历史号码无法删除")))
        return;
    const history::DeleteOutcome outcome = history::deleteLastAndCompact(context.history.store());
    if (outcome.refused) {
        context.prompter.warning(context.window, QStringLiteral("删除最后历史"),
                                 QStringLiteral("最后一期历史号码没有能够删除，历史号码保持原样。"),
                                 QString::fromStdString(outcome.detail));
        return;
    }
    // An empty history has nothing to delete and stays as it was.
    context.history.changedAndCompacted(
        outcome.deleted ? HistoryChange::lastRemoved() : HistoryChange::unchanged(), outcome.compaction);
    reportCompactionFailure(context.prompter, context.window, context.history, outcome.compaction);
}

}  // namespace qudrim::app
