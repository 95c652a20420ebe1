// One history, two programs. A second window on the same program folder is
// refused and touches nothing, also while the first compacts; a lock left
// by a killed program is taken over; another program that stores a draw
// during the window's compaction loses none; and every command settles the
// history first, so that it acts on the file as it is, and does nothing,
// saying so, when it cannot settle.
#include "app/history_window.h"
#include "store/database.h"
#include "store/history_store.h"
#include "support/workbook_reader.h"

#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSettings>

#include <functional>
#include <map>
#include <thread>

using namespace qudrim::testing;
namespace fs = std::filesystem;
using qudrim::store::CompactionStep;

namespace {

const QString kHistoryGrid = QStringLiteral("MSFlexGrid1");
const QString kHitsGrid = QStringLiteral("MSFlexGrid2");

std::string bytesOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every file of a folder with its bytes.
std::map<std::string, std::string> filesIn(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(folder))
        files[e.path().filename().string()] = e.is_regular_file() ? bytesOf(e.path()) : std::string("<folder>");
    return files;
}

std::string integrityOf(const fs::path& file)
{
    qudrim::store::Database db(file, qudrim::store::Database::Mode::OpenExisting);
    auto st = db.prepare("PRAGMA integrity_check");
    std::string result;
    while (st.step())
        result += st.columnText(0);
    return result;
}

std::vector<int32_t> issuesFrom(int first, int last)
{
    std::vector<int32_t> issues;
    for (int q = first; q <= last; ++q)
        issues.push_back(2013000 + q);
    return issues;
}

// Another program, on a thread of its own, as a plain SQLite program would:
// it opens the history and stores a draw under `issue`, giving up at once
// when the file is locked. True when its draw was committed.
bool storeElsewhere(const fs::path& file, int32_t issue)
{
    bool stored = false;
    std::string failure;
    std::thread([&] {
        try {
            qudrim::store::Database other(file, qudrim::store::Database::Mode::OpenExisting);
            other.setBusyTimeout(0);
            auto insert = other.prepare("INSERT INTO Lishi (SQQH, L1A, L2A, L3A, L4A, L5A, L6A, L7A) "
                                        "VALUES (?1, 1, 2, 3, 4, 5, 6, 7)");
            insert.bind(1, issue);
            insert.run();
            stored = true;
        } catch (const qudrim::store::StoreError& e) {
            if (!e.busy())
                failure = e.what();
        }
    }).join();
    EXPECT_EQ(failure, "");
    return stored;
}

class TwoProgramsTest : public HistoryWindowTest {
protected:
    fs::path database() const { return folder.path() / "plenvox.mdb"; }
    QString databaseText() const { return QString::fromStdString(database().string()); }

    // What another window on the same program folder says: the history is
    // open in another window, and nothing else.
    void expectRefused(const ScriptedPrompter& p) const
    {
        ASSERT_EQ(p.warnings.size(), 1u);
        EXPECT_EQ(p.warnings[0].title, QStringLiteral("历史已经打开"));
        EXPECT_TRUE(p.warnings[0].text.contains(databaseText())) << p.warnings[0].text.toStdString();
        EXPECT_TRUE(p.warnings[0].text.contains(QStringLiteral("另一个窗口"))) << p.warnings[0].text.toStdString();
        EXPECT_TRUE(p.questions.empty());
        EXPECT_TRUE(p.fileDialogs.empty());
    }
    void clickDelete()
    {
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Command3")), Qt::LeftButton);
        QApplication::processEvents();
    }
    void doubleClick(const QString& grid)
    {
        QTest::mouseDClick(find<QTableView>(grid)->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        QApplication::processEvents();
    }
    // Another program changing the history while the window is open.
    void elsewhere(const std::string& sql) const
    {
        qudrim::store::Database other(database(), qudrim::store::Database::Mode::OpenExisting);
        other.exec(sql);
    }
    // Position 1 against the previous draw; no event is handled after the
    // click, so the search's marks are still to be written.
    void searchWithoutIdling()
    {
        clickButton(find<QAbstractButton>(QStringLiteral("Check1_1")));
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
    }
    std::vector<int64_t> marks() const
    {
        std::vector<int64_t> m;
        for (const auto& row : storedLishi())
            m.push_back(row.at("intTh"));
        return m;
    }
    QStringList hitIssues() const
    {
        QStringList issues;
        for (int r = 1; r < gridRows(kHitsGrid); ++r)
            issues << cell(kHitsGrid, r, 0);
        return issues;
    }
};

}  // namespace

