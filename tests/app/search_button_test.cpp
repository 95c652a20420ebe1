// "检索(&S)": the options and positions as the user sets them, the click, and
// what the matching-draws list and the tally grid then show.
#include "app/widgets/column_widths.h"
#include "app/window_actions.h"
#include "app/window_fixture.h"
#include "store/database.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>

#include <algorithm>
#include <array>
#include <limits>
#include <set>
#include <string>
#include <vector>

using namespace qudrim::testing;

namespace {

QString indexed(const char* name, int index) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index); }

const QString kHits = QStringLiteral("MSFlexGrid2");
const QString kTally = QStringLiteral("MSFlexGrid3");

// Seven draws small enough to work every search out by hand. The last draw
// (the base draw of 上期) holds 5 and 9 at positions 1 and 2; the draw before
// it (the base draw of 前2期) holds 7 at position 1.
std::vector<qudrim::DrawInput> smallHistory()
{
    const std::vector<std::array<int, 7>> numbers = {
        {1, 2, 3, 4, 5, 6, 9},        // 2013001: 5, and 9 only as the special number
        {10, 11, 12, 13, 14, 15, 7},  // 2013002: 7 only as the special number
        {9, 20, 21, 5, 23, 24, 25},   // 2013003: 5 and 9, neither at position 1 or 2
        {7, 26, 27, 28, 29, 36, 37},  // 2013004
        {5, 30, 31, 32, 33, 34, 35},  // 2013005: 5 at position 1
        {7, 8, 17, 18, 19, 22, 38},   // 2013006
        {5, 9, 40, 41, 42, 43, 44},   // 2013007
    };
    std::vector<qudrim::DrawInput> draws;
    for (size_t i = 0; i < numbers.size(); ++i)
        draws.push_back({2013001 + static_cast<int32_t>(i), 2013001 + static_cast<int32_t>(i), numbers[i]});
    return draws;
}

const std::vector<qudrim::DrawInput> kSmall = smallHistory();

const std::array<int, 7>& numbersOf(int32_t issue)
{
    for (const auto& d : kSmall)
        if (d.issue == issue)
            return d.numbers;
    ADD_FAILURE() << "no draw " << issue;
    return kSmall.front().numbers;
}

class SearchButtonTest : public WindowTest {
protected:
    void openOn(const std::vector<qudrim::DrawInput>& draws)
    {
        fillHistory(draws);
        open();
        activate(window.get());
    }

    QAbstractButton* button(const QString& name) const { return find<QAbstractButton>(name); }
    void choose(const char* group, int index) { clickButton(button(indexed(group, index))); }
    void tick(int position) { clickButton(button(indexed("Check1", position))); }
    void search()
    {
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        QApplication::processEvents();
    }
    QLineEdit* edit(const char* name) const { return find<QLineEdit>(QString::fromLatin1(name)); }
    // Clicks into the box, empties it and types `text`.
    static void retype(QLineEdit* box, const QString& text)
    {
        clickBox(box);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
        QApplication::processEvents();
    }

    std::vector<QStringList> gridTexts(const QString& grid) const
    {
        std::vector<QStringList> rows;
        const int columns = find<QTableView>(grid)->model()->columnCount();
        for (int r = 0; r < gridRows(grid); ++r) {
            QStringList row;
            for (int c = 0; c < columns; ++c)
                row << cell(grid, r, c);
            rows.push_back(row);
        }
        return rows;
    }

