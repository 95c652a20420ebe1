// Construction of the window: every control with its caption, tool tip and
// initial state, the layout, and which handler serves which event.
#include "app/frmMain.h"

#include "app/caption_overlay.h"
#include "app/grid_models.h"
#include "app/int16_validator.h"
#include "app/mask_edit.h"
#include "app/prompter.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

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

frmMain::frmMain(const QString& programFolder, QWidget* parent) : frmMain(programFolder, nullptr, parent) {}

frmMain::frmMain(const QString& programFolder, qudrim::app::Prompter* prompter, QWidget* parent)
    : QWidget(parent),
      programFolder_(programFolder),
      ownDialogs_(prompter ? nullptr : std::make_unique<qudrim::app::DialogPrompter>()),
      prompter_(prompter ? prompter : ownDialogs_.get()),
      store_(std::make_unique<qudrim::store::HistoryStore>(std::filesystem::path(QFile::encodeName(programFolder).toStdString()))),
      resSnap_(std::make_shared<const qudrim::store::Snapshot>())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Qudrim 彩票历史分析"));
    createControls();
    createMenus();
    connectHandlers();
    setTabOrderOfControls();
    resize(1270, 690);

    Form_Initialize();
    Form_Load();
}

frmMain::~frmMain() = default;

bool frmMain::databaseOpen() const { return store_ && store_->isOpen(); }

void frmMain::createControls()
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
        MaskEdBox1[static_cast<size_t>(k)] = box;
    }

    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(4, 4, 4, 4);
    root->setSpacing(5);

    auto* leftSide = new QVBoxLayout;
    leftSide->setSpacing(6);
    auto* top = new QHBoxLayout;
    top->setSpacing(4);
    top->addWidget(createEntryColumn(), 0, Qt::AlignTop);
    top->addWidget(createOptionFrames(), 1, Qt::AlignTop);
    leftSide->addLayout(top);
    leftSide->addWidget(createButtonRow());

    createGrids();
    auto* results = new QHBoxLayout;
    results->setSpacing(6);
    results->addWidget(MSFlexGrid2, 1);
    results->addWidget(MSFlexGrid3);
    leftSide->addLayout(results, 1);

    root->addLayout(leftSide, 1);
    root->addWidget(MSFlexGrid1);
}

QWidget* frmMain::createEntryColumn()
{
    auto* column = new QWidget;
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);

    // The issue box lies over the issue number in the caption.
    Label12_1 = named<QLabel>(QStringLiteral("Label12_1"), QStringLiteral("在下面输入 2007001 期历史号码:"));
    Text1 = named<QLineEdit>(QStringLiteral("Text1"), QStringLiteral("2007001"));
    Text1->setAlignment(Qt::AlignCenter);
    Text1->setTextMargins(0, 0, 0, 0);
    v->addWidget(new qudrim::app::CaptionOverlay(Label12_1, Text1, QStringLiteral("在下面输入 "),
                                                 QStringLiteral("2007001"),
                                                 Label12_1->fontMetrics().horizontalAdvance(QStringLiteral("2007001")) + 10),
                 0, Qt::AlignLeft);

    auto* boxes = new QHBoxLayout;
    boxes->setSpacing(3);
    for (int k = 1; k <= 6; ++k)
        boxes->addWidget(MaskEdBox1[static_cast<size_t>(k)]);
    Label2 = named<QLabel>(QStringLiteral("Label2"), QStringLiteral("+"));
    QFont plus = Label2->font();
    plus.setPointSize(20);
    plus.setBold(true);
    Label2->setFont(plus);
    boxes->addWidget(Label2);
    boxes->addWidget(MaskEdBox1[7]);
    boxes->addStretch(1);
    v->addLayout(boxes);

    // The tab strip and its two pages, at one and the same place.
    TabStrip1 = named<QTabBar>(QStringLiteral("TabStrip1"));
    TabStrip1->addTab(QStringLiteral("自动历史位"));
    TabStrip1->addTab(QStringLiteral("手动输入号"));
    TabStrip1->setExpanding(false);
    TabStrip1->setDrawBase(false);
    v->addSpacing(2);
    v->addWidget(TabStrip1);

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
                Check1[static_cast<size_t>(i)] = check;
                Text2[static_cast<size_t>(i)] = box;
            } else {
                box->setValidator(new qudrim::app::Int16Validator(box));
                Check11[static_cast<size_t>(i)] = check;
                Text22[static_cast<size_t>(i)] = box;
            }
        }
        Frame2[static_cast<size_t>(page)] = f;
        stack->addWidget(f, 0, 0);
    }
    Frame2[1]->setVisible(false);
    v->addWidget(pages);
    return column;
}

