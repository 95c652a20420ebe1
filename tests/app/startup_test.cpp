#include "app/window_actions.h"
#include "app/window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace qudrim::testing;

namespace {

using StartupTest = WindowTest;

QString indexed(const char* name, int index) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index); }

TEST_F(StartupTest, EmptyFolderGetsDatabaseAndWindowOffersFirstIssueOfThisYear)
{
    open();
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "plenvox.mdb"));
    EXPECT_EQ(gridRows(QStringLiteral("MSFlexGrid1")), 1);
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text1"))->text(), QString::number(today.year() * 1000 + 1));
    EXPECT_TRUE(prompter.warnings.empty());
}

TEST_F(StartupTest, FirstStartWithoutSettingsShowsEveryDefault)
{
    open();
    auto checked = [this](const QString& name) { return find<QAbstractButton>(name)->isChecked(); };

    // 自由位, counting the special number, against the previous draw.
    EXPECT_TRUE(checked(QStringLiteral("Option1_1")));
    EXPECT_FALSE(checked(QStringLiteral("Option1_0")));
    EXPECT_TRUE(checked(QStringLiteral("Check2")));
    EXPECT_TRUE(find<QCheckBox>(QStringLiteral("Check2"))->isVisible());
    EXPECT_TRUE(checked(QStringLiteral("Option1_3")));
    EXPECT_FALSE(checked(QStringLiteral("Option1_2")));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("MaskEdBox2"))->text(), QStringLiteral("2"));
    // Drawn order, search and result type 号码, pool 平特 of size 2, scope 平特.
    EXPECT_TRUE(checked(QStringLiteral("Option2_4")));
    EXPECT_FALSE(checked(QStringLiteral("Option2_5")));
    for (const char* group : {"Option3", "Option4"})
        for (int k = 0; k < 8; ++k)
            EXPECT_EQ(checked(indexed(group, k)), k == 0) << group << k;
    EXPECT_TRUE(checked(QStringLiteral("Option6_0")));
    EXPECT_EQ(find<QComboBox>(QStringLiteral("Combo1"))->currentText(), QStringLiteral("2"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(checked(indexed("Option5", i)), i == 0);
    // Every code base counts from 1.
    for (const char* pair : {"mnuSxcs", "mnuDscs", "mnuBscs"}) {
        EXPECT_FALSE(find<QAction>(indexed(pair, 0))->isChecked()) << pair;
        EXPECT_TRUE(find<QAction>(indexed(pair, 1))->isChecked()) << pair;
    }
    // No position is chosen on either page, and the first page is shown.
    for (int i = 1; i <= 7; ++i) {
        EXPECT_FALSE(checked(indexed("Check1", i))) << i;
        EXPECT_FALSE(checked(indexed("Check11", i))) << i;
        EXPECT_EQ(find<QLineEdit>(indexed("MaskEdBox1", i))->text(), QStringLiteral("__")) << i;
        EXPECT_TRUE(find<QLineEdit>(indexed("Text2", i))->text().isEmpty()) << i;
        EXPECT_TRUE(find<QLineEdit>(indexed("Text2", i))->isReadOnly()) << i;
        EXPECT_TRUE(find<QLineEdit>(indexed("Text22", i))->text().isEmpty()) << i;
    }
    EXPECT_EQ(find<QTabBar>(QStringLiteral("TabStrip1"))->currentIndex(), 0);
    EXPECT_TRUE(find<QWidget>(QStringLiteral("Frame2_0"))->isVisible());
    EXPECT_FALSE(find<QWidget>(QStringLiteral("Frame2_1"))->isVisible());
    // Without a history the search range keeps its initial texts.
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text3_0"))->text(), QStringLiteral("2013001"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text3_1"))->text(), QStringLiteral("2013001"));

    const auto& s = window->programState();
    EXPECT_TRUE(s.bolZyw);
    EXPECT_TRUE(s.bolSq);
    EXPECT_EQ(s.intPreQi, 2);
    EXPECT_TRUE(s.bolLdm);
    EXPECT_EQ(s.intLei, 0);
    EXPECT_EQ(s.intXianshiLei, 0);
    EXPECT_FALSE(s.bolZhpm);
    EXPECT_EQ(s.intZhWSetup, 2);
    EXPECT_EQ(s.bases, (qudrim::CodeBases{1, 1, 1}));
    EXPECT_EQ(s.IniSerchDay, 6);
    EXPECT_EQ(window->panelState().strQz, 'L');
    EXPECT_FALSE(window->panelState().bolSdsr);
    EXPECT_TRUE(prompter.warnings.empty());
}

