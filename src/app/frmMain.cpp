// Construction of the window: every control with its caption, tool tip and
// initial state, the layout, the panels that look after each group of
// controls, and which command each button and menu entry runs.
#include "app/frmMain.h"

#include "app/base_draw_panel.h"
#include "app/caption_overlay.h"
#include "app/entry_panel.h"
#include "app/history.h"
#include "app/history_list_panel.h"
#include "app/history_not_open.h"
#include "app/int16_validator.h"
#include "app/mask_edit.h"
#include "app/prompter.h"
#include "app/result_grids.h"
#include "app/search_commands.h"
#include "app/search_options_panel.h"
#include "app/settings_menu.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

#include <filesystem>

namespace {

using qudrim::app::MaskEdit;

const QString kEntryTip = QStringLiteral("在此补充输入最新历史号码");
const QString kGridTip = QStringLiteral("鼠标双击列表可以将列表导出到EXCEL");

template <class W, class... Args>
W* named(const QString& name, Args&&... args)
{
    auto* w = new W(std::forward<Args>(args)...);
    w->setObjectName(name);
    return w;
}

QString kindCaption(int kind)
{
    const std::string_view caption = qudrim::kKindCaptions[static_cast<size_t>(kind)];
    return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

QString indexed(const char* name, int index) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index); }

QString positionCaption(int i) { return i == 7 ? QStringLiteral("特位") : QStringLiteral("平%1位").arg(i); }

QGroupBox* frame(const QString& name, const QString& title)
{
    auto* box = named<QGroupBox>(name, title);
    return box;
}

// Frames keep their contents close: the window has to fit a 1280 x 720 screen.
void compact(QLayout* layout, int margin = 4, int spacing = 3)
{
    layout->setContentsMargins(margin, margin / 2 + 2, margin, margin / 2 + 2);
    layout->setSpacing(spacing);
}

QTableView* makeGrid(const QString& name)
{
    auto* grid = named<QTableView>(name);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->verticalHeader()->setMinimumSectionSize(grid->fontMetrics().height() + 2);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setMinimumSectionSize(12);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    return grid;
}

}  // namespace

// The controls as the layout makes them, grouped by the panel that looks
// after them; the window keeps none of them once the panels have them.
struct frmMain::Controls {
    qudrim::app::EntryPanel::Controls entry;
    qudrim::app::BaseDrawPanel::Controls base;
    qudrim::app::SearchOptionsPanel::Controls options;
    qudrim::app::HistoryListPanel::Controls list;
    qudrim::app::ResultGrids::Controls results;
    // Captions and frames, and the command buttons.
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QLabel*, 2> Label3{};
    QLabel* Label4 = nullptr;
    std::array<QGroupBox*, 3> Frame1{};
    QGroupBox* Frame5 = nullptr;
    QGroupBox* Frame7 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QGroupBox* Frame4 = nullptr;
    QGroupBox* Frame6 = nullptr;
    QPushButton* Command9 = nullptr;
    QPushButton* cmdRdLst = nullptr;
    QPushButton* Command21 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
};

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
      history_(std::make_unique<qudrim::app::History>(std::filesystem::path(QFile::encodeName(programFolder).toStdString())))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Qudrim 彩票历史分析"));
    Controls c;
    createControls(c);
    createPanels(c);
    connectCommands(c);
    setTabOrderOfControls(c);
    resize(1270, 690);

    // Before anything reads a setting or the history: a window refused the
    // history reads and writes nothing at all.
    if (!takeHistory())
        return;
    Form_Initialize();
    Form_Load();
}

frmMain::~frmMain()
{
    closeHistory();
    // The panels hold the history, the settings and the prompter, which go
    // with the window's own members; the controls they watch go after those.
    // So the panels go first, the search commands with them.
    searches_.reset();
    delete settingsMenu_;
    delete entry_;
    delete base_;
    delete options_;
    delete list_;
    delete results_;
}

qudrim::app::ProgramState frmMain::programState() const
{
    qudrim::app::ProgramState s;
    static_cast<qudrim::app::SearchOptionState&>(s) = options_->state();
    s.bases = settingsMenu_->bases();
    s.IniSerchDay = settingsMenu_->yearsKept();
    s.lngQihao = entry_->nextIssue();
    return s;
}

