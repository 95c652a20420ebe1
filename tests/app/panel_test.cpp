#include "app/window_actions.h"
#include "app/window_fixture.h"

#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>

using namespace qudrim::testing;

namespace {

QString indexed(const char* name, int index) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index); }

class PanelTest : public WindowTest {
protected:
    frmMain& openActive()
    {
        open();
        activate(window.get());
        return *window;
    }
    QLineEdit* text2(int i) const { return find<QLineEdit>(indexed("Text2", i)); }
    QLineEdit* text22(int i) const { return find<QLineEdit>(indexed("Text22", i)); }
    int16_t value(int i) const { return window->panelState().intSqLei[static_cast<size_t>(i)]; }
    void leaveBox() { clickBox(find<QLineEdit>(QStringLiteral("Text3_1"))); }
    void selectTab(int index)
    {
        auto* tabs = find<QTabBar>(QStringLiteral("TabStrip1"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
        QApplication::processEvents();
        ASSERT_EQ(tabs->currentIndex(), index);
    }
    void expectPanel(const std::array<const char*, 7>& texts, const std::array<int, 7>& values)
    {
        for (int i = 1; i <= 7; ++i) {
            EXPECT_EQ(text2(i)->text(), QString::fromUtf8(texts[static_cast<size_t>(i - 1)])) << "position " << i;
            EXPECT_EQ(value(i), values[static_cast<size_t>(i - 1)]) << "position " << i;
        }
    }
};

// What the base-draw boxes show for each search type and number order. The
// last draw is 38 07 12 45 03 22 + 49, of the zodiac year 2013 (蛇 holds 01,
// 13, 25, 37, 49); every code base counts from 1.
struct PanelCase {
    const char* name;
    int kind;
    bool ascending;
    std::array<const char*, 7> texts;
    std::array<int, 7> values;
};

// Test output names the case rather than dumping its bytes.
void PrintTo(const PanelCase& c, std::ostream* os) { *os << c.name; }

const PanelCase kPanelCases[] = {
    {"NumberDrawn", 0, false, {"38", "7", "12", "45", "3", "22", "49"}, {38, 7, 12, 45, 3, 22, 49}},
    {"NumberAscending", 0, true, {"3", "7", "12", "22", "38", "45", "49"}, {3, 7, 12, 22, 38, 45, 49}},
    {"ZodiacDrawn", 1, false, {"龙", "猪", "马", "鸡", "兔", "猴", "蛇"}, {5, 12, 7, 10, 4, 9, 6}},
    {"ZodiacAscending", 1, true, {"兔", "猪", "马", "猴", "龙", "鸡", "蛇"}, {4, 12, 7, 9, 5, 10, 6}},
    {"HeadDrawn", 2, false, {"3", "0", "1", "4", "0", "2", "4"}, {3, 0, 1, 4, 0, 2, 4}},
    {"HeadAscending", 2, true, {"0", "0", "1", "2", "3", "4", "4"}, {0, 0, 1, 2, 3, 4, 4}},
    {"TailDrawn", 3, false, {"8", "7", "2", "5", "3", "2", "9"}, {8, 7, 2, 5, 3, 2, 9}},
    {"TailAscending", 3, true, {"3", "7", "2", "2", "8", "5", "9"}, {3, 7, 2, 2, 8, 5, 9}},
    {"DigitSumDrawn", 4, false, {"11", "7", "3", "9", "3", "4", "13"}, {11, 7, 3, 9, 3, 4, 13}},
    {"DigitSumAscending", 4, true, {"3", "7", "3", "4", "11", "9", "13"}, {3, 7, 3, 4, 11, 9, 13}},
    {"SegmentDrawn", 5, false, {"6", "1", "2", "7", "1", "4", "7"}, {6, 1, 2, 7, 1, 4, 7}},
    {"SegmentAscending", 5, true, {"1", "1", "2", "4", "6", "7", "7"}, {1, 1, 2, 4, 6, 7, 7}},
    {"WaveDrawn", 6, false, {"绿", "红", "红", "红", "蓝", "绿", "绿"}, {3, 1, 1, 1, 2, 3, 3}},
    {"WaveAscending", 6, true, {"蓝", "红", "红", "绿", "绿", "红", "绿"}, {2, 1, 1, 3, 3, 1, 3}},
    {"ParityDrawn", 7, false, {"双", "单", "双", "单", "单", "双", "单"}, {0, 1, 0, 1, 1, 0, 1}},
    {"ParityAscending", 7, true, {"单", "单", "双", "双", "双", "单", "单"}, {1, 1, 0, 0, 0, 1, 1}},
};

class PanelKindTest : public PanelTest, public ::testing::WithParamInterface<PanelCase> {};

TEST_P(PanelKindTest, BaseDrawBoxesShowTheSearchTypeOfTheLastDraw)
{
    const PanelCase& c = GetParam();
    fillHistory(history2013());
    openActive();
    if (c.ascending)
        clickButton(find<QRadioButton>(QStringLiteral("Option2_5")));
    clickButton(find<QRadioButton>(indexed("Option3", c.kind)));
    expectPanel(c.texts, c.values);
    EXPECT_EQ(window->panelState().strQz, c.ascending ? 'D' : 'L');
    EXPECT_FALSE(window->panelState().bolSdsr);

    // The same after a restart, from the stored options alone.
    window.reset();
    openActive();
    expectPanel(c.texts, c.values);

    // The result type is for the next search only.
    clickButton(find<QRadioButton>(indexed("Option4", (c.kind + 1) % 8)));
    expectPanel(c.texts, c.values);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PanelKindTest, ::testing::ValuesIn(kPanelCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelTest, DrawNBeforeTakesTheRowTwoBeforeTheLastForNThree)
{
    storeSetting(QStringLiteral("bolSq"), QStringLiteral("False"));
    storeSetting(QStringLiteral("intPreQi"), QStringLiteral("3"));
    fillHistory(history2013());
    openActive();
    expectPanel({"1", "2", "3", "4", "5", "6", "10"}, {1, 2, 3, 4, 5, 6, 10});
    // N = 1 (and 0) compare with the last draw again.
    for (const char* n : {"1", "0"}) {
        typeOver(find<QLineEdit>(QStringLiteral("MaskEdBox2")), QString::fromLatin1(n));
        leaveBox();
        EXPECT_EQ(window->programState().intPreQi, QString::fromLatin1(n).toInt());
        expectPanel({"38", "7", "12", "45", "3", "22", "49"}, {38, 7, 12, 45, 3, 22, 49});
    }
    // 上期 takes the last draw whatever N holds.
    typeOver(find<QLineEdit>(QStringLiteral("MaskEdBox2")), QStringLiteral("3"));
    leaveBox();
    expectPanel({"1", "2", "3", "4", "5", "6", "10"}, {1, 2, 3, 4, 5, 6, 10});
    clickButton(find<QRadioButton>(QStringLiteral("Option1_3")));
    expectPanel({"38", "7", "12", "45", "3", "22", "49"}, {38, 7, 12, 45, 3, 22, 49});
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text3_0"))->text(), QStringLiteral("2013002"));
}

TEST_F(PanelTest, TooShortHistoryLeavesThePanelEmpty)
{
    storeSetting(QStringLiteral("bolSq"), QStringLiteral("False"));
    storeSetting(QStringLiteral("intPreQi"), QStringLiteral("5"));
    storeSetting(QStringLiteral("bolLdm"), QStringLiteral("False"));
    fillHistory({{2013001, 2013001, {1, 2, 3, 4, 5, 6, 7}}, {2013002, 2013002, {8, 9, 10, 11, 12, 13, 14}}});
    openActive();
    for (int i = 1; i <= 7; ++i) {
        EXPECT_TRUE(text2(i)->text().isEmpty()) << i;
        EXPECT_EQ(value(i), 0) << i;
    }
    EXPECT_EQ(window->panelState().strQz, 'D');
    EXPECT_FALSE(window->panelState().bolSdsr);
}

TEST_F(PanelTest, SecondPageTakesTypedValues)
{
    fillHistory(history2013());
    openActive();
    clickButton(find<QRadioButton>(QStringLiteral("Option3_1")));  // 生肖
    selectTab(1);
    EXPECT_TRUE(find<QFrame>(QStringLiteral("Frame2_1"))->isVisible());
    EXPECT_FALSE(find<QFrame>(QStringLiteral("Frame2_0"))->isVisible());
    EXPECT_TRUE(window->panelState().bolSdsr);
    // Empty boxes leave the values of the last refresh in force.
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(value(i), (std::array{5, 12, 7, 10, 4, 9, 6})[static_cast<size_t>(i - 1)]) << i;

    typeOver(text22(3), QStringLiteral("-5"));
    leaveBox();
    EXPECT_EQ(value(3), -5);
    typeOver(text22(7), QStringLiteral("32767"));
    leaveBox();
    EXPECT_EQ(value(7), 32767);
    EXPECT_TRUE(window->panelState().bolSdsr);
    // Text2 still shows the base draw.
    EXPECT_EQ(text2(3)->text(), QStringLiteral("马"));

    // A refresh on the second page takes the typed values, not the history.
    clickButton(find<QRadioButton>(QStringLiteral("Option2_5")));
    EXPECT_EQ(value(3), -5);
    EXPECT_EQ(value(7), 32767);
    EXPECT_EQ(value(1), 5);
    EXPECT_EQ(window->panelState().strQz, 'D');

    // Back on the first page the names shown give their codes again.
    clickButton(find<QRadioButton>(QStringLiteral("Option2_4")));
    selectTab(0);
    EXPECT_FALSE(window->panelState().bolSdsr);
    EXPECT_TRUE(find<QFrame>(QStringLiteral("Frame2_0"))->isVisible());
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(value(i), (std::array{5, 12, 7, 10, 4, 9, 6})[static_cast<size_t>(i - 1)]) << i;

    // And the typed values are in force again when the second page comes back.
    selectTab(1);
    EXPECT_EQ(value(3), -5);
    EXPECT_EQ(value(7), 32767);
    EXPECT_EQ(value(1), 5);
}

TEST_F(PanelTest, TypedValueBoxesRefuseWhatIsNoNumber)
{
    fillHistory(history2013());
    openActive();
    selectTab(1);
    auto* box = text22(1);
    clickBox(box);
    QTest::keyClicks(box, QStringLiteral("a1b2.x"));
    EXPECT_EQ(box->text(), QStringLiteral("12"));
    leaveBox();
    EXPECT_EQ(value(1), 12);

    // Pasted text that is no 16-bit number leaves the box as it was.
    for (const char* pasted : {"40000", "abc", "1-2", "-"}) {
        QGuiApplication::clipboard()->setText(QString::fromLatin1(pasted));
        clickBox(box);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        leaveBox();
        EXPECT_EQ(value(1), 12) << pasted;
        EXPECT_EQ(box->text(), QStringLiteral("12")) << pasted;
    }
    // A box emptied by the user keeps the last good value.
    clickBox(box);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_TRUE(box->text().isEmpty());
    leaveBox();
    EXPECT_EQ(value(1), 12);
    EXPECT_EQ(box->text(), QStringLiteral("12"));
    // A good paste is taken.
    QGuiApplication::clipboard()->setText(QStringLiteral("-300"));
    clickBox(box);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    leaveBox();
    EXPECT_EQ(value(1), -300);
}

}  // namespace
