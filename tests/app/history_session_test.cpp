// The window's hold on the history and the model of the history list, on
// their own, without the window: what another program wrote is caught up
// when the history settles, and the list's model follows each change with
// no more than the change.
#include "app/session/history_list_model.h"
#include "app/session/history_session.h"
#include "app/window_actions.h"
#include "draw/row_builder.h"
#include "store/history_store.h"
#include "support/history_fixture.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace qudrim;
using namespace qudrim::testing;

namespace {

class HistorySessionTest : public ::testing::Test {
protected:
    // The history of 2013 up to issue `last`, stored before the session opens it.
    void storeHistoryUpTo(int32_t last)
    {
        std::vector<DrawInput> draws = history2013();
        draws.resize(static_cast<size_t>(last - 2013000));
        store::HistoryStore store(folder.path());
        fillStore(store, draws);
    }
    void openSession()
    {
        ASSERT_EQ(session.lock(), app::HistoryLock::Outcome::Taken);
        ASSERT_TRUE(session.open());
    }
    static DrawInput draw(int32_t issue, const std::array<int, 7>& numbers) { return {issue, issue, numbers}; }

    TempFolder folder;
    app::HistorySession session{folder.path()};
};

TEST_F(HistorySessionTest, SettlingCatchesUpWithWhatAnotherProgramWrote)
{
    storeHistoryUpTo(2013018);
    openSession();
    std::vector<app::HistoryChange> told;
    QObject::connect(&session, &app::HistorySession::historyChanged,
                     [&told](const app::HistoryChange& change) { told.push_back(change); });

    // Nothing new: nothing is read, nobody is told.
    EXPECT_TRUE(session.settle().ok());
    EXPECT_TRUE(told.empty());

    store::HistoryStore other(folder.path());
    other.open();
    const std::vector<DrawInput> more = {history2013()[18], history2013()[19]};
    ASSERT_TRUE(AddLishi(other, more, CodeBases{}));
    // The view shows what it last read until the history settles.
    EXPECT_EQ(session.view().count(), 18);

    EXPECT_TRUE(session.settle().ok());
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].rows, app::HistoryChange::Rows::Replaced);
    EXPECT_EQ(told[0].shown, app::HistoryChange::Shown::Everything);
    ASSERT_EQ(session.view().count(), 20);
    EXPECT_EQ(session.view().last()->issue, 2013020);
    EXPECT_EQ(session.view().last()->L[1].A, kLastDraw[0]);

    // Caught up: the next settling reads nothing again.
    EXPECT_TRUE(session.settle().ok());
    EXPECT_EQ(told.size(), 1u);
}

TEST_F(HistorySessionTest, TheListModelShowsTheViewAndFollowsEachChange)
{
    storeHistoryUpTo(2013020);
    openSession();
    app::HistoryListModel model(session);
    auto rowTexts = [&model](int row) {
        QStringList texts;
        for (int c = 0; c < model.columnCount(); ++c)
            texts << model.index(row, c).data().toString();
        return texts;
    };
    QStringList header;
    for (int c = 0; c < model.columnCount(); ++c)
        header << model.headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(header, (QStringList{"期号", "落1码", "落2码", "落3码", "落4码", "落5码", "落6码", "特码"}));
    ASSERT_EQ(model.rowCount(), 20);
    EXPECT_EQ(rowTexts(19), (QStringList{"2013020", "38", "7", "12", "45", "3", "22", "49"}));

    // A draw of the window's own: one row more at the end, the rest untouched.
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    const std::vector<DrawInput> typed = {draw(2013021, {5, 16, 27, 38, 49, 1, 12})};
    ASSERT_TRUE(AddLishi(session.store(), typed, CodeBases{}));
    session.changed(app::HistoryChange::appendedDraws(1));
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 20);
    EXPECT_EQ(inserted[0][2].toInt(), 20);
    EXPECT_EQ(reset.count(), 0);
    ASSERT_EQ(model.rowCount(), 21);
    EXPECT_EQ(rowTexts(20), (QStringList{"2013021", "5", "16", "27", "38", "49", "1", "12"}));
    EXPECT_EQ(rowTexts(19), (QStringList{"2013020", "38", "7", "12", "45", "3", "22", "49"}));

    // Emptied: no row, the header as it was.
    session.store().deleteAll();
    session.changed(app::HistoryChange::emptied());
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("期号"));
}

}  // namespace
