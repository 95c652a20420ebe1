// "组合检索(&G)": the pool and size as the user sets them, the click, and what
// the matching-draws list and the tally grid then show; the size box refusing
// what is not a size.
#include "app/widgets/column_widths.h"
#include "app/window_actions.h"
#include "app/window_fixture.h"
#include "store/database.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <array>
#include <vector>

using namespace qudrim::testing;

namespace {

const QString kHits = QStringLiteral("MSFlexGrid2");
const QString kTally = QStringLiteral("MSFlexGrid3");

// The last draw, the base draw of 上期, holds 5 9 40 41 42 43 and 44. Draw 1
// holds 5 and, as its special number, 9; draw 3 holds 5 and 9; draw 5 holds 5.
std::vector<qudrim::DrawInput> smallHistory()
{
    const std::vector<std::array<int, 7>> numbers = {
        {1, 2, 3, 4, 5, 6, 9},       {10, 11, 12, 13, 14, 15, 7}, {9, 20, 21, 5, 23, 24, 25},
        {7, 26, 27, 28, 29, 36, 37}, {5, 30, 31, 32, 33, 34, 35}, {7, 8, 17, 18, 19, 22, 38},
        {5, 9, 40, 41, 42, 43, 44},
    };
    std::vector<qudrim::DrawInput> draws;
    for (size_t i = 0; i < numbers.size(); ++i)
        draws.push_back({2013001 + static_cast<int32_t>(i), 2013001 + static_cast<int32_t>(i), numbers[i]});
    return draws;
}

class CombinationButtonTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        fillHistory(smallHistory());
        open();
        activate(window.get());
    }

    QAbstractButton* button(const QString& name) const { return find<QAbstractButton>(name); }
    QComboBox* sizeBox() const { return find<QComboBox>(QStringLiteral("Combo1")); }
    void setSize(const QString& text)
    {
        typeOver(sizeBox(), text);
        clickBox(find<QLineEdit>(QStringLiteral("Text3_1")));
    }
    void combine()
    {
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Command2")), Qt::LeftButton);
        QApplication::processEvents();
    }
    QStringList row(const QString& grid, int r) const
    {
        QStringList texts;
        const int columns = find<QTableView>(grid)->model()->columnCount();
        for (int c = 0; c < columns; ++c)
            texts << cell(grid, r, c);
        return texts;
    }
    std::vector<QString> hitIssues() const
    {
        std::vector<QString> issues;
        for (int r = 1; r < gridRows(kHits); ++r)
            issues.push_back(cell(kHits, r, 0));
        return issues;
    }
};

TEST_F(CombinationButtonTest, PoolAndSizeChooseTheDrawsAndTheTallyCountsThem)
{
    clickButton(button(QStringLiteral("Option6_1")));  // 平码
    setSize(QStringLiteral("1"));
    combine();

    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(row(kHits, 0), (QStringList{"期号", "平1位", "平2位", "平3位", "平4位", "平5位", "平6位", "特位",
                                          "上期开奖", "序号"}));
    ASSERT_EQ(gridRows(kHits), 4);
    EXPECT_EQ(row(kHits, 1), (QStringList{"2013002", "10", "11", "12", "13", "14", "15", "7",
                                          "01 02 03 04 05 06 09 ", "1"}));
    EXPECT_EQ(row(kHits, 2), (QStringList{"2013004", "7", "26", "27", "28", "29", "36", "37",
                                          "09 20 21 05 23 24 25 ", "2"}));
    EXPECT_EQ(row(kHits, 3), (QStringList{"2013006", "7", "8", "17", "18", "19", "22", "38",
                                          "05 30 31 32 33 34 35 ", "3"}));
    // Three draws of seven numbers: 7 three times, eighteen other numbers once.
    EXPECT_EQ(row(kTally, 0), (QStringList{"序号", "结果", "出现次数", "百分比"}));
    ASSERT_EQ(gridRows(kTally), 50);
    EXPECT_EQ(row(kTally, 1), (QStringList{"1", "7", "3", "14.286%"}));
    EXPECT_EQ(row(kTally, 2), (QStringList{"2", "8", "1", "4.762%"}));
    EXPECT_EQ(row(kTally, 19), (QStringList{"19", "38", "1", "4.762%"}));
    EXPECT_EQ(row(kTally, 20), (QStringList{"20", "1", "0", "0.000%"}));

    // Two of the values, the special number not counted: only after draw 3.
    setSize(QStringLiteral("2"));
    clickButton(button(QStringLiteral("Check2")));
    combine();
    EXPECT_EQ(hitIssues(), (std::vector<QString>{"2013004"}));
    // Counted again, it brings back draw 1 with its special number 9.
    clickButton(button(QStringLiteral("Check2")));
    combine();
    EXPECT_EQ(hitIssues(), (std::vector<QString>{"2013002", "2013004"}));
    // The last position search's positions are still none.
    EXPECT_EQ(window->lastSearchPositions(), (std::array<bool, 8>{}));
}

