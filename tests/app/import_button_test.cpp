// "读取历史号文本": the confirmation, the file dialog, the import of a file
// with the window following it, and files that leave the history as it was.
#include "app/history_window.h"

#include <QDir>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

using namespace qudrim::testing;

namespace {

const QString kTitle = QStringLiteral("读入历史");
const QString kQuestion = QStringLiteral(
    "确实要读入最新历史号码吗？点击'确认'读入,点击'取消'放弃该操作。确要读入请保证安装目录下存在历史号码的文本文件文件。"
    "读取时可能要花费一段时间,请耐心等候！");
const QString kFilter = QStringLiteral("Text(*.txt) (*.txt)");

class ImportTest : public HistoryWindowTest {
protected:
    void SetUp() override
    {
        HistoryWindowTest::SetUp();
        fillHistory(history2013());
    }
    void clickImport()
    {
        QTest::mouseClick(find<QPushButton>(QStringLiteral("cmdRdLst")), Qt::LeftButton);
        QApplication::processEvents();
    }
    // OK in the confirmation, then `file` in the dialog.
    void importFile(const QString& file)
    {
        prompter.replies = {true};
        prompter.files = {file};
        clickImport();
    }
};

TEST_F(ImportTest, CancelInTheConfirmationChangesNothing)
{
    open();
    const auto before = storedLishi();
    box("Text1")->setText(QStringLiteral("1234"));
    clickImport();
    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].title, kTitle);
    EXPECT_EQ(prompter.questions[0].text, kQuestion);
    EXPECT_TRUE(prompter.fileDialogs.empty());
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(storedLishi(), before);
    EXPECT_EQ(text("Text1"), QStringLiteral("1234"));
    EXPECT_EQ(text("Text3_1"), QStringLiteral("2013020"));
}

TEST_F(ImportTest, TheDialogOpensOnTheHistoryFilesFolderWithTheTextFilter)
{
    open();
    const auto before = storedLishi();
    // Without the subfolder, the program folder.
    box("Text1")->setText(QStringLiteral("1234"));
    prompter.replies = {true};
    clickImport();
    ASSERT_EQ(prompter.fileDialogs.size(), 1u);
    EXPECT_EQ(prompter.fileDialogs[0], QDir(folderText()).path() + QLatin1Char('|') + kFilter);
    // A cancelled dialog changes no row; the next issue shows the history again.
    EXPECT_EQ(storedLishi(), before);
    EXPECT_EQ(text("Text1"), QStringLiteral("2013021"));

    QDir(folderText()).mkdir(QStringLiteral("历史号码"));
    prompter.replies = {true};
    clickImport();
    ASSERT_EQ(prompter.fileDialogs.size(), 2u);
    EXPECT_EQ(prompter.fileDialogs[1], QDir(folderText()).filePath(QStringLiteral("历史号码")) + QLatin1Char('|') + kFilter);
    EXPECT_TRUE(prompter.warnings.empty());
}

TEST_F(ImportTest, ReplacesTheHistoryAndTheWindowFollows)
{
    const auto draws = syntheticHistory(45, 9);
    const auto file = writeHistoryFile("历史号码/更新至2000045期历史号码.TXT", draws);
    open();
    importFile(qpath(file));

    EXPECT_TRUE(prompter.warnings.empty());
    const auto rows = storedLishi();
    ASSERT_EQ(rows.size(), draws.size());
    for (size_t k = 0; k < rows.size(); ++k) {
        EXPECT_EQ(rows[k].at("SQQH"), draws[k].issue);
        EXPECT_EQ(rows[k].at("L7A"), draws[k].numbers[6]);
        EXPECT_EQ(rows[k].text("txtHisPreLst"), "");
    }
    // The first row has no copies: nothing typed before reaches it.
    EXPECT_EQ(rows[0].at("L1AS"), 0);
    EXPECT_EQ(rows[1].at("L1AS"), draws[0].numbers[0]);

    std::vector<int32_t> issues;
    for (const auto& d : draws)
        issues.push_back(d.issue);
    EXPECT_EQ(listedIssues(), issues);
    EXPECT_EQ(text("Text1"), QStringLiteral("2000046"));
    EXPECT_EQ(text("Text3_1"), QStringLiteral("2000045"));
    EXPECT_EQ(window->programState().lngQihao, 2000046);
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text2_%1").arg(i))->text(), QString::number(draws.back().numbers[i - 1]))
            << i;
    // The last draw is in view.
    auto* grid = find<QTableView>(QStringLiteral("MSFlexGrid1"));
    EXPECT_TRUE(grid->viewport()->rect().intersects(grid->visualRect(grid->model()->index(44, 0))));
}

TEST_F(ImportTest, ANameNotEndingInTxtImportsNothing)
{
    const auto file = writeHistoryFile("history.csv", syntheticHistory(3));
    open();
    const auto before = storedLishi();
    importFile(qpath(file));
    EXPECT_EQ(storedLishi(), before);
    EXPECT_TRUE(prompter.warnings.empty());
}

struct RefusedFile {
    const char* name;
    std::string content;
    QString says;  // a part of the message
};

