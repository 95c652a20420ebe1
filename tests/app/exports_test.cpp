// The exports: "历史号码导出文本文件" writes the history as history lines, a
// double click on a grid (or "导出历史号码" of the history menu) writes it as
// a workbook, and a right click on the history list pops up that menu.
#include "app/window_actions.h"
#include "app/window_fixture.h"
#include "support/workbook_reader.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace qudrim::testing;

namespace fs = std::filesystem;

namespace {

const QString kHistory = QStringLiteral("MSFlexGrid1");
const QString kHits = QStringLiteral("MSFlexGrid2");
const QString kTally = QStringLiteral("MSFlexGrid3");
const QString kTextFile = QStringLiteral("更新至2013020期历史号码.txt");

// Names as the folder listing gives them, sorted.
std::vector<std::string> names(const QStringList& list)
{
    std::vector<std::string> out;
    for (const QString& n : list)
        out.push_back(n.toStdString());
    std::sort(out.begin(), out.end());
    return out;
}

std::string contentOf(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll().toStdString();
}

class ExportsTest : public WindowTest {
protected:
    ExportsTest() { answeredOnlyWithoutBusyCursor = true; }
    void openOnHistory()
    {
        fillHistory(history2013());
        open();
        activate(window.get());
    }

    QString inFolder(const QString& name) const { return QDir(folderText()).filePath(name); }
    QUrl urlOf(const QString& name) const { return QUrl::fromLocalFile(inFolder(name)); }
    // Every name in the program folder but the database's files, sorted.
    std::vector<std::string> exported() const
    {
        std::vector<std::string> names;
        for (const QString& n : QDir(folderText()).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                                                           QDir::Name))
            if (!n.startsWith(QStringLiteral("plenvox.mdb")))
                names.push_back(n.toStdString());
        return names;
    }

    QTableView* grid(const QString& name) const { return find<QTableView>(name); }
    void doubleClick(const QString& name, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseDClick(grid(name)->viewport(), button, {}, QPoint(10, 10));
        QApplication::processEvents();
    }
    void exportText()
    {
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Command4")), Qt::LeftButton);
        QApplication::processEvents();
    }

    // 号码 at position 1 (38 in the last draw) against the previous draw,
    // tallied as 生肖: the grids then hold numbers, names, a list of numbers
    // and percentages.
    void searchWithZodiacResult()
    {
        clickButton(find<QAbstractButton>(QStringLiteral("Option4_1")));
        clickButton(find<QAbstractButton>(QStringLiteral("Check1_1")));
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
        QApplication::processEvents();
        ASSERT_GT(gridRows(kHits), 1);
    }

    // The text file as the history list shows it: each cell of a row, the
    // numbers with two digits, each followed by a blank, then CR LF.
    std::string linesOfHistoryList() const
    {
        std::string text;
        for (int r = 1; r < gridRows(kHistory); ++r) {
            QString line = cell(kHistory, r, 0) + QLatin1Char(' ');
            for (int c = 1; c <= 7; ++c)
                line += QStringLiteral("%1 ").arg(cell(kHistory, r, c).toInt(), 2, 10, QLatin1Char('0'));
            text += line.toStdString() + "\r\n";
        }
        return text;
    }

    // Each cell of the workbook against the grid's text: whole numbers
    // without a leading zero as numbers, percentages as fractions shown with
    // three decimals, everything else as text, empty texts as empty cells.
    // Returns how many cells of each kind it saw: numbers, percentages, texts.
    std::array<int, 3> expectWorkbookOfGrid(const QString& gridName, const QString& fileName) const
    {
        std::array<int, 3> seen{};
        const ReadWorkbook book = readWorkbook(fs::path(inFolder(fileName).toStdString()));
        EXPECT_EQ(book.sheetNames, std::vector<std::string>{"Sheet1"});
        const int rows = gridRows(gridName);
        const int columns = grid(gridName)->model()->columnCount();
        EXPECT_EQ(book.rowCount(), rows);
        EXPECT_EQ(book.columnCount(), columns);
        static const QRegularExpression whole(QStringLiteral("^(0|[1-9][0-9]*)$"));
        static const QRegularExpression percent(QStringLiteral("^(0|[1-9][0-9]*)\\.[0-9]{3}%$"));
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < columns; ++c) {
                const QString text = cell(gridName, r, c);
                const SheetCell* got = book.at(r + 1, c + 1);
                const std::string where = gridName.toStdString() + " cell " + std::to_string(r) + "," + std::to_string(c);
                if (text.isEmpty()) {
                    EXPECT_EQ(got, nullptr) << where;
                    continue;
                }
                if (!got) {
                    ADD_FAILURE() << where << " is missing";
                    continue;
                }
                if (whole.match(text).hasMatch()) {
                    ++seen[0];
                    EXPECT_TRUE(got->isNumber) << where;
                    EXPECT_EQ(got->number, text.toDouble()) << where;
                    EXPECT_EQ(got->format, "General") << where;
                } else if (percent.match(text).hasMatch()) {
                    ++seen[1];
                    EXPECT_TRUE(got->isNumber) << where;
                    EXPECT_DOUBLE_EQ(got->number, text.chopped(1).toDouble() / 100) << where;
                    EXPECT_EQ(got->format, "0.000%") << where;
                } else {
                    ++seen[2];
                    EXPECT_FALSE(got->isNumber) << where;
                    EXPECT_EQ(QString::fromStdString(got->text), text) << where;
                }
            }
        }
        return seen;
    }
};

