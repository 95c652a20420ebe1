// Nothing of the window is cut off on a 1280 x 720 screen: every caption of
// a label, button, check box, option button, frame and tab, and every header
// and cell of the grids fits the room its control gives its text, before and
// after searches whose results are as wide as they get. The boxes laid over
// captions stand in the blanks, the base-draw values are readable, and the
// grids show scroll bars only when they need them.
#include "app/widgets/caption_overlay.h"
#include "app/widgets/column_widths.h"
#include "app/window_actions.h"
#include "app/window_fixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTableView>

#include <sstream>
#include <string>
#include <vector>

using namespace qudrim::testing;

// Failures name the size rather than dumping its bytes.
static void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << " x " << s.height(); }

namespace {

QString indexed(const char* name, int index) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index); }

// The window's size on a 1280 x 720 screen, leaving room for the frame and
// title bar the desktop puts around it.
const QSize kScreenFit(1270, 690);

struct Misfit {
    std::string where;
    std::string text;
    int needed;
    int given;
};

std::string nameOf(const QWidget* w)
{
    std::string name = w->objectName().toStdString();
    for (const QWidget* p = w->parentWidget(); name.empty() && p; p = p->parentWidget())
        if (!p->objectName().isEmpty())
            name = "(in " + p->objectName().toStdString() + ")";
    return std::string(w->metaObject()->className()) + " " + name;
}

// The part of `rect` (in w's coordinates) that is not clipped away by w's
// ancestors up to the window.
int visibleWidth(const QWidget* w, QRect rect)
{
    rect &= w->rect();
    for (const QWidget* p = w; p->parentWidget() && !p->isWindow(); p = p->parentWidget()) {
        rect.translate(p->pos());
        rect &= p->parentWidget()->rect();
    }
    return std::max(0, rect.width());
}

class FitWalk {
public:
    std::vector<Misfit> misfits;

    void walk(QWidget* window)
    {
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(window) || w->window() != window)
                continue;
            if (auto* label = qobject_cast<QLabel*>(w))
                checkLabel(label);
            else if (auto* button = qobject_cast<QAbstractButton*>(w))
                checkButton(button);
            else if (auto* tabs = qobject_cast<QTabBar*>(w))
                checkTabs(tabs);
            else if (auto* grid = qobject_cast<QTableView*>(w))
                checkGrid(grid);
            if (auto* box = qobject_cast<QGroupBox*>(w))
                checkGroupTitle(box);
        }
    }

private:
    void expectFits(const QWidget* w, const QString& text, int needed, int given)
    {
        if (needed > given)
            misfits.push_back({nameOf(w), text.toStdString(), needed, given});
    }

    void checkLabel(QLabel* label)
    {
        if (label->text().isEmpty())
            return;
        QRect room = label->contentsRect().adjusted(label->margin(), 0, -label->margin(), 0);
        if (label->indent() > 0)
            room.setLeft(room.left() + label->indent());
        expectFits(label, label->text(), label->fontMetrics().horizontalAdvance(label->text()),
                   visibleWidth(label, room));
    }

    void checkButton(QAbstractButton* button)
    {
        if (button->text().isEmpty())
            return;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        QStyle::SubElement contents = QStyle::SE_PushButtonContents;
        if (qobject_cast<QCheckBox*>(button))
            contents = QStyle::SE_CheckBoxContents;
        else if (qobject_cast<QRadioButton*>(button))
            contents = QStyle::SE_RadioButtonContents;
        const QRect room = button->style()->subElementRect(contents, &option, button);
        expectFits(button, button->text(), button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width(),
                   visibleWidth(button, room));
    }

    void checkGroupTitle(QGroupBox* box)
    {
        QStyleOptionGroupBox option;
        option.initFrom(box);
        option.text = box->title();
        option.lineWidth = 1;
        option.textAlignment = box->alignment();
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect label = box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
        expectFits(box, box->title(), box->fontMetrics().size(Qt::TextShowMnemonic, box->title()).width(),
                   visibleWidth(box, label));
    }

    void checkTabs(QTabBar* tabs)
    {
        const int padding = tabs->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, tabs);
        for (int i = 0; i < tabs->count(); ++i) {
            const QRect tab = tabs->tabRect(i);
            expectFits(tabs, tabs->tabText(i), tabs->fontMetrics().size(Qt::TextShowMnemonic, tabs->tabText(i)).width(),
                       visibleWidth(tabs, tab.adjusted(padding / 2, 0, -padding / 2, 0)));
        }
    }

    void checkGrid(QTableView* grid)
    {
        const QHeaderView* header = grid->horizontalHeader();
        const QAbstractItemModel* model = grid->model();
        const QFontMetrics headerFont(header->font());
        for (int c = 0; c < model->columnCount(); ++c) {
            const QString text = model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
            QStyleOptionHeader option;
            option.initFrom(header);
            option.rect = QRect(0, 0, header->sectionSize(c), header->height());
            option.text = text;
            const QRect room = header->style()->subElementRect(QStyle::SE_HeaderLabel, &option, header);
            expectFits(grid, QStringLiteral("header %1: %2").arg(c).arg(text), headerFont.horizontalAdvance(text),
                       room.width());
        }
        // A cell's text is drawn inside the cell less the style's text margins.
        const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
        const QFontMetrics cellFont(grid->font());
        for (int r = 0; r < model->rowCount(); ++r) {
            for (int c = 0; c < model->columnCount(); ++c) {
                const QModelIndex index = model->index(r, c);
                const QString text = index.data(Qt::DisplayRole).toString();
                QStyleOptionViewItem option;
                option.initFrom(grid->viewport());
                option.font = grid->font();
                option.fontMetrics = cellFont;
                option.rect = grid->visualRect(index);
                option.rect.moveTopLeft(QPoint(0, 0));
                option.features = QStyleOptionViewItem::HasDisplay;
                option.text = text;
                option.displayAlignment = Qt::AlignCenter;
                const QRect room = grid->style()->subElementRect(QStyle::SE_ItemViewItemText, &option, grid);
                expectFits(grid, QStringLiteral("row %1 column %2: %3").arg(r + 1).arg(c).arg(text),
                           cellFont.horizontalAdvance(text), room.width() - 2 * margin);
            }
        }
    }
};

