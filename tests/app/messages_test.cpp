// What the window tells the user when the history database fails: the main
// text says in Chinese what happened and what to do, the database's own
// (English) words go into the detail text.
#include "app/window_actions.h"
#include "app/window_fixture.h"
#include "store/database.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

using namespace qudrim::testing;

namespace {

QString indexed(const char* name, int index) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index); }

class MessagesTest : public WindowTest {
protected:
    MessagesTest() { answeredOnlyWithoutBusyCursor = true; }
    QString databaseFile() const { return QString::fromStdString((folder.path() / "plenvox.mdb").string()); }

    // A main text in Chinese: apart from the file's name, no Latin letters.
    void expectChineseMainText(const Shown& shown) const
    {
        QString text = shown.text;
        text.remove(databaseFile());
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) << shown.text.toStdString();
        EXPECT_FALSE(shown.detail.isEmpty());
        EXPECT_FALSE(shown.text.contains(shown.detail)) << shown.text.toStdString();
    }

    void search()
    {
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        QApplication::processEvents();
    }

    void typeDraw()
    {
        find<QLineEdit>(indexed("MaskEdBox1", 1))->setFocus(Qt::OtherFocusReason);
        for (const char* digits : {"01", "02", "03", "04", "06", "08", "10"})
            QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(digits));
        QApplication::processEvents();
    }

    void writeGarbageDatabase()
    {
        std::ofstream out(folder.path() / "plenvox.mdb", std::ios::binary);
        for (int i = 0; i < 5000; ++i)
            out.put(static_cast<char>((i * 37 + 11) % 251));
    }
};

TEST_F(MessagesTest, UnreadableDatabaseAtStartUpIsExplainedInChinese)
{
    writeGarbageDatabase();
    open();
    ASSERT_EQ(prompter.warnings.size(), 1u);
    const Shown& shown = prompter.warnings[0];
    EXPECT_TRUE(shown.text.contains(databaseFile()));
    EXPECT_TRUE(shown.text.contains(QStringLiteral("重新启动")));
    expectChineseMainText(shown);
}

// With the database not open, a search and a typed draw say so and why,
// instead of the store's "the history database is not open".
TEST_F(MessagesTest, SearchAndTypedDrawWithoutTheDatabaseSayItIsNotOpenAndWhy)
{
    writeGarbageDatabase();
    open();
    activate(window.get());
    ASSERT_EQ(prompter.warnings.size(), 1u);
    const QString reason = prompter.warnings[0].detail;

    search();
    ASSERT_EQ(prompter.warnings.size(), 2u);
    EXPECT_EQ(prompter.warnings[1].title, QStringLiteral("历史数据库没有打开"));
    EXPECT_TRUE(prompter.warnings[1].text.contains(QStringLiteral("检索无法进行"))) << prompter.warnings[1].text.toStdString();
    EXPECT_TRUE(prompter.warnings[1].text.contains(QStringLiteral("无法打开")));
    EXPECT_TRUE(prompter.warnings[1].text.contains(databaseFile()));
    EXPECT_EQ(prompter.warnings[1].detail, reason);
    expectChineseMainText(prompter.warnings[1]);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    typeDraw();
    ASSERT_EQ(prompter.warnings.size(), 3u);
    EXPECT_EQ(prompter.warnings[2].title, QStringLiteral("历史数据库没有打开"));
    EXPECT_TRUE(prompter.warnings[2].text.contains(QStringLiteral("无法保存"))) << prompter.warnings[2].text.toStdString();
    EXPECT_EQ(prompter.warnings[2].detail, reason);
    expectChineseMainText(prompter.warnings[2]);
    // What was typed stays in the boxes.
    EXPECT_EQ(find<QLineEdit>(indexed("MaskEdBox1", 7))->text(), QStringLiteral("10"));
}

