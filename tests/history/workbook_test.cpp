// The workbook of a grid: each text typed as a spreadsheet program types it,
// every cell in its place on "Sheet1", the old workbook kept when a save fails.
#include "history/export_file.h"
#include "history/workbook.h"
#include "support/history_fixture.h"
#include "support/workbook_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace qudrim::history;
using qudrim::testing::readWorkbook;
using qudrim::testing::TempFolder;

namespace fs = std::filesystem;

namespace {

using Kind = CellValue::Kind;

struct TypingCase {
    const char* name;
    const char* text;
    Kind kind;
    double number;
};

void PrintTo(const TypingCase& c, std::ostream* os) { *os << c.name; }

class TypeOfCellTest : public ::testing::TestWithParam<TypingCase> {};

TEST_P(TypeOfCellTest, TypesTheTextAsItWouldBeTyped)
{
    const TypingCase& c = GetParam();
    const CellValue v = typeOfCell(c.text);
    EXPECT_EQ(v.kind, c.kind);
    if (c.kind == Kind::Number || c.kind == Kind::Percent) {
        EXPECT_EQ(v.number, c.number);  // the double nearest to the decimal shown
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypeOfCellTest,
    ::testing::Values(TypingCase{"Issue", "2013001", Kind::Number, 2013001},
                      TypingCase{"SmallNumber", "7", Kind::Number, 7},
                      TypingCase{"Zero", "0", Kind::Number, 0},
                      TypingCase{"Negative", "-3", Kind::Number, -3},
                      TypingCase{"Decimal", "0.5", Kind::Number, 0.5},
                      TypingCase{"LeadingZero", "05", Kind::Text, 0},
                      TypingCase{"Percent", "10.317%", Kind::Percent, 0.10317},
                      TypingCase{"ZeroPercent", "0.000%", Kind::Percent, 0},
                      TypingCase{"WholePercent", "100.000%", Kind::Percent, 1},
                      TypingCase{"PercentWithoutDecimals", "12%", Kind::Percent, 0.12},
                      TypingCase{"PercentSignAlone", "%", Kind::Text, 0},
                      TypingCase{"PointWithoutDecimals", "12.%", Kind::Text, 0},
                      TypingCase{"Name", "鼠", Kind::Text, 0},
                      TypingCase{"Header", "期号", Kind::Text, 0},
                      TypingCase{"NumberList", "05 12 23 34 45 49 07 ", Kind::Text, 0},
                      TypingCase{"TrailingLetter", "12a", Kind::Text, 0},
                      TypingCase{"SixteenDigits", "1234567890123456", Kind::Text, 0},
                      TypingCase{"Empty", "", Kind::Blank, 0}),
    [](const ::testing::TestParamInfo<TypingCase>& info) { return info.param.name; });

std::string contentOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

size_t filesIn(const fs::path& folder)
{
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

const TextTable kTally = {
    {"序号", "结果", "出现次数", "百分比"},
    {"1", "鼠", "3", "10.317%"},
    {"2", "05", "0", "0.000%"},
    {"3", "", "12", ""},
};

}  // namespace

TEST(WriteWorkbook, EveryCellLandsOneRowAndOneColumnFurtherOnSheet1)
{
    TempFolder folder;
    const fs::path file = folder.path() / kTallyWorkbook;
    writeWorkbook(file, kTally);

    const auto book = readWorkbook(file);
    EXPECT_EQ(book.sheetNames, std::vector<std::string>{"Sheet1"});
    EXPECT_EQ(book.rowCount(), 4);
    EXPECT_EQ(book.columnCount(), 4);
    EXPECT_EQ(book.cells.size(), 14u);  // the two empty texts leave their cells empty
    for (int c = 1; c <= 4; ++c) {
        ASSERT_TRUE(book.at(1, c));
        EXPECT_FALSE(book.at(1, c)->isNumber);
        EXPECT_EQ(book.at(1, c)->text, kTally[0][static_cast<size_t>(c - 1)]);
    }
    auto expectNumber = [&](int r, int c, double v, const char* format) {
        const auto* cell = book.at(r, c);
        ASSERT_TRUE(cell) << r << "," << c;
        EXPECT_TRUE(cell->isNumber) << r << "," << c;
        EXPECT_EQ(cell->number, v) << r << "," << c;
        EXPECT_EQ(cell->format, format) << r << "," << c;
    };
    auto expectText = [&](int r, int c, const char* text) {
        const auto* cell = book.at(r, c);
        ASSERT_TRUE(cell) << r << "," << c;
        EXPECT_FALSE(cell->isNumber) << r << "," << c;
        EXPECT_EQ(cell->text, text) << r << "," << c;
    };
    expectNumber(2, 1, 1, "General");
    expectText(2, 2, "鼠");
    expectNumber(2, 3, 3, "General");
    expectNumber(2, 4, 0.10317, "0.000%");
    expectNumber(3, 1, 2, "General");
    expectText(3, 2, "05");
    expectNumber(3, 3, 0, "General");
    expectNumber(3, 4, 0, "0.000%");
    expectNumber(4, 1, 3, "General");
    EXPECT_FALSE(book.at(4, 2));
    expectNumber(4, 3, 12, "General");
    EXPECT_FALSE(book.at(4, 4));
}

TEST(WriteWorkbook, AHeaderAloneGivesOneFilledRow)
{
    TempFolder folder;
    const fs::path file = folder.path() / kHistoryWorkbook;
    writeWorkbook(file, {{"期号", "落1码", "落2码", "落3码", "落4码", "落5码", "落6码", "特码"}});
    const auto book = readWorkbook(file);
    EXPECT_EQ(book.rowCount(), 1);
    EXPECT_EQ(book.columnCount(), 8);
    EXPECT_EQ(book.at(1, 1)->text, "期号");
    EXPECT_EQ(book.at(1, 8)->text, "特码");
}

TEST(WriteWorkbook, ReplacesTheOldWorkbookWhole)
{
    TempFolder folder;
    const fs::path file = folder.path() / kTallyWorkbook;
    std::ofstream(file, std::ios::binary) << std::string(100000, 'x');
    writeWorkbook(file, kTally);
    EXPECT_EQ(readWorkbook(file).at(2, 2)->text, "鼠");
    EXPECT_EQ(filesIn(folder.path()), 1u);
}

TEST(WriteWorkbook, RemovesTheTemporaryFileOfAnExportThatWasKilled)
{
    TempFolder folder;
    const fs::path file = folder.path() / kTallyWorkbook;
    std::ofstream(folder.path() / ("." + std::string(kTallyWorkbook) + ".00c0ffee.tmp"), std::ios::binary) << "half";
    writeWorkbook(file, kTally);
    EXPECT_EQ(filesIn(folder.path()), 1u);
    EXPECT_EQ(readWorkbook(file).at(2, 2)->text, "鼠");
}

TEST(WriteWorkbook, AFailedSaveKeepsTheOldWorkbook)
{
    TempFolder folder;
    const fs::path file = folder.path() / kTallyWorkbook;
    writeWorkbook(file, kTally);
    const std::string before = contentOf(file);

    // A text longer than a worksheet cell holds cannot be written.
    EXPECT_THROW(writeWorkbook(file, {{"序号"}, {std::string(40000, 'x')}}), ExportError);
    EXPECT_EQ(contentOf(file), before);
    EXPECT_EQ(filesIn(folder.path()), 1u);

    // A folder that is not there.
    EXPECT_THROW(writeWorkbook(folder.path() / "missing" / kTallyWorkbook, kTally), ExportError);
    EXPECT_EQ(filesIn(folder.path()), 1u);
}
