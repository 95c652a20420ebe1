// The one window of the program: the entry boxes of the newest draw, the
// base-draw panel with the search options, the history list and the result
// grids. It lays its controls out and hands each group to the panel that
// looks after it; the history object holds the history database and tells
// the panels of every change; the handlers keep their names and pass each
// command on to the file that does it.
#pragma once

#include "app/import_progress.h"
#include "app/program_state.h"
#include "app/settings_store.h"
#include "app/today.h"
#include "draw/base_draw.h"

#include <QWidget>

#include <array>
#include <memory>

namespace qudrim::app {
class BaseDrawPanel;
class DialogPrompter;
class EntryPanel;
class History;
class HistoryListPanel;
class Prompter;
class ResultGrids;
class SearchCommands;
class SearchOptionsPanel;
class SettingsMenu;
struct CommandContext;
struct HistoryChange;
}  // namespace qudrim::app

class frmMain : public QWidget {
    Q_OBJECT
public:
    // Every file of the program (the history database, the help pages) is
    // looked up in programFolder.
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

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Controls;

    // Construction of the controls and the layout (frmMain.cpp).
    void createControls(Controls& c);
    QWidget* createEntryColumn(Controls& c);
    QWidget* createOptionFrames(Controls& c);
    QWidget* createButtonRow(Controls& c);
    void createGrids(Controls& c);
    void createPanels(const Controls& c);
    void setTabOrderOfControls(const Controls& c);
    void connectCommands(const Controls& c);

    // Start-up (startup.cpp).
    void Form_Initialize();
    void Form_Load();
    void openDatabase();

    // The one way the window follows a change of the history (startup.cpp):
    // the list, then the next issue with the end of the search range, then
    // the panel, as far as the change asks.
    void followHistory(const qudrim::app::HistoryChange& change);
    void QihaoXianshi();
    void ShangqiXianshi();
    // Runs the lost-focus handler of the box that still holds the focus, so a
    // button or menu command sees the box's value as the handler takes it.
    void runPendingBoxHandler();
    // What runs before every command: the handler above, then the history
    // settles (the last search's marks written, the read view caught up with
    // another program's writes). False when those marks could not be
    // written, which has been told.
    bool beforeCommand();

    // The commands, each passed on to its own file (window_commands.cpp).
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
    // The panels read the history until they are gone: the destructor takes
    // them away first.
    std::unique_ptr<qudrim::app::History> history_;
    qudrim::app::SettingsMenu* settingsMenu_ = nullptr;
    qudrim::app::EntryPanel* entry_ = nullptr;
    qudrim::app::SearchOptionsPanel* options_ = nullptr;
    qudrim::app::BaseDrawPanel* base_ = nullptr;
    qudrim::app::HistoryListPanel* list_ = nullptr;
    qudrim::app::ResultGrids* results_ = nullptr;
    std::unique_ptr<qudrim::app::SearchCommands> searches_;
    qudrim::app::ImportPace importPace_;
};