// A database locked by another program: the search and the typed draw fail,
// and the database's words stay out of the main text.
TEST_F(MessagesTest, LockedDatabaseKeepsTheDatabaseWordsInTheDetail)
{
    fillHistory(history2013());
    open();
    activate(window.get());
    qudrim::store::Database other(folder.path() / "plenvox.mdb", qudrim::store::Database::Mode::OpenExisting);
    other.exec("BEGIN IMMEDIATE");

    search();
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("检索失败"));
    EXPECT_TRUE(prompter.warnings[0].detail.contains(QStringLiteral("locked"))) << prompter.warnings[0].detail.toStdString();
    expectChineseMainText(prompter.warnings[0]);

    typeDraw();
    ASSERT_EQ(prompter.warnings.size(), 2u);
    EXPECT_EQ(prompter.warnings[1].title, QStringLiteral("保存失败"));
    EXPECT_TRUE(prompter.warnings[1].text.contains(QStringLiteral("2013021")));
    EXPECT_TRUE(prompter.warnings[1].detail.contains(QStringLiteral("locked"))) << prompter.warnings[1].detail.toStdString();
    expectChineseMainText(prompter.warnings[1]);
    other.exec("ROLLBACK");
}

struct HistoryCommand {
    const char* name;
    const char* control;  // a button clicked or a menu entry chosen
    bool isButton;
    QString refused;      // what the message says cannot be done
};

void PrintTo(const HistoryCommand& c, std::ostream* os) { *os << c.name; }

class HistoryCommandWithoutDatabaseTest : public MessagesTest, public ::testing::WithParamInterface<HistoryCommand> {};

std::string bytesOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// A command of the history with the database not open says so at once: it
// asks nothing, fetches nothing, and touches neither the database file nor
// the backup of the last trim.
TEST_P(HistoryCommandWithoutDatabaseTest, SaysTheDatabaseIsNotOpenBeforeAskingAnything)
{
    const HistoryCommand& c = GetParam();
    writeGarbageDatabase();
    const auto backup = folder.path() / "lsbf.txt";
    std::ofstream(backup, std::ios::binary) << "2014016 05 12 23 34 45 49 07 \r\n";
    const std::string database = bytesOf(folder.path() / "plenvox.mdb");
    open();
    activate(window.get());
    ASSERT_EQ(prompter.warnings.size(), 1u);
    const QString reason = prompter.warnings[0].detail;
    prompter.replies = {true, true};
    prompter.answers = {QStringLiteral("1"), QStringLiteral("http://127.0.0.1:9")};
    prompter.files = {QStringLiteral("/nonexistent/history.txt")};

    if (c.isButton) {
        QTest::mouseClick(find<QPushButton>(QString::fromLatin1(c.control)), Qt::LeftButton);
    } else {
        find<QAction>(QString::fromLatin1(c.control))->trigger();
    }
    QApplication::processEvents();

    ASSERT_EQ(prompter.warnings.size(), 2u);
    const Shown& shown = prompter.warnings[1];
    EXPECT_EQ(shown.title, QStringLiteral("历史数据库没有打开"));
    EXPECT_TRUE(shown.text.contains(c.refused)) << shown.text.toStdString();
    EXPECT_TRUE(shown.text.contains(databaseFile()));
    EXPECT_EQ(shown.detail, reason);
    expectChineseMainText(shown);
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_TRUE(prompter.fileDialogs.empty());
    EXPECT_TRUE(prompter.opened.empty());
    EXPECT_EQ(bytesOf(backup), "2014016 05 12 23 34 45 49 07 \r\n");
    EXPECT_EQ(bytesOf(folder.path() / "plenvox.mdb"), database);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, HistoryCommandWithoutDatabaseTest,
    ::testing::Values(HistoryCommand{"Import", "cmdRdLst", true, QStringLiteral("历史号码文本无法读入")},
                      HistoryCommand{"OnlineUpdate", "Command21", true, QStringLiteral("在线更新无法进行")},
                      HistoryCommand{"DeleteLast", "Command3", true, QStringLiteral("最后一期历史号码无法删除")},
                      HistoryCommand{"DeleteLastFromTheMenu", "mnuErase", false,
                                     QStringLiteral("最后一期历史号码无法删除")},
                      HistoryCommand{"Clear", "mnuClear", false, QStringLiteral("历史号码无法清空")},
                      HistoryCommand{"TrimToAnIssue", "mnuDlzd", false, QStringLiteral("历史号码无法删除")},
                      HistoryCommand{"TrimTheLast", "mnuEszhzd", false, QStringLiteral("历史号码无法删除")},
                      HistoryCommand{"TextExport", "Command4", true, QStringLiteral("历史号码无法导出")}),
    [](const ::testing::TestParamInfo<HistoryCommand>& info) { return info.param.name; });

}  // namespace
