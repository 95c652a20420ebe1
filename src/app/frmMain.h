// The one window of the program: the entry boxes of the newest draw, the
// base-draw panel with the search options, the history list and the result
// grids. Its handlers are split by concern over the files of this folder.
#pragma once

#include "app/program_state.h"
#include "app/settings_store.h"
#include "draw/base_draw.h"
#include "draw/row_builder.h"
#include "search/column_cache.h"
#include "store/history_store.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTableView;
class QTimer;

namespace qudrim::search {
struct SearchOptions;
struct SearchResult;
}  // namespace qudrim::search

namespace qudrim::app {
class HistoryModel;
class MaskEdit;
class Prompter;
class DialogPrompter;
class TextGridModel;
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
    ~frmMain() override;

    // Read-only views of the window's state, for checks from outside.
    const qudrim::app::ProgramState& programState() const { return state_; }
    const qudrim::PanelState& panelState() const { return panel_; }
    const std::array<bool, 8>& lastSearchPositions() const { return bolWei_; }
    bool databaseOpen() const;
    // How long an import runs before it shows its progress with Cancel.
    void setImportProgressDelay(int milliseconds) { importProgressDelayMs_ = milliseconds; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Construction of the controls (frmMain.cpp).
    void createControls();
    QWidget* createEntryColumn();
    QWidget* createOptionFrames();
    QWidget* createButtonRow();
    void createGrids();
    void createMenus();
    void setTabOrderOfControls();
    void connectHandlers();

    // Start-up (startup.cpp).
    void Form_Initialize();
    void Form_Load();
    void openDatabase();
    // Tells the user that `refused` (what could not be done) needs the
    // history database, which is not open, and why.
    void warnHistoryNotOpen(const QString& refused);
    // True when the history database is open; otherwise says so as above.
    bool historyOpenFor(const QString& refused);

    // The read view and the history list (history_list.cpp).
    void reopenSnapshot();
    void AddHaoma();
    void fillHistoryList();
    void QihaoXianshi();
    void setHistoryColumnWidths();

    // Search options (options.cpp).
    void Option1_Click(int index);
    void Option2_Click(int index);
    void Option3_Click(int index);
    void Option4_Click(int index);
    void Option6_Click(int index);
    void Check2_LostFocus();
    void Combo1_LostFocus();
    void MaskEdBox2_LostFocus();
    // The digit the N box holds; none while it shows only its prompt.
    std::optional<int16_t> digitInNBox() const;
    // Runs the lost-focus handler of the box that still holds the focus, so a
    // button or menu command sees the box's value as the handler takes it.
    void runPendingBoxHandler();
    bool runBoxHandler(QObject* box);

    // Base-draw panel (panel.cpp).
    void ShangqiXianshi();
    void resetSearchRangeStart();
    int searchRangeOffset() const;
    void TabStrip1_Click(int index);
    void takeTypedValues();
    void Text22_LostFocus(int index);

    // Settings menu and help links (menus.cpp).
    void Command9_Click();
    void mnuCodeBase_Click(int which, int index);
    // Of a pair of code-base entries only the one of the base in force
    // carries a check mark; a base other than 0 or 1 marks neither.
    static void markPair(const std::array<QAction*, 2>& pair, int base);
    void mnuSetDay_Click();
    void openHelpPage(const QString& fileName);

    // Draw entry (entry_boxes.cpp).
    void MaskEdBox1_KeyPress(int index);
    void MaskEdBox1_Change(int index);
    bool storeTypedDraw();
    void focusFaultyBox(int box);
    void clearEntryBoxes();

    // The position search (search_button.cpp).
    void Command1_Click();
    // Column widths of the result grids; the combination search keeps the
    // width of the row-number column (setSerialColumn false).
    void setHitColumnWidths(bool setSerialColumn = true);
    void setTallyColumnWidths();

    // What both searches share (search_results.cpp): the issue range of
    // Text3 (none, after telling the user, when it is not two whole
    // numbers), the options both searches read from the window (fixed or
    // free positions follow the option buttons at that moment; throws
    // std::invalid_argument when a kind setting names no kind), and the
    // result or failure in the grids; setSerialColumn false leaves the width
    // of the serial number column.
    std::optional<std::pair<int32_t, int32_t>> searchRange();
    qudrim::search::SearchOptions searchOptions(std::pair<int32_t, int32_t> range);
    // The frame of both search buttons: the value of a box still being typed
    // in, the open history and the issue range checked (`refused` says what
    // cannot be done without the history), the busy cursor while `run` runs
    // on the range, and its result or its failure in the grids.
    void runSearchCommand(const QString& refused, bool setSerialColumn,
                          const std::function<qudrim::search::SearchResult(std::pair<int32_t, int32_t>)>& run);
    void showSearchResult(const qudrim::search::SearchResult& result, bool setSerialColumn);
    void showSearchFailure(const std::exception& e, bool setSerialColumn);

    // The combination search (combination_button.cpp).
    void Command2_Click();

    // History management. The history menu pops up on a right-button release
    // over the history list (history_menu.cpp).
    void MSFlexGrid1_MouseUp(Qt::MouseButton button);
    // Text import (import_button.cpp).
    void cmdRdLst_Click();
    // Trimming: "删除到选定期" and "删除最后指定数量期历史" (trim_menus.cpp).
    void mnuDlzd_Click();
    void mnuEszhzd_Click();
    // Keeps `kept` of the stored draws: writes them to "lsbf.txt", rebuilds
    // the history from it and compacts the file, then follows the new
    // history or says what failed.
    void trimHistory(const std::vector<qudrim::DrawInput>& kept);
    QString backupFilePath() const;
    // Deleting the last draw and clearing the history (delete_clear.cpp).
    void Command3_Click();
    void mnuErase_Click();
    void mnuClear_Click();
    // The online update (online_update.cpp).
    void Command21_Click();
    // The text export (text_export.cpp).
    void Command4_Click();
    // The spreadsheet exports of the three grids (grid_export.cpp).
    void mnuDcls_Click();
    void MSFlexGrid1_DblClick();
    void MSFlexGrid2_DblClick();
    void MSFlexGrid3_DblClick();

    // Every command that wrote to the history database calls this when it is
    // done; once the window is idle, the write-ahead log is folded into the
    // file, out of the command's time (idle_checkpoint.cpp).
    void historyChanged();
    void checkpointWhenIdle();

    QString programFolder_;
    std::unique_ptr<qudrim::app::DialogPrompter> ownDialogs_;
    qudrim::app::Prompter* prompter_ = nullptr;
    qudrim::app::SettingsStore settings_;
    std::unique_ptr<qudrim::store::HistoryStore> store_;
    QString openError_;  // why the history database could not be opened at start-up
    std::shared_ptr<const qudrim::store::Snapshot> resSnap_;
    int intRecCount_ = 0;
    bool shownOnce_ = false;
    bool command9ByMouse_ = false;  // the settings button was last pressed with the mouse
    qudrim::app::ProgramState state_;
    qudrim::PanelState panel_;
    bool bolQingkong_ = false;
    std::array<bool, 8> bolWei_{};
    // The columns both searches read, kept from one search to the next.
    qudrim::search::ColumnCache columnCache_;
    std::array<QString, 8> lastGoodText22_;
    QTimer* checkpointTimer_ = nullptr;
    int importProgressDelayMs_ = 1000;

    // Controls, named as the user's manual names them; arrays by index.
    QLabel* Label12_1 = nullptr;
    QLineEdit* Text1 = nullptr;
    std::array<qudrim::app::MaskEdit*, 8> MaskEdBox1{};  // 1..7
    QLabel* Label2 = nullptr;
    QTabBar* TabStrip1 = nullptr;
    std::array<QFrame*, 2> Frame2{};
    std::array<QCheckBox*, 8> Check1{};   // 1..7
    std::array<QLineEdit*, 8> Text2{};    // 1..7
    std::array<QCheckBox*, 8> Check11{};  // 1..7
    std::array<QLineEdit*, 8> Text22{};   // 1..7
    std::array<QGroupBox*, 3> Frame1{};
    std::array<QRadioButton*, 4> Option1{};
    QCheckBox* Check2 = nullptr;
    qudrim::app::MaskEdit* MaskEdBox2 = nullptr;
    std::array<QRadioButton*, 6> Option2{};  // 4 and 5 only
    QGroupBox* Frame5 = nullptr;
    std::array<QRadioButton*, 2> Option6{};
    QLabel* Label1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QPushButton* Command2 = nullptr;
    QGroupBox* Frame7 = nullptr;
    std::array<QLineEdit*, 2> Text3{};
    std::array<QLabel*, 2> Label3{};
    QLabel* Label4 = nullptr;
    QGroupBox* Frame3 = nullptr;
    std::array<QRadioButton*, 8> Option3{};
    QGroupBox* Frame4 = nullptr;
    std::array<QRadioButton*, 8> Option4{};
    QGroupBox* Frame6 = nullptr;
    std::array<QRadioButton*, 3> Option5{};
    QPushButton* Command9 = nullptr;
    QPushButton* cmdRdLst = nullptr;
    QPushButton* Command21 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command1 = nullptr;
    QTableView* MSFlexGrid1 = nullptr;
    QTableView* MSFlexGrid2 = nullptr;
    QTableView* MSFlexGrid3 = nullptr;
    qudrim::app::HistoryModel* historyModel_ = nullptr;
    qudrim::app::TextGridModel* hitsModel_ = nullptr;
    qudrim::app::TextGridModel* tallyModel_ = nullptr;

    // Pop-up menus.
    QMenu* mnuLsgl = nullptr;
    QMenu* mnuSetup = nullptr;
    QMenu* mnuSxCssetup = nullptr;
    QMenu* mnuDssetup = nullptr;
    QMenu* mnuBssetup = nullptr;
    std::array<QAction*, 2> mnuSxcs{};
    std::array<QAction*, 2> mnuDscs{};
    std::array<QAction*, 2> mnuBscs{};
    QAction* mk10 = nullptr;
    QAction* mnuSetDay = nullptr;
    QAction* mnuFrontPage = nullptr;
    QAction* mnuDescrb = nullptr;
    QAction* numYanshiDown = nullptr;
};