const qudrim::PanelState& frmMain::panelState() const { return base_->state(); }

const std::array<bool, 8>& frmMain::lastSearchPositions() const { return searches_->lastSearchPositions(); }

bool frmMain::databaseOpen() const { return history_->isOpen(); }

void frmMain::createPanels(const Controls& c)
{
    using namespace qudrim::app;
    settingsMenu_ = new SettingsMenu(c.Command9, settings_, *prompter_, programFolder_, [this] { return beforeCommand(); }, this);
    const qudrim::CodeBases& bases = settingsMenu_->bases();
    entry_ = new EntryPanel(c.entry, *history_, *prompter_, bases, today_, [this] { return beforeCommand(); }, this);
    options_ = new SearchOptionsPanel(c.options, *history_, settings_, *prompter_, this);
    base_ = new BaseDrawPanel(c.base, *history_, options_->state(), bases, this);
    list_ = new HistoryListPanel(c.list, *history_, this);
    results_ = new ResultGrids(c.results, this);
    searches_ = std::make_unique<SearchCommands>(context(), *options_, *base_, *results_, bases);

    // Every change of the history reaches the window's parts one way.
    connect(history_.get(), &History::historyChanged, this, [this](const HistoryChange& change) { followHistory(change); });
    connect(options_, &SearchOptionsPanel::baseDrawChanged, this, [this] { ShangqiXianshi(); });
    // The marks of a search are written after its result shows.
    connect(history_.get(), &History::searchRedone, results_, &ResultGrids::showAgain);
    connect(history_.get(), &History::marksFailed, this, [this](const QString& detail) {
        results_->clearAgain();
        reportSearchFailure(*prompter_, this, detail);
    });
    connect(history_.get(), &History::viewFailed, this,
            [this](const Settled& failure) { warnViewNotFollowing(*prompter_, this, *history_, failure); });
}

void frmMain::setCompactionPause(qudrim::store::CompactionPause pause)
{
    history_->store().setCompactionPause(std::move(pause));
}

void frmMain::closeEvent(QCloseEvent* event)
{
    closeHistory();
    QWidget::closeEvent(event);
}