void PrintTo(const RefusedFile& c, std::ostream* os) { *os << c.name; }

class RefusedImportTest : public ImportTest, public ::testing::WithParamInterface<RefusedFile> {};

TEST_P(RefusedImportTest, LeavesEveryRowAsItWasAndSaysWhy)
{
    const RefusedFile& c = GetParam();
    const auto file = writeFile("bad.txt", c.content);
    open();
    const auto before = storedLishi();
    const auto listed = listedIssues();
    importFile(qpath(file));

    EXPECT_EQ(storedLishi(), before);
    EXPECT_EQ(listedIssues(), listed);
    EXPECT_EQ(text("Text1"), QStringLiteral("2013021"));
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, kTitle);
    EXPECT_TRUE(prompter.warnings[0].text.contains(c.says)) << prompter.warnings[0].text.toStdString();
    EXPECT_TRUE(prompter.warnings[0].text.contains(QStringLiteral("历史号码保持原样")));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedImportTest,
    ::testing::Values(
        RefusedFile{"RefusedLine",
                    "2014001 01 02 03 04 05 06 07 \r\n\r\n2014002 01 02 03 04 05 66 07 \r\n2014003 01 02 03 04 05 06 07 \r\n",
                    QStringLiteral("第 3 行：2014002 01 02 03 04 05 66 07 \n号码 66 不在 01～49 之间。")},
        RefusedFile{"FewerThanSeven", "2014001 01 02 03 04 05\r\n",
                    QStringLiteral("这一行只有 5 个号码，每一期必须有七个号码（六个平码和一个特码）。")},
        RefusedFile{"Repeated", "2014001 01 02 03 04 05 06 03\r\n",
                    QStringLiteral("号码 03 出现了两次，一期的七个号码必须各不相同。")},
        RefusedFile{"IssueNotAscending", "2014002 01 02 03 04 05 06 07\r\n2014001 01 02 03 04 05 06 07\r\n",
                    QStringLiteral("期号 2014001 不大于前面一期的期号 2014002，期号必须逐行增大。")},
        RefusedFile{"NoDraw", "\r\n期号 号码\r\n", QStringLiteral("没有任何一期历史号码")}),
    [](const ::testing::TestParamInfo<RefusedFile>& info) { return info.param.name; });

TEST_F(ImportTest, AFileThatCannotBeReadLeavesTheHistory)
{
    open();
    const auto before = storedLishi();
    importFile(qpath(folder.path() / "gone.txt"));
    EXPECT_EQ(storedLishi(), before);
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_TRUE(prompter.warnings[0].text.contains(QStringLiteral("无法读取")));
    EXPECT_FALSE(prompter.warnings[0].detail.isEmpty());
}

// A long import shows its progress with Cancel; Cancel once draws are being
// stored leaves every row as it was, and no message follows. The dialog
// shows at once and follows every stored draw, so the user sees the storing
// under way and cancels it at its first move, however fast the machine is.
TEST_F(ImportTest, CancelWhileStoringLeavesTheHistoryAsItWas)
{
    const auto file = writeHistoryFile("long.txt", syntheticHistory(1000, 4));
    open();
    window->setImportPace({0, 0});
    const auto before = storedLishi();

    QString labelSeen;
    int valueSeen = 0;
    bool busy = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* progress = window->findChild<QProgressDialog*>(QStringLiteral("importProgress"));
        // Once the bar shows some rows stored.
        if (!progress || !progress->isVisible() || !progress->labelText().contains(QStringLiteral("保存")) ||
            progress->value() <= 0)
            return;
        poll.stop();
        valueSeen = progress->value();
        labelSeen = progress->labelText();
        busy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::BusyCursor;
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    poll.start();
    importFile(qpath(file));

    EXPECT_FALSE(poll.isActive()) << "the progress never showed the storing";
    EXPECT_EQ(labelSeen, QStringLiteral("正在保存历史号码……"));
    // Cancelled near the start, far from the last draw.
    EXPECT_LT(valueSeen, 500);
    EXPECT_TRUE(busy);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(storedLishi(), before);
    EXPECT_EQ(listedIssues().size(), 20u);
    EXPECT_EQ(text("Text1"), QStringLiteral("2013021"));
    auto* progress = window->findChild<QProgressDialog*>(QStringLiteral("importProgress"));
    EXPECT_TRUE(!progress || !progress->isVisible());
}

TEST_F(ImportTest, TheRealHistoryImports)
{
    if (!std::filesystem::exists(realHistoryFile()))
        GTEST_SKIP() << "no real history at " << realHistoryFile();
    open();
    importFile(qpath(realHistoryFile()));
    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(gridRows(QStringLiteral("MSFlexGrid1")), 4289);
    EXPECT_EQ(cell(QStringLiteral("MSFlexGrid1"), 1, 0), QStringLiteral("1993001"));
    EXPECT_EQ(cell(QStringLiteral("MSFlexGrid1"), 4288, 0), QStringLiteral("2025134"));
    EXPECT_EQ(text("Text1"), QStringLiteral("2025135"));
    EXPECT_EQ(storedIssues().size(), 4288u);
}

}  // namespace