TEST_F(StartupTest, ControlsCarryTheirCaptions)
{
    open();
    const std::vector<std::pair<const char*, const char*>> buttons = {
        {"Command1", "检索(&S)"},           {"Command2", "组合检索(&G)"},
        {"Command9", "软件设置(&T)"},       {"cmdRdLst", "读取历史号文本(&W)"},
        {"Command21", "历史号在线更新(&O)"}, {"Command3", "删除最后历史(&D)"},
        {"Command4", "历史号码导出文本文件(&O)"}, {"Option1_0", "固定位"},
        {"Option1_1", "自由位"},            {"Option1_2", "前    期"},
        {"Option1_3", "上期"},              {"Check2", "自由位计特码"},
        {"Option2_4", "落地码"},            {"Option2_5", "顺序码"},
        {"Option6_0", "平特"},              {"Option6_1", "平码"},
        {"Option3_1", "生肖"},              {"Option4_7", "单双"},
        {"Option5_2", "特码"},              {"Check1_1", "平1位"},
        {"Check11_7", "特位"}};
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(find<QAbstractButton>(QString::fromLatin1(name))->text(), QString::fromUtf8(caption)) << name;
    const std::vector<std::pair<const char*, const char*>> frames = {
        {"Frame1_0", "检索位选择"}, {"Frame1_1", "检索期选择"},   {"Frame1_2", "号码序选择"},
        {"Frame5", "组合组位检索"}, {"Frame7", "检索起止期数"},   {"Frame3", "搜索类型选择"},
        {"Frame4", "结果类型选择"}, {"Frame6", "结果统计选择"}};
    for (const auto& [name, title] : frames)
        EXPECT_EQ(find<QGroupBox>(QString::fromLatin1(name))->title(), QString::fromUtf8(title)) << name;
    EXPECT_EQ(find<QLabel>(QStringLiteral("Label12_1"))->text(), QStringLiteral("在下面输入 2007001 期历史号码:"));
    EXPECT_EQ(find<QLabel>(QStringLiteral("Label1"))->text(), QStringLiteral("组合位数"));
    EXPECT_EQ(find<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral("+"));
    auto* tabs = find<QTabBar>(QStringLiteral("TabStrip1"));
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("自动历史位"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("手动输入号"));
    EXPECT_EQ(find<QWidget>(QStringLiteral("MaskEdBox1_3"))->toolTip(), QStringLiteral("在此补充输入最新历史号码"));
    EXPECT_EQ(find<QWidget>(QStringLiteral("MSFlexGrid1"))->toolTip(), QStringLiteral("鼠标双击列表可以将列表导出到EXCEL"));
    auto* combo = find<QComboBox>(QStringLiteral("Combo1"));
    ASSERT_EQ(combo->count(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(combo->itemText(i), QString::number(i + 1));
    // The tally grid has its column widths (480, 680, 800, 880 twips) before any search.
    auto* tally = find<QTableView>(QStringLiteral("MSFlexGrid3"));
    const int widths[] = {32, 45, 53, 59};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(tally->columnWidth(c), widths[c]) << c;
}

class StartupOnHistoryTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        draws = history2013();
        fillHistory(draws);
    }
    QString text(const char* name) const { return find<QLineEdit>(QString::fromLatin1(name))->text(); }
    std::vector<qudrim::DrawInput> draws;
};

TEST_F(StartupOnHistoryTest, PreviousDrawRangeStartsOneIssueAfterTheFirstAndNextIssueFollowsTheLast)
{
    open();
    EXPECT_EQ(text("Text3_0"), QStringLiteral("2013002"));
    EXPECT_EQ(text("Text3_1"), QStringLiteral("2013020"));
    EXPECT_EQ(text("Text1"), QStringLiteral("2013021"));
    EXPECT_EQ(window->programState().lngQihao, 2013021);
    EXPECT_TRUE(prompter.warnings.empty());
}