std::string describe(const std::vector<Misfit>& misfits)
{
    std::ostringstream out;
    for (const Misfit& m : misfits)
        out << "\n  " << m.where << " \"" << m.text << "\": needs " << m.needed << " px, has " << m.given;
    return out.str();
}

// Seven draws whose last one holds 5 at position 1, as did only the first:
// the search on position 1 has the one hit 2013002, so the special-number
// tally reaches 100 %, the widest percentage there is.
std::vector<qudrim::DrawInput> shortHistory()
{
    const std::vector<std::array<int, 7>> numbers = {
        {5, 2, 3, 4, 1, 6, 9},  {10, 11, 12, 13, 14, 15, 7}, {9, 20, 21, 22, 23, 24, 25}, {6, 26, 27, 28, 29, 36, 37},
        {7, 8, 17, 18, 19, 30, 38}, {1, 2, 3, 4, 6, 8, 45},   {5, 9, 40, 41, 42, 43, 44},
    };
    std::vector<qudrim::DrawInput> draws;
    for (size_t i = 0; i < numbers.size(); ++i)
        draws.push_back({2013001 + static_cast<int32_t>(i), 2013001 + static_cast<int32_t>(i), numbers[i]});
    return draws;
}

class WindowFitTest : public WindowTest {
protected:
    void openAtScreenSize(const std::vector<qudrim::DrawInput>& draws)
    {
        fillHistory(draws);
        open();
        activate(window.get());
        window->resize(kScreenFit);
        QApplication::processEvents();
    }

    void expectEverythingFits(const char* when, QSize size = kScreenFit)
    {
        // The window can be as small as the screen allows without squeezing
        // any control below the size it needs.
        window->resize(size);
        QApplication::processEvents();
        EXPECT_LE(window->minimumSizeHint().width(), size.width()) << when;
        EXPECT_LE(window->minimumSizeHint().height(), size.height()) << when;
        EXPECT_EQ(window->size(), size) << when;
        FitWalk fit;
        fit.walk(window.get());
        EXPECT_TRUE(fit.misfits.empty()) << when << ":" << describe(fit.misfits);
    }

    void choose(const char* group, int index) { clickButton(find<QAbstractButton>(indexed(group, index))); }
    void search()
    {
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        QApplication::processEvents();
        ASSERT_TRUE(prompter.warnings.empty());
    }
    QTableView* grid(const char* name) const { return find<QTableView>(QString::fromLatin1(name)); }
};

TEST_F(WindowFitTest, EveryCaptionFitsAtStartUp)
{
    openAtScreenSize(shortHistory());
    expectEverythingFits("at start-up");
    // Filling a 1280 x 720 screen without a frame, as under Xvfb.
    expectEverythingFits("filling the screen", QSize(1280, 720));
}

TEST_F(WindowFitTest, EveryCaptionFitsWithAnEmptyHistory)
{
    openAtScreenSize({});
    expectEverythingFits("without a history");
}