void frmMain::connectCommands(const Controls& c)
{
    connect(c.Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(c.Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(c.cmdRdLst, &QPushButton::clicked, this, [this] { cmdRdLst_Click(); });
    connect(c.Command21, &QPushButton::clicked, this, [this] { Command21_Click(); });
    connect(c.Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(c.Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });

    // The history menu's entries.
    connect(list_->menuEntry("mnuDcls"), &QAction::triggered, this, [this] { mnuDcls_Click(); });
    connect(list_->menuEntry("mnuErase"), &QAction::triggered, this, [this] { mnuErase_Click(); });
    connect(list_->menuEntry("mnuClear"), &QAction::triggered, this, [this] { mnuClear_Click(); });
    connect(list_->menuEntry("mnuDlzd"), &QAction::triggered, this, [this] { mnuDlzd_Click(); });
    connect(list_->menuEntry("mnuEszhzd"), &QAction::triggered, this, [this] { mnuEszhzd_Click(); });

    // Double clicks export the grids.
    connect(list_, &qudrim::app::HistoryListPanel::doubleClicked, this, [this] { MSFlexGrid1_DblClick(); });
    connect(results_, &qudrim::app::ResultGrids::hitsDoubleClicked, this, [this] { MSFlexGrid2_DblClick(); });
    connect(results_, &qudrim::app::ResultGrids::tallyDoubleClicked, this, [this] { MSFlexGrid3_DblClick(); });
}

void frmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    list_->windowShown();
}

void frmMain::createControls(Controls& c)
{
    // The entry boxes come first: they take the first places of the tab order.
    QFont entryFont(QStringLiteral("SimSun"));
    entryFont.setFamilies({QStringLiteral("SimSun"), QStringLiteral("NSimSun"), QStringLiteral("WenQuanYi Micro Hei Mono")});
    entryFont.setPointSizeF(21.75);
    for (int k = 1; k <= 7; ++k) {
        auto* box = named<MaskEdit>(indexed("MaskEdBox1", k), 2);
        box->setFont(entryFont);
        box->setToolTip(kEntryTip);
        box->setAlignment(Qt::AlignCenter);
        box->setFixedWidth(QFontMetrics(entryFont).horizontalAdvance(QStringLiteral("00")) + 14);
        c.entry.MaskEdBox1[static_cast<size_t>(k)] = box;
    }

    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(4, 4, 4, 4);
    root->setSpacing(5);

    auto* leftSide = new QVBoxLayout;
    leftSide->setSpacing(6);
    auto* top = new QHBoxLayout;
    top->setSpacing(4);
    top->addWidget(createEntryColumn(c), 0, Qt::AlignTop);
    top->addWidget(createOptionFrames(c), 1, Qt::AlignTop);
    leftSide->addLayout(top);
    leftSide->addWidget(createButtonRow(c));

    createGrids(c);
    auto* results = new QHBoxLayout;
    results->setSpacing(6);
    results->addWidget(c.results.MSFlexGrid2, 1);
    results->addWidget(c.results.MSFlexGrid3);
    leftSide->addLayout(results, 1);

    root->addLayout(leftSide, 1);
    root->addWidget(c.list.MSFlexGrid1);
}

QWidget* frmMain::createEntryColumn(Controls& c)
{
    auto* column = new QWidget;
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);

    // The issue box lies over the issue number in the caption.
    c.entry.Label12_1 = named<QLabel>(QStringLiteral("Label12_1"), QStringLiteral("在下面输入 2007001 期历史号码:"));
    c.entry.Text1 = named<QLineEdit>(QStringLiteral("Text1"), QStringLiteral("2007001"));
    c.entry.Text1->setAlignment(Qt::AlignCenter);
    c.entry.Text1->setTextMargins(0, 0, 0, 0);
    v->addWidget(new qudrim::app::CaptionOverlay(c.entry.Label12_1, c.entry.Text1, QStringLiteral("在下面输入 "),
                                                 QStringLiteral("2007001"),
                                                 c.entry.Label12_1->fontMetrics().horizontalAdvance(QStringLiteral("2007001")) + 10),
                 0, Qt::AlignLeft);

    auto* boxes = new QHBoxLayout;
    boxes->setSpacing(3);
    for (int k = 1; k <= 6; ++k)
        boxes->addWidget(c.entry.MaskEdBox1[static_cast<size_t>(k)]);
    c.Label2 = named<QLabel>(QStringLiteral("Label2"), QStringLiteral("+"));
    QFont plus = c.Label2->font();
    plus.setPointSize(20);
    plus.setBold(true);
    c.Label2->setFont(plus);
    boxes->addWidget(c.Label2);
    boxes->addWidget(c.entry.MaskEdBox1[7]);
    boxes->addStretch(1);
    v->addLayout(boxes);

    // The tab strip and its two pages, at one and the same place.
    c.base.TabStrip1 = named<QTabBar>(QStringLiteral("TabStrip1"));
    c.base.TabStrip1->addTab(QStringLiteral("自动历史位"));
    c.base.TabStrip1->addTab(QStringLiteral("手动输入号"));
    c.base.TabStrip1->setExpanding(false);
    c.base.TabStrip1->setDrawBase(false);
    v->addSpacing(2);
    v->addWidget(c.base.TabStrip1);

    auto* pages = new QWidget;
    auto* stack = new QGridLayout(pages);
    stack->setContentsMargins(0, 0, 0, 0);
    for (int page = 0; page < 2; ++page) {
        auto* f = named<QFrame>(indexed("Frame2", page));
        f->setFrameShape(QFrame::StyledPanel);
        f->setFrameShadow(QFrame::Raised);
        auto* g = new QGridLayout(f);
        compact(g, 4, 3);
        for (int i = 1; i <= 7; ++i) {
            auto* check = named<QCheckBox>(indexed(page == 0 ? "Check1" : "Check11", i), positionCaption(i));
            auto* box = named<QLineEdit>(indexed(page == 0 ? "Text2" : "Text22", i));
            box->setAlignment(Qt::AlignCenter);
            box->setMinimumWidth(40);
            g->addWidget(check, 0, i - 1);
            g->addWidget(box, 1, i - 1);
            if (page == 0) {
                // The user reads the base draw's values but does not type
                // them: read-only in the normal text colour, on the window's
                // background so that they do not look like entry boxes, and
                // out of the Tab order.
                box->setReadOnly(true);
                box->setFocusPolicy(Qt::ClickFocus);
                QPalette readable = box->palette();
                readable.setColor(QPalette::Base, readable.color(QPalette::Window));
                box->setPalette(readable);
                c.base.Check1[static_cast<size_t>(i)] = check;
                c.base.Text2[static_cast<size_t>(i)] = box;
            } else {
                box->setValidator(new qudrim::app::Int16Validator(box));
                c.base.Check11[static_cast<size_t>(i)] = check;
                c.base.Text22[static_cast<size_t>(i)] = box;
            }
        }
        c.base.Frame2[static_cast<size_t>(page)] = f;
        stack->addWidget(f, 0, 0);
    }
    c.base.Frame2[1]->setVisible(false);
    v->addWidget(pages);
    return column;
}

