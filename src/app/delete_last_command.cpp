// "删除最后历史": deletes the newest draw and compacts the file, asking
// nothing: each click takes one more draw. The next typed draw then
// continues the history as it now stands.
#include "app/commands.h"

#include "app/command_context.h"
#include "app/compact_db.h"
#include "app/history.h"
#include "app/history_not_open.h"
#include "app/prompter.h"
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
    followCompactedChange(context.history, outcome.deleted ? HistoryChange::lastRemoved() : HistoryChange::unchanged(),
                          outcome.compaction);
    reportCompactionFailure(context.prompter, context.window, context.history, outcome.compaction);
}

}  // namespace qudrim::app