// Each result kind and scope once, the widest results among them: 100.000 %
// in the special-number scope, 14.286 % and names in the others, the number
// lists of the compared draws of each search kind.
struct WideResult {
    const char* name;
    int searchKind;
    int resultKind;
    int scope;
};

void PrintTo(const WideResult& c, std::ostream* os) { *os << c.name; }

class WideResultTest : public WindowFitTest, public ::testing::WithParamInterface<WideResult> {};

TEST_P(WideResultTest, EveryHeaderAndCellFitsAfterTheSearch)
{
    const WideResult& c = GetParam();
    openAtScreenSize(shortHistory());
    choose("Option3", c.searchKind);
    choose("Option4", c.resultKind);
    choose("Option5", c.scope);
    clickButton(find<QAbstractButton>(QStringLiteral("Check1_1")));
    search();
    ASSERT_GT(gridRows(QStringLiteral("MSFlexGrid2")), 1);
    expectEverythingFits(c.name);
}

INSTANTIATE_TEST_SUITE_P(Kinds, WideResultTest,
                         ::testing::Values(WideResult{"NumbersSpecialOnly", 0, 0, 2}, WideResult{"NumbersAll", 0, 0, 0},
                                           WideResult{"ZodiacByZodiac", 1, 1, 0}, WideResult{"SumsRegular", 4, 4, 1},
                                           WideResult{"ColoursByColour", 6, 6, 2}, WideResult{"OddEven", 7, 7, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

// The real history: every draw in the list, and a tally whose shares reach
// tens of percent.
TEST_F(WindowFitTest, EverythingFitsOnTheRealHistory)
{
    const auto draws = loadRealHistory();
    if (draws.empty())
        GTEST_SKIP() << "no real history at " << realHistoryFile();
    openAtScreenSize(draws);
    choose("Option4", 7);
    search();
    ASSERT_EQ(gridRows(QStringLiteral("MSFlexGrid3")), 3);
    QString share = cell(QStringLiteral("MSFlexGrid3"), 1, 3);
    share.chop(1);
    EXPECT_GE(share.toDouble(), 10.0);
    expectEverythingFits("after an odd/even search on the real history");
}

TEST_F(WindowFitTest, GridColumnsKeepAtLeastTheirWidthsAndShowWhatTheyHold)
{
    openAtScreenSize(shortHistory());
    const int history[] = {820, 600, 600, 600, 600, 600, 600, 600};
    for (int col = 0; col < 8; ++col)
        EXPECT_GE(grid("MSFlexGrid1")->columnWidth(col), qudrim::app::twipsToPixels(history[col])) << col;
    const int tally[] = {480, 680, 800, 880};
    for (int col = 0; col < 4; ++col)
        EXPECT_GE(grid("MSFlexGrid3")->columnWidth(col), qudrim::app::twipsToPixels(tally[col])) << col;

    choose("Option5", 2);
    clickButton(find<QAbstractButton>(QStringLiteral("Check1_1")));
    search();
    ASSERT_EQ(cell(QStringLiteral("MSFlexGrid3"), 1, 3), QStringLiteral("100.000%"));
    const int hits[] = {1000, 800, 800, 800, 800, 800, 800, 800, 2500, 680};
    for (int col = 0; col < 10; ++col)
        EXPECT_GE(grid("MSFlexGrid2")->columnWidth(col), qudrim::app::twipsToPixels(hits[col])) << col;
    // The widened tally still shows all its columns side by side.
    for (const char* name : {"MSFlexGrid1", "MSFlexGrid3"})
        EXPECT_FALSE(grid(name)->horizontalScrollBar()->isVisible()) << name;
}

TEST_F(WindowFitTest, ScrollBarsShowOnlyWhenTheRowsNeedThem)
{
    openAtScreenSize(syntheticHistory(200));
    EXPECT_TRUE(grid("MSFlexGrid1")->verticalScrollBar()->isVisible());
    // Three colours fit the tally grid: no scroll bar.
    choose("Option4", 6);
    search();
    ASSERT_EQ(gridRows(QStringLiteral("MSFlexGrid3")), 4);
    EXPECT_FALSE(grid("MSFlexGrid3")->verticalScrollBar()->isVisible());
    EXPECT_FALSE(grid("MSFlexGrid3")->horizontalScrollBar()->isVisible());
    // Forty-nine numbers do not.
    choose("Option4", 0);
    search();
    ASSERT_EQ(gridRows(QStringLiteral("MSFlexGrid3")), 50);
    EXPECT_TRUE(grid("MSFlexGrid3")->verticalScrollBar()->isVisible());
    EXPECT_FALSE(grid("MSFlexGrid3")->horizontalScrollBar()->isVisible());
}

TEST_F(WindowFitTest, ShortHistoryAndEmptyTallyShowNoScrollBars)
{
    openAtScreenSize(shortHistory());
    for (const char* name : {"MSFlexGrid1", "MSFlexGrid2", "MSFlexGrid3"}) {
        EXPECT_FALSE(grid(name)->verticalScrollBar()->isVisible()) << name;
        EXPECT_FALSE(grid(name)->horizontalScrollBar()->isVisible()) << name;
    }
}

// A box over a caption leaves a clear gap to the characters on either side,
// and the caption keeps its text.
struct Overlay {
    const char* caption;
    const char* box;
    const char* text;
    const char* before;  // the characters left of the box
    const char* upTo;    // the text up to the first character right of it
};

void PrintTo(const Overlay& c, std::ostream* os) { *os << c.box; }

class CaptionOverlayTest : public WindowFitTest, public ::testing::WithParamInterface<Overlay> {};

TEST_P(CaptionOverlayTest, BoxStandsInTheBlankWithoutTouchingTheCharacters)
{
    const Overlay& c = GetParam();
    openAtScreenSize(shortHistory());
    auto* caption = find<QWidget>(QString::fromLatin1(c.caption));
    auto* box = find<QWidget>(QString::fromLatin1(c.box));
    ASSERT_TRUE(box->isVisible());

    int textLeft = 0;
    QString text;
    if (auto* radio = qobject_cast<QRadioButton*>(caption)) {
        QStyleOptionButton option;
        option.initFrom(radio);
        option.text = radio->text();
        textLeft = radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio).left();
        text = radio->text();
    } else {
        auto* label = qobject_cast<QLabel*>(caption);
        ASSERT_NE(label, nullptr);
        textLeft = label->contentsRect().left() + label->margin();
        text = label->text();
    }
    EXPECT_EQ(text, QString::fromUtf8(c.text));
    const QFontMetrics fm(caption->font());
    const int leftCharactersEnd = caption->mapTo(window.get(), QPoint(textLeft + fm.horizontalAdvance(QString::fromUtf8(c.before)), 0)).x();
    const int rightCharactersStart = caption->mapTo(window.get(), QPoint(textLeft + fm.horizontalAdvance(QString::fromUtf8(c.upTo)), 0)).x();
    const QRect boxRect(box->mapTo(window.get(), QPoint(0, 0)), box->size());
    EXPECT_GE(boxRect.left(), leftCharactersEnd + qudrim::app::CaptionOverlay::kClearance)
        << "box " << boxRect.left() << ".." << boxRect.right() << " between " << leftCharactersEnd << " and "
        << rightCharactersStart;
    EXPECT_LE(boxRect.right() + 1, rightCharactersStart - qudrim::app::CaptionOverlay::kClearance)
        << "box " << boxRect.left() << ".." << boxRect.right() << " between " << leftCharactersEnd << " and "
        << rightCharactersStart;
    // The box holds what it shows.
    auto* edit = qobject_cast<QLineEdit*>(box);
    ASSERT_NE(edit, nullptr);
    EXPECT_GE(box->width(), edit->fontMetrics().horizontalAdvance(edit->text()) + 4);
}

INSTANTIATE_TEST_SUITE_P(Boxes, CaptionOverlayTest,
                         ::testing::Values(Overlay{"Option1_2", "MaskEdBox2", "前    期", "前", "前    "},
                                           Overlay{"Label12_1", "Text1", "在下面输入 2007001 期历史号码:", "在下面输入",
                                                   "在下面输入 2007001 "}),
                         [](const auto& info) { return std::string(info.param.box); });

TEST_F(WindowFitTest, BaseDrawValuesAreReadOnlyInTheNormalTextColour)
{
    openAtScreenSize(shortHistory());
    const QPalette normal = find<QLineEdit>(QStringLiteral("Text22_1"))->palette();
    for (int i = 1; i <= 7; ++i) {
        auto* box = find<QLineEdit>(indexed("Text2", i));
        EXPECT_TRUE(box->isEnabled()) << i;
        EXPECT_TRUE(box->isReadOnly()) << i;
        EXPECT_FALSE(box->text().isEmpty()) << i;
        EXPECT_EQ(box->palette().color(QPalette::Active, QPalette::Text), normal.color(QPalette::Active, QPalette::Text))
            << i;
        // Tab moves between the controls the user works with.
        EXPECT_FALSE(box->focusPolicy() & Qt::TabFocus) << i;
    }
}

}  // namespace
