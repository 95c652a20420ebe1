// A damaged history is reported, never shown as an empty one, and never
// written again: found at start-up, by the check after a compaction, or by a
// read while the window runs.
#include "app/history_window.h"
#include "store/damaged_files.h"
#include "store/database.h"
#include "store/history_store.h"

#include <QPushButton>
#include <QRegularExpression>

using namespace qudrim::testing;
using namespace qudrim::testrows;
namespace fs = std::filesystem;

namespace {

class DamagedHistoryTest : public HistoryWindowTest {
protected:
    fs::path database() const { return folder.path() / "plenvox.mdb"; }
    QString databaseText() const { return QString::fromStdString(database().string()); }
    void clickDelete()
    {
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Command3")), Qt::LeftButton);
        QApplication::processEvents();
    }
    void typeADraw()
    {
        box("MaskEdBox1_1")->setFocus(Qt::OtherFocusReason);
        typeDraw({1, 2, 3, 4, 5, 6, 7});
    }
    // Another program folds the log into the file, which then loses the
    // header of a page of Lishi.
    void damageElsewhere() const
    {
        {
            qudrim::store::Database other(database(), qudrim::store::Database::Mode::OpenExisting);
            other.exec("PRAGMA wal_checkpoint(TRUNCATE)");
        }
        zeroLishiPageHeader(database());
    }
    // A main text in Chinese: apart from the file's name, no Latin letters.
    void expectChineseNamingTheFile(const Shown& shown) const
    {
        EXPECT_TRUE(shown.text.contains(databaseText())) << shown.text.toStdString();
        QString text = shown.text;
        text.remove(databaseText());
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) << shown.text.toStdString();
        EXPECT_FALSE(shown.detail.isEmpty());
    }
    // What a command says once the history is no longer used.
    void expectTypedDrawRefused()
    {
        const size_t before = prompter.warnings.size();
        typeADraw();
        ASSERT_EQ(prompter.warnings.size(), before + 1);
        EXPECT_EQ(prompter.warnings.back().title, QStringLiteral("历史数据库没有打开"));
        expectChineseNamingTheFile(prompter.warnings.back());
        EXPECT_EQ(text("MaskEdBox1_7"), QStringLiteral("07"));
    }
};

}  // namespace

// One page header of Lishi zeroed: the start says the file is damaged and
// names it; nothing is stored into it, and its bytes stay as they were.
TEST_F(DamagedHistoryTest, AtStartUpItIsReportedAndItsBytesStayAsTheyWere)
{
    fillHistory(history2013());
    zeroLishiPageHeader(database());
    const std::string before = bytesOfFile(database());

    open();
    activate(window.get());
    EXPECT_FALSE(window->databaseOpen());
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("历史数据库已经损坏"));
    EXPECT_TRUE(prompter.warnings[0].text.contains(QStringLiteral("已经损坏")));
    expectChineseNamingTheFile(prompter.warnings[0]);

    // Neither a typed draw nor a command of the history writes to it.
    expectTypedDrawRefused();
    EXPECT_TRUE(prompter.warnings.back().text.contains(QStringLiteral("已经损坏")));
    clickDelete();
    EXPECT_EQ(prompter.warnings.size(), 3u);
    window->close();
    window.reset();
    EXPECT_EQ(bytesOfFile(database()), before);
}

// The check after the compaction of "删除最后历史" finds the file damaged:
// the user is told, and nothing more is written to it.
TEST_F(DamagedHistoryTest, AfterACompactionItIsReportedAndNoLongerWritten)
{
    fillHistory(history2013());
    open();
    activate(window.get());
    window->setCompactionPause([this](qudrim::store::CompactionStep at) {
        if (at == qudrim::store::CompactionStep::Compacted)
            damageElsewhere();
    });
    clickDelete();
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("历史数据库已经损坏"));
    expectChineseNamingTheFile(prompter.warnings[0]);
    EXPECT_FALSE(window->databaseOpen());
    // The list still shows what it last read, never an empty history.
    EXPECT_EQ(gridRows(QStringLiteral("MSFlexGrid1")), 21);
    const std::string after = bytesOfFile(database());

    expectTypedDrawRefused();
    window->close();
    window.reset();
    EXPECT_EQ(bytesOfFile(database()), after);
}

// Another program writes, then the file loses a page header: the next
// command's catching up finds the history unreadable. The command does
// nothing and says so; the list keeps the draws it showed; the file is no
// longer written.
TEST_F(DamagedHistoryTest, AReadThatFailsIsReportedAndNeverShownAsAnEmptyHistory)
{
    fillHistory(history2013());
    open();
    activate(window.get());
    {
        qudrim::store::Database other(database(), qudrim::store::Database::Mode::OpenExisting);
        other.exec("DELETE FROM Lishi WHERE SQQH = 2013020");
    }
    damageElsewhere();
    const std::string before = bytesOfFile(database());

    QTest::mouseClick(find<QPushButton>(QStringLiteral("Command4")), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("命令没有执行"));
    EXPECT_TRUE(prompter.warnings[0].text.contains(QStringLiteral("可能已经损坏")));
    expectChineseNamingTheFile(prompter.warnings[0]);
    EXPECT_TRUE(prompter.opened.empty());
    EXPECT_FALSE(window->databaseOpen());
    EXPECT_EQ(gridRows(QStringLiteral("MSFlexGrid1")), 21);
    EXPECT_EQ(text("Text1"), QStringLiteral("2013021"));

    expectTypedDrawRefused();
    window->close();
    window.reset();
    EXPECT_EQ(bytesOfFile(database()), before);
}
