// The window's buttons and menu entries: each takes the value of a box
// still being typed in and passes its command on to the file that does it.
#include "app/frmMain.h"

#include "app/command_context.h"
#include "app/commands.h"
#include "app/entry_panel.h"
#include "app/history.h"
#include "app/search_commands.h"
#include "app/settings_menu.h"
#include "history/workbook.h"

using namespace qudrim;

app::CommandContext frmMain::context() { return {this, *prompter_, *history_, programFolder_}; }

void frmMain::Command1_Click()
{
    runPendingBoxHandler();
    searches_->Command1_Click();
}

void frmMain::Command2_Click()
{
    runPendingBoxHandler();
    searches_->Command2_Click();
}

void frmMain::cmdRdLst_Click()
{
    runPendingBoxHandler();
    app::importHistoryFile(context(), entry_->nextIssue(), settingsMenu_->bases(), importProgressDelayMs_);
}

void frmMain::Command21_Click()
{
    runPendingBoxHandler();
    app::updateOnline(context(), settings_, settingsMenu_->yearsKept(), settingsMenu_->bases());
}

void frmMain::Command3_Click()
{
    runPendingBoxHandler();
    app::deleteLastDraw(context());
    // The next draw is typed from box 1 on, whatever became of the deletion.
    entry_->focusFirstBox();
}

void frmMain::mnuErase_Click() { Command3_Click(); }

void frmMain::mnuClear_Click()
{
    runPendingBoxHandler();
    app::clearHistory(context());
}

void frmMain::mnuDlzd_Click()
{
    runPendingBoxHandler();
    app::trimToIssue(context(), entry_->nextIssue(), settingsMenu_->bases());
}

void frmMain::mnuEszhzd_Click()
{
    runPendingBoxHandler();
    app::trimLastDraws(context(), entry_->nextIssue(), settingsMenu_->bases());
}

void frmMain::Command4_Click()
{
    runPendingBoxHandler();
    app::exportHistoryText(context());
}

void frmMain::mnuDcls_Click()
{
    runPendingBoxHandler();
    app::exportGrid(context(), grids_[1], history::kHistoryWorkbook, true);
}

void frmMain::MSFlexGrid1_DblClick() { app::exportGrid(context(), grids_[1], history::kHistoryWorkbook, false); }

void frmMain::MSFlexGrid2_DblClick() { app::exportGrid(context(), grids_[2], history::kHitsWorkbook, false); }

void frmMain::MSFlexGrid3_DblClick() { app::exportGrid(context(), grids_[3], history::kTallyWorkbook, false); }