TEST_F(ExportsTest, TextExportWritesTheHistoryListAsHistoryLinesAndOpensIt)
{
    openOnHistory();
    exportText();

    EXPECT_TRUE(prompter.warnings.empty());
    ASSERT_EQ(exported(), names({kTextFile}));
    const std::string text = contentOf(inFolder(kTextFile));
    EXPECT_EQ(text, linesOfHistoryList());
    // The last draw, 38 7 12 45 3 22 49, and the draw two before it.
    EXPECT_NE(text.find("2013018 01 02 03 04 05 06 10 \r\n2013019 "), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 31), "2013020 38 07 12 45 03 22 49 \r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 20);
    EXPECT_EQ(prompter.opened, std::vector<QUrl>{urlOf(kTextFile)});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // Twice: still one file with the same lines.
    exportText();
    EXPECT_EQ(exported(), names({kTextFile}));
    EXPECT_EQ(contentOf(inFolder(kTextFile)), text);
    EXPECT_EQ(prompter.opened.size(), 2u);
}

TEST_F(ExportsTest, TextExportAfterANewDrawWritesASecondFile)
{
    openOnHistory();
    exportText();
    find<QLineEdit>(QStringLiteral("MaskEdBox1_1"))->setFocus(Qt::OtherFocusReason);
    for (const char* digits : {"01", "02", "03", "04", "06", "08", "10"})
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(digits));
    QApplication::processEvents();
    ASSERT_EQ(gridRows(kHistory), 22);

    exportText();
    const QString second = QStringLiteral("更新至2013021期历史号码.txt");
    EXPECT_EQ(exported(), names({kTextFile, second}));
    const std::string text = contentOf(inFolder(second));
    EXPECT_EQ(text, linesOfHistoryList());
    EXPECT_EQ(text.substr(text.size() - 31), "2013021 01 02 03 04 06 08 10 \r\n");
    EXPECT_EQ(contentOf(inFolder(kTextFile)), text.substr(0, text.size() - 31));
    EXPECT_EQ(prompter.opened.back(), urlOf(second));
}

TEST_F(ExportsTest, TextExportOfAnEmptyHistoryWritesAndOpensNothing)
{
    open();
    ASSERT_EQ(gridRows(kHistory), 1);
    exportText();
    EXPECT_TRUE(exported().empty());
    EXPECT_TRUE(prompter.opened.empty());
    EXPECT_TRUE(prompter.warnings.empty());
}

TEST_F(ExportsTest, AFileThatCannotBeWrittenGivesAMessageAndOpensNothing)
{
    openOnHistory();
    // Folders in the files' places, which no file can replace.
    for (const QString& name : {kTextFile, QStringLiteral("lishi.xlsx")})
        ASSERT_TRUE(QDir(folderText()).mkpath(name + QStringLiteral("/inside")));

    exportText();
    doubleClick(kHistory);

    ASSERT_EQ(prompter.warnings.size(), 2u);
    for (const auto& [w, name] : {std::pair{prompter.warnings[0], kTextFile},
                                  std::pair{prompter.warnings[1], QStringLiteral("lishi.xlsx")}}) {
        EXPECT_EQ(w.title, QStringLiteral("导出失败"));
        EXPECT_TRUE(w.text.contains(name)) << w.text.toStdString();
        EXPECT_FALSE(w.detail.isEmpty());
    }
    EXPECT_TRUE(prompter.opened.empty());
    EXPECT_EQ(exported(), names({QStringLiteral("lishi.xlsx"), kTextFile}));
    EXPECT_TRUE(QFileInfo(inFolder(QStringLiteral("lishi.xlsx/inside"))).isDir());
}