TEST_F(CombinationButtonTest, DrawTypedBetweenTwoSearchesIsSearchedAndIsTheNewBaseDraw)
{
    clickButton(button(QStringLiteral("Option6_1")));
    setSize(QStringLiteral("1"));
    combine();
    ASSERT_EQ(gridRows(kHits), 4);

    find<QLineEdit>(QStringLiteral("MaskEdBox1_1"))->setFocus(Qt::OtherFocusReason);
    for (const char* digits : {"01", "02", "03", "04", "06", "08", "10"})
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(digits));
    QApplication::processEvents();
    ASSERT_EQ(find<QLineEdit>(QStringLiteral("Text1"))->text(), QStringLiteral("2013009"));

    // 1 2 3 4 6 8: draw 1 holds five of them, draw 6 holds 8.
    combine();
    EXPECT_EQ(hitIssues(), (std::vector<QString>{"2013002", "2013007"}));
}

TEST_F(CombinationButtonTest, FixedPositionsAndTheSerialColumnKeepingItsWidth)
{
    clickButton(button(QStringLiteral("Option1_0")));  // 固定位
    // 5 at position 1 in draws 5 and 7, nothing else of the base draw at its place.
    setSize(QStringLiteral("1"));
    auto* hits = find<QTableView>(kHits);
    hits->setColumnWidth(9, 123);
    combine();
    EXPECT_EQ(hitIssues(), (std::vector<QString>{"2013006"}));
    EXPECT_FALSE(button(QStringLiteral("Check2"))->isVisible());
    EXPECT_EQ(hits->columnWidth(9), 123);
    EXPECT_EQ(hits->columnWidth(8), qudrim::app::twipsToPixels(2500));
    setSize(QStringLiteral("2"));
    combine();
    EXPECT_EQ(gridRows(kHits), 1);
    ASSERT_EQ(gridRows(kTally), 50);
    EXPECT_EQ(row(kTally, 1), (QStringList{"1", "1", "0", ""}));
}

TEST_F(CombinationButtonTest, SizeBoxRefusesWhatIsNotASizeAndTheSearchUsesTheLastGoodOne)
{
    clickButton(button(QStringLiteral("Option6_1")));
    setSize(QStringLiteral("1"));
    for (const char* refused : {"0", "7", "-1", "1.5", "abc"}) {
        setSize(QString::fromLatin1(refused));
        EXPECT_EQ(sizeBox()->currentText(), QStringLiteral("1")) << refused;
        EXPECT_EQ(window->programState().intZhWSetup, 1) << refused;
        EXPECT_EQ(storedSetting(QStringLiteral("intZhWSetup")), QStringLiteral("1")) << refused;
    }
    // Typed and started with Alt+G while the box still has the focus.
    typeOver(sizeBox(), QStringLiteral("9"));
    ASSERT_TRUE(typeMnemonic(Qt::Key_G, find<QPushButton>(QStringLiteral("Command2"))));
    EXPECT_EQ(sizeBox()->currentText(), QStringLiteral("1"));
    EXPECT_EQ(gridRows(kHits), 4);
    EXPECT_TRUE(prompter.warnings.empty());
}

TEST_F(CombinationButtonTest, StoredSizeOutsideOneToSixIsReadAsTwo)
{
    window.reset();
    storeSetting(QStringLiteral("intZhWSetup"), QStringLiteral("9"));
    open();
    EXPECT_EQ(window->programState().intZhWSetup, 2);
    EXPECT_EQ(sizeBox()->currentText(), QStringLiteral("2"));
}

TEST_F(CombinationButtonTest, FailedSearchClearsBothGridsAndSaysSo)
{
    combine();
    ASSERT_GT(gridRows(kHits), 1);
    qudrim::store::Database other(folder.path() / "plenvox.mdb", qudrim::store::Database::Mode::OpenExisting);
    other.exec("BEGIN IMMEDIATE");
    combine();
    other.exec("ROLLBACK");
    EXPECT_EQ(gridRows(kHits), 1);
    EXPECT_EQ(gridRows(kTally), 1);
    EXPECT_EQ(cell(kHits, 0, 0), QStringLiteral("期号"));
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("检索失败"));
    EXPECT_FALSE(prompter.warnings[0].detail.isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
