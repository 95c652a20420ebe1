// Typing the newest draw into the seven entry boxes: what is stored, what the
// window shows afterwards, and the entries it refuses.
#include "app/window_actions.h"
#include "app/window_fixture.h"
#include "store/database.h"

#include <QDate>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <array>
#include <string>
#include <vector>

using namespace qudrim::testing;
using qudrim::DrawRow;

namespace {

// The previous-draw copy of position k's number ("L1AS" .. "L7AS").
std::string copyColumn(int k) { return std::string{'L', static_cast<char>('0' + k), 'A', 'S'}; }


QString indexed(const char* name, int index) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index); }

// The zodiac code of number n in zodiac year y with codes counted from 1:
// year 2013 gives 1, 13, 25, 37 and 49 the index 5, and the index falls by
// one for every number further and rises by one every year.
int zodiacCode(int n, int y) { return 1 + ((y - 1971 - n) % 12 + 12) % 12; }

class DrawEntryTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        draws = history2013();
    }

    void openOnHistory()
    {
        fillHistory(draws);
        openTyping();
    }
    // Opens the window with the cursor in box 1, as the user starts typing.
    void openTyping()
    {
        open();
        activate(window.get());
        box(1)->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
    }

    QLineEdit* box(int k) const { return find<QLineEdit>(indexed("MaskEdBox1", k)); }
    QLineEdit* text1() const { return find<QLineEdit>(QStringLiteral("Text1")); }
    // Clicks into the issue box, empties it and types `text`.
    void editIssue(const QString& text)
    {
        clickBox(text1());
        QTest::keyClick(text1(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(text1(), Qt::Key_Backspace);
        QTest::keyClicks(text1(), text);
        QApplication::processEvents();
    }
    static QWidget* focused() { return QApplication::focusWidget(); }

    // Keys go to whichever widget holds the focus, as they do for the user.
    static void typeKeys(const QString& keys)
    {
        ASSERT_NE(focused(), nullptr);
        QTest::keyClicks(focused(), keys);
        QApplication::processEvents();
    }

    // Types one entry per box; an entry shorter than two digits leaves the
    // cursor where it is, so the next box is reached with a click.
    void typeEntries(const std::array<QString, 7>& entries)
    {
        for (int k = 1; k <= 7; ++k) {
            if (focused() != box(k))
                clickBox(box(k));
            if (!entries[static_cast<size_t>(k - 1)].isEmpty())
                typeKeys(entries[static_cast<size_t>(k - 1)]);
        }
    }

    static QString two(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }
    void typeDraw(const std::array<int, 7>& numbers)
    {
        for (int n : numbers)
            typeKeys(two(n));
    }

    std::array<QString, 7> boxTexts() const
    {
        std::array<QString, 7> t;
        for (int k = 1; k <= 7; ++k)
            t[static_cast<size_t>(k - 1)] = box(k)->text();
        return t;
    }
    std::array<QString, 7> panelTexts() const
    {
        std::array<QString, 7> t;
        for (int k = 1; k <= 7; ++k)
            t[static_cast<size_t>(k - 1)] = find<QLineEdit>(indexed("Text2", k))->text();
        return t;
    }

    // What the database file holds, through a connection of its own.
    std::vector<DrawRow> storedRows() const
    {
        qudrim::store::HistoryStore store(folder.path());
        store.open();
        return store.snapshot().rows();
    }
    int64_t storedInt(int32_t issue, const std::string& column) const
    {
        qudrim::store::Database db(folder.path() / "plenvox.mdb", qudrim::store::Database::Mode::OpenExisting);
        auto st = db.prepare("SELECT " + column + " FROM Lishi WHERE SQQH = ?1");
        st.bind(1, static_cast<int64_t>(issue));
        EXPECT_TRUE(st.step()) << "no row " << issue;
        return st.columnInt(0);
    }

    void expectLastRow(int32_t issue, const std::array<int, 7>& numbers) const
    {
        const auto rows = storedRows();
        ASSERT_FALSE(rows.empty());
        const DrawRow& r = rows.back();
        EXPECT_EQ(r.issue, issue);
        for (int k = 1; k <= 7; ++k)
            EXPECT_EQ(r.L[static_cast<size_t>(k)].A, numbers[static_cast<size_t>(k - 1)]) << "L" << k << "A";
    }

    void expectBoxesEmptyAndFocusOnFirst() const
    {
        for (int k = 1; k <= 7; ++k)
            EXPECT_EQ(box(k)->text(), QStringLiteral("__")) << "box " << k;
        EXPECT_EQ(focused(), box(1));
    }

    std::vector<qudrim::DrawInput> draws;
};

const std::array<int, 7> kTyped = {5, 12, 33, 44, 27, 16, 9};
const std::array<int, 7> kTypedNext = {1, 2, 3, 40, 41, 42, 43};

TEST_F(DrawEntryTest, TypedDrawIsStoredUnderTheShownIssueAndTheWindowMovesOn)
{
    openOnHistory();
    ASSERT_EQ(text1()->text(), QStringLiteral("2013021"));

    // The focus moves on by itself, after the second digit and not before.
    for (int k = 1; k <= 6; ++k) {
        const QString digits = two(kTyped[static_cast<size_t>(k - 1)]);
        typeKeys(digits.left(1));
        EXPECT_EQ(focused(), box(k)) << "after the first digit of box " << k;
        EXPECT_EQ(box(k)->text(), digits.left(1) + QStringLiteral("_"));
        typeKeys(digits.mid(1));
        EXPECT_EQ(focused(), box(k + 1)) << "after the second digit of box " << k;
        EXPECT_EQ(box(k)->text(), digits);
    }
    typeKeys(QStringLiteral("0"));
    EXPECT_EQ(storedRows().size(), draws.size()) << "one digit of the special number stores nothing";
    typeKeys(QStringLiteral("9"));

    EXPECT_TRUE(prompter.warnings.empty());
    ASSERT_EQ(storedRows().size(), draws.size() + 1);
    expectLastRow(2013021, kTyped);
    expectBoxesEmptyAndFocusOnFirst();

    const QString grid = QStringLiteral("MSFlexGrid1");
    const int last = gridRows(grid) - 1;
    ASSERT_EQ(last, static_cast<int>(draws.size()) + 1);
    EXPECT_EQ(cell(grid, last, 0), QStringLiteral("2013021"));
    for (int c = 1; c <= 7; ++c)
        EXPECT_EQ(cell(grid, last, c), QString::number(kTyped[static_cast<size_t>(c - 1)])) << c;
    EXPECT_EQ(text1()->text(), QStringLiteral("2013022"));
    EXPECT_EQ(window->programState().lngQihao, 2013022);
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text3_1"))->text(), QStringLiteral("2013021"));
    for (int k = 1; k <= 7; ++k)
        EXPECT_EQ(panelTexts()[static_cast<size_t>(k - 1)], QString::number(kTyped[static_cast<size_t>(k - 1)])) << k;
}

TEST_F(DrawEntryTest, NextDrawCanBeTypedAtOnceAndCarriesTheTypedDrawAsItsPrevious)
{
    openOnHistory();
    typeDraw(kTyped);
    typeDraw(kTypedNext);

    EXPECT_TRUE(prompter.warnings.empty());
    const auto rows = storedRows();
    ASSERT_EQ(rows.size(), draws.size() + 2);
    EXPECT_EQ(rows[rows.size() - 2].issue, 2013021);
    expectLastRow(2013022, kTypedNext);
    for (int k = 1; k <= 7; ++k)
        EXPECT_EQ(storedInt(2013022, copyColumn(k)), kTyped[static_cast<size_t>(k - 1)]) << k;
    expectBoxesEmptyAndFocusOnFirst();
    EXPECT_EQ(text1()->text(), QStringLiteral("2013023"));
    EXPECT_EQ(cell(QStringLiteral("MSFlexGrid1"), gridRows(QStringLiteral("MSFlexGrid1")) - 1, 0), QStringLiteral("2013022"));
}

TEST_F(DrawEntryTest, FirstDrawOfAnEmptyHistoryGoesUnderTheFirstIssueOfThisYear)
{
    fillHistory({});
    openTyping();
    const int first = today.year() * 1000 + 1;
    ASSERT_EQ(text1()->text(), QString::number(first));
    typeDraw(kTyped);

    EXPECT_TRUE(prompter.warnings.empty());
    ASSERT_EQ(storedRows().size(), 1u);
    expectLastRow(first, kTyped);
    EXPECT_EQ(text1()->text(), QString::number(first + 1));
    EXPECT_EQ(gridRows(QStringLiteral("MSFlexGrid1")), 2);
    expectBoxesEmptyAndFocusOnFirst();
}

TEST_F(DrawEntryTest, LongListIsScrolledToTheNewDraw)
{
    draws = syntheticHistory(80);
    openOnHistory();
    auto* grid = find<QTableView>(QStringLiteral("MSFlexGrid1"));
    grid->scrollToTop();
    QApplication::processEvents();
    typeDraw(kTyped);
    QApplication::processEvents();

    const QModelIndex newRow = grid->model()->index(grid->model()->rowCount() - 1, 0);
    ASSERT_EQ(newRow.row(), 80);
    EXPECT_TRUE(grid->viewport()->rect().contains(grid->visualRect(newRow)));
}

// An entry the window refuses: which box it blames.
struct RefusedEntry {
    const char* name;
    std::array<const char*, 7> entries;
    int faultyBox;
    const char* correction;  // typed into the blamed box afterwards; null when others stay faulty
};

// Test output names the case rather than dumping its bytes.
void PrintTo(const RefusedEntry& c, std::ostream* os) { *os << c.name; }

class RefusedEntryTest : public DrawEntryTest, public ::testing::WithParamInterface<RefusedEntry> {};

TEST_P(RefusedEntryTest, StoresNothingKeepsTheBoxesAndPointsAtTheFirstFaultyBox)
{
    const RefusedEntry& c = GetParam();
    openOnHistory();
    std::array<QString, 7> entries;
    for (size_t i = 0; i < 7; ++i)
        entries[i] = QString::fromLatin1(c.entries[i]);
    typeEntries(entries);

    EXPECT_EQ(storedRows().size(), draws.size());
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("输入有误"));
    EXPECT_FALSE(prompter.warnings[0].text.isEmpty());
    for (int k = 1; k <= 7; ++k)
        EXPECT_EQ(box(k)->text(), (entries[static_cast<size_t>(k - 1)] + QStringLiteral("__")).left(2)) << "box " << k;
    EXPECT_EQ(focused(), box(c.faultyBox));
    EXPECT_EQ(text1()->text(), QStringLiteral("2013021"));
    EXPECT_EQ(gridRows(QStringLiteral("MSFlexGrid1")), static_cast<int>(draws.size()) + 1);

    if (!c.correction)
        return;
    // Typing over the blamed box completes the draw.
    typeKeys(QString::fromLatin1(c.correction));
    EXPECT_EQ(prompter.warnings.size(), 1u);
    std::array<int, 7> expected{};
    for (size_t i = 0; i < 7; ++i)
        expected[i] = std::stoi(static_cast<int>(i) + 1 == c.faultyBox ? c.correction : c.entries[i]);
    ASSERT_EQ(storedRows().size(), draws.size() + 1);
    expectLastRow(2013021, expected);
    expectBoxesEmptyAndFocusOnFirst();
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, RefusedEntryTest,
    ::testing::Values(RefusedEntry{"OneDigitLeftInBox3", {"05", "12", "3", "44", "27", "16", "09"}, 3, "38"},
                      RefusedEntry{"OnlyTheSpecialNumberTyped", {"", "", "", "", "", "", "09"}, 1, nullptr},
                      RefusedEntry{"ZeroInBox2", {"05", "00", "33", "44", "27", "16", "09"}, 2, "48"},
                      RefusedEntry{"FiftyInBox5", {"05", "12", "33", "44", "50", "16", "09"}, 5, "49"},
                      RefusedEntry{"SpecialNumber99", {"05", "12", "33", "44", "27", "16", "99"}, 7, "01"},
                      RefusedEntry{"Box6RepeatsBox1", {"05", "12", "33", "44", "27", "05", "09"}, 6, "06"},
                      RefusedEntry{"SpecialRepeatsBox2", {"05", "12", "33", "44", "27", "16", "12"}, 7, "10"},
                      RefusedEntry{"TwoFaultsBlameTheFirst", {"05", "12", "77", "44", "05", "16", "09"}, 3, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

// The issue box, edited before the draw is typed.
class RefusedIssueTest : public DrawEntryTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RefusedIssueTest, StoresNothingAndPointsAtTheIssueBox)
{
    openOnHistory();
    editIssue(QString::fromUtf8(GetParam()));
    clickBox(box(1));
    typeDraw(kTyped);

    EXPECT_EQ(storedRows().size(), draws.size());
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("输入有误"));
    EXPECT_EQ(focused(), text1());
    EXPECT_EQ(text1()->text(), QString::fromUtf8(GetParam()));
    for (int k = 1; k <= 7; ++k)
        EXPECT_EQ(box(k)->text(), two(kTyped[static_cast<size_t>(k - 1)])) << k;
    EXPECT_EQ(window->programState().lngQihao, 2013021);

    // With the issue put right, typing over any box stores the draw.
    editIssue(QStringLiteral("2013021"));
    clickBox(box(4));
    QTest::keyClick(box(4), Qt::Key_A, Qt::ControlModifier);
    typeKeys(two(kTyped[3]));
    EXPECT_EQ(prompter.warnings.size(), 1u);
    ASSERT_EQ(storedRows().size(), draws.size() + 1);
    expectLastRow(2013021, kTyped);
}

INSTANTIATE_TEST_SUITE_P(Issues, RefusedIssueTest,
                         ::testing::Values("2013020", "2013001", "0", "abc", "", "2013021x", "20130215555"));

struct AcceptedIssue {
    const char* text;
    int32_t issue;
    int zodiacYear;
};

// Test output names the case rather than dumping its bytes.
void PrintTo(const AcceptedIssue& c, std::ostream* os) { *os << c.text; }

class AcceptedIssueTest : public DrawEntryTest, public ::testing::WithParamInterface<AcceptedIssue> {};

TEST_P(AcceptedIssueTest, DrawIsStoredUnderTheEditedIssueWithItsZodiacYear)
{
    const AcceptedIssue& c = GetParam();
    openOnHistory();
    editIssue(QString::fromLatin1(c.text));
    clickBox(box(1));
    typeDraw(kTyped);

    EXPECT_TRUE(prompter.warnings.empty());
    ASSERT_EQ(storedRows().size(), draws.size() + 1);
    expectLastRow(c.issue, kTyped);
    const DrawRow last = storedRows().back();
    for (int k = 1; k <= 7; ++k)
        EXPECT_EQ(last.L[static_cast<size_t>(k)].B, zodiacCode(kTyped[static_cast<size_t>(k - 1)], c.zodiacYear)) << k;
    EXPECT_EQ(text1()->text(), QString::number(c.issue + 1));
    EXPECT_EQ(window->programState().lngQihao, c.issue + 1);
}

// 2014 draws up to its 13th still belong to the zodiac year 2013.
INSTANTIATE_TEST_SUITE_P(Issues, AcceptedIssueTest,
                         ::testing::Values(AcceptedIssue{"2013025", 2013025, 2013},
                                           AcceptedIssue{"2014005", 2014005, 2013},
                                           AcceptedIssue{"2014020", 2014020, 2014}));

TEST_F(DrawEntryTest, RowTheDatabaseRefusesIsReportedAndNothingChanges)
{
    openOnHistory();
    const auto panelBefore = panelTexts();
    {
        // Another connection holds the write lock for as long as the draw is typed.
        qudrim::store::Database other(folder.path() / "plenvox.mdb", qudrim::store::Database::Mode::OpenExisting);
        other.exec("BEGIN IMMEDIATE");
        typeDraw(kTyped);

        ASSERT_EQ(prompter.warnings.size(), 1u);
        EXPECT_FALSE(prompter.warnings[0].text.isEmpty());
        for (int k = 1; k <= 7; ++k)
            EXPECT_EQ(box(k)->text(), two(kTyped[static_cast<size_t>(k - 1)])) << k;
        EXPECT_EQ(text1()->text(), QStringLiteral("2013021"));
        EXPECT_EQ(window->programState().lngQihao, 2013021);
        EXPECT_EQ(gridRows(QStringLiteral("MSFlexGrid1")), static_cast<int>(draws.size()) + 1);
        EXPECT_EQ(panelTexts(), panelBefore);
        other.exec("ROLLBACK");
    }
    EXPECT_EQ(storedRows().size(), draws.size());

    // Once the lock is gone, retyping the special number stores the draw, with
    // the copies of the draw stored before it.
    clickBox(box(7));
    QTest::keyClick(box(7), Qt::Key_A, Qt::ControlModifier);
    typeKeys(two(kTyped[6]));
    EXPECT_EQ(prompter.warnings.size(), 1u);
    ASSERT_EQ(storedRows().size(), draws.size() + 1);
    expectLastRow(2013021, kTyped);
    for (int k = 1; k <= 7; ++k)
        EXPECT_EQ(storedInt(2013021, copyColumn(k)), kLastDraw[static_cast<size_t>(k - 1)]) << k;
    expectBoxesEmptyAndFocusOnFirst();
    EXPECT_EQ(text1()->text(), QStringLiteral("2013022"));
}

}  // namespace
