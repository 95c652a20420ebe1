#include "app/window_actions.h"
#include "app/window_fixture.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <filesystem>
#include <fstream>

using namespace qudrim::testing;

namespace {

QString indexed(const char* name, int index) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index); }

const QString kYearsMessage =
    QStringLiteral("为了保证时效性和提高计算效率，软件只能统计16年以内的数据，请输入2到16中的自然数。");

using MenusTest = WindowTest;

TEST_F(MenusTest, SettingsButtonPopsUpTheSettingsMenu)
{
    open();
    auto* menu = find<QMenu>(QStringLiteral("mnuSetup"));
    QStringList captions;
    for (QAction* a : menu->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(captions, (QStringList{QStringLiteral("生肖(肖位)参数设置(&S)"), QStringLiteral("段数参数设置(&A)"),
                                     QStringLiteral("波色参数设置(&B)"), QStringLiteral("-"),
                                     QStringLiteral("历史号码更新检索年(&Y)"), QStringLiteral("软件服务主页(&P)"),
                                     QStringLiteral("软件介绍说明(&R)"), QStringLiteral("软件演示说明录像下载(&D)")}));
    bool shown = false;
    QTimer::singleShot(0, menu, [&] {
        shown = menu->isVisible();
        menu->close();
    });
    QTest::mouseClick(find<QPushButton>(QStringLiteral("Command9")), Qt::LeftButton);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_TRUE(shown);
}

struct CodeBaseMenu {
    const char* item;
    const char* key;
    int qudrim::CodeBases::*base;
};

// Test output names the case rather than dumping its bytes.
void PrintTo(const CodeBaseMenu& c, std::ostream* os) { *os << c.item; }

class CodeBaseMenuTest : public WindowTest, public ::testing::WithParamInterface<CodeBaseMenu> {};

TEST_P(CodeBaseMenuTest, ChoosingAnEntryMarksItAndSavesTheBase)
{
    const CodeBaseMenu& m = GetParam();
    open();
    auto* zero = find<QAction>(indexed(m.item, 0));
    auto* one = find<QAction>(indexed(m.item, 1));
    zero->trigger();
    EXPECT_TRUE(zero->isChecked());
    EXPECT_FALSE(one->isChecked());
    EXPECT_EQ(storedSetting(QString::fromLatin1(m.key)), QStringLiteral("0"));
    EXPECT_EQ(window->programState().bases.*m.base, 0);
    // The marked entry chosen again keeps its mark.
    zero->trigger();
    EXPECT_TRUE(zero->isChecked());
    EXPECT_FALSE(one->isChecked());
    EXPECT_EQ(storedSetting(QString::fromLatin1(m.key)), QStringLiteral("0"));
    one->trigger();
    EXPECT_FALSE(zero->isChecked());
    EXPECT_TRUE(one->isChecked());
    EXPECT_EQ(storedSetting(QString::fromLatin1(m.key)), QStringLiteral("1"));
    EXPECT_EQ(window->programState().bases.*m.base, 1);
    // The other pairs are left alone.
    for (const char* other : {"mnuSxcs", "mnuDscs", "mnuBscs"}) {
        if (QString::fromLatin1(other) != QString::fromLatin1(m.item)) {
            EXPECT_TRUE(find<QAction>(indexed(other, 1))->isChecked()) << other;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pairs, CodeBaseMenuTest,
                         ::testing::Values(CodeBaseMenu{"mnuSxcs", "SxIni", &qudrim::CodeBases::SxIni},
                                           CodeBaseMenu{"mnuDscs", "DsIni", &qudrim::CodeBases::DsIni},
                                           CodeBaseMenu{"mnuBscs", "BsIni", &qudrim::CodeBases::BsIni}),
                         [](const auto& info) { return std::string(info.param.item); });

TEST_F(MenusTest, ZodiacBaseChangeKeepsThePanelUntilTheNextRefresh)
{
    fillHistory(history2013());
    open();
    clickButton(find<QRadioButton>(QStringLiteral("Option3_1")));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text2_1"))->text(), QStringLiteral("龙"));
    find<QAction>(QStringLiteral("mnuSxcs_0"))->trigger();
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text2_1"))->text(), QStringLiteral("龙"));
    EXPECT_EQ(window->panelState().intSqLei[1], 5);
    // Rows stored earlier keep codes 1 to 12, now read with base 0.
    clickButton(find<QRadioButton>(QStringLiteral("Option2_5")));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text2_5"))->text(), QStringLiteral("蛇"));  // 38: code 5
    EXPECT_EQ(window->panelState().intSqLei[5], 5);
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text2_2"))->text(), QStringLiteral("猪"));  // 7: code 12, no name: left
    EXPECT_EQ(window->panelState().intSqLei[2], 12);
}

struct YearsCase {
    const char* name;
    std::vector<QString> answers;
    size_t questions;
    size_t messages;
    QString stored;  // empty: nothing stored
};

// Test output names the case rather than dumping its bytes.
void PrintTo(const YearsCase& c, std::ostream* os) { *os << c.name; }

class YearsMenuTest : public WindowTest, public ::testing::WithParamInterface<YearsCase> {};

TEST_P(YearsMenuTest, AsksUntilTheAnswerIsFromTwoToSixteen)
{
    const YearsCase& c = GetParam();
    open();
    prompter.answers.assign(c.answers.begin(), c.answers.end());
    find<QAction>(QStringLiteral("mnuSetDay"))->trigger();
    EXPECT_TRUE(prompter.answers.empty());
    ASSERT_EQ(prompter.questions.size(), c.questions);
    for (const Shown& q : prompter.questions) {
        EXPECT_EQ(q.title, QStringLiteral("设置年数"));
        // Every question offers the years in force, never the rejected answer.
        EXPECT_TRUE(q.text.startsWith(QStringLiteral("请输入更新需要保留的历史号码的年数（2~16中的任意自然数），"
                                                     "如果超过年数将删除最早的一年的历史号码")));
        EXPECT_TRUE(q.text.endsWith(QStringLiteral(" [6]"))) << q.text.toStdString();
    }
    ASSERT_EQ(prompter.warnings.size(), c.messages);
    for (const Shown& w : prompter.warnings) {
        EXPECT_EQ(w.title, QStringLiteral("输入有误"));
        EXPECT_EQ(w.text, kYearsMessage);
    }
    EXPECT_EQ(storedSetting(QStringLiteral("IniSerchDay")), c.stored);
    EXPECT_EQ(window->programState().IniSerchDay, c.stored.isEmpty() ? 6 : c.stored.toInt());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, YearsMenuTest,
    ::testing::Values(YearsCase{"TooManyThenFive", {QStringLiteral("17"), QStringLiteral("5")}, 2, 1, QStringLiteral("5")},
                      YearsCase{"Sixteen", {QStringLiteral("16")}, 1, 0, QStringLiteral("16")},
                      YearsCase{"Two", {QStringLiteral("2")}, 1, 0, QStringLiteral("2")},
                      YearsCase{"TooFewThenTwelve",
                                {QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("-3"), QStringLiteral("12")},
                                4, 3, QStringLiteral("12")},
                      YearsCase{"NotANumberIsOutOfRange", {QStringLiteral("abc"), QStringLiteral("7")}, 2, 1,
                                QStringLiteral("7")},
                      YearsCase{"Cancel", {}, 1, 0, QString()},
                      YearsCase{"RejectedThenCancel", {QStringLiteral("20")}, 2, 1, QString()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MenusTest, StoredYearsAreOfferedAfterARestart)
{
    open();
    prompter.answers = {QStringLiteral("9")};
    find<QAction>(QStringLiteral("mnuSetDay"))->trigger();
    window.reset();
    open();
    EXPECT_EQ(window->programState().IniSerchDay, 9);
    prompter.questions.clear();
    find<QAction>(QStringLiteral("mnuSetDay"))->trigger();
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_TRUE(prompter.questions[0].text.endsWith(QStringLiteral(" [9]")));
    EXPECT_EQ(storedSetting(QStringLiteral("IniSerchDay")), QStringLiteral("9"));
}

// The help pages are local pages in the program folder's "docs" folder.
class HelpLinkTest : public WindowTest {
protected:
    void writePage(const char* name)
    {
        std::filesystem::create_directories(folder.path() / "docs");
        std::ofstream(folder.path() / "docs" / name) << "<html><body>help</body></html>";
    }
    static constexpr const char* kLinks[] = {"mnuFrontPage", "mnuDescrb", "numYanshiDown"};
    static constexpr const char* kPages[] = {"index.html", "manual.html", "demo.html"};
};

TEST_F(HelpLinkTest, EachEntryOpensItsOwnPage)
{
    for (const char* page : kPages)
        writePage(page);
    open();
    for (size_t i = 0; i < 3; ++i) {
        prompter.opened.clear();
        find<QAction>(QString::fromLatin1(kLinks[i]))->trigger();
        ASSERT_EQ(prompter.opened.size(), 1u) << kLinks[i];
        const QUrl& url = prompter.opened[0];
        EXPECT_TRUE(url.isLocalFile()) << url.toString().toStdString();
        EXPECT_EQ(QFileInfo(url.toLocalFile()).canonicalFilePath(),
                  QFileInfo(QDir(folderText()).filePath(QStringLiteral("docs/") + QString::fromLatin1(kPages[i])))
                      .canonicalFilePath());
    }
    EXPECT_TRUE(prompter.warnings.empty());
}

TEST_F(HelpLinkTest, EntriesWithoutAPageOfTheirOwnOpenTheMainPage)
{
    writePage("index.html");
    open();
    for (const char* link : kLinks) {
        prompter.opened.clear();
        find<QAction>(QString::fromLatin1(link))->trigger();
        ASSERT_EQ(prompter.opened.size(), 1u) << link;
        EXPECT_TRUE(QFileInfo::exists(prompter.opened[0].toLocalFile())) << link;
        EXPECT_EQ(QFileInfo(prompter.opened[0].toLocalFile()).fileName(), QStringLiteral("index.html")) << link;
    }
    EXPECT_TRUE(prompter.warnings.empty());
}

TEST_F(HelpLinkTest, MissingPagesAreReportedAndNothingIsOpened)
{
    open();
    for (const char* link : kLinks)
        find<QAction>(QString::fromLatin1(link))->trigger();
    EXPECT_TRUE(prompter.opened.empty());
    ASSERT_EQ(prompter.warnings.size(), 3u);
    for (const Shown& w : prompter.warnings)
        EXPECT_TRUE(w.text.contains(QStringLiteral("docs"))) << w.text.toStdString();
}

TEST_F(HelpLinkTest, BrowserThatCannotOpenThePageIsReported)
{
    writePage("index.html");
    prompter.openSucceeds = false;
    open();
    find<QAction>(QStringLiteral("mnuFrontPage"))->trigger();
    EXPECT_EQ(prompter.opened.size(), 1u);
    EXPECT_EQ(prompter.warnings.size(), 1u);
}

}  // namespace