TEST_F(ExportsTest, AnUnwritableProgramFolderGivesAMessageAndOpensNothing)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into any folder";
    openOnHistory();
    const auto writable = QFile::permissions(folderText());
    QFile::setPermissions(folderText(), QFile::ReadOwner | QFile::ExeOwner);
    exportText();
    doubleClick(kTally);
    QFile::setPermissions(folderText(), writable);

    ASSERT_EQ(prompter.warnings.size(), 2u);
    EXPECT_TRUE(prompter.warnings[0].text.contains(kTextFile));
    EXPECT_TRUE(prompter.warnings[1].text.contains(QStringLiteral("Jieguo.xlsx")));
    EXPECT_TRUE(prompter.opened.empty());
    EXPECT_TRUE(exported().empty());
}

TEST_F(ExportsTest, AFileThatCannotBeOpenedIsNamedInAMessage)
{
    openOnHistory();
    prompter.openSucceeds = false;
    exportText();
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("无法打开文件"));
    EXPECT_TRUE(prompter.warnings[0].text.contains(QDir::toNativeSeparators(inFolder(kTextFile))));
    EXPECT_EQ(exported(), names({kTextFile}));
}

struct GridExport {
    const char* grid;
    const char* file;
};

void PrintTo(const GridExport& e, std::ostream* os) { *os << e.grid; }

class GridExportTest : public ExportsTest, public ::testing::WithParamInterface<GridExport> {};

TEST_P(GridExportTest, DoubleClickWritesTheGridAsAWorkbookAndOpensIt)
{
    const QString gridName = QString::fromLatin1(GetParam().grid);
    const QString file = QString::fromLatin1(GetParam().file);
    openOnHistory();
    searchWithZodiacResult();
    // A file of that name from before is replaced.
    {
        std::ofstream old(inFolder(file).toStdString(), std::ios::binary);
        old << "an older export";
    }

    doubleClick(gridName);

    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(prompter.opened, std::vector<QUrl>{urlOf(file)});
    EXPECT_EQ(exported(), names({file}));
    const auto seen = expectWorkbookOfGrid(gridName, file);
    EXPECT_GT(seen[0], 0) << "numbers";
    if (gridName != kHistory) {
        EXPECT_GT(seen[2], gridRows(gridName)) << "names, lists and headers";
    }
    if (gridName == kTally) {
        EXPECT_EQ(seen[1], gridRows(gridName) - 1) << "one percentage a row";
    }
}

INSTANTIATE_TEST_SUITE_P(Grids, GridExportTest,
                         ::testing::Values(GridExport{"MSFlexGrid1", "lishi.xlsx"},
                                           GridExport{"MSFlexGrid2", "Jiansuo.xlsx"},
                                           GridExport{"MSFlexGrid3", "Jieguo.xlsx"}),
                         [](const ::testing::TestParamInfo<GridExport>& info) { return info.param.grid; });

TEST_F(ExportsTest, HistoryWorkbookHasTheHeaderInItsFirstCellAndNumbersBelow)
{
    openOnHistory();
    doubleClick(kHistory);
    const ReadWorkbook book = readWorkbook(fs::path(inFolder(QStringLiteral("lishi.xlsx")).toStdString()));
    ASSERT_TRUE(book.at(1, 1) && book.at(1, 8) && book.at(21, 1) && book.at(21, 3));
    EXPECT_EQ(book.at(1, 1)->text, "期号");
    EXPECT_EQ(book.at(1, 8)->text, "特码");
    EXPECT_TRUE(book.at(21, 1)->isNumber);
    EXPECT_EQ(book.at(21, 1)->number, 2013020);
    EXPECT_EQ(book.at(21, 3)->number, 7);
}