// ------------------------------------------------------ one program per history

TEST_F(TwoProgramsTest, ASecondWindowIsRefusedAndTouchesNoFile)
{
    fillHistory(history2013());
    open();
    activate(window.get());
    // A draw typed and the window idle: the log and the settings hold something.
    box("MaskEdBox1_1")->setFocus(Qt::OtherFocusReason);
    typeDraw({11, 12, 13, 14, 15, 16, 17});
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    const auto filesBefore = filesIn(folder.path());
    ASSERT_EQ(filesBefore.count("plenvox.mdb.lock"), 1u);
    const QString settingsFile = QSettings(QStringLiteral("REDARORO"), QStringLiteral("REDARORO")).fileName();
    const std::string settingsBefore = bytesOf(settingsFile.toStdString());

    ScriptedPrompter secondPrompter;
    auto second = std::make_unique<frmMain>(folderText(), &secondPrompter);
    EXPECT_FALSE(second->holdsHistory());
    EXPECT_FALSE(second->databaseOpen());
    expectRefused(secondPrompter);
    // The detail names the program that holds the history: this one.
    EXPECT_TRUE(secondPrompter.warnings[0].detail.contains(QString::number(QCoreApplication::applicationPid())))
        << secondPrompter.warnings[0].detail.toStdString();
    second.reset();
    // No database opened, no setting written, no log folded in.
    EXPECT_EQ(filesIn(folder.path()), filesBefore);
    EXPECT_EQ(bytesOf(settingsFile.toStdString()), settingsBefore);

    // The first window goes on as before.
    box("MaskEdBox1_1")->setFocus(Qt::OtherFocusReason);
    typeDraw({21, 22, 23, 24, 25, 26, 27});
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(storedIssues(), issuesFrom(1, 22));

    // Closed, it leaves the history to the next window.
    window->close();
    ScriptedPrompter nextPrompter;
    frmMain next(folderText(), &nextPrompter);
    EXPECT_TRUE(next.holdsHistory());
    EXPECT_TRUE(nextPrompter.warnings.empty());
}

// A program killed while it held the history leaves its lock file behind;
// the next window takes it over, as its owner no longer runs.
TEST_F(TwoProgramsTest, ALockLeftByAKilledProgramIsTakenOver)
{
    fillHistory(history2013());
    QProcess holder;
    holder.start(QStringLiteral(QUDRIM_HOLD_HISTORY), {folderText()});
    ASSERT_TRUE(holder.waitForStarted(10000)) << holder.errorString().toStdString();
    while (!holder.canReadLine() && holder.waitForReadyRead(10000)) {
    }
    ASSERT_EQ(holder.readLine().trimmed().toStdString(), "taken");

    {
        // While the other program runs, the window is refused.
        ScriptedPrompter refusedPrompter;
        frmMain refused(folderText(), &refusedPrompter);
        EXPECT_FALSE(refused.holdsHistory());
        expectRefused(refusedPrompter);
        EXPECT_TRUE(refusedPrompter.warnings[0].detail.contains(QStringLiteral("qudrim_hold_history")))
            << refusedPrompter.warnings[0].detail.toStdString();
    }

    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(10000));
    ASSERT_TRUE(fs::exists(folder.path() / "plenvox.mdb.lock"));
    open();
    EXPECT_TRUE(window->holdsHistory());
    EXPECT_TRUE(window->databaseOpen());
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(listedIssues(), issuesFrom(1, 20));
}

