// The window's buttons, menu entries and the grids' double clicks: each
// runs the step before every command (the lost-focus handler of a box still
// being typed in, then the history settled) and, when the history settled,
// passes its command on to the file that does it.
#include "app/window/frmMain.h"

#include "app/commands/command_context.h"
#include "app/commands/commands.h"
#include "app/session/session_warnings.h"
#include "history/workbook.h"

using namespace qudrim;

app::CommandContext frmMain::context() { return {this, *prompter_, history_, programFolder_}; }

void frmMain::runPendingBoxHandler()
{
    // A mnemonic or a menu command can run while a box still has the focus;
    // the box's value must be in force before the command uses it.
    QWidget* focused = focusWidget();
    if (focused && !options_.runBoxHandler(focused))
        base_.runBoxHandler(focused);
}

bool frmMain::beforeCommand()
{
    runPendingBoxHandler();
    const app::Settled settled = history_.settle();
    if (settled.ok())
        return true;
    reportUnsettled(settled);
    return false;
}

void frmMain::reportUnsettled(const app::Settled& settled)
{
    // The grids showed a search whose marks are now lost.
    if (settled.failure == app::Settled::Failure::MarksNotWritten)
        results_.clearAgain();
    app::warnCommandNotRun(*prompter_, this, history_, settled);
}

void frmMain::Command1_Click()
{
    if (beforeCommand())
        searches_.Command1_Click(base_.chosenPositions());
}

void frmMain::Command2_Click()
{
    if (beforeCommand())
        searches_.Command2_Click();
}

void frmMain::cmdRdLst_Click()
{
    if (beforeCommand())
        app::importHistoryFile(context(), entry_.nextIssue(), settingsMenu_.bases(), importPace_);
}

void frmMain::Command21_Click()
{
    // The date is asked as the user clicks, so an update after midnight
    // of New Year's Eve reads the new year's page.
    if (beforeCommand())
        app::updateOnline(context(), settings_, settingsMenu_.yearsKept(), settingsMenu_.bases(), today_());
}

void frmMain::Command3_Click()
{
    if (!beforeCommand())
        return;
    app::deleteLastDraw(context());
    // The next draw is typed from box 1 on, whatever became of the deletion.
    entry_.focusFirstBox();
}

void frmMain::mnuErase_Click() { Command3_Click(); }

void frmMain::mnuClear_Click()
{
    if (beforeCommand())
        app::clearHistory(context());
}

void frmMain::mnuDlzd_Click()
{
    if (beforeCommand())
        app::trimToIssue(context(), entry_.nextIssue(), settingsMenu_.bases());
}

void frmMain::mnuEszhzd_Click()
{
    if (beforeCommand())
        app::trimLastDraws(context(), entry_.nextIssue(), settingsMenu_.bases());
}

void frmMain::Command4_Click()
{
    if (beforeCommand())
        app::exportHistoryText(context());
}

void frmMain::mnuDcls_Click()
{
    if (beforeCommand())
        app::exportGrid(context(), list_.model(), history::kHistoryWorkbook, true);
}

// The grids are exported as they show the history once it has settled.
void frmMain::MSFlexGrid1_DblClick()
{
    if (beforeCommand())
        app::exportGrid(context(), list_.model(), history::kHistoryWorkbook, false);
}

void frmMain::MSFlexGrid2_DblClick()
{
    if (beforeCommand())
        app::exportGrid(context(), results_.hits(), history::kHitsWorkbook, false);
}

void frmMain::MSFlexGrid3_DblClick()
{
    if (beforeCommand())
        app::exportGrid(context(), results_.tally(), history::kTallyWorkbook, false);
}
