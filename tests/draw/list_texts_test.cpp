// The eight list texts of a draw, built from its values and read back from a
// stored row.
#include "draw/attributes.h"
#include "draw/list_texts.h"
#include "draw/row_builder.h"
#include "support/history_fixture.h"

#include <gtest/gtest.h>

using namespace qudrim;

namespace {

constexpr CodeBases kBases{1, 1, 1};

DrawRow drawOf(const std::array<int, 7>& numbers, int32_t zodiacYear = 2013, const CodeBases& bases = kBases)
{
    return deriveDraw(zodiacYear * 1000 + 100, numbers, zodiacYear, bases);
}

// The worked example: drawn 12 05 45 23 38 34, special 07, zodiac year 2013.
const std::array<int, 7> kExample = {12, 5, 45, 23, 38, 34, 7};
const ListTexts kExampleLists = {
    "12 05 45 23 38 34 07 ",
    "1X02 1X07 1X08 1X09 1X05 1X10 1X12 ",  // zodiac codes of 2013 with base 1
    "1X0 1X1 1X2 1X3 2X3 1X4 2X0 ",
    "1X5 1X2 1X3 1X4 1X8 2X5 1X7 ",
    "1X05 1X03 2X05 1X07 1X11 1X09 2X07 ",
    "1X1 1X2 1X4 1X5 1X6 1X7 2X1 ",
    "1X03 1X01 2X01 3X01 2X03 4X01 5X01 ",
    "1X1 1X0 2X1 2X0 3X0 3X1 4X1 ",
};

}  // namespace

TEST(BuildHisLst, WorkedExample)
{
    const ListTexts lists = BuildHisLst(drawOf(kExample));
    for (Kind kind : kAllKinds)
        EXPECT_EQ(lists[static_cast<size_t>(kind)], kExampleLists[static_cast<size_t>(kind)]) << "kind " << kind;

    const size_t lengths[8] = {21, 35, 28, 28, 35, 28, 35, 28};
    for (Kind kind : kAllKinds)
        EXPECT_EQ(lists[static_cast<size_t>(kind)].size(), lengths[kind]) << "kind " << kind;
}

TEST(BuildHisLst, CuttingTheLastFourCharactersDropsTheSpecial)
{
    const ListTexts lists = BuildHisLst(drawOf(kExample));
    auto cut = [](const std::string& s) { return s.substr(0, s.size() - 4); };
    EXPECT_EQ(cut(lists[kNumber]), "12 05 45 23 38 34");
    EXPECT_EQ(cut(lists[kHead]), "1X0 1X1 1X2 1X3 2X3 1X4 ");
    EXPECT_EQ(cut(lists[kDigitSum]), "1X05 1X03 2X05 1X07 1X11 1X09 2");
}

