// "删除到选定期" and "删除最后指定数量期历史": the answers they take and refuse,
// the history rebuilt from "lsbf.txt", the question before leaving no draw,
// and a backup file that cannot be written.
#include "app/history_window.h"
#include "store/database.h"

#include <QPushButton>

#include <fstream>
#include <memory>
#include <sstream>

using namespace qudrim::testing;

namespace {

const QString kTitle = QStringLiteral("删除期数");
const QString kToIssuePrompt = QStringLiteral("请输入需要删除到的期数，例如‘2014016’");
const QString kCountPrompt =
    QStringLiteral("请输入需要删除最后多少期历史号码（例如输入3，那么就将删除最后的3期历史号码）");

struct TrimCase {
    const char* name;
    const char* entry;             // mnuDlzd or mnuEszhzd
    QString answer;                // typed into the input box; empty = Cancel
    std::deque<bool> clearReplies; // answers to "确认清空"
    int kept;                      // draws left of 2013001..2013020; -1: unchanged
    bool inputError;
    bool asksToClear;
};

void PrintTo(const TrimCase& c, std::ostream* os) { *os << c.name; }

class TrimTest : public HistoryWindowTest, public ::testing::WithParamInterface<TrimCase> {
protected:
    void SetUp() override
    {
        HistoryWindowTest::SetUp();
        fillHistory(history2013());
    }
    std::filesystem::path backup() const { return folder.path() / "lsbf.txt"; }
    std::string backupText() const
    {
        std::ifstream in(backup(), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_P(TrimTest, KeepsTheDrawsTheAnswerLeaves)
{
    const TrimCase& c = GetParam();
    open();
    const auto before = storedLishi();
    prompter.answers = {c.answer};
    prompter.replies = c.clearReplies;
    find<QAction>(QString::fromLatin1(c.entry))->trigger();

    // The input box, with its prompt and the default answer.
    ASSERT_GE(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].title, kTitle);
    EXPECT_EQ(prompter.questions[0].text, QString::fromLatin1(c.entry) == QStringLiteral("mnuDlzd")
                                              ? kToIssuePrompt + QStringLiteral(" [2013020]")
                                              : kCountPrompt + QStringLiteral(" [1]"));
    EXPECT_EQ(prompter.questions.size(), c.asksToClear ? 2u : 1u);
    if (c.asksToClear) {
        EXPECT_EQ(prompter.questions[1].title, QStringLiteral("确认清空"));
        EXPECT_EQ(prompter.questions[1].text, QStringLiteral("确定要清空所有的历史号码吗？"));
    }
    ASSERT_EQ(prompter.warnings.size(), c.inputError ? 1u : 0u);
    if (c.inputError) {
        EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("输入有误"));
    }

    if (c.kept < 0) {
        EXPECT_EQ(storedLishi(), before);
        EXPECT_FALSE(std::filesystem::exists(backup()));
        EXPECT_EQ(text("Text1"), QStringLiteral("2013021"));
        return;
    }
    const auto stored = history2013();
    std::vector<int32_t> kept;
    std::string lines;
    for (int q = 1; q <= c.kept; ++q) {
        kept.push_back(2013000 + q);
        const auto& n = stored[static_cast<size_t>(q - 1)].numbers;
        lines += qudrim::history::PrintHisLine(2013000 + q, n) + "\r\n";
    }
    EXPECT_EQ(storedIssues(), kept);
    EXPECT_EQ(listedIssues(), kept);
    EXPECT_EQ(backupText(), lines);
    // Compacted after the rebuild: the compacted copy stays beside the file.
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "plenvoxTmp.mdb"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    if (c.kept > 0) {
        EXPECT_EQ(text("Text1"), QString::number(2013001 + c.kept));
        EXPECT_EQ(text("Text3_1"), QString::number(2013000 + c.kept));
        const auto& last = stored[static_cast<size_t>(c.kept - 1)].numbers;
        for (int i = 1; i <= 7; ++i)
            EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text2_%1").arg(i))->text(), QString::number(last[i - 1])) << i;
    }
    // Rebuilt: from row 3 on each row carries the lists the row before received.
    const auto rows = storedLishi();
    for (size_t k = 0; k < rows.size(); ++k) {
        EXPECT_EQ(rows[k].text("txtHisPreLst"), k < 2 ? "" : rows[k - 1].text("txtHisLst")) << k;
        EXPECT_EQ(rows[k].text("txtHisPreLstSx"), k < 2 ? "" : rows[k - 1].text("txtHisLstSx")) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TrimTest,
    ::testing::Values(
        TrimCase{"ToTheLastIssue", "mnuDlzd", QStringLiteral("2013020"), {}, 20, false, false},
        TrimCase{"ToAnIssue", "mnuDlzd", QStringLiteral(" 2013012 "), {}, 12, false, false},
        TrimCase{"AboveTheLast", "mnuDlzd", QStringLiteral("2099001"), {}, 20, false, false},
        TrimCase{"FullWidthDigits", "mnuDlzd", QStringLiteral("２０１３０１５"), {}, 15, false, false},
        TrimCase{"BelowTheFirstCancelled", "mnuDlzd", QStringLiteral("2012100"), {false}, -1, false, true},
        TrimCase{"BelowTheFirstConfirmed", "mnuDlzd", QStringLiteral("2012100"), {true}, 0, false, true},
        TrimCase{"IssueNotANumber", "mnuDlzd", QStringLiteral("2013年"), {}, -1, true, false},
        TrimCase{"IssueFraction", "mnuDlzd", QStringLiteral("2013010.5"), {}, -1, true, false},
        TrimCase{"IssueCancelled", "mnuDlzd", QString(), {}, -1, false, false},
        TrimCase{"IssueZero", "mnuDlzd", QStringLiteral("0"), {}, -1, false, false},
        TrimCase{"LastThree", "mnuEszhzd", QStringLiteral("3"), {}, 17, false, false},
        TrimCase{"LastOne", "mnuEszhzd", QStringLiteral("1"), {}, 19, false, false},
        TrimCase{"AllCancelled", "mnuEszhzd", QStringLiteral("20"), {false}, -1, false, true},
        TrimCase{"MoreThanAllConfirmed", "mnuEszhzd", QStringLiteral("25"), {true}, 0, false, true},
        TrimCase{"CountNotANumber", "mnuEszhzd", QStringLiteral("three"), {}, -1, true, false},
        TrimCase{"CountCancelled", "mnuEszhzd", QString(), {}, -1, false, false},
        TrimCase{"CountNegative", "mnuEszhzd", QStringLiteral("-2"), {}, -1, false, false}),
    [](const ::testing::TestParamInfo<TrimCase>& info) { return info.param.name; });

using TrimWindowTest = TrimTest;

TEST_F(TrimWindowTest, TheHistoryMenuTrimsAndTheNextDrawContinuesTheKeptHistory)
{
    open();
    activate(window.get());
    prompter.answers = {QStringLiteral("2")};
    chooseFromHistoryMenu("mnuEszhzd");
    ASSERT_EQ(storedIssues().size(), 18u);
    EXPECT_EQ(text("Text1"), QStringLiteral("2013019"));

    box("MaskEdBox1_1")->setFocus(Qt::OtherFocusReason);
    typeDraw({1, 2, 3, 4, 5, 6, 7});
    EXPECT_TRUE(prompter.warnings.empty());
    const auto rows = storedLishi();
    ASSERT_EQ(rows.size(), 19u);
    EXPECT_EQ(rows.back().at("SQQH"), 2013019);
    // Its copies describe the last kept draw and the one before it.
    for (const char* col : {"L1A", "L7A", "D3B", "L5H"}) {
        EXPECT_EQ(rows.back().at(std::string(col) + "S"), rows[17].at(col)) << col;
        EXPECT_EQ(rows.back().at(std::string(col) + "P"), rows[16].at(col)) << col;
    }
    EXPECT_EQ(rows.back().text("txtHisLst"), qudrim::history::PrintHisLine(0, history2013()[17].numbers).substr(2));
}

TEST_F(TrimWindowTest, ABackupFileThatCannotBeWrittenStopsTheTrim)
{
    // A folder in the way of "lsbf.txt".
    std::filesystem::create_directories(backup() / "in-the-way");
    open();
    const auto before = storedLishi();
    prompter.answers = {QStringLiteral("3")};
    find<QAction>(QStringLiteral("mnuEszhzd"))->trigger();
    EXPECT_EQ(storedLishi(), before);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "plenvoxTmp.mdb"));
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, kTitle);
    EXPECT_TRUE(prompter.warnings[0].text.contains(QStringLiteral("lsbf.txt 无法写入，历史号码没有改动")))
        << prompter.warnings[0].text.toStdString();
    EXPECT_FALSE(prompter.warnings[0].detail.isEmpty());
}