QWidget* frmMain::createOptionFrames(Controls& c)
{
    auto* area = new QWidget;
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);

    // Top row: 检索位选择, 检索期选择, 号码序选择, 组合组位检索.
    c.Frame1[0] = frame(QStringLiteral("Frame1_0"), QStringLiteral("检索位选择"));
    {
        auto* v = new QVBoxLayout(c.Frame1[0]);
        compact(v);
        c.options.Option1[0] = named<QRadioButton>(QStringLiteral("Option1_0"), QStringLiteral("固定位"));
        c.options.Option1[1] = named<QRadioButton>(QStringLiteral("Option1_1"), QStringLiteral("自由位"));
        c.options.Check2 = named<QCheckBox>(QStringLiteral("Check2"), QStringLiteral("自由位计特码"));
        c.options.Option1[1]->setChecked(true);
        c.options.Check2->setChecked(true);
        v->addWidget(c.options.Option1[0]);
        v->addWidget(c.options.Option1[1]);
        v->addWidget(c.options.Check2);
        v->addStretch(1);
    }
    c.Frame1[1] = frame(QStringLiteral("Frame1_1"), QStringLiteral("检索期选择"));
    {
        auto* v = new QVBoxLayout(c.Frame1[1]);
        compact(v);
        c.options.Option1[2] = named<QRadioButton>(QStringLiteral("Option1_2"), QStringLiteral("前    期"));
        c.options.Option1[3] = named<QRadioButton>(QStringLiteral("Option1_3"), QStringLiteral("上期"));
        c.options.MaskEdBox2 = named<MaskEdit>(QStringLiteral("MaskEdBox2"), 1);
        c.options.MaskEdBox2->setToolTip(kEntryTip);
        c.options.MaskEdBox2->setAlignment(Qt::AlignCenter);
        c.options.MaskEdBox2->setTextMargins(0, 0, 0, 0);
        const QFontMetrics fm(c.options.Option1[2]->font());
        // The N box stands in the blank gap of "前    期".
        v->addWidget(new qudrim::app::CaptionOverlay(c.options.Option1[2], c.options.MaskEdBox2, QStringLiteral("前"),
                                                     QStringLiteral("    "),
                                                     fm.horizontalAdvance(QLatin1Char('0')) + 10));
        c.options.Option1[3]->setChecked(true);
        v->addWidget(c.options.Option1[3]);
        // The overlay gives "前    期" a parent of its own, so the two buttons
        // are no longer siblings: one group keeps them exclusive.
        auto* compared = new QButtonGroup(c.Frame1[1]);
        compared->addButton(c.options.Option1[2]);
        compared->addButton(c.options.Option1[3]);
        v->addStretch(1);
    }
    c.Frame1[2] = frame(QStringLiteral("Frame1_2"), QStringLiteral("号码序选择"));
    {
        auto* v = new QVBoxLayout(c.Frame1[2]);
        compact(v);
        c.options.Option2[4] = named<QRadioButton>(QStringLiteral("Option2_4"), QStringLiteral("落地码"));
        c.options.Option2[5] = named<QRadioButton>(QStringLiteral("Option2_5"), QStringLiteral("顺序码"));
        c.options.Option2[4]->setChecked(true);
        v->addWidget(c.options.Option2[4]);
        v->addWidget(c.options.Option2[5]);
        v->addStretch(1);
    }
    c.Frame5 = frame(QStringLiteral("Frame5"), QStringLiteral("组合组位检索"));
    {
        auto* g = new QGridLayout(c.Frame5);
        compact(g);
        c.options.Option6[0] = named<QRadioButton>(QStringLiteral("Option6_0"), QStringLiteral("平特"));
        c.options.Option6[1] = named<QRadioButton>(QStringLiteral("Option6_1"), QStringLiteral("平码"));
        c.options.Option6[0]->setChecked(true);
        c.Label1 = named<QLabel>(QStringLiteral("Label1"), QStringLiteral("组合位数"));
        c.options.Combo1 = named<QComboBox>(QStringLiteral("Combo1"));
        c.options.Combo1->setEditable(true);
        c.options.Combo1->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                          QStringLiteral("5"), QStringLiteral("6")});
        c.options.Combo1->setInsertPolicy(QComboBox::NoInsert);
        c.options.Combo1->setCurrentIndex(1);
        c.options.Combo1->setMinimumContentsLength(2);
        c.Command2 = named<QPushButton>(QStringLiteral("Command2"), QStringLiteral("组合检索(&G)"));
        g->addWidget(c.options.Option6[0], 0, 0);
        g->addWidget(c.options.Option6[1], 0, 1);
        g->addWidget(c.Label1, 1, 0);
        g->addWidget(c.options.Combo1, 1, 1);
        g->addWidget(c.Command2, 2, 0, 1, 2);
    }

    // Second row: 检索起止期数, 搜索类型选择, 结果类型选择, 结果统计选择.
    c.Frame7 = frame(QStringLiteral("Frame7"), QStringLiteral("检索起止期数"));
    {
        auto* g = new QGridLayout(c.Frame7);
        compact(g);
        for (int i = 0; i < 2; ++i) {
            c.options.Text3[static_cast<size_t>(i)] = named<QLineEdit>(indexed("Text3", i), QStringLiteral("2013001"));
            c.options.Text3[static_cast<size_t>(i)]->setFixedWidth(c.options.Text3[0]->fontMetrics().horizontalAdvance(QStringLiteral("20130010")) + 8);
            c.Label3[static_cast<size_t>(i)] = named<QLabel>(indexed("Label3", i), i == 0 ? QStringLiteral("起") : QStringLiteral("止"));
        }
        c.Label4 = named<QLabel>(QStringLiteral("Label4"), QStringLiteral("～"));
        c.Label4->setAlignment(Qt::AlignCenter);
        g->addWidget(c.options.Text3[0], 0, 0);
        g->addWidget(c.Label3[0], 0, 1);
        g->addWidget(c.Label4, 1, 0);
        g->addWidget(c.options.Text3[1], 2, 0);
        g->addWidget(c.Label3[1], 2, 1);
        g->setRowStretch(3, 1);
    }
    auto kindFrame = [](QGroupBox* box, std::array<QRadioButton*, 8>& options, const char* name) {
        auto* g = new QGridLayout(box);
        compact(g, 4, 2);
        for (int k = 0; k < 8; ++k) {
            options[static_cast<size_t>(k)] = named<QRadioButton>(indexed(name, k), kindCaption(k));
            g->addWidget(options[static_cast<size_t>(k)], k / 2, k % 2);
        }
        options[0]->setChecked(true);
    };
    c.Frame3 = frame(QStringLiteral("Frame3"), QStringLiteral("搜索类型选择"));
    kindFrame(c.Frame3, c.options.Option3, "Option3");
    c.Frame4 = frame(QStringLiteral("Frame4"), QStringLiteral("结果类型选择"));
    kindFrame(c.Frame4, c.options.Option4, "Option4");
    c.Frame6 = frame(QStringLiteral("Frame6"), QStringLiteral("结果统计选择"));
    {
        auto* v = new QVBoxLayout(c.Frame6);
        compact(v, 4, 2);
        const QStringList scope = {QStringLiteral("平特"), QStringLiteral("平码"), QStringLiteral("特码")};
        for (int i = 0; i < 3; ++i) {
            c.options.Option5[static_cast<size_t>(i)] = named<QRadioButton>(indexed("Option5", i), scope[i]);
            v->addWidget(c.options.Option5[static_cast<size_t>(i)]);
        }
        c.options.Option5[0]->setChecked(true);
        v->addStretch(1);
    }

    grid->addWidget(c.Frame1[0], 0, 0);
    grid->addWidget(c.Frame1[1], 0, 1);
    grid->addWidget(c.Frame1[2], 0, 2);
    grid->addWidget(c.Frame5, 0, 3);
    grid->addWidget(c.Frame7, 1, 0);
    grid->addWidget(c.Frame3, 1, 1);
    grid->addWidget(c.Frame4, 1, 2);
    grid->addWidget(c.Frame6, 1, 3);
    return area;
}

