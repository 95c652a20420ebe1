// The one window of the program: the entry boxes of the newest draw, the
// base-draw panel with the search options, the command buttons, the result
// grids and the history list. Each panel builds its own controls; the window
// places the panels, sets the tab order from theirs and connects them; the
// history object holds the history database and tells the panels of every
// change; the handlers keep their names and pass each command on to the
// file that does it.
#pragma once

#include "app/commands/import_progress.h"
#include "app/commands/search_commands.h"
#include "app/panels/base_draw_panel.h"
#include "app/panels/command_buttons.h"
#include "app/panels/entry_panel.h"
#include "app/panels/history_list_panel.h"
#include "app/panels/result_grids.h"
#include "app/panels/search_options_panel.h"
#include "app/panels/settings_menu.h"
#include "app/panels/settings_store.h"
#include "app/session/history_session.h"
#include "app/window/program_state.h"
#include "app/window/today.h"
#include "draw/base_draw.h"
#include "store/history_store.h"

#include <QWidget>

#include <array>
#include <memory>

namespace qudrim::app {
class DialogPrompter;
class Prompter;
struct CommandContext;
struct HistoryChange;
struct Settled;
}  // namespace qudrim::app

class frmMain : public QWidget {
    Q_OBJECT
public:
    // Every file of the program (the history database, the help pages) is
    // looked up in programFolder. When another window holds the history of
    // that folder, the window says so and goes no further: it reads and
    // writes nothing, and holdsHistory() is false.
    explicit frmMain(const QString& programFolder, QWidget* parent = nullptr);
    // As above, with every message, question and opened page going to
    // `prompter` (kept by the caller) instead of the real dialogs.
    frmMain(const QString& programFolder, qudrim::app::Prompter* prompter, QWidget* parent = nullptr);
    // As above, with today's date asked of `today` instead of the system.
    frmMain(const QString& programFolder, qudrim::app::Prompter* prompter, qudrim::app::Today today,
            QWidget* parent = nullptr);
    ~frmMain() override;

    // Read-only views of the window's state, for checks from outside.
    qudrim::app::ProgramState programState() const;
    const qudrim::PanelState& panelState() const;
    const std::array<bool, 8>& lastSearchPositions() const;
    bool databaseOpen() const;
    // When an import shows its progress with Cancel, and how often it brings
    // it up to date.
    void setImportPace(const qudrim::app::ImportPace& pace) { importPace_ = pace; }
    // False when another window had the history of the program folder: this
    // one is to be closed at once.
    bool holdsHistory() const { return !refused_; }
    // How long closing waits for a lock another program holds before it
    // tells that the last search's marks could not be written.
    void setLockWaitAtClosing(int milliseconds) { lockWaitAtClosingMs_ = milliseconds; }
    // Steps into every compaction of the history from now on (tests).
    void setCompactionPause(qudrim::store::CompactionPause pause);

protected:
    // Closing writes the last search's marks, tells when they could not be
    // written, and gives the history up.
    void closeEvent(QCloseEvent* event) override;

private:
    // The panels and their connections (frmMain.cpp).
    void placePanels();
    void connectPanels();

    // Start-up (startup.cpp).
    // One program per history: false, and said so, when another window
    // holds the history of the program folder.
    bool takeHistory();
    void Form_Initialize();
    void Form_Load();
    void openDatabase();
    void closeHistory();

    // The one way the window follows a change of the history (frmMain.cpp):
    // the list, then the next issue with the end of the search range, then
    // the panel, as far as the change asks.
    void followHistory(const qudrim::app::HistoryChange& change);
    void QihaoXianshi();
    void ShangqiXianshi();

    // The commands, each passed on to its own file (window_commands.cpp).
    // Runs the lost-focus handler of the box that still holds the focus, so a
    // button or menu command sees the box's value as the handler takes it.
    void runPendingBoxHandler();
    // The one step before every command (buttons, menu entries, the grids'
    // double clicks, a typed draw, the settings menu): the handler above,
    // then the history settles (the last search's marks written, the read
    // view caught up with another program's writes, the list, the next issue
    // and the panel with it). False, and said so, when it could not settle:
    // the command then does nothing.
    bool beforeCommand();
    void reportUnsettled(const qudrim::app::Settled& settled);
    qudrim::app::CommandContext context();

    void Command1_Click();
    void Command2_Click();
    void cmdRdLst_Click();
    void Command21_Click();
    void Command3_Click();
    void Command4_Click();
    void mnuDcls_Click();
    void mnuErase_Click();
    void mnuClear_Click();
    void mnuDlzd_Click();
    void mnuEszhzd_Click();
    void MSFlexGrid1_DblClick();
    void MSFlexGrid2_DblClick();
    void MSFlexGrid3_DblClick();

    QString programFolder_;
    qudrim::app::Today today_;
    std::unique_ptr<qudrim::app::DialogPrompter> ownDialogs_;
    qudrim::app::Prompter* prompter_ = nullptr;
    qudrim::app::SettingsStore settings_;
    qudrim::app::HistorySession history_;
    // The panels, children of the window, each built in the order it needs
    // what the one before it keeps. C++ takes them away in the reverse order,
    // before QWidget's destructor would, so each goes before the history, the
    // settings and the prompter it reads.
    qudrim::app::CommandButtons buttons_;
    qudrim::app::SettingsMenu settingsMenu_;
    qudrim::app::EntryPanel entry_;
    qudrim::app::SearchOptionsPanel options_;
    qudrim::app::BaseDrawPanel base_;
    qudrim::app::ResultGrids results_;
    qudrim::app::HistoryListPanel list_;
    qudrim::app::SearchCommands searches_;
    qudrim::app::ImportPace importPace_;
    // "A few seconds": long enough for another program's write to end.
    int lockWaitAtClosingMs_ = 5000;
    bool refused_ = false;
    bool closed_ = false;
};