    // The hits, each with its own numbers and the numbers of its compared draw.
    void expectHits(const std::vector<int32_t>& issues, const std::vector<QString>& lists, const QString& listHeader) const
    {
        const QStringList header = {QStringLiteral("期号"), QStringLiteral("平1位"), QStringLiteral("平2位"),
                                    QStringLiteral("平3位"), QStringLiteral("平4位"), QStringLiteral("平5位"),
                                    QStringLiteral("平6位"), QStringLiteral("特位"), listHeader,
                                    QStringLiteral("序号")};
        EXPECT_EQ(gridTexts(kHits)[0], header);
        ASSERT_EQ(gridRows(kHits), static_cast<int>(issues.size()) + 1);
        for (size_t i = 0; i < issues.size(); ++i) {
            const int r = static_cast<int>(i) + 1;
            EXPECT_EQ(cell(kHits, r, 0), QString::number(issues[i]));
            for (int p = 1; p <= 7; ++p)
                EXPECT_EQ(cell(kHits, r, p), QString::number(numbersOf(issues[i])[static_cast<size_t>(p - 1)]))
                    << issues[i] << " position " << p;
            EXPECT_EQ(cell(kHits, r, 8), lists[i]) << issues[i];
            EXPECT_EQ(cell(kHits, r, 9), QString::number(r));
        }
    }

    // The first rows of the tally as {value, count, percentage}; every value
    // of 1..49 not listed follows with the count 0, in ascending order.
    void expectNumberTally(const std::vector<std::array<const char*, 3>>& leading) const
    {
        EXPECT_EQ(gridTexts(kTally)[0], (QStringList{QStringLiteral("序号"), QStringLiteral("结果"),
                                                     QStringLiteral("出现次数"), QStringLiteral("百分比")}));
        ASSERT_EQ(gridRows(kTally), 50);
        std::set<QString> listed;
        int r = 1;
        for (const auto& [value, count, percent] : leading) {
            EXPECT_EQ(gridTexts(kTally)[static_cast<size_t>(r)],
                      (QStringList{QString::number(r), QString::fromLatin1(value), QString::fromLatin1(count),
                                   QString::fromLatin1(percent)}))
                << "tally row " << r;
            listed.insert(QString::fromLatin1(value));
            ++r;
        }
        for (int v = 1; v <= 49 && r < 50; ++v) {
            if (listed.count(QString::number(v)))
                continue;
            EXPECT_EQ(gridTexts(kTally)[static_cast<size_t>(r)],
                      (QStringList{QString::number(r), QString::number(v), QStringLiteral("0"), QStringLiteral("0.000%")}))
                << "tally row " << r;
            ++r;
        }
    }
};

const QString kUp = QStringLiteral("上期开奖");
const QString kBack = QStringLiteral("前期开奖");

TEST_F(SearchButtonTest, FreePositionsAgainstThePreviousDrawCountTheSpecialNumber)
{
    openOn(kSmall);
    ASSERT_EQ(edit("Text2_1")->text(), QStringLiteral("5"));
    ASSERT_EQ(edit("Text2_2")->text(), QStringLiteral("9"));
    tick(1);
    tick(2);
    search();

    // 2013001 holds 9 as its special number, 2013003 holds both among the
    // regular numbers; 2013007 holds both too but nothing follows it.
    expectHits({2013002, 2013004}, {QStringLiteral("01 02 03 04 05 06 09 "), QStringLiteral("09 20 21 05 23 24 25 ")}, kUp);
    expectNumberTally({{"7", "2", "14.286%"},
                       {"10", "1", "7.143%"}, {"11", "1", "7.143%"}, {"12", "1", "7.143%"}, {"13", "1", "7.143%"},
                       {"14", "1", "7.143%"}, {"15", "1", "7.143%"}, {"26", "1", "7.143%"}, {"27", "1", "7.143%"},
                       {"28", "1", "7.143%"}, {"29", "1", "7.143%"}, {"36", "1", "7.143%"}, {"37", "1", "7.143%"}});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(window->lastSearchPositions(), (std::array<bool, 8>{false, true, true, false, false, false, false, false}));
    auto* hits = find<QTableView>(kHits);
    EXPECT_TRUE(hits->isVisible());
    EXPECT_TRUE(find<QTableView>(kTally)->isVisible());
    const int widths[] = {1000, 800, 800, 800, 800, 800, 800, 800, 2500, 680};
    for (int c = 0; c < 10; ++c)
        EXPECT_EQ(hits->columnWidth(c), qudrim::app::twipsToPixels(widths[c])) << c;
}