QWidget* frmMain::createButtonRow(Controls& c)
{
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(6);
    c.Command9 = named<QPushButton>(QStringLiteral("Command9"), QStringLiteral("软件设置(&T)"));
    c.cmdRdLst = named<QPushButton>(QStringLiteral("cmdRdLst"), QStringLiteral("读取历史号文本(&W)"));
    c.cmdRdLst->setToolTip(QStringLiteral("从历史号码文本文件中读取历史号中最后一期之后的新的历史号码"));
    c.Command21 = named<QPushButton>(QStringLiteral("Command21"), QStringLiteral("历史号在线更新(&O)"));
    c.Command21->setToolTip(QStringLiteral("从官方服务器更新历史号码"));
    c.Command3 = named<QPushButton>(QStringLiteral("Command3"), QStringLiteral("删除最后历史(&D)"));
    c.Command4 = named<QPushButton>(QStringLiteral("Command4"), QStringLiteral("历史号码导出文本文件(&O)"));
    c.Command1 = named<QPushButton>(QStringLiteral("Command1"), QStringLiteral("检索(&S)"));
    for (QPushButton* b : {c.Command9, c.cmdRdLst, c.Command21, c.Command3, c.Command4, c.Command1})
        h->addWidget(b);
    h->addStretch(1);
    return row;
}