TEST_F(StartupOnHistoryTest, DrawNBeforeRangeStartsNIssuesAfterTheFirst)
{
    storeSetting(QStringLiteral("intPreQi"), QStringLiteral("3"));
    storeSetting(QStringLiteral("bolSq"), QStringLiteral("False"));
    open();
    EXPECT_TRUE(find<QRadioButton>(QStringLiteral("Option1_2"))->isChecked());
    EXPECT_EQ(text("MaskEdBox2"), QStringLiteral("3"));
    EXPECT_EQ(text("Text3_0"), QStringLiteral("2013004"));
    EXPECT_EQ(text("Text3_1"), QStringLiteral("2013020"));
    EXPECT_EQ(text("Text1"), QStringLiteral("2013021"));
}

TEST_F(StartupOnHistoryTest, HistoryGridListsEveryDrawInDrawnOrder)
{
    open();
    const QString grid = QStringLiteral("MSFlexGrid1");
    ASSERT_EQ(gridRows(grid), static_cast<int>(draws.size()) + 1);
    EXPECT_EQ(cell(grid, 0, 0), QStringLiteral("期号"));
    for (int c = 1; c <= 6; ++c)
        EXPECT_EQ(cell(grid, 0, c), QStringLiteral("落%1码").arg(c));
    EXPECT_EQ(cell(grid, 0, 7), QStringLiteral("特码"));
    for (size_t r = 0; r < draws.size(); ++r) {
        EXPECT_EQ(cell(grid, static_cast<int>(r) + 1, 0), QString::number(draws[r].issue));
        for (int c = 1; c <= 7; ++c)
            EXPECT_EQ(cell(grid, static_cast<int>(r) + 1, c), QString::number(draws[r].numbers[static_cast<size_t>(c - 1)]))
                << "row " << r << " column " << c;
    }
}

TEST_F(StartupOnHistoryTest, PanelShowsTheLastDraw)
{
    open();
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(find<QLineEdit>(indexed("Text2", i))->text(), QString::number(kLastDraw[static_cast<size_t>(i - 1)])) << i;
        EXPECT_EQ(window->panelState().intSqLei[static_cast<size_t>(i)], kLastDraw[static_cast<size_t>(i - 1)]) << i;
    }
}

// Without a usable history the window still opens with an empty list.
TEST_F(StartupTest, EmptyHistoryLeavesRangeAndPanelAsTheyWere)
{
    fillHistory({});
    open();
    EXPECT_TRUE(window->databaseOpen());
    EXPECT_EQ(gridRows(QStringLiteral("MSFlexGrid1")), 1);
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text3_0"))->text(), QStringLiteral("2013001"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text3_1"))->text(), QStringLiteral("2013001"));
    for (int i = 1; i <= 7; ++i)
        EXPECT_TRUE(find<QLineEdit>(indexed("Text2", i))->text().isEmpty()) << i;
    EXPECT_TRUE(prompter.warnings.empty());
}

TEST_F(StartupTest, CorruptDatabaseIsReportedAndLeftUntouched)
{
    const auto file = folder.path() / "plenvox.mdb";
    std::string garbage(5000, '\0');
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 37 + 11) % 251);
    {
        std::ofstream out(file, std::ios::binary);
        out << garbage;
    }
    open();
    EXPECT_FALSE(window->databaseOpen());
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_TRUE(prompter.warnings[0].text.contains(QString::fromStdString(file.string())));
    EXPECT_EQ(gridRows(QStringLiteral("MSFlexGrid1")), 1);
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text3_0"))->text(), QStringLiteral("2013001"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text1"))->text(),
              QString::number(today.year() * 1000 + 1));
    // Working with the window does not touch the file either.
    clickButton(find<QRadioButton>(QStringLiteral("Option3_1")));
    clickButton(find<QRadioButton>(QStringLiteral("Option1_2")));
    window.reset();
    std::ifstream in(file, std::ios::binary);
    const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(after, garbage);
}

}  // namespace