QWidget* frmMain::createOptionFrames()
{
    auto* area = new QWidget;
    auto* grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);

    // Top row: 检索位选择, 检索期选择, 号码序选择, 组合组位检索.
    Frame1[0] = frame(QStringLiteral("Frame1_0"), QStringLiteral("检索位选择"));
    {
        auto* v = new QVBoxLayout(Frame1[0]);
        compact(v);
        Option1[0] = named<QRadioButton>(QStringLiteral("Option1_0"), QStringLiteral("固定位"));
        Option1[1] = named<QRadioButton>(QStringLiteral("Option1_1"), QStringLiteral("自由位"));
        Check2 = named<QCheckBox>(QStringLiteral("Check2"), QStringLiteral("自由位计特码"));
        Option1[1]->setChecked(true);
        Check2->setChecked(true);
        v->addWidget(Option1[0]);
        v->addWidget(Option1[1]);
        v->addWidget(Check2);
        v->addStretch(1);
    }
    Frame1[1] = frame(QStringLiteral("Frame1_1"), QStringLiteral("检索期选择"));
    {
        auto* v = new QVBoxLayout(Frame1[1]);
        compact(v);
        Option1[2] = named<QRadioButton>(QStringLiteral("Option1_2"), QStringLiteral("前    期"));
        Option1[3] = named<QRadioButton>(QStringLiteral("Option1_3"), QStringLiteral("上期"));
        MaskEdBox2 = named<MaskEdit>(QStringLiteral("MaskEdBox2"), 1);
        MaskEdBox2->setToolTip(kEntryTip);
        MaskEdBox2->setAlignment(Qt::AlignCenter);
        MaskEdBox2->setTextMargins(0, 0, 0, 0);
        const QFontMetrics fm(Option1[2]->font());
        // The N box stands in the blank gap of "前    期".
        v->addWidget(new qudrim::app::CaptionOverlay(Option1[2], MaskEdBox2, QStringLiteral("前"),
                                                     QStringLiteral("    "),
                                                     fm.horizontalAdvance(QLatin1Char('0')) + 10));
        Option1[3]->setChecked(true);
        v->addWidget(Option1[3]);
        // The overlay gives "前    期" a parent of its own, so the two buttons
        // are no longer siblings: one group keeps them exclusive.
        auto* compared = new QButtonGroup(Frame1[1]);
        compared->addButton(Option1[2]);
        compared->addButton(Option1[3]);
        v->addStretch(1);
    }
    Frame1[2] = frame(QStringLiteral("Frame1_2"), QStringLiteral("号码序选择"));
    {
        auto* v = new QVBoxLayout(Frame1[2]);
        compact(v);
        Option2[4] = named<QRadioButton>(QStringLiteral("Option2_4"), QStringLiteral("落地码"));
        Option2[5] = named<QRadioButton>(QStringLiteral("Option2_5"), QStringLiteral("顺序码"));
        Option2[4]->setChecked(true);
        v->addWidget(Option2[4]);
        v->addWidget(Option2[5]);
        v->addStretch(1);
    }
    Frame5 = frame(QStringLiteral("Frame5"), QStringLiteral("组合组位检索"));
    {
        auto* g = new QGridLayout(Frame5);
        compact(g);
        Option6[0] = named<QRadioButton>(QStringLiteral("Option6_0"), QStringLiteral("平特"));
        Option6[1] = named<QRadioButton>(QStringLiteral("Option6_1"), QStringLiteral("平码"));
        Option6[0]->setChecked(true);
        Label1 = named<QLabel>(QStringLiteral("Label1"), QStringLiteral("组合位数"));
        Combo1 = named<QComboBox>(QStringLiteral("Combo1"));
        Combo1->setEditable(true);
        Combo1->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                          QStringLiteral("5"), QStringLiteral("6")});
        Combo1->setInsertPolicy(QComboBox::NoInsert);
        Combo1->setCurrentIndex(1);
        Combo1->setMinimumContentsLength(2);
        Command2 = named<QPushButton>(QStringLiteral("Command2"), QStringLiteral("组合检索(&G)"));
        g->addWidget(Option6[0], 0, 0);
        g->addWidget(Option6[1], 0, 1);
        g->addWidget(Label1, 1, 0);
        g->addWidget(Combo1, 1, 1);
        g->addWidget(Command2, 2, 0, 1, 2);
    }

    // Second row: 检索起止期数, 搜索类型选择, 结果类型选择, 结果统计选择.
    Frame7 = frame(QStringLiteral("Frame7"), QStringLiteral("检索起止期数"));
    {
        auto* g = new QGridLayout(Frame7);
        compact(g);
        for (int i = 0; i < 2; ++i) {
            Text3[static_cast<size_t>(i)] = named<QLineEdit>(indexed("Text3", i), QStringLiteral("2013001"));
            Text3[static_cast<size_t>(i)]->setFixedWidth(Text3[0]->fontMetrics().horizontalAdvance(QStringLiteral("20130010")) + 8);
            Label3[static_cast<size_t>(i)] = named<QLabel>(indexed("Label3", i), i == 0 ? QStringLiteral("起") : QStringLiteral("止"));
        }
        Label4 = named<QLabel>(QStringLiteral("Label4"), QStringLiteral("～"));
        Label4->setAlignment(Qt::AlignCenter);
        g->addWidget(Text3[0], 0, 0);
        g->addWidget(Label3[0], 0, 1);
        g->addWidget(Label4, 1, 0);
        g->addWidget(Text3[1], 2, 0);
        g->addWidget(Label3[1], 2, 1);
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
    Frame3 = frame(QStringLiteral("Frame3"), QStringLiteral("搜索类型选择"));
    kindFrame(Frame3, Option3, "Option3");
    Frame4 = frame(QStringLiteral("Frame4"), QStringLiteral("结果类型选择"));
    kindFrame(Frame4, Option4, "Option4");
    Frame6 = frame(QStringLiteral("Frame6"), QStringLiteral("结果统计选择"));
    {
        auto* v = new QVBoxLayout(Frame6);
        compact(v, 4, 2);
        const QStringList scope = {QStringLiteral("平特"), QStringLiteral("平码"), QStringLiteral("特码")};
        for (int i = 0; i < 3; ++i) {
            Option5[static_cast<size_t>(i)] = named<QRadioButton>(indexed("Option5", i), scope[i]);
            v->addWidget(Option5[static_cast<size_t>(i)]);
        }
        Option5[0]->setChecked(true);
        v->addStretch(1);
    }

    grid->addWidget(Frame1[0], 0, 0);
    grid->addWidget(Frame1[1], 0, 1);
    grid->addWidget(Frame1[2], 0, 2);
    grid->addWidget(Frame5, 0, 3);
    grid->addWidget(Frame7, 1, 0);
    grid->addWidget(Frame3, 1, 1);
    grid->addWidget(Frame4, 1, 2);
    grid->addWidget(Frame6, 1, 3);
    return area;
}