TEST(BuildHisLst, TablesOfDraws)
{
    struct Case {
        const char* what;
        std::array<int, 7> numbers;
        Kind kind;
        const char* list;
    };
    const Case cases[] = {
        {"seven odd numbers", {1, 3, 5, 7, 9, 11, 13}, kParity, "1X1 2X1 3X1 4X1 5X1 6X1 7X1 "},
        {"seven odd numbers", {1, 3, 5, 7, 9, 11, 13}, kHead, "1X0 2X0 3X0 4X0 5X0 1X1 2X1 "},
        {"seven odd numbers", {1, 3, 5, 7, 9, 11, 13}, kTail, "1X1 1X3 1X5 1X7 1X9 2X1 2X3 "},
        {"seven odd numbers", {1, 3, 5, 7, 9, 11, 13}, kSegment, "1X1 2X1 3X1 4X1 1X2 2X2 3X2 "},
        {"a number typed twice", {33, 5, 48, 5, 12, 27, 40}, kNumber, "33 05 48 05 12 27 40 "},
        {"a number typed twice", {33, 5, 48, 5, 12, 27, 40}, kTail, "1X5 2X5 1X2 1X7 1X3 1X8 1X0 "},
        {"a number typed twice", {33, 5, 48, 5, 12, 27, 40}, kWave, "1X03 2X03 1X01 3X03 4X03 1X02 2X01 "},
        {"the special continues a count", {1, 2, 3, 4, 5, 6, 5}, kTail, "1X1 1X2 1X3 1X4 1X5 1X6 2X5 "},
        {"the special continues a count", {6, 5, 4, 3, 2, 1, 49}, kSegment, "1X1 2X1 3X1 4X1 5X1 6X1 1X7 "},
        {"the special continues a count", {10, 20, 30, 40, 45, 49, 1}, kDigitSum, "1X01 1X02 1X03 1X04 1X09 1X13 2X01 "},
        {"occurrence lists follow the ascending order", {49, 1, 25, 2, 48, 3, 13}, kZodiac,
         // 2013: 1 and 25 and 49 蛇 (6), 2 龙 (5), 3 兔 (4), 48 马 (7), 13 蛇
         "1X06 1X05 1X04 2X06 1X07 3X06 4X06 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildHisLst(drawOf(c.numbers))[static_cast<size_t>(c.kind)], c.list) << c.what << ", kind " << c.kind;
}

TEST(BuildHisLst, CodeBasesShiftTheCodesNotTheCounts)
{
    const ListTexts lists = BuildHisLst(drawOf(kExample, 2013, CodeBases{0, 0, 0}));
    EXPECT_EQ(lists[kZodiac], "1X01 1X06 1X07 1X08 1X04 1X09 1X11 ");
    EXPECT_EQ(lists[kSegment], "1X0 1X1 1X3 1X4 1X5 1X6 2X0 ");
    EXPECT_EQ(lists[kWave], "1X02 1X00 2X00 3X00 2X02 4X00 5X00 ");
    EXPECT_EQ(lists[kHead], kExampleLists[kHead]);
}

TEST(BuildHisLst, ValuesOutsideTheirDomainWriteNoEntry)
{
    // A stored row may hold a 0 (an entry box left empty in an old file) or
    // a code that no counter covers; such a position gets no entry.
    DrawRow row = drawOf(kExample);
    const Attr zero{0, 12, 1, 0, 0, 1};  // number 0 under base 1: 猪, 红, head 0, tail 0, segment 1
    row.L[4] = zero;                     // 23 in drawn order ...
    row.D[3] = zero;                     // ... and in ascending order
    row.D[1].B = 200;
    row.D[2].H = -3;
    const ListTexts lists = BuildHisLst(row);
    EXPECT_EQ(lists[kNumber], "12 05 45 00 38 34 07 ");
    EXPECT_EQ(lists[kDigitSum], "1X05 1X03 1X07 1X11 1X09 2X07 ");  // no entry for the 0
    EXPECT_EQ(lists[kZodiac], "1X07 1X12 1X09 1X05 1X10 2X12 ");
    EXPECT_EQ(lists[kSegment], "1X1 2X1 1X5 1X6 1X7 3X1 ");
}

// The row builder takes the lists of the draw before the first new row from
// that draw as it is stored.
TEST(BuildHisLst, OfAStoredRowAsOfItsDraw)
{
    qudrim::testing::TempFolder folder;
    store::HistoryStore store(folder.path());
    store.open();
    const DrawInput earlier{2013099, 2013099, {1, 2, 3, 4, 5, 6, 7}};
    const DrawInput example{2013100, 2013100, kExample};
    AddLishi(store, std::vector<DrawInput>{earlier, example}, kBases);

    const store::Snapshot snapshot = store.snapshot();
    EXPECT_EQ(BuildHisLst(*snapshot.last()), kExampleLists);
    EXPECT_EQ(BuildHisLst(*snapshot.last()), BuildHisLst(drawOf(kExample)));
}

TEST(BuildHisLst, OfAStoredRowCopiesItsCodesWhateverTheBaseNow)
{
    qudrim::testing::TempFolder folder;
    store::HistoryStore store(folder.path());
    store.open();
    AddLishi(store, std::vector<DrawInput>{{2013100, 2013100, kExample}}, CodeBases{0, 0, 0});
    // The lists come from the stored codes, so the base the row was stored
    // with shows, not the one in force when the lists are read.
    EXPECT_EQ(BuildHisLst(*store.snapshot().last()), BuildHisLst(drawOf(kExample, 2013, CodeBases{0, 0, 0})));
}
