// The window folds the write-ahead log into the history file once it is idle
// after a change, and closing it leaves everything in the file.
#include "app/window_actions.h"
#include "app/window_fixture.h"
#include "store/database.h"
#include "store/history_store.h"
#include "store/log_files.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace qudrim::testing;
using namespace qudrim::testrows;
namespace fs = std::filesystem;

namespace {

class IdleCheckpointTest : public WindowTest {
protected:
    fs::path file() const { return folder.path() / qudrim::store::kDatabaseFileName; }
    // What the history holds, through a connection of its own that leaves
    // the log as it is.
    std::vector<StoredRow> rowsNow() const
    {
        qudrim::store::Database db(file(), qudrim::store::Database::Mode::OpenExisting);
        return readLishi(db);
    }
    std::vector<StoredRow> rowsInFile() const { return rowsInFileAlone(file(), scratch.path()); }
    bool fileCatchesUpWhenIdle()
    {
        return QTest::qWaitFor([&] { return rowsInFile() == rowsNow(); }, 2000);
    }
    // Two digits a box; the focus moves on to the next box by itself.
    static void typeDraw(const QString& digits)
    {
        for (int k = 0; k < 7; ++k) {
            QTest::keyClicks(QApplication::focusWidget(), digits.mid(2 * k, 2));
            QApplication::processEvents();
        }
    }

    TempFolder scratch;
};

}  // namespace

TEST_F(IdleCheckpointTest, TypedDrawAndSearchReachTheFileOnceTheWindowIsIdle)
{
    const auto draws = history2013();
    fillHistory(draws);
    open();
    activate(window.get());
    ASSERT_EQ(rowsInFile().size(), draws.size());

    find<QLineEdit>(QStringLiteral("MaskEdBox1_1"))->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    typeDraw(QStringLiteral("05123344271609"));
    ASSERT_EQ(rowsNow().size(), draws.size() + 1);
    EXPECT_TRUE(fileCatchesUpWhenIdle());

    clickButton(find<QAbstractButton>(QStringLiteral("Check1_1")));
    const auto beforeSearch = rowsNow();
    QTest::mouseClick(find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    // The result shows at once; the marks are written once the window is idle.
    ASSERT_TRUE(QTest::qWaitFor([&] { return rowsNow() != beforeSearch; }, 2000)) << "the search should have marked rows";
    EXPECT_TRUE(fileCatchesUpWhenIdle());
    EXPECT_TRUE(prompter.warnings.empty());

    const auto last = rowsNow();
    window.reset();
    EXPECT_EQ(logSize(file()), 0u);
    EXPECT_EQ(rowsInFile(), last);
}
