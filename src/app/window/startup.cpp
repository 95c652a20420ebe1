// Start-up: what runs while the window is created (Form_Initialize) and
// loaded (Form_Load), step by step and in this order, and what ends the
// window's hold on the history. A step that fails is skipped and the next
// one runs.
#include "app/window/frmMain.h"

#include "app/desktop/prompter.h"
#include "app/session/session_warnings.h"

using namespace qudrim;

bool frmMain::takeHistory()
{
    // Should the folder take no lock file, the database's own opening says
    // what is wrong with the folder.
    if (history_.lock() != app::HistoryLock::Outcome::HeldElsewhere)
        return true;
    refused_ = true;
    warnHistoryHeldElsewhere(*prompter_, this, history_);
    return false;
}

void frmMain::Form_Initialize()
{
    // The years of history the online update keeps; every other table of
    // the program is fixed.
    settingsMenu_.loadYearsKept();
}

void frmMain::Form_Load()
{
    // The code bases and their check marks first: every refresh of the panel
    // names the values by them.
    settingsMenu_.loadCodeBases();

    // The history database and the read view.
    openDatabase();

    // Every search option from the settings; selecting a button runs its
    // handler, as a click does, and later steps set the final state.
    options_.loadSettings();

    // The tally grid has its column widths before the first search.
    results_.setTallyColumnWidths();

    // The next issue, and the search range in issue numbers from the first
    // stored draw to the last.
    QihaoXianshi();
    options_.showWholeRange();

    // The base-draw panel, on tab 1. The option handlers above refreshed it
    // with options not all read yet; without a base draw a refresh leaves
    // the boxes as they are, so they start again from empty.
    base_.clear();
    ShangqiXianshi();

    // The history list, from the read view opened with the database.
    list_.fill();
}

void frmMain::openDatabase()
{
    if (!history_.open())
        app::warnHistoryNotOpened(*prompter_, this, history_);
}

void frmMain::closeHistory()
{
    if (refused_ || closed_)
        return;
    closed_ = true;
    if (const auto failed = history_.close(lockWaitAtClosingMs_))
        app::warnMarksLostAtClosing(*prompter_, this, history_, *failed);
}