TEST_F(SearchButtonTest, DrawTypedAfterStartIsInTheRangeAndIsTheNewBaseDraw)
{
    openOn(kSmall);
    find<QLineEdit>(QStringLiteral("MaskEdBox1_1"))->setFocus(Qt::OtherFocusReason);
    for (const char* digits : {"01", "02", "03", "04", "06", "08", "10"})
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(digits));
    QApplication::processEvents();
    ASSERT_EQ(edit("Text1")->text(), QStringLiteral("2013009"));

    search();
    ASSERT_EQ(gridRows(kHits), 8);
    EXPECT_EQ(cell(kHits, 7, 0), QStringLiteral("2013008"));
    EXPECT_EQ(cell(kHits, 7, 8), QStringLiteral("05 09 40 41 42 43 44 "));

    // Its 1 was drawn before only in 2013001.
    tick(1);
    search();
    ASSERT_EQ(gridRows(kHits), 2);
    EXPECT_EQ(cell(kHits, 1, 0), QStringLiteral("2013002"));
}

TEST_F(SearchButtonTest, FreePositionsWithoutTheSpecialNumberDropTheDrawThatHeldItThere)
{
    openOn(kSmall);
    tick(1);
    tick(2);
    clickButton(button(QStringLiteral("Check2")));
    ASSERT_FALSE(button(QStringLiteral("Check2"))->isChecked());
    search();

    expectHits({2013004}, {QStringLiteral("09 20 21 05 23 24 25 ")}, kUp);
    expectNumberTally({{"7", "1", "14.286%"}, {"26", "1", "14.286%"}, {"27", "1", "14.286%"}, {"28", "1", "14.286%"},
                       {"29", "1", "14.286%"}, {"36", "1", "14.286%"}, {"37", "1", "14.286%"}});
}

TEST_F(SearchButtonTest, FixedPositionAgainstThePreviousDrawWantsTheSamePosition)
{
    openOn(kSmall);
    choose("Option1", 0);  // 固定位
    choose("Option5", 2);  // tally the special number only
    tick(1);
    search();

    // Only 2013005 (and the last draw) hold 5 at position 1.
    expectHits({2013006}, {QStringLiteral("05 30 31 32 33 34 35 ")}, kUp);
    expectNumberTally({{"38", "1", "100.000%"}});
    EXPECT_FALSE(button(QStringLiteral("Check2"))->isVisible());
}

TEST_F(SearchButtonTest, FreePositionAgainstTheDrawTwoBefore)
{
    openOn(kSmall);
    choose("Option1", 2);  // 前 N 期, N = 2 by default
    ASSERT_EQ(edit("MaskEdBox2")->text(), QStringLiteral("2"));
    ASSERT_EQ(edit("Text2_1")->text(), QStringLiteral("7"));
    ASSERT_EQ(edit("Text3_0")->text(), QStringLiteral("2013003"));
    tick(1);
    search();

    // 7 is in 2013002 (as its special number), 2013004 and 2013006; the
    // draws two after them are hits, the last one has none.
    expectHits({2013004, 2013006}, {QStringLiteral("10 11 12 13 14 15 07 "), QStringLiteral("07 26 27 28 29 36 37 ")},
               kBack);
    expectNumberTally({{"7", "2", "14.286%"},
                       {"8", "1", "7.143%"}, {"17", "1", "7.143%"}, {"18", "1", "7.143%"}, {"19", "1", "7.143%"},
                       {"22", "1", "7.143%"}, {"26", "1", "7.143%"}, {"27", "1", "7.143%"}, {"28", "1", "7.143%"},
                       {"29", "1", "7.143%"}, {"36", "1", "7.143%"}, {"37", "1", "7.143%"}, {"38", "1", "7.143%"}});
}

TEST_F(SearchButtonTest, DrawZeroBeforeIsTakenAsTheDrawOneBefore)
{
    openOn(kSmall);
    choose("Option1", 2);
    retype(edit("MaskEdBox2"), QStringLiteral("0"));
    tick(1);  // leaves the N box: the last draw is the base draw again
    ASSERT_EQ(edit("Text2_1")->text(), QStringLiteral("5"));
    search();

    EXPECT_TRUE(prompter.warnings.empty());
    expectHits({2013002, 2013004, 2013006},
               {QStringLiteral("01 02 03 04 05 06 09 "), QStringLiteral("09 20 21 05 23 24 25 "),
                QStringLiteral("05 30 31 32 33 34 35 ")},
               kBack);
}