TEST_F(ExportsTest, HistoryMenuEntryWritesTheSameWorkbookAsTheDoubleClick)
{
    openOnHistory();
    doubleClick(kHistory);
    expectWorkbookOfGrid(kHistory, QStringLiteral("lishi.xlsx"));
    ASSERT_TRUE(QFile::remove(inFolder(QStringLiteral("lishi.xlsx"))));

    find<QMenu>(QStringLiteral("mnuLsgl"))->findChild<QAction*>(QStringLiteral("mnuDcls"))->trigger();
    QApplication::processEvents();

    EXPECT_TRUE(prompter.warnings.empty());
    EXPECT_EQ(prompter.opened, (std::vector<QUrl>{urlOf(QStringLiteral("lishi.xlsx")), urlOf(QStringLiteral("lishi.xlsx"))}));
    EXPECT_EQ(exported(), names({QStringLiteral("lishi.xlsx")}));
    expectWorkbookOfGrid(kHistory, QStringLiteral("lishi.xlsx"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(find<QTableView>(kHistory)->isVisible());
}

TEST_F(ExportsTest, AGridHoldingOnlyItsHeaderGivesOneFilledRow)
{
    open();
    doubleClick(kHistory);
    doubleClick(kTally);
    const ReadWorkbook history = readWorkbook(fs::path(inFolder(QStringLiteral("lishi.xlsx")).toStdString()));
    EXPECT_EQ(history.rowCount(), 1);
    EXPECT_EQ(history.columnCount(), 8);
    const ReadWorkbook tally = readWorkbook(fs::path(inFolder(QStringLiteral("Jieguo.xlsx")).toStdString()));
    EXPECT_EQ(tally.rowCount(), 1);
    ASSERT_TRUE(tally.at(1, 4));
    EXPECT_EQ(tally.at(1, 4)->text, "百分比");
    EXPECT_EQ(prompter.opened.size(), 2u);
}

TEST_F(ExportsTest, OnlyALeftDoubleClickExportsAndTheHeaderRowCounts)
{
    openOnHistory();
    doubleClick(kHits, Qt::MiddleButton);
    EXPECT_TRUE(exported().empty());
    EXPECT_TRUE(prompter.opened.empty());

    QTest::mouseDClick(grid(kHits)->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(10, 5));
    QApplication::processEvents();
    EXPECT_EQ(exported(), names({QStringLiteral("Jiansuo.xlsx")}));
}

struct MouseRelease {
    const char* name;
    const char* grid;
    Qt::MouseButton button;
    bool header;
    bool popsUp;
};

void PrintTo(const MouseRelease& m, std::ostream* os) { *os << m.name; }

class HistoryMenuTest : public WindowTest, public ::testing::WithParamInterface<MouseRelease> {};

TEST_P(HistoryMenuTest, OnlyARightReleaseOverTheHistoryListPopsUpTheMenu)
{
    const MouseRelease& m = GetParam();
    open();
    activate(window.get());
    auto* view = find<QTableView>(QString::fromLatin1(m.grid));
    QWidget* target = m.header ? view->horizontalHeader()->viewport() : view->viewport();
    const QPoint at(12, m.header ? 5 : 12);
    QCursor::setPos(target->mapToGlobal(at));
    auto* menu = find<QMenu>(QStringLiteral("mnuLsgl"));

    QTest::mouseClick(target, m.button, {}, at);
    QApplication::processEvents();

    EXPECT_EQ(menu->isVisible(), m.popsUp);
    if (m.popsUp) {
        EXPECT_EQ(menu->title(), QStringLiteral("历史管理"));
        // At the pointer, as far as the screen leaves room for it.
        const QRect screen = menu->screen()->availableGeometry();
        const QPoint pointer = target->mapToGlobal(at);
        EXPECT_EQ(menu->pos().x(), std::min(pointer.x(), screen.right() + 1 - menu->width()));
        EXPECT_EQ(menu->pos().y(), std::min(pointer.y(), screen.bottom() + 1 - menu->height()));
        menu->close();
        QApplication::processEvents();
    }
    EXPECT_TRUE(prompter.opened.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Releases, HistoryMenuTest,
    ::testing::Values(MouseRelease{"RightOverHistoryList", "MSFlexGrid1", Qt::RightButton, false, true},
                      MouseRelease{"RightOverHistoryHeader", "MSFlexGrid1", Qt::RightButton, true, true},
                      MouseRelease{"LeftOverHistoryList", "MSFlexGrid1", Qt::LeftButton, false, false},
                      MouseRelease{"MiddleOverHistoryList", "MSFlexGrid1", Qt::MiddleButton, false, false},
                      MouseRelease{"RightOverHits", "MSFlexGrid2", Qt::RightButton, false, false},
                      MouseRelease{"RightOverTally", "MSFlexGrid3", Qt::RightButton, false, false}),
    [](const ::testing::TestParamInfo<MouseRelease>& info) { return info.param.name; });

}  // namespace
