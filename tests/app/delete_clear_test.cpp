// "删除最后历史" (the button and the menu entry) and "清空历史号码": what goes,
// what the window shows afterwards, and the next typed draw continuing the
// history as it now stands.
#include "app/history_window.h"
#include "store/database.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace qudrim::testing;

namespace {

class DeleteClearTest : public HistoryWindowTest {
protected:
    void SetUp() override
    {
        HistoryWindowTest::SetUp();
        fillHistory(history2013());
    }
    void clickDelete()
    {
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Command3")), Qt::LeftButton);
        QApplication::processEvents();
    }
    std::vector<int32_t> issuesUpTo(int last) const
    {
        std::vector<int32_t> issues;
        for (int q = 1; q <= last; ++q)
            issues.push_back(2013000 + q);
        return issues;
    }
    bool compacted() const { return std::filesystem::exists(folder.path() / "plenvoxTmp.mdb"); }
};

TEST_F(DeleteClearTest, DeleteThenTypeADrawThatContinuesTheNewLastDraw)
{
    open();
    activate(window.get());
    clickDelete();

    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(storedIssues(), issuesUpTo(19));
    EXPECT_EQ(listedIssues(), issuesUpTo(19));
    EXPECT_EQ(text("Text1"), QStringLiteral("2013020"));
    EXPECT_EQ(window->programState().lngQihao, 2013020);
    EXPECT_EQ(text("Text3_1"), QStringLiteral("2013019"));
    EXPECT_TRUE(compacted());
    EXPECT_EQ(QApplication::focusWidget(), box("MaskEdBox1_1"));
    const auto draws = history2013();
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text2_%1").arg(i))->text(), QString::number(draws[18].numbers[i - 1]))
            << i;

    // The draw typed next takes the deleted draw's issue and describes draw 19, not the deleted 20.
    typeDraw({11, 12, 13, 14, 15, 16, 17});
    EXPECT_TRUE(prompter.warnings.empty());
    const auto rows = storedLishi();
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(rows.back().at("SQQH"), 2013020);
    EXPECT_EQ(rows.back().at("L1A"), 11);
    for (int i = 1; i <= 7; ++i) {
        const std::string col = "L" + std::to_string(i) + "A";
        EXPECT_EQ(rows.back().at(col + "S"), draws[18].numbers[static_cast<size_t>(i - 1)]) << col;
        EXPECT_EQ(rows.back().at(col + "P"), draws[17].numbers[static_cast<size_t>(i - 1)]) << col;
    }
    EXPECT_EQ(rows.back().text("txtHisLst"), "20 27 34 41 48 06 13 ");
}

TEST_F(DeleteClearTest, EachDeletionTakesTheNextNewestDrawAndTheMenuEntryDoesTheSame)
{
    open();
    clickDelete();
    chooseFromHistoryMenu("mnuErase");
    EXPECT_EQ(storedIssues(), issuesUpTo(18));
    EXPECT_EQ(text("Text1"), QStringLiteral("2013019"));
    EXPECT_TRUE(prompter.questions.empty());
}

TEST_F(DeleteClearTest, ThePanelFollowsTheDrawNBackOfTheNewLastDraw)
{
    open();
    // 前N期 with N = 3: the base draw is two rows before the last one.
    clickButton(find<QRadioButton>(QStringLiteral("Option1_2")));
    typeOver(box("MaskEdBox2"), QStringLiteral("3"));
    clickBox(box("Text1"));
    clickDelete();
    const auto draws = history2013();
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text2_%1").arg(i))->text(), QString::number(draws[16].numbers[i - 1]))
            << i;
}

TEST_F(DeleteClearTest, AnNTypedJustBeforeAltDIsInForceForThePanel)
{
    open();
    clickButton(find<QRadioButton>(QStringLiteral("Option1_2")));
    // The N box still has the focus when the mnemonic deletes the last draw.
    typeOver(box("MaskEdBox2"), QStringLiteral("3"));
    ASSERT_TRUE(typeMnemonic(Qt::Key_D, find<QPushButton>(QStringLiteral("Command3"))));
    ASSERT_EQ(gridRows(QStringLiteral("MSFlexGrid1")), 1 + 19);
    const auto draws = history2013();
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text2_%1").arg(i))->text(), QString::number(draws[16].numbers[i - 1]))
            << i;
}

TEST_F(DeleteClearTest, DeletingFromAnEmptyHistoryDeletesNothingAndSaysNothing)
{
    open();
    for (int k = 0; k < 21; ++k)
        clickDelete();
    EXPECT_TRUE(storedIssues().empty());
    EXPECT_EQ(gridRows(QStringLiteral("MSFlexGrid1")), 1);
    EXPECT_TRUE(prompter.warnings.empty());
}

TEST_F(DeleteClearTest, ClearingCancelledChangesNothing)
{
    open();
    const auto before = storedLishi();
    chooseFromHistoryMenu("mnuClear");
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].title, QStringLiteral("确认清空"));
    EXPECT_EQ(prompter.questions[0].text, QStringLiteral("确定要清空所有的历史号码吗？"));
    EXPECT_EQ(storedLishi(), before);
    EXPECT_EQ(listedIssues(), issuesUpTo(20));
}

