// A search's result shows the moment it is worked out; the marks it leaves
// in Lishi and Carcu are written once the window is idle. Whatever comes
// first - the window closing, another command using the database, another
// program writing to it - the table ends up exactly as the search leaves
// it, and the grids show what the table says.
#include "app/window_actions.h"
#include "app/window_fixture.h"
#include "store/database.h"
#include "store/history_store.h"
#include "store/lishi_rows.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <sqlite3.h>

#include <utility>

using namespace qudrim::testing;
using namespace qudrim::testrows;

namespace {

QString indexed(const char* name, int index) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index); }

// Lishi and Carcu as another connection reads them.
struct Tables {
    std::vector<StoredRow> lishi;
    std::vector<std::pair<int64_t, int64_t>> carcu;
    bool operator==(const Tables&) const = default;
};

Tables tablesOf(const std::filesystem::path& folder)
{
    qudrim::store::Database db(folder / qudrim::store::kDatabaseFileName, qudrim::store::Database::Mode::OpenExisting);
    Tables t;
    t.lishi = readLishi(db);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db.handle(), "SELECT Nmb, Count FROM Carcu ORDER BY Nmb", -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
        t.carcu.emplace_back(sqlite3_column_int64(st, 0), sqlite3_column_int64(st, 1));
    sqlite3_finalize(st);
    return t;
}

// A window of its own on a program folder of its own.
struct Session {
    TempFolder folder;
    ScriptedPrompter prompter;
    std::unique_ptr<frmMain> window;

    explicit Session(const std::vector<qudrim::DrawInput>& draws)
    {
        {
            qudrim::store::HistoryStore store(folder.path());
            fillStore(store, draws);
        }
        window = std::make_unique<frmMain>(QString::fromStdString(folder.path().string()), &prompter, pinnedToday);
        window->show();
        activate(window.get());
    }
    template <class T>
    T* find(const QString& name) const
    {
        return window->findChild<T*>(name);
    }
    // 前2期 and a position, so that the search rewrites lists as well as marks.
    void searchFirstPosition()
    {
        clickButton(find<QAbstractButton>(QStringLiteral("Option1_2")));
        clickButton(find<QAbstractButton>(indexed("Check1", 1)));
        // No event is handled after the click: the window has not been idle.
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    }
    void typeDraw(const QString& digits)
    {
        find<QLineEdit>(indexed("MaskEdBox1", 1))->setFocus(Qt::OtherFocusReason);
        for (int k = 0; k < 7; ++k)
            QTest::keyClicks(QApplication::focusWidget(), digits.mid(2 * k, 2));
    }
    static void idle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }
    QStringList hitIssues() const
    {
        QStringList issues;
        const auto* m = find<QTableView>(QStringLiteral("MSFlexGrid2"))->model();
        for (int r = 0; r < m->rowCount(); ++r)
            issues << m->index(r, 0).data().toString();
        return issues;
    }
};

class DeferredMarksTest : public ::testing::Test {
protected:
    void SetUp() override { clearSettings(); }
    void TearDown() override { clearSettings(); }
    const std::vector<qudrim::DrawInput> draws = history2013();
};

TEST_F(DeferredMarksTest, ClosingRightAfterASearchLeavesItsMarksInTheFile)
{
    Session waited(draws);
    waited.searchFirstPosition();
    waited.idle();
    const QStringList hits = waited.hitIssues();
    ASSERT_FALSE(hits.isEmpty());
    waited.window.reset();
    const Tables expected = tablesOf(waited.folder.path());

    Session closed(draws);
    closed.searchFirstPosition();
    // The result shows before anything is written.
    EXPECT_EQ(closed.hitIssues(), hits);
    closed.window.reset();
    EXPECT_EQ(tablesOf(closed.folder.path()), expected);
    EXPECT_TRUE(closed.prompter.warnings.empty());
}

TEST_F(DeferredMarksTest, ACommandRightAfterASearchFindsItsMarksWritten)
{
    Session waited(draws);
    waited.searchFirstPosition();
    waited.idle();
    waited.typeDraw(QStringLiteral("05123344271609"));
    waited.idle();
    const Tables expected = tablesOf(waited.folder.path());
    ASSERT_EQ(expected.lishi.size(), draws.size() + 1);

    Session hurried(draws);
    hurried.searchFirstPosition();
    hurried.typeDraw(QStringLiteral("05123344271609"));
    EXPECT_EQ(tablesOf(hurried.folder.path()), expected);
    EXPECT_TRUE(hurried.prompter.warnings.empty());
}

TEST_F(DeferredMarksTest, AnotherProgramsWriteBeforeTheMarksGivesTheSearchAnew)
{
    Session s(draws);
    s.searchFirstPosition();
    const QStringList shown = s.hitIssues();
    ASSERT_FALSE(shown.isEmpty());
    {
        // Another program takes away the first draw the search found.
        qudrim::store::Database other(s.folder.path() / qudrim::store::kDatabaseFileName,
                                      qudrim::store::Database::Mode::OpenExisting);
        other.exec("DELETE FROM Lishi WHERE SQQH = " + shown.front().toStdString());
    }
    s.idle();
    const QStringList redone = s.hitIssues();
    EXPECT_FALSE(redone.contains(shown.front()));
    EXPECT_TRUE(s.prompter.warnings.empty());
    const Tables afterRedo = tablesOf(s.folder.path());

    // The same search clicked again finds the table as the redone search left it.
    QTest::mouseClick(s.find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    s.idle();
    EXPECT_EQ(s.hitIssues(), redone);
    EXPECT_EQ(tablesOf(s.folder.path()), afterRedo);
}

}  // namespace
