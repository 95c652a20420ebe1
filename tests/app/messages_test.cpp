// What the window tells the user when the history database fails: the main
// text says in Chinese what happened and what to do, the database's own
// (English) words go into the detail text.
#include "app/window_actions.h"
#include "app/window_fixture.h"
#include "store/database.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>

#include <fstream>
#include <string>

using namespace qudrim::testing;

namespace {

QString indexed(const char* name, int index) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index); }

class MessagesTest : public WindowTest {
protected:
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

}  // namespace