TEST_F(DeleteClearTest, ClearingConfirmedEmptiesTheHistoryAndTheNextDrawStartsAfresh)
{
    open();
    activate(window.get());
    const QString panel1 = find<QLineEdit>(QStringLiteral("Text2_1"))->text();
    prompter.replies = {true};
    chooseFromHistoryMenu("mnuClear");

    EXPECT_TRUE(storedIssues().empty());
    EXPECT_EQ(gridRows(QStringLiteral("MSFlexGrid1")), 1);
    EXPECT_FALSE(compacted());
    // The next issue, the range end and the panel keep what they showed.
    EXPECT_EQ(text("Text1"), QStringLiteral("2013021"));
    EXPECT_EQ(text("Text3_1"), QStringLiteral("2013020"));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text2_1"))->text(), panel1);

    box("MaskEdBox1_1")->setFocus(Qt::OtherFocusReason);
    typeDraw({11, 12, 13, 14, 15, 16, 17});
    EXPECT_TRUE(prompter.warnings.empty());
    const auto rows = storedLishi();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].at("SQQH"), 2013021);
    EXPECT_EQ(rows[0].at("L1AS"), 0);
    EXPECT_EQ(rows[0].at("L7AP"), 0);
    EXPECT_EQ(rows[0].text("txtHisLst"), "");
}

// Another program holding the database: neither command changes a row, each
// says so with the database's words in the detail, and the file is not
// compacted.
TEST_F(DeleteClearTest, ADatabaseThatRefusesLeavesEveryRowAndSaysSo)
{
    open();
    activate(window.get());
    const auto before = storedLishi();
    qudrim::store::Database other(folder.path() / "plenvox.mdb", qudrim::store::Database::Mode::OpenExisting);
    other.exec("BEGIN IMMEDIATE");

    clickDelete();
    prompter.replies = {true};
    chooseFromHistoryMenu("mnuClear");
    other.exec("ROLLBACK");

    ASSERT_EQ(prompter.warnings.size(), 2u);
    EXPECT_TRUE(prompter.warnings[0].text.contains(QStringLiteral("没有能够删除"))) << prompter.warnings[0].text.toStdString();
    EXPECT_TRUE(prompter.warnings[1].text.contains(QStringLiteral("没有能够清空"))) << prompter.warnings[1].text.toStdString();
    for (const Shown& w : prompter.warnings) {
        EXPECT_TRUE(w.detail.contains(QStringLiteral("locked"))) << w.detail.toStdString();
        EXPECT_TRUE(w.text.contains(QStringLiteral("保持原样"))) << w.text.toStdString();
    }
    EXPECT_EQ(storedLishi(), before);
    EXPECT_EQ(listedIssues(), issuesUpTo(20));
    EXPECT_EQ(text("Text1"), QStringLiteral("2013021"));
    EXPECT_FALSE(compacted());

    // Once the other program lets go, the same click deletes.
    clickDelete();
    EXPECT_EQ(storedIssues(), issuesUpTo(19));
}

}  // namespace

// Another program that deletes the newest draw while the window is open:
// the window's commands follow the history the file holds, not the one the
// window last read, and bring nothing back.
class AnotherProgramTest : public DeleteClearTest {
protected:
    void openAndDeleteElsewhere()
    {
        open();
        activate(window.get());
        qudrim::store::Database other(folder.path() / "plenvox.mdb", qudrim::store::Database::Mode::OpenExisting);
        other.exec("DELETE FROM Lishi WHERE SQQH = 2013020");
    }
};

TEST_F(AnotherProgramTest, DeletingTheLastDrawTakesTheLastOneTheFileHolds)
{
    openAndDeleteElsewhere();
    clickDelete();
    EXPECT_EQ(storedIssues(), issuesUpTo(18));
    EXPECT_EQ(listedIssues(), issuesUpTo(18));
    EXPECT_EQ(text("Text1"), QStringLiteral("2013019"));
    EXPECT_TRUE(prompter.warnings.empty());
}

TEST_F(AnotherProgramTest, ATrimKeepsOnlyDrawsTheFileHolds)
{
    openAndDeleteElsewhere();
    prompter.answers = {QStringLiteral("2013020")};
    chooseFromHistoryMenu("mnuDlzd");
    EXPECT_EQ(storedIssues(), issuesUpTo(19));
    EXPECT_EQ(listedIssues(), issuesUpTo(19));
}

// The window still offers 2013021 when the draw is typed; the history
// settles first, and the draw goes under the issue after the last one the
// file holds, leaving no hole.
TEST_F(AnotherProgramTest, ATypedDrawFollowsTheLastDrawTheFileHolds)
{
    openAndDeleteElsewhere();
    ASSERT_EQ(text("Text1"), QStringLiteral("2013021"));
    find<QLineEdit>(QStringLiteral("MaskEdBox1_1"))->setFocus(Qt::OtherFocusReason);
    typeDraw({1, 2, 3, 4, 5, 6, 7});
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(storedIssues(), issuesUpTo(20));
    EXPECT_EQ(listedIssues(), issuesUpTo(20));
    EXPECT_EQ(text("Text1"), QStringLiteral("2013021"));
    // Its copies describe draw 19, the last one the file held.
    const auto rows = storedLishi();
    EXPECT_EQ(rows.back().at("L1A"), 1);
    EXPECT_EQ(rows.back().at("L1AS"), history2013()[18].numbers[0]);
}