QWidget* frmMain::createButtonRow()
{
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(6);
    Command9 = named<QPushButton>(QStringLiteral("Command9"), QStringLiteral("软件设置(&T)"));
    cmdRdLst = named<QPushButton>(QStringLiteral("cmdRdLst"), QStringLiteral("读取历史号文本(&W)"));
    cmdRdLst->setToolTip(QStringLiteral("从历史号码文本文件中读取历史号中最后一期之后的新的历史号码"));
    Command21 = named<QPushButton>(QStringLiteral("Command21"), QStringLiteral("历史号在线更新(&O)"));
    Command21->setToolTip(QStringLiteral("从官方服务器更新历史号码"));
    Command3 = named<QPushButton>(QStringLiteral("Command3"), QStringLiteral("删除最后历史(&D)"));
    Command4 = named<QPushButton>(QStringLiteral("Command4"), QStringLiteral("历史号码导出文本文件(&O)"));
    Command1 = named<QPushButton>(QStringLiteral("Command1"), QStringLiteral("检索(&S)"));
    for (QPushButton* b : {Command9, cmdRdLst, Command21, Command3, Command4, Command1})
        h->addWidget(b);
    h->addStretch(1);
    return row;
}

void frmMain::createGrids()
{
    // Every grid shows its scroll bars only when its rows or columns need them.
    historyModel_ = new qudrim::app::HistoryModel(this);
    MSFlexGrid1 = makeGrid(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setModel(historyModel_);
    MSFlexGrid1->setToolTip(kGridTip);
    setHistoryColumnWidths();

    // The result grids show their header rows before the first search.
    QStringList hitHeader = {QStringLiteral("期号")};
    for (int i = 1; i <= 7; ++i)
        hitHeader << positionCaption(i);
    hitHeader << QStringLiteral("上期开奖") << QStringLiteral("序号");
    hitsModel_ = new qudrim::app::TextGridModel(hitHeader, this);
    MSFlexGrid2 = makeGrid(QStringLiteral("MSFlexGrid2"));
    MSFlexGrid2->setModel(hitsModel_);
    MSFlexGrid2->setToolTip(kGridTip);
    setHitColumnWidths();

    // Its column widths, and with them its width, come with start-up.
    tallyModel_ = new qudrim::app::TextGridModel(
        {QStringLiteral("序号"), QStringLiteral("结果"), QStringLiteral("出现次数"), QStringLiteral("百分比")}, this);
    MSFlexGrid3 = makeGrid(QStringLiteral("MSFlexGrid3"));
    MSFlexGrid3->setModel(tallyModel_);
}

void frmMain::setTabOrderOfControls()
{
    std::vector<QWidget*> order;
    for (int k = 1; k <= 7; ++k)
        order.push_back(MaskEdBox1[static_cast<size_t>(k)]);
    order.push_back(Text1);
    order.push_back(TabStrip1);
    for (int i = 1; i <= 7; ++i)
        order.push_back(Check1[static_cast<size_t>(i)]);
    for (int i = 1; i <= 7; ++i)
        order.push_back(Check11[static_cast<size_t>(i)]);
    for (int i = 1; i <= 7; ++i)
        order.push_back(Text22[static_cast<size_t>(i)]);
    for (QWidget* w : std::initializer_list<QWidget*>{Option1[0], Option1[1], Check2, Option1[2], MaskEdBox2, Option1[3],
                                                       Option2[4], Option2[5], Option6[0], Option6[1], Combo1, Command2,
                                                       Text3[0], Text3[1]})
        order.push_back(w);
    for (QRadioButton* b : Option3)
        order.push_back(b);
    for (QRadioButton* b : Option4)
        order.push_back(b);
    for (QRadioButton* b : Option5)
        order.push_back(b);
    for (QWidget* w : std::initializer_list<QWidget*>{Command9, cmdRdLst, Command21, Command3, Command4, Command1,
                                                       MSFlexGrid2, MSFlexGrid3, MSFlexGrid1})
        order.push_back(w);
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void frmMain::connectHandlers()
{
    for (int k = 1; k <= 7; ++k) {
        MaskEdit* box = MaskEdBox1[static_cast<size_t>(k)];
        connect(box, &MaskEdit::keyTyped, this, [this, k](QChar) { MaskEdBox1_KeyPress(k); });
        connect(box, &QLineEdit::textChanged, this, [this, k] { MaskEdBox1_Change(k); });
    }
    for (int i = 0; i < 4; ++i)
        connect(Option1[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    for (int i = 4; i <= 5; ++i)
        connect(Option2[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, i] { Option2_Click(i); });
    for (int k = 0; k < 8; ++k) {
        connect(Option3[static_cast<size_t>(k)], &QRadioButton::clicked, this, [this, k] { Option3_Click(k); });
        connect(Option4[static_cast<size_t>(k)], &QRadioButton::clicked, this, [this, k] { Option4_Click(k); });
    }
    for (int i = 0; i < 2; ++i)
        connect(Option6[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, i] { Option6_Click(i); });

    // Boxes whose handler runs when they lose the focus.
    Check2->installEventFilter(this);
    Combo1->installEventFilter(this);
    MaskEdBox2->installEventFilter(this);
    for (int i = 1; i <= 7; ++i)
        Text22[static_cast<size_t>(i)]->installEventFilter(this);
    // Whether the settings button is pressed with the mouse or the keyboard
    // decides where its menu opens.
    Command9->installEventFilter(this);

    connect(TabStrip1, &QTabBar::currentChanged, this, [this](int index) { TabStrip1_Click(index); });
    connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(cmdRdLst, &QPushButton::clicked, this, [this] { cmdRdLst_Click(); });
    connect(Command21, &QPushButton::clicked, this, [this] { Command21_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });

    // The history menu's entries.
    auto entry = [this](const char* name) { return mnuLsgl->findChild<QAction*>(QString::fromLatin1(name)); };
    connect(entry("mnuDcls"), &QAction::triggered, this, [this] { mnuDcls_Click(); });
    connect(entry("mnuErase"), &QAction::triggered, this, [this] { mnuErase_Click(); });
    connect(entry("mnuClear"), &QAction::triggered, this, [this] { mnuClear_Click(); });
    connect(entry("mnuDlzd"), &QAction::triggered, this, [this] { mnuDlzd_Click(); });
    connect(entry("mnuEszhzd"), &QAction::triggered, this, [this] { mnuEszhzd_Click(); });

    // Mouse releases and double clicks on the grids, their header rows included.
    for (QTableView* grid : {MSFlexGrid1, MSFlexGrid2, MSFlexGrid3}) {
        grid->viewport()->installEventFilter(this);
        grid->horizontalHeader()->viewport()->installEventFilter(this);
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Command9) {
        if (event->type() == QEvent::MouseButtonRelease)
            command9ByMouse_ = true;
        else if (event->type() == QEvent::Shortcut || event->type() == QEvent::KeyPress)
            command9ByMouse_ = false;
    }
    auto over = [watched](QTableView* grid) {
        return watched == grid->viewport() || watched == grid->horizontalHeader()->viewport();
    };
    if (event->type() == QEvent::MouseButtonRelease && over(MSFlexGrid1))
        MSFlexGrid1_MouseUp(static_cast<QMouseEvent*>(event)->button());
    // A double click is one of the left button, as everywhere on the desktop.
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (over(MSFlexGrid1))
            MSFlexGrid1_DblClick();
        else if (over(MSFlexGrid2))
            MSFlexGrid2_DblClick();
        else if (over(MSFlexGrid3))
            MSFlexGrid3_DblClick();
    }
    if (event->type() == QEvent::FocusOut) {
        // A pop-up (the combo box's list, a context menu) or another window
        // taking over does not mean the user has left the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            runBoxHandler(watched);
    }
    return QWidget::eventFilter(watched, event);
}