TEST_F(TrimWindowTest, AnIssueOfOtherThanSevenDigitsStopsTheTrim)
{
    // 123456 would come back from the file with its numbers shifted.
    std::vector<qudrim::DrawInput> draws = history2013();
    draws.insert(draws.begin(), qudrim::DrawInput{123456, 123456, {1, 2, 3, 4, 5, 6, 7}});
    for (const char* file : {"plenvox.mdb", "plenvox.mdb-wal", "plenvox.mdb-shm"})
        std::filesystem::remove(folder.path() / file);
    fillHistory(draws);
    open();
    const auto before = storedLishi();
    prompter.answers = {QStringLiteral("1")};
    find<QAction>(QStringLiteral("mnuEszhzd"))->trigger();
    EXPECT_EQ(storedLishi(), before);
    EXPECT_FALSE(std::filesystem::exists(backup()));
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_TRUE(prompter.warnings[0].text.contains(QStringLiteral("第 123456 期")));
}

// The rebuild is kept when the compaction after it fails: the history holds
// the kept draws, the window shows them, the user learns that only the file
// kept its size, and the database is open for the next draw.
TEST_F(TrimWindowTest, ACompactionThatFailsAfterTheRebuildKeepsTheTrimmedHistory)
{
    open();
    activate(window.get());
    // A folder in the way of the compacted copy, which cannot be removed.
    std::filesystem::create_directories(folder.path() / "plenvoxTmp.mdb" / "in-the-way");
    std::ofstream(folder.path() / "plenvoxTmp.mdb" / "in-the-way" / "file") << "x";
    prompter.answers = {QStringLiteral("3")};
    find<QAction>(QStringLiteral("mnuEszhzd"))->trigger();

    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("压缩数据库"));
    EXPECT_TRUE(prompter.warnings[0].text.contains(QStringLiteral("没有能够压缩"))) << prompter.warnings[0].text.toStdString();
    EXPECT_FALSE(prompter.warnings[0].detail.isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    std::vector<int32_t> kept;
    for (int q = 1; q <= 17; ++q)
        kept.push_back(2013000 + q);
    EXPECT_EQ(storedIssues(), kept);
    EXPECT_EQ(listedIssues(), kept);
    EXPECT_EQ(text("Text1"), QStringLiteral("2013018"));
    const auto rows = storedLishi();
    EXPECT_EQ(rows.back().text("txtHisPreLst"), rows[15].text("txtHisLst"));

    box("MaskEdBox1_1")->setFocus(Qt::OtherFocusReason);
    typeDraw({1, 2, 3, 4, 5, 6, 7});
    EXPECT_EQ(prompter.warnings.size(), 1u) << prompter.warnings.back().text.toStdString();
    ASSERT_EQ(storedIssues().size(), 18u);
    EXPECT_EQ(storedLishi().back().at("L1AS"), rows.back().at("L1A"));
}

}  // namespace

namespace {

// An imported line "0000000 ..." followed by a line without an issue gives a
// draw with issue 1; its backup line would come back under the issue after
// the next one, so trimming to keep it changes nothing and says why.
TEST_F(HistoryWindowTest, TrimmingToADrawOfIssueOneChangesNothing)
{
    const auto file = writeFile("import.txt", "0000000 01 02 03 04 05 06 07\r\n08 09 10 11 12 13 14\r\n");
    open();
    prompter.replies = {true};
    prompter.files = {qpath(file)};
    QTest::mouseClick(find<QPushButton>(QStringLiteral("cmdRdLst")), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(storedIssues(), std::vector<int32_t>{1});
    EXPECT_EQ(text("Text1"), QStringLiteral("2"));
    const auto before = storedLishi();

    prompter.answers = {QStringLiteral("1")};
    find<QAction>(QStringLiteral("mnuDlzd"))->trigger();

    EXPECT_EQ(storedLishi(), before);
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "lsbf.txt"));
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, kTitle);
    EXPECT_TRUE(prompter.warnings[0].text.contains(QStringLiteral("第 1 期的期号不是七位数字")))
        << prompter.warnings[0].text.toStdString();
}

}  // namespace
