// The window's buttons and menu entries: each takes the value of a box
// still being typed in and passes its command on to the file that does it.
#include "app/frmMain.h"

#include "app/command_context.h"
#include "app/commands.h"
#include "app/entry_panel.h"
#include "app/history.h"
#include "app/history_list_panel.h"
#include "app/result_grids.h"
#include "app/search_commands.h"
#include "app/settings_menu.h"
#include "history/workbook.h"

using namespace qudrim;

app::CommandContext frmMain::context() { return {this, *prompter_, *history_, programFolder_}; }

bool frmMain::beforeCommand()
{
    runPendingBoxHandler();
    return history_->settle();
}

// A search whose predecessor's marks could not be written fails with them:
// the grids are empty and the user has been told.
void frmMain::Command1_Click()
{
    if (beforeCommand())
        searches_->Command1_Click();
}

void frmMain::Command2_Click()
{
    if (beforeCommand())
        searches_->Command2_Click();
}

void frmMain::cmdRdLst_Click()
{
    beforeCommand();
    app::importHistoryFile(context(), entry_->nextIssue(), settingsMenu_->bases(), importPace_);
}

void frmMain::Command21_Click()
{
    beforeCommand();
    // The date is asked as the user clicks, so an update after midnight
    // of New Year's Eve reads the new year's page.
    app::updateOnline(context(), settings_, settingsMenu_->yearsKept(), settingsMenu_->bases(), today_());
}

void frmMain::Command3_Click()
{
    beforeCommand();
    app::deleteLastDraw(context());
    // The next draw is typed from box 1 on, whatever became of the deletion.
    entry_->focusFirstBox();
}

void frmMain::mnuErase_Click() { Command3_Click(); }

void frmMain::mnuClear_Click()
{
    beforeCommand();
    app::clearHistory(context());
}

void frmMain::mnuDlzd_Click()
{
    beforeCommand();
    app::trimToIssue(context(), entry_->nextIssue(), settingsMenu_->bases());
}

void frmMain::mnuEszhzd_Click()
{
    beforeCommand();
    app::trimLastDraws(context(), entry_->nextIssue(), settingsMenu_->bases());
}

void frmMain::Command4_Click()
{
    beforeCommand();
    app::exportHistoryText(context());
}

void frmMain::mnuDcls_Click()
{
    beforeCommand();
    app::exportGrid(context(), list_->grid(), history::kHistoryWorkbook, true);
}

void frmMain::MSFlexGrid1_DblClick() { app::exportGrid(context(), list_->grid(), history::kHistoryWorkbook, false); }

void frmMain::MSFlexGrid2_DblClick() { app::exportGrid(context(), results_->hitsGrid(), history::kHitsWorkbook, false); }

void frmMain::MSFlexGrid3_DblClick() { app::exportGrid(context(), results_->tallyGrid(), history::kTallyWorkbook, false); }