void frmMain::createGrids(Controls& c)
{
    // Every grid shows its scroll bars only when its rows or columns need
    // them; the panels give them their models and widths.
    c.list.MSFlexGrid1 = makeGrid(QStringLiteral("MSFlexGrid1"));
    c.list.MSFlexGrid1->setToolTip(kGridTip);
    c.results.MSFlexGrid2 = makeGrid(QStringLiteral("MSFlexGrid2"));
    c.results.MSFlexGrid2->setToolTip(kGridTip);
    c.results.MSFlexGrid3 = makeGrid(QStringLiteral("MSFlexGrid3"));
}

void frmMain::setTabOrderOfControls(const Controls& c)
{
    std::vector<QWidget*> order;
    for (int k = 1; k <= 7; ++k)
        order.push_back(c.entry.MaskEdBox1[static_cast<size_t>(k)]);
    order.push_back(c.entry.Text1);
    order.push_back(c.base.TabStrip1);
    for (int i = 1; i <= 7; ++i)
        order.push_back(c.base.Check1[static_cast<size_t>(i)]);
    for (int i = 1; i <= 7; ++i)
        order.push_back(c.base.Check11[static_cast<size_t>(i)]);
    for (int i = 1; i <= 7; ++i)
        order.push_back(c.base.Text22[static_cast<size_t>(i)]);
    for (QWidget* w : std::initializer_list<QWidget*>{c.options.Option1[0], c.options.Option1[1], c.options.Check2, c.options.Option1[2], c.options.MaskEdBox2, c.options.Option1[3],
                                                       c.options.Option2[4], c.options.Option2[5], c.options.Option6[0], c.options.Option6[1], c.options.Combo1, c.Command2,
                                                       c.options.Text3[0], c.options.Text3[1]})
        order.push_back(w);
    for (QRadioButton* b : c.options.Option3)
        order.push_back(b);
    for (QRadioButton* b : c.options.Option4)
        order.push_back(b);
    for (QRadioButton* b : c.options.Option5)
        order.push_back(b);
    for (QWidget* w : std::initializer_list<QWidget*>{c.Command9, c.cmdRdLst, c.Command21, c.Command3, c.Command4, c.Command1,
                                                       c.results.MSFlexGrid2, c.results.MSFlexGrid3, c.list.MSFlexGrid1})
        order.push_back(w);
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}
