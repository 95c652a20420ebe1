// The window's parts: the panels placed side by side, the tab order made of
// theirs, which command each button and menu entry runs, and the one way
// the panels follow every change of the history.
#include "app/window/frmMain.h"

#include "app/desktop/file_paths.h"
#include "app/desktop/prompter.h"
#include "app/session/session_warnings.h"
#include "app/widgets/controls.h"

#include <QAction>
#include <QBoxLayout>
#include <QPushButton>

frmMain::frmMain(const QString& programFolder, QWidget* parent) : frmMain(programFolder, nullptr, parent) {}

frmMain::frmMain(const QString& programFolder, qudrim::app::Prompter* prompter, QWidget* parent)
    : frmMain(programFolder, prompter, qudrim::app::systemToday, parent)
{
}

frmMain::frmMain(const QString& programFolder, qudrim::app::Prompter* prompter, qudrim::app::Today today,
                 QWidget* parent)
    : QWidget(parent),
      programFolder_(programFolder),
      today_(std::move(today)),
      ownDialogs_(prompter ? nullptr : std::make_unique<qudrim::app::DialogPrompter>()),
      prompter_(prompter ? prompter : ownDialogs_.get()),
      history_(qudrim::app::toPath(programFolder)),
      buttons_(this),
      settingsMenu_(buttons_.Command9(), settings_, *prompter_, programFolder_, [this] { return beforeCommand(); }, this),
      entry_(history_, *prompter_, settingsMenu_.bases(), today_, [this] { return beforeCommand(); }, this),
      options_(history_, settings_, *prompter_, this),
      base_(history_, options_.state(), settingsMenu_.bases(), this),
      results_(this),
      list_(history_, this),
      searches_(context(), options_.state(), base_.state(), settingsMenu_.bases(),
                [this] { return options_.searchRange(); }, this)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Qudrim 彩票历史分析"));
    placePanels();
    connectPanels();
    resize(1270, 690);

    // Before anything reads a setting or the history: a window refused the
    // history reads and writes nothing at all.
    if (!takeHistory())
        return;
    Form_Initialize();
    Form_Load();
}

frmMain::~frmMain() { closeHistory(); }

qudrim::app::ProgramState frmMain::programState() const
{
    qudrim::app::ProgramState s;
    static_cast<qudrim::app::SearchOptionState&>(s) = options_.state();
    s.bases = settingsMenu_.bases();
    s.IniSerchDay = settingsMenu_.yearsKept();
    s.lngQihao = entry_.nextIssue();
    return s;
}

const qudrim::PanelState& frmMain::panelState() const { return base_.state(); }

const std::array<bool, 8>& frmMain::lastSearchPositions() const { return searches_.lastSearchPositions(); }

bool frmMain::databaseOpen() const { return history_.isOpen(); }

void frmMain::setCompactionPause(qudrim::store::CompactionPause pause)
{
    history_.store().setCompactionPause(std::move(pause));
}

void frmMain::closeEvent(QCloseEvent* event)
{
    closeHistory();
    QWidget::closeEvent(event);
}

void frmMain::placePanels()
{
    // The entry boxes over the base-draw panel, the option frames beside
    // them; the command buttons and the result grids below; the history
    // list on the right, as high as the window.
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    column->addWidget(&entry_);
    column->addSpacing(2);
    column->addWidget(&base_);

    auto* top = new QHBoxLayout;
    top->setSpacing(4);
    top->addLayout(column);
    top->setAlignment(column, Qt::AlignTop);
    top->addWidget(&options_, 1, Qt::AlignTop);

    auto* leftSide = new QVBoxLayout;
    leftSide->setSpacing(6);
    leftSide->addLayout(top);
    leftSide->addWidget(&buttons_);
    leftSide->addWidget(&results_, 1);

    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(4, 4, 4, 4);
    root->setSpacing(5);
    root->addLayout(leftSide, 1);
    root->addWidget(&list_);

    // Tab moves through the panels in the order they are read, each in its own order.
    qudrim::app::chainTabOrder(entry_.tabOrder() + base_.tabOrder() + options_.tabOrder() + buttons_.tabOrder() +
                               results_.tabOrder() + list_.tabOrder());
}

void frmMain::connectPanels()
{
    using namespace qudrim::app;
    connect(buttons_.Command1(), &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(options_.Command2(), &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(buttons_.cmdRdLst(), &QPushButton::clicked, this, [this] { cmdRdLst_Click(); });
    connect(buttons_.Command21(), &QPushButton::clicked, this, [this] { Command21_Click(); });
    connect(buttons_.Command3(), &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(buttons_.Command4(), &QPushButton::clicked, this, [this] { Command4_Click(); });

    connect(list_.mnuDcls(), &QAction::triggered, this, [this] { mnuDcls_Click(); });
    connect(list_.mnuErase(), &QAction::triggered, this, [this] { mnuErase_Click(); });
    connect(list_.mnuClear(), &QAction::triggered, this, [this] { mnuClear_Click(); });
    connect(list_.mnuDlzd(), &QAction::triggered, this, [this] { mnuDlzd_Click(); });
    connect(list_.mnuEszhzd(), &QAction::triggered, this, [this] { mnuEszhzd_Click(); });

    connect(&list_, &HistoryListPanel::doubleClicked, this, [this] { MSFlexGrid1_DblClick(); });
    connect(&results_, &ResultGrids::hitsDoubleClicked, this, [this] { MSFlexGrid2_DblClick(); });
    connect(&results_, &ResultGrids::tallyDoubleClicked, this, [this] { MSFlexGrid3_DblClick(); });

    // Every change of the history reaches the window's parts one way.
    connect(&history_, &HistorySession::historyChanged, this, [this](const HistoryChange& change) { followHistory(change); });
    connect(&options_, &SearchOptionsPanel::baseDrawChanged, this, [this] { ShangqiXianshi(); });

    // A search's result, or its failure, shows in the grids; its marks are
    // written after it shows.
    connect(&searches_, &SearchCommands::resultFound, &results_, &ResultGrids::showResult);
    connect(&searches_, &SearchCommands::searchFailed, &results_, &ResultGrids::clear);
    connect(&history_, &HistorySession::searchRedone, &results_, &ResultGrids::showResultAgain);
    connect(&history_, &HistorySession::marksFailed, this, [this](const QString& detail) {
        results_.clearAgain();
        reportSearchFailure(*prompter_, this, detail);
    });
    connect(&history_, &HistorySession::viewFailed, this,
            [this](const Settled& failure) { warnViewNotFollowing(*prompter_, this, history_, failure); });
}

void frmMain::followHistory(const qudrim::app::HistoryChange& change)
{
    using Shown = qudrim::app::HistoryChange::Shown;
    if (change.shown != Shown::NextIssueOnly)
        list_.AddHaoma();
    if (change.shown == Shown::ListOnly)
        return;
    QihaoXianshi();
    if (change.shown == Shown::Everything)
        ShangqiXianshi();
}

void frmMain::QihaoXianshi()
{
    entry_.showNextIssue();
    options_.showRangeEnd();
}

void frmMain::ShangqiXianshi() { base_.ShangqiXianshi(); }
