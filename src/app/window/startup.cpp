// Start-up: what runs while the window is created (Form_Initialize) and
// loaded (Form_Load), step by step and in this order, and what ends the
// window's hold on the history. A step that fails is skipped and the next
// one runs.
#include "app/window/frmMain.h"

#include "app/session/session_warnings.h"
#include "app/desktop/prompter.h"

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
    if (history_.open())
        return;
    const QString file = QString::fromStdString(history_.databasePath().string());
    if (history_.fault() == app::HistoryFault::Damaged) {
        prompter_->warning(
            this, QStringLiteral("历史数据库已经损坏"),
            QStringLiteral("历史数据库文件 %1 已经损坏：完整性检查发现其中有无法读取的部分。\n\n"
                           "程序没有读取其中的历史号码，列表因此是空的；这个文件保持原样，没有被改动。在换上完好的文件并重新启动本程序之前，"
                           "不能输入号码，也不能检索或修改历史。\n\n"
                           "可以把这个文件移到别处保存（用数据库工具也许还能救出其中的历史号码），换上备份的历史数据库；"
                           "没有备份时，本程序下次启动会建立一个新的空历史数据库，再读入历史号码文本。")
                .arg(file),
            history_.openError());
        return;
    }
    prompter_->warning(
        this, QStringLiteral("无法打开历史数据库"),
        QStringLiteral("历史数据库文件 %1 无法打开：它可能已经损坏、不是本程序的历史数据库，或者正被其他程序占用。\n\n"
                       "程序以空的历史记录启动，这个文件保持原样，没有被改动；在重新启动之前，不能输入号码，也不能检索。\n\n"
                       "请关闭可能正在使用这个文件的其他程序，然后重新启动本程序。如果文件已经损坏，可以把它移到别处保存，"
                       "本程序下次启动时会建立一个新的空历史数据库。")
            .arg(file),
        history_.openError());
}

void frmMain::closeHistory()
{
    if (refused_ || closed_)
        return;
    closed_ = true;
    if (const auto failed = history_.close(lockWaitAtClosingMs_))
        app::warnMarksLostAtClosing(*prompter_, this, history_, *failed);
}
