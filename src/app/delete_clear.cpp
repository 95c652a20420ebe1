// "删除最后历史" and "清空历史号码": delete the newest draw, or every draw.
// The next typed draw then continues the history as it now stands.
#include "app/frmMain.h"

#include "app/compact_db.h"
#include "app/mask_edit.h"
#include "app/prompter.h"
#include "app/error_text.h"
#include "history/delete_last.h"

using namespace qudrim;

void frmMain::Command3_Click()
{
    runPendingBoxHandler();
    if (!historyOpenFor(QStringLiteral("最后一期历史号码无法删除"))) {
        MaskEdBox1[1]->setFocus(Qt::OtherFocusReason);
        return;
    }
    // No question: each click takes one more draw.
    const history::DeleteOutcome outcome = history::deleteLastAndCompact(*store_);
    if (outcome.refused) {
        prompter_->warning(this, QStringLiteral("删除最后历史"),
                           QStringLiteral("最后一期历史号码没有能够删除，历史号码保持原样。"),
                           QString::fromStdString(outcome.detail));
        MaskEdBox1[1]->setFocus(Qt::OtherFocusReason);
        return;
    }
    AddHaoma();
    ShangqiXianshi();
    QihaoXianshi();
    app::reportCompactionFailure(*prompter_, this, outcome.compaction);
    MaskEdBox1[1]->setFocus(Qt::OtherFocusReason);
}

void frmMain::mnuErase_Click() { Command3_Click(); }

void frmMain::mnuClear_Click()
{
    runPendingBoxHandler();
    if (!historyOpenFor(QStringLiteral("历史号码无法清空")))
        return;
    if (!prompter_->confirm(this, QStringLiteral("确认清空"), QStringLiteral("确定要清空所有的历史号码吗？")))
        return;
    try {
        store_->deleteAll();
    } catch (const std::exception& e) {
        prompter_->warning(this, QStringLiteral("清空历史号码"),
                           QStringLiteral("历史号码没有能够清空，历史号码保持原样。"),
                           app::exceptionText(e));
        return;
    }
    // Only the list follows; the next issue, the range end and the panel keep what they showed.
    AddHaoma();
}