TEST_F(SearchButtonTest, FixedPositionInAscendingOrderComparesTheSmallestNumbers)
{
    openOn(kSmall);
    choose("Option2", 5);  // 顺序码
    choose("Option1", 0);  // 固定位
    tick(1);
    search();

    // The smallest number of 2013003 and of 2013005 is 5; only 2013005 drew it first.
    expectHits({2013004, 2013006}, {QStringLiteral("09 20 21 05 23 24 25 "), QStringLiteral("05 30 31 32 33 34 35 ")}, kUp);
}

TEST_F(SearchButtonTest, ValuesTypedOnTheSecondPageAreSearchedWithItsPositions)
{
    openOn(kSmall);
    tick(2);  // on the page that is about to be hidden: plays no part
    auto* tabs = find<QTabBar>(QStringLiteral("TabStrip1"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    QApplication::processEvents();
    ASSERT_EQ(tabs->currentIndex(), 1);
    retype(edit("Text22_1"), QStringLiteral("7"));
    clickButton(button(QStringLiteral("Check11_1")));
    search();

    // 7 is in 2013002 (special number), 2013004 and 2013006.
    expectHits({2013003, 2013005, 2013007},
               {QStringLiteral("10 11 12 13 14 15 07 "), QStringLiteral("07 26 27 28 29 36 37 "),
                QStringLiteral("07 08 17 18 19 22 38 ")},
               kUp);
    EXPECT_EQ(window->lastSearchPositions(), (std::array<bool, 8>{false, true, false, false, false, false, false, false}));

    // A number no draw can hold finds nothing: every value counted 0, no
    // percentage. The box is still being typed in when Alt+S starts the search.
    retype(edit("Text22_1"), QStringLiteral("50"));
    ASSERT_TRUE(typeMnemonic(Qt::Key_S, find<QPushButton>(QStringLiteral("Command1"))));
    EXPECT_EQ(gridRows(kHits), 1);
    ASSERT_EQ(gridRows(kTally), 50);
    for (int r = 1; r < 50; ++r) {
        EXPECT_EQ(cell(kTally, r, 2), QStringLiteral("0")) << r;
        EXPECT_EQ(cell(kTally, r, 3), QString()) << r;
    }
    EXPECT_TRUE(prompter.warnings.empty());
}

TEST_F(SearchButtonTest, OddEvenOfTheSpecialNumberIsShownByName)
{
    openOn(kSmall);
    choose("Option4", 7);  // 单双
    choose("Option5", 2);  // 特码
    search();

    ASSERT_EQ(gridRows(kHits), 7);
    EXPECT_EQ(gridTexts(kHits)[1].mid(0, 8),
              (QStringList{"2013002", "双", "单", "双", "单", "双", "单", "单"}));
    // Special numbers 7, 25, 37, 35, 38, 44.
    EXPECT_EQ(gridTexts(kTally), (std::vector<QStringList>{{"序号", "结果", "出现次数", "百分比"},
                                                           {"1", "单", "4", "66.667%"},
                                                           {"2", "双", "2", "33.333%"}}));
}

TEST_F(SearchButtonTest, ZodiacChosenTwiceNeedsTwoNumbersOfThatZodiac)
{
    openOn(kSmall);
    choose("Option3", 1);  // 生肖
    // These draws come before the new year of 2013: in the year of 2012, 5,
    // 17, 29 and 41 are 鼠.
    ASSERT_EQ(edit("Text2_1")->text(), QStringLiteral("鼠"));
    ASSERT_EQ(edit("Text2_4")->text(), QStringLiteral("鼠"));
    tick(1);
    search();
    std::vector<int32_t> issues;
    for (int r = 1; r < gridRows(kHits); ++r)
        issues.push_back(cell(kHits, r, 0).toInt());
    // Every draw but 2013002 holds one of them.
    EXPECT_EQ(issues, (std::vector<int32_t>{2013002, 2013004, 2013005, 2013006, 2013007}));

    // Only the last draw holds two.
    tick(4);
    search();
    EXPECT_EQ(gridRows(kHits), 1);
    EXPECT_TRUE(prompter.warnings.empty());
}

TEST_F(SearchButtonTest, NoPositionTickedListsEveryDrawOfTheRange)
{
    openOn(kSmall);
    search();

    std::vector<int32_t> issues;
    std::vector<QString> lists;
    for (size_t i = 1; i < kSmall.size(); ++i) {
        issues.push_back(kSmall[i].issue);
        QString list;
        for (int n : kSmall[i - 1].numbers)
            list += QStringLiteral("%1 ").arg(n, 2, 10, QLatin1Char('0'));
        lists.push_back(list);
    }
    expectHits(issues, lists, kUp);
    // Six hits of seven numbers: 5 and 7 three times each, 9 twice.
    ASSERT_EQ(gridRows(kTally), 50);
    const auto tally = gridTexts(kTally);
    EXPECT_EQ(tally[1], (QStringList{"1", "5", "3", "7.143%"}));
    EXPECT_EQ(tally[2], (QStringList{"2", "7", "3", "7.143%"}));
    EXPECT_EQ(tally[3], (QStringList{"3", "9", "2", "4.762%"}));
    EXPECT_EQ(tally[4], (QStringList{"4", "8", "1", "2.381%"}));
    int total = 0;
    for (size_t r = 1; r < tally.size(); ++r)
        total += tally[r][2].toInt();
    EXPECT_EQ(total, 42);
}

TEST_F(SearchButtonTest, RangeEndsAreIncludedAndTheRestLeftOut)
{
    openOn(kSmall);
    retype(edit("Text3_0"), QStringLiteral("2013003"));
    retype(edit("Text3_1"), QStringLiteral("2013005"));
    search();
    ASSERT_EQ(gridRows(kHits), 4);
    EXPECT_EQ(cell(kHits, 1, 0), QStringLiteral("2013003"));
    EXPECT_EQ(cell(kHits, 3, 0), QStringLiteral("2013005"));
}

// A new search shows its result from the first row, however far down the
// last one was scrolled, in the list of matching draws and in the tally.
class ScrolledGridTest : public SearchButtonTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ScrolledGridTest, ANewSearchStartsAtItsFirstRow)
{
    const auto draws = syntheticHistory(300);
    openOn(draws);
    search();  // no position ticked: every draw of the range, 49 numbers tallied
    auto* grid = find<QTableView>(QString::fromLatin1(GetParam()));
    ASSERT_GT(grid->verticalScrollBar()->maximum(), 0) << "the result fits without scrolling";

    // Down to the last row, as the user scrolls with the keyboard.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    QApplication::processEvents();
    ASSERT_GT(grid->rowAt(0), 0) << "the grid did not scroll";

    // A narrower range: another result, still longer than the grid.
    retype(edit("Text3_0"), QString::number(draws[100].issue));
    search();
    EXPECT_EQ(grid->verticalScrollBar()->value(), 0);
    EXPECT_EQ(grid->rowAt(0), 0);
    if (grid->objectName() == kHits) {
        EXPECT_EQ(cell(kHits, 1, 0), QString::number(draws[100].issue));
    }

    // The same search again is a new result as well.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    QApplication::processEvents();
    ASSERT_GT(grid->rowAt(0), 0);
    search();
    EXPECT_EQ(grid->rowAt(0), 0);
}

INSTANTIATE_TEST_SUITE_P(Grids, ScrolledGridTest, ::testing::Values("MSFlexGrid2", "MSFlexGrid3"),
                         [](const ::testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

// A range box that does not hold a whole number stops the search before it
// starts: the grids keep the last result.
struct BadRange {
    const char* box;
    const char* text;
};

// Test output names the case rather than dumping its bytes.
void PrintTo(const BadRange& c, std::ostream* os) { *os << c.box << " " << c.text; }

class BadRangeTest : public SearchButtonTest, public ::testing::WithParamInterface<BadRange> {};

TEST_P(BadRangeTest, IsAnInputErrorAndRunsNoSearch)
{
    openOn(kSmall);
    tick(1);
    search();
    const auto hitsBefore = gridTexts(kHits);
    const auto tallyBefore = gridTexts(kTally);
    ASSERT_GT(hitsBefore.size(), 1u);

    retype(edit(GetParam().box), QString::fromUtf8(GetParam().text));
    tick(2);
    search();

    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("输入有误"));
    EXPECT_EQ(gridTexts(kHits), hitsBefore);
    EXPECT_EQ(gridTexts(kTally), tallyBefore);
    EXPECT_EQ(QApplication::focusWidget(), edit(GetParam().box));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // The positions of the refused click were not taken over either.
    EXPECT_FALSE(window->lastSearchPositions()[2]);
}

INSTANTIATE_TEST_SUITE_P(Boxes, BadRangeTest,
                         ::testing::Values(BadRange{"Text3_0", "abc"}, BadRange{"Text3_0", ""},
                                           BadRange{"Text3_1", "2013.5"}, BadRange{"Text3_1", "2013007x"},
                                           BadRange{"Text3_0", "99999999999"}));

class FailedSearchTest : public SearchButtonTest {
protected:
    void SetUp() override
    {
        SearchButtonTest::SetUp();
        openOn(kSmall);
        search();
        ASSERT_EQ(gridRows(kHits), 7);
        tick(1);
        tick(2);
    }
    void expectClearedAndReported()
    {
        EXPECT_EQ(gridRows(kHits), 1);
        EXPECT_EQ(gridRows(kTally), 1);
        EXPECT_EQ(cell(kHits, 0, 0), QStringLiteral("期号"));
        ASSERT_EQ(prompter.warnings.size(), 1u);
        EXPECT_FALSE(prompter.warnings[0].text.isEmpty());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    qudrim::store::Database other() const
    {
        return qudrim::store::Database(folder.path() / "plenvox.mdb", qudrim::store::Database::Mode::OpenExisting);
    }
    // intTh of every row, oldest first.
    std::vector<int64_t> marks() const
    {
        auto db = other();
        auto st = db.prepare("SELECT intTh FROM Lishi ORDER BY SQQH");
        std::vector<int64_t> v;
        while (st.step())
            v.push_back(st.columnInt(0));
        return v;
    }
};

TEST_F(FailedSearchTest, DatabaseLockedByAnotherProgramClearsBothGrids)
{
    auto db = other();
    db.exec("BEGIN IMMEDIATE");
    search();
    db.exec("ROLLBACK");
    expectClearedAndReported();

    // With the lock gone the same search runs.
    search();
    EXPECT_EQ(gridRows(kHits), 3);
    EXPECT_EQ(prompter.warnings.size(), 1u);
}

// The marks of a search are written when the window is next idle or, at the
// latest, before the next command. When they cannot be, the next search
// fails with them before it shows anything, and says so without the busy
// cursor on.
TEST_F(FailedSearchTest, MarksThatCannotBeWrittenFailTheNextSearch)
{
    answeredOnlyWithoutBusyCursor = true;
    // No event is handled after this click: its marks are still to be written.
    QTest::mouseClick(find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    ASSERT_EQ(gridRows(kHits), 3);
    auto db = other();
    db.exec("BEGIN IMMEDIATE");
    search();
    db.exec("ROLLBACK");
    expectClearedAndReported();
}

// The positions of a position search that gets as far as its request are
// the ones the next combination search reads, also when the request fails.
TEST_F(FailedSearchTest, AFailedPositionSearchStillChoseItsPositions)
{
    window.reset();
    storeSetting(QStringLiteral("intXianshiLei"), QStringLiteral("9"));
    open();
    activate(window.get());
    tick(1);
    search();
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_TRUE(window->lastSearchPositions()[1]);
    EXPECT_FALSE(window->lastSearchPositions()[2]);
}

TEST_F(FailedSearchTest, StepFailingHalfwayLeavesNothingOfTheRunBehind)
{
    const auto before = marks();
    // The tally is written after the marks: refusing it fails the run late.
    other().exec("CREATE TRIGGER refuse_tally BEFORE INSERT ON Carcu BEGIN SELECT RAISE(ABORT, 'refused'); END");
    search();
    expectClearedAndReported();
    EXPECT_EQ(marks(), before);
}

// A kind setting edited outside the program names no kind: start-up keeps
// it, and both searches then refuse to run, clearing the grids and saying so.
TEST_F(FailedSearchTest, KindSettingThatNamesNoKindFailsBothSearches)
{
    struct Case {
        const char* key;
        const char* stored;
        const char* detail;
    };
    for (const Case c : {Case{"intLei", "9", "search kind out of range"},
                         Case{"intXianshiLei", "12", "result kind out of range"}}) {
        SCOPED_TRACE(c.key);
        window.reset();
        storeSetting(QString::fromLatin1(c.key), QString::fromLatin1(c.stored));
        open();
        activate(window.get());
        const auto before = marks();
        for (const char* button : {"Command1", "Command2"}) {
            SCOPED_TRACE(button);
            prompter.warnings.clear();
            QTest::mouseClick(find<QPushButton>(QString::fromLatin1(button)), Qt::LeftButton);
            QApplication::processEvents();
            expectClearedAndReported();
            EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("检索失败"));
            EXPECT_EQ(prompter.warnings[0].detail, QString::fromLatin1(c.detail));
        }
        EXPECT_EQ(marks(), before);
        storeSetting(QString::fromLatin1(c.key), QStringLiteral("0"));
    }
}

// The real history: whatever the search, the tally counts every position of
// the scope in every hit.
class RealHistorySearchTest : public SearchButtonTest {
protected:
    void SetUp() override
    {
        SearchButtonTest::SetUp();
        draws = loadRealHistory();
        if (draws.empty())
            GTEST_SKIP() << "no real history at " << realHistoryFile();
    }
    std::vector<qudrim::DrawInput> draws;
};

TEST_F(RealHistorySearchTest, HitsAreTheDrawsAfterEachMatchAndTheTallyAddsUpInEveryScope)
{
    openOn(draws);
    tick(1);
    const int reference = draws.back().numbers[0];
    ASSERT_EQ(edit("Text2_1")->text(), QString::number(reference));

    // The draws that follow a draw holding the reference number anywhere.
    std::vector<int32_t> expected;
    for (size_t k = 1; k < draws.size(); ++k) {
        const auto& before = draws[k - 1].numbers;
        if (std::find(before.begin(), before.end(), reference) != before.end())
            expected.push_back(draws[k].issue);
    }
    ASSERT_FALSE(expected.empty());

    const int perHit[] = {7, 6, 1};
    for (int scope = 0; scope < 3; ++scope) {
        choose("Option5", scope);
        search();
        ASSERT_TRUE(prompter.warnings.empty());
        ASSERT_EQ(gridRows(kHits), static_cast<int>(expected.size()) + 1) << "scope " << scope;
        for (size_t i = 0; i < expected.size(); ++i)
            ASSERT_EQ(cell(kHits, static_cast<int>(i) + 1, 0), QString::number(expected[i])) << i;
        ASSERT_EQ(gridRows(kTally), 50);
        int64_t total = 0;
        double percent = 0;
        int64_t previous = std::numeric_limits<int64_t>::max();
        for (int r = 1; r < 50; ++r) {
            const int64_t count = cell(kTally, r, 2).toLongLong();
            EXPECT_LE(count, previous) << "tally row " << r;
            previous = count;
            total += count;
            QString p = cell(kTally, r, 3);
            ASSERT_TRUE(p.endsWith(QLatin1Char('%')));
            p.chop(1);
            percent += p.toDouble();
        }
        EXPECT_EQ(total, static_cast<int64_t>(expected.size()) * perHit[scope]) << "scope " << scope;
        EXPECT_NEAR(percent, 100.0, 49 * 0.0005 + 1e-9) << "scope " << scope;
    }
}

}  // namespace