// The moment the issue found: a second window started while "删除最后历史"
// compacts, and a plain SQLite program storing a draw then. The window is
// refused; the draw is refused at once rather than lost.
TEST_F(TwoProgramsTest, ASecondWindowStartedDuringACompactionIsRefused)
{
    fillHistory(history2013());
    open();
    activate(window.get());
    ScriptedPrompter secondPrompter;
    std::unique_ptr<frmMain> second;
    bool storedElsewhere = true;
    window->setCompactionPause([&](CompactionStep at) {
        if (at != CompactionStep::Compacting)
            return;
        second = std::make_unique<frmMain>(folderText(), &secondPrompter);
        storedElsewhere = storeElsewhere(database(), 2013020);
    });
    clickDelete();

    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(second->holdsHistory());
    expectRefused(secondPrompter);
    second.reset();
    EXPECT_FALSE(storedElsewhere);
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(storedIssues(), issuesFrom(1, 19));
    EXPECT_EQ(listedIssues(), issuesFrom(1, 19));
    EXPECT_EQ(integrityOf(database()), "ok");
}

// Another program storing a draw at each step of the window's compaction:
// the draw it was told it stored is in the file, the window shows it and
// offers the issue after it, and the file is whole.
class CompactionElsewhereTest : public TwoProgramsTest, public ::testing::WithParamInterface<CompactionStep> {};

TEST_P(CompactionElsewhereTest, NoDrawIsLostAndTheWindowFollowsTheFile)
{
    const CompactionStep step = GetParam();
    fillHistory(history2013());
    open();
    activate(window.get());
    bool stored = false;
    window->setCompactionPause([&](CompactionStep at) {
        if (at == step)
            stored = storeElsewhere(database(), 2013021);
    });
    clickDelete();

    // Only the compaction's own VACUUM holds the write lock.
    EXPECT_EQ(stored, step != CompactionStep::Compacting);
    std::vector<int32_t> expected = issuesFrom(1, 19);
    if (stored)
        expected.push_back(2013021);
    EXPECT_EQ(storedIssues(), expected);
    EXPECT_EQ(listedIssues(), expected);
    EXPECT_EQ(text("Text1"), QString::number(expected.back() + 1));
    EXPECT_EQ(integrityOf(database()), "ok");
    EXPECT_TRUE(prompter.warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(Steps, CompactionElsewhereTest,
                         ::testing::Values(CompactionStep::CopyWritten, CompactionStep::Compacting,
                                           CompactionStep::Compacted),
                         [](const ::testing::TestParamInfo<CompactionStep>& info) {
                             switch (info.param) {
                             case CompactionStep::CopyWritten:
                                 return std::string("CopyWritten");
                             case CompactionStep::Compacting:
                                 return std::string("Compacting");
                             case CompactionStep::Compacted:
                                 return std::string("Compacted");
                             }
                             return std::string("Unknown");
                         });

// ------------------------------------------------- every command settles first

// Another program deletes the newest draw; the window has not heard of it
// when the history list is double-clicked. The export settles first and
// writes the draws the file holds: 4,287 of the real history's 4,288.
class DoubleClickAfterAnotherProgramTest : public TwoProgramsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(DoubleClickAfterAnotherProgramTest, ExportsTheHistoryAsTheFileHoldsIt)
{
    const bool real = GetParam();
    const std::vector<qudrim::DrawInput> draws = real ? loadRealHistory() : history2013();
    if (draws.empty())
        GTEST_SKIP() << "no real history in the shared data folder";
    fillHistory(draws);
    open();
    activate(window.get());
    ASSERT_EQ(gridRows(kHistoryGrid), static_cast<int>(draws.size()) + 1);
    elsewhere("DELETE FROM Lishi WHERE SQQH = (SELECT MAX(SQQH) FROM Lishi)");

    doubleClick(kHistoryGrid);

    const ReadWorkbook book = readWorkbook(folder.path() / "lishi.xlsx");
    // The header row and one row a draw still stored.
    EXPECT_EQ(book.rowCount(), static_cast<int>(draws.size()));
    ASSERT_NE(book.at(book.rowCount(), 1), nullptr);
    EXPECT_EQ(book.at(book.rowCount(), 1)->number, draws[draws.size() - 2].issue);
    EXPECT_EQ(gridRows(kHistoryGrid), static_cast<int>(draws.size()));
    EXPECT_EQ(text("Text1"), QString::number(draws[draws.size() - 2].issue + 1));
    EXPECT_TRUE(prompter.warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(Histories, DoubleClickAfterAnotherProgramTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "RealHistory" : "History2013");
                         });

// Another program trims the last three draws; the window still offers
// 2013021. The typed draw settles first and goes under 2013018, after the
// last draw the file holds, describing it.
TEST_F(TwoProgramsTest, ADrawTypedAfterAnotherProgramsTrimGoesUnderTheRightIssue)
{
    const auto draws = history2013();
    fillHistory(draws);
    open();
    activate(window.get());
    elsewhere("DELETE FROM Lishi WHERE SQQH > 2013017");
    ASSERT_EQ(text("Text1"), QStringLiteral("2013021"));

    box("MaskEdBox1_1")->setFocus(Qt::OtherFocusReason);
    typeDraw({1, 2, 3, 4, 5, 6, 7});

    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(storedIssues(), issuesFrom(1, 18));
    EXPECT_EQ(listedIssues(), issuesFrom(1, 18));
    EXPECT_EQ(text("Text1"), QStringLiteral("2013019"));
    const auto rows = storedLishi();
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(rows.back().at("L" + std::to_string(i) + "AS"), draws[16].numbers[static_cast<size_t>(i - 1)]) << i;
}

// A search shown, another program deleting a draw it found, then a double
// click on the matching draws: the search is run again on the file as it is
// and the workbook holds that result.
TEST_F(TwoProgramsTest, TheHitsExportedAfterAnotherProgramsWriteAreTheSearchRedone)
{
    fillHistory(history2013());
    open();
    activate(window.get());
    searchWithoutIdling();
    const QStringList shown = hitIssues();
    ASSERT_FALSE(shown.isEmpty());
    elsewhere("DELETE FROM Lishi WHERE SQQH = " + shown.front().toStdString());

    doubleClick(kHitsGrid);

    const QStringList redone = hitIssues();
    EXPECT_FALSE(redone.contains(shown.front()));
    const ReadWorkbook book = readWorkbook(folder.path() / "Jiansuo.xlsx");
    ASSERT_EQ(book.rowCount(), redone.size() + 1);
    for (int r = 0; r < redone.size(); ++r) {
        ASSERT_NE(book.at(r + 2, 1), nullptr);
        EXPECT_EQ(book.at(r + 2, 1)->number, redone[r].toDouble()) << r;
    }
    EXPECT_TRUE(prompter.warnings.empty());
}

// When the history cannot settle (here: the last search's marks cannot be
// written), every command says so and does nothing: it asks nothing, opens
// no dialog, writes no file, stores and deletes nothing.
class RefusedCommandTest;

struct GuardedCommand {
    const char* name;
    std::function<void(RefusedCommandTest&)> run;
};

void PrintTo(const GuardedCommand& c, std::ostream* os) { *os << c.name; }

class RefusedCommandTest : public TwoProgramsTest, public ::testing::WithParamInterface<GuardedCommand> {
public:
    void click(const char* button) { QTest::mouseClick(find<QPushButton>(QString::fromLatin1(button)), Qt::LeftButton); }
    void trigger(const char* entry) { find<QAction>(QString::fromLatin1(entry))->trigger(); }
    void doubleClickGrid(const char* grid) { doubleClick(QString::fromLatin1(grid)); }
    // Two digits a box, no event handled in between: the window has not
    // been idle since the search.
    void typeADraw()
    {
        box("MaskEdBox1_1")->setFocus(Qt::OtherFocusReason);
        for (const char* digits : {"01", "02", "03", "04", "05", "06", "07"})
            QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(digits));
    }
    // The program folder's files but the database's own, whose log may hold
    // the refused write.
    std::map<std::string, std::string> filesButTheDatabase() const
    {
        auto files = filesIn(folder.path());
        for (const char* own : {"plenvox.mdb", "plenvox.mdb-wal", "plenvox.mdb-shm"})
            files.erase(own);
        return files;
    }
};

TEST_P(RefusedCommandTest, SaysSoAndDoesNothing)
{
    fillHistory(history2013());
    open();
    activate(window.get());
    // Another program refuses the tally the search's marks come with.
    elsewhere("CREATE TRIGGER refuse_tally BEFORE INSERT ON Carcu BEGIN SELECT RAISE(ABORT, 'refused'); END");
    searchWithoutIdling();
    ASSERT_GT(gridRows(kHitsGrid), 1);
    const auto before = storedLishi();
    const auto filesBefore = filesButTheDatabase();
    prompter.answers = {QStringLiteral("1"), QStringLiteral("1")};
    prompter.replies = {true, true};
    prompter.files = {QStringLiteral("/nonexistent/history.txt")};

    GetParam().run(*this);
    QApplication::processEvents();

    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("命令没有执行"));
    EXPECT_TRUE(prompter.warnings[0].text.contains(QStringLiteral("这个命令没有执行")));
    EXPECT_TRUE(prompter.warnings[0].text.contains(databaseText()));
    EXPECT_TRUE(prompter.warnings[0].detail.contains(QStringLiteral("refused"))) << prompter.warnings[0].detail.toStdString();
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_TRUE(prompter.fileDialogs.empty());
    EXPECT_TRUE(prompter.opened.empty());
    EXPECT_FALSE(find<QMenu>(QStringLiteral("mnuSetup"))->isVisible());
    EXPECT_EQ(storedLishi(), before);
    EXPECT_EQ(filesButTheDatabase(), filesBefore);
    EXPECT_EQ(window->programState().bases, (qudrim::CodeBases{1, 1, 1}));
    EXPECT_FALSE(find<QAction>(QStringLiteral("mnuSxcs_0"))->isChecked());
    EXPECT_TRUE(find<QAction>(QStringLiteral("mnuSxcs_1"))->isChecked());
    // The search's result is gone with its marks.
    EXPECT_EQ(gridRows(kHitsGrid), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, RefusedCommandTest,
    ::testing::Values(
        GuardedCommand{"Search", [](RefusedCommandTest& t) { t.click("Command1"); }},
        GuardedCommand{"CombinationSearch",
                       [](RefusedCommandTest& t) { t.click("Command2"); }},
        GuardedCommand{"Import", [](RefusedCommandTest& t) { t.click("cmdRdLst"); }},
        GuardedCommand{"OnlineUpdate", [](RefusedCommandTest& t) { t.click("Command21"); }},
        GuardedCommand{"DeleteLast", [](RefusedCommandTest& t) { t.click("Command3"); }},
        GuardedCommand{"TextExport", [](RefusedCommandTest& t) { t.click("Command4"); }},
        GuardedCommand{"SettingsButton", [](RefusedCommandTest& t) { t.click("Command9"); }},
        GuardedCommand{"YearsKept", [](RefusedCommandTest& t) { t.trigger("mnuSetDay"); }},
        GuardedCommand{"ZodiacBase",
                       [](RefusedCommandTest& t) { t.trigger("mnuSxcs_0"); }},
        GuardedCommand{"HelpPage", [](RefusedCommandTest& t) { t.trigger("mnuDescrb"); }},
        GuardedCommand{"MenuExport", [](RefusedCommandTest& t) { t.trigger("mnuDcls"); }},
        GuardedCommand{"MenuDeleteLast", [](RefusedCommandTest& t) { t.trigger("mnuErase"); }},
        GuardedCommand{"Clear", [](RefusedCommandTest& t) { t.trigger("mnuClear"); }},
        GuardedCommand{"TrimToAnIssue", [](RefusedCommandTest& t) { t.trigger("mnuDlzd"); }},
        GuardedCommand{"TrimTheLast", [](RefusedCommandTest& t) { t.trigger("mnuEszhzd"); }},
        GuardedCommand{"HistoryListDoubleClick",
                       [](RefusedCommandTest& t) { t.doubleClickGrid("MSFlexGrid1"); }},
        GuardedCommand{"HitsDoubleClick",
                       [](RefusedCommandTest& t) { t.doubleClickGrid("MSFlexGrid2"); }},
        GuardedCommand{"TallyDoubleClick",
                       [](RefusedCommandTest& t) { t.doubleClickGrid("MSFlexGrid3"); }},
        GuardedCommand{"TypedDraw", [](RefusedCommandTest& t) { t.typeADraw(); }}),
    [](const ::testing::TestParamInfo<GuardedCommand>& info) { return std::string(info.param.name); });

// Another program holding the database with a write of its own: the double
// click waits for it (the database's lock timeout), then says so and
// exports nothing; once the program lets go, the same double click exports.
TEST_F(TwoProgramsTest, ACommandWhileAnotherProgramHoldsTheDatabaseWaitsThenSaysSo)
{
    fillHistory(history2013());
    open();
    activate(window.get());
    searchWithoutIdling();
    qudrim::store::Database other(database(), qudrim::store::Database::Mode::OpenExisting);
    other.exec("BEGIN IMMEDIATE");
    doubleClick(kHistoryGrid);
    other.exec("ROLLBACK");

    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("命令没有执行"));
    EXPECT_TRUE(prompter.warnings[0].detail.contains(QStringLiteral("locked"))) << prompter.warnings[0].detail.toStdString();
    EXPECT_FALSE(fs::exists(folder.path() / "lishi.xlsx"));

    doubleClick(kHistoryGrid);
    EXPECT_EQ(prompter.warnings.size(), 1u);
    EXPECT_TRUE(fs::exists(folder.path() / "lishi.xlsx"));
}

// ---------------------------------------------------------------- closing

// Closing right after a search writes its marks; under another program's
// lock it waits for it, then says that the marks could not be written.
TEST_F(TwoProgramsTest, MarksThatCannotBeWrittenAtClosingAreTold)
{
    fillHistory(history2013());
    open();
    activate(window.get());
    const auto unmarked = marks();
    searchWithoutIdling();
    ASSERT_GT(gridRows(kHitsGrid), 1);
    window->setLockWaitAtClosing(50);
    {
        qudrim::store::Database other(database(), qudrim::store::Database::Mode::OpenExisting);
        other.exec("BEGIN IMMEDIATE");
        window->close();
        other.exec("ROLLBACK");
    }
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("检索结果没有保存"));
    EXPECT_TRUE(prompter.warnings[0].text.contains(databaseText()));
    EXPECT_TRUE(prompter.warnings[0].detail.contains(QStringLiteral("locked"))) << prompter.warnings[0].detail.toStdString();
    EXPECT_EQ(marks(), unmarked);
    EXPECT_EQ(storedIssues(), issuesFrom(1, 20));
    window.reset();
    EXPECT_EQ(prompter.warnings.size(), 1u);

    // Without the lock the same search's marks are in the file after closing.
    open();
    activate(window.get());
    searchWithoutIdling();
    window->close();
    EXPECT_EQ(prompter.warnings.size(), 1u);
    EXPECT_NE(marks(), unmarked);
}
