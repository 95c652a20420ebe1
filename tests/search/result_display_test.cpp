// The result display: the hits of the range in ascending issue order, the
// tally of the result kind over the scope, Carcu, and the failure contract.

#include "search_fixture.h"

#include <numeric>

namespace qudrim::search::testing {
namespace {

// Zodiac year 2013: 01 13 25 37 49 are 蛇, 02 龙, 03 兔, 06 18 30 42 鼠, 12 24 36 马.
const std::vector<Numbers> kDraws = {
    {1, 13, 25, 37, 49, 2, 3},    // issue 2013020, ascending 01 02 13 25 37 49
    {6, 18, 30, 42, 12, 24, 36},  // issue 2013021, ascending 06 12 18 24 30 42
};

// Every row of the range qualifies when no position is chosen.
SearchOptions everyRow(Kind resultKind, int scope, const CodeBases& bases = {})
{
    SearchOptions o = makeOptions(Mode::FixedPrevious, kNumber, {});
    o.display.intXianshiLei = resultKind;
    o.display.scope = scope;
    o.display.bases = bases;
    return o;
}

// "name count percentage" of every tally row; checks the row numbers on the way.
std::vector<std::string> tallyLines(const SearchResult& r)
{
    std::vector<std::string> lines;
    const auto tally = tallyTexts(r);
    for (size_t i = 0; i < tally.size(); ++i) {
        EXPECT_EQ(tally[i][0], std::to_string(i + 1));
        lines.push_back(tally[i][1] + " " + tally[i][2] + " " + tally[i][3]);
    }
    return lines;
}

class ResultDisplay : public SearchDb {
protected:
    std::vector<std::pair<int64_t, int64_t>> carcu()
    {
        std::vector<std::pair<int64_t, int64_t>> rows;
        auto st = db().prepare("SELECT Nmb, Count FROM Carcu ORDER BY rowid");
        while (st.step())
            rows.emplace_back(st.columnInt(0), st.columnInt(1));
        return rows;
    }
};

struct TallyCase {
    const char* what;
    Kind kind;
    int scope;
    CodeBases bases;
    std::vector<std::string> lines;
};

TEST_F(ResultDisplay, TallyOfEveryKindAndScope)
{
    const CodeBases one{1, 1, 1};
    const CodeBases zero{0, 0, 0};
    const std::vector<TallyCase> cases = {
        {"zodiac, all seven", kZodiac, 0, one,
         {"蛇 5 35.714%", "鼠 4 28.571%", "马 3 21.429%", "兔 1 7.143%", "龙 1 7.143%", "牛 0 0.000%",
          "虎 0 0.000%", "羊 0 0.000%", "猴 0 0.000%", "鸡 0 0.000%", "狗 0 0.000%", "猪 0 0.000%"}},
        {"zodiac, the six regular", kZodiac, 1, one,
         {"蛇 5 41.667%", "鼠 4 33.333%", "马 2 16.667%", "龙 1 8.333%", "牛 0 0.000%", "虎 0 0.000%",
          "兔 0 0.000%", "羊 0 0.000%", "猴 0 0.000%", "鸡 0 0.000%", "狗 0 0.000%", "猪 0 0.000%"}},
        {"zodiac, the special number", kZodiac, 2, one,
         {"兔 1 50.000%", "马 1 50.000%", "鼠 0 0.000%", "牛 0 0.000%", "虎 0 0.000%", "龙 0 0.000%",
          "蛇 0 0.000%", "羊 0 0.000%", "猴 0 0.000%", "鸡 0 0.000%", "狗 0 0.000%", "猪 0 0.000%"}},
        {"zodiac from 0, all seven", kZodiac, 0, zero,
         {"蛇 5 35.714%", "鼠 4 28.571%", "马 3 21.429%", "兔 1 7.143%", "龙 1 7.143%", "牛 0 0.000%",
          "虎 0 0.000%", "羊 0 0.000%", "猴 0 0.000%", "鸡 0 0.000%", "狗 0 0.000%", "猪 0 0.000%"}},
        {"head, the six regular", kHead, 1, one,
         {"0 3 25.000%", "1 3 25.000%", "2 2 16.667%", "3 2 16.667%", "4 2 16.667%"}},
        {"tail, the special number", kTail, 2, one,
         {"3 1 50.000%", "6 1 50.000%", "0 0 0.000%", "1 0 0.000%", "2 0 0.000%", "4 0 0.000%", "5 0 0.000%",
          "7 0 0.000%", "8 0 0.000%", "9 0 0.000%"}},
        {"digit sum, all seven", kDigitSum, 0, one,
         {"3 3 21.429%", "6 3 21.429%", "9 2 14.286%", "1 1 7.143%", "2 1 7.143%", "4 1 7.143%", "7 1 7.143%",
          "10 1 7.143%", "13 1 7.143%", "5 0 0.000%", "8 0 0.000%", "11 0 0.000%", "12 0 0.000%"}},
        {"segment from 1", kSegment, 0, one,
         {"1 4 28.571%", "6 3 21.429%", "2 2 14.286%", "4 2 14.286%", "3 1 7.143%", "5 1 7.143%", "7 1 7.143%"}},
        {"segment from 0", kSegment, 0, zero,
         {"0 4 28.571%", "5 3 21.429%", "1 2 14.286%", "3 2 14.286%", "2 1 7.143%", "4 1 7.143%", "6 1 7.143%"}},
        {"wave colour from 1", kWave, 0, one, {"红 7 50.000%", "蓝 5 35.714%", "绿 2 14.286%"}},
        {"wave colour from 0", kWave, 0, zero, {"红 7 50.000%", "蓝 5 35.714%", "绿 2 14.286%"}},
        {"odd/even, the special number", kParity, 2, one, {"双 1 50.000%", "单 1 50.000%"}},
        {"odd/even, all seven", kParity, 0, one, {"双 8 57.143%", "单 6 42.857%"}},
    };
    for (const CodeBases& bases : {one, zero}) {
        if (store.isOpen())
            store.deleteAll();
        addDraws(kDraws, bases);
        for (const auto& c : cases) {
            if (c.bases != bases)
                continue;
            SCOPED_TRACE(c.what);
            const auto result = search(everyRow(c.kind, c.scope, c.bases));
            EXPECT_EQ(result.hits.size(), 2u);
            EXPECT_EQ(tallyLines(result), c.lines);
        }
    }
}

TEST_F(ResultDisplay, NumberTallyListsAllFortyNineAndCarcuHoldsThemAscending)
{
    addDraws(kDraws);
    db().exec("INSERT INTO Carcu (Nmb, Count) VALUES (99, 7)");
    const auto result = search(everyRow(kNumber, 0));
    const std::vector<int> drawn = {1, 2, 3, 6, 12, 13, 18, 24, 25, 30, 36, 37, 42, 49};
    std::vector<std::string> expected;
    for (int n : drawn)
        expected.push_back(std::to_string(n) + " 1 7.143%");
    for (int n = 1; n <= 49; ++n)
        if (std::find(drawn.begin(), drawn.end(), n) == drawn.end())
            expected.push_back(std::to_string(n) + " 0 0.000%");
    EXPECT_EQ(tallyLines(result), expected);

    const auto rows = carcu();
    ASSERT_EQ(rows.size(), 49u);
    for (int n = 1; n <= 49; ++n) {
        const bool hit = std::find(drawn.begin(), drawn.end(), n) != drawn.end();
        EXPECT_EQ(rows[static_cast<size_t>(n - 1)], std::make_pair(int64_t{n}, int64_t{hit ? 1 : 0}));
    }
}

TEST_F(ResultDisplay, HitRowsInBothOrders)
{
    addDraws(kDraws);
    auto o = everyRow(kNumber, 0);
    auto result = search(o);
    EXPECT_EQ(result.hitHeader(), (std::array<std::string, 10>{"期号", "平1位", "平2位", "平3位", "平4位", "平5位",
                                                             "平6位", "特位", "上期开奖", "序号"}));
    EXPECT_EQ(result.tallyHeader(), (std::array<std::string, 4>{"序号", "结果", "出现次数", "百分比"}));
    ASSERT_EQ(result.hits.size(), 2u);
    EXPECT_EQ(hitTexts(result)[0],
              (std::array<std::string, 10>{"2013020", "1", "13", "25", "37", "49", "2", "3", "", "1"}));
    EXPECT_EQ(hitTexts(result)[1], (std::array<std::string, 10>{"2013021", "6", "18", "30", "42", "12", "24", "36",
                                                           "01 13 25 37 49 02 03 ", "2"}));

    o.display.strQz = kAscendingOrder;
    result = search(o);
    EXPECT_EQ(hitTexts(result)[0],
              (std::array<std::string, 10>{"2013020", "1", "2", "13", "25", "37", "49", "3", "", "1"}));

    o.display.intXianshiLei = kZodiac;
    result = search(o);
    EXPECT_EQ(hitTexts(result)[0],
              (std::array<std::string, 10>{"2013020", "蛇", "龙", "蛇", "蛇", "蛇", "蛇", "兔", "", "1"}));

    o.display.intXianshiLei = kDigitSum;
    o.display.strQz = kDrawnOrder;
    result = search(o);
    EXPECT_EQ(hitTexts(result)[0],
              (std::array<std::string, 10>{"2013020", "1", "4", "7", "10", "13", "2", "3", "", "1"}));
}

TEST_F(ResultDisplay, TheResultHoldsValuesAndGivesEachCellsText)
{
    addDraws(kDraws);
    // Longer in bytes than the second hit's list, shorter in characters.
    setText("txtHisLst", 1, "鼠鼠鼠鼠鼠鼠鼠鼠鼠");
    const auto result = search(everyRow(kZodiac, 0, CodeBases{1, 1, 1}));
    ASSERT_EQ(result.hits.size(), 2u);
    EXPECT_EQ(result.hits[0].issue, 2013020);
    // 蛇 is index 5, stored from 1; 兔 3 + 1.
    EXPECT_EQ(result.hits[0].values[1], 6);
    EXPECT_EQ(result.hits[0].values[7], 4);
    EXPECT_EQ(result.hits[1].list, "01 13 25 37 49 02 03 ");
    EXPECT_EQ(result.longestList, 1u);
    EXPECT_EQ(result.counted, 14);

    EXPECT_EQ(result.valueText(6), "蛇");
    EXPECT_EQ(result.valueText(1), "鼠");
    EXPECT_EQ(result.valueText(0), "");
    EXPECT_EQ(result.valueText(13), "");
    EXPECT_EQ(result.hitText(0, 8), "鼠鼠鼠鼠鼠鼠鼠鼠鼠");
    EXPECT_EQ(result.hitText(1, 9), "2");
    EXPECT_EQ(result.hitText(1, 10), "");

    ASSERT_EQ(result.tally.size(), 12u);
    EXPECT_EQ(result.tally[0].value, 6);
    EXPECT_EQ(result.tally[0].count, 5);
    EXPECT_EQ(result.tally[1].value, 1);
    EXPECT_EQ(result.tally[1].count, 4);
    // Equal counts by ascending value: 牛 (2) before 虎 (3).
    EXPECT_EQ(result.tally[5].value, 2);
    EXPECT_EQ(result.tally[6].value, 3);
    EXPECT_EQ(tallyTexts(result)[0], (std::array<std::string, 4>{"1", "蛇", "5", "35.714%"}));
    EXPECT_EQ(result.tallyText(0, 4), "");

    auto none = everyRow(kZodiac, 2, CodeBases{1, 1, 1});
    none.display.firstIssue = 2013022;
    const auto empty = search(none);
    EXPECT_TRUE(empty.hits.empty());
    EXPECT_EQ(empty.longestList, 0u);
    EXPECT_EQ(empty.counted, 0);
    EXPECT_EQ(empty.tallyText(0, 2), "0");
    EXPECT_EQ(empty.tallyText(0, 3), "");
}

// Everything both grids show comes from the result alone: the header rows
// (before the first search too), each kind of cell, the cells beyond the
// last column, and the texts the hits grid's column widths are measured by.
TEST(ResultTexts, HeadersCellsAndWidestTextsComeFromTheResult)
{
    const SearchResult none;
    EXPECT_EQ(none.hitHeader(), (std::array<std::string, 10>{"期号", "平1位", "平2位", "平3位", "平4位", "平5位",
                                                           "平6位", "特位", "上期开奖", "序号"}));
    EXPECT_EQ(none.tallyHeader(), (std::array<std::string, 4>{"序号", "结果", "出现次数", "百分比"}));
    for (const auto& texts : none.widestHitTexts())
        EXPECT_TRUE(texts.empty());

    DisplayOptions options;
    options.intXianshiLei = kZodiac;
    options.bolSq = false;
    options.bases = CodeBases{1, 1, 1};
    // 13 names no zodiac counted from 1; the second list is longer in bytes,
    // shorter in characters.
    const SearchResult r = resultOf({{2013009, {0, 6, 5, 6, 13, 1, 12, 4}, "01 13 25 37 49 02 03 "},
                                     {2013010, {0, 1, 1, 1, 1, 1, 1, 1}, "鼠鼠鼠鼠鼠鼠鼠鼠鼠"}},
                                    options);
    EXPECT_EQ(r.hitHeader()[8], "前期开奖");
    EXPECT_EQ(r.tallyHeader(), none.tallyHeader());

    enum Grid { Hits, Tally };
    struct Cell {
        Grid grid;
        size_t row;
        int column;
        const char* text;
    };
    const Cell cells[] = {
        {Hits, 0, 0, "2013009"}, {Hits, 0, 1, "蛇"}, {Hits, 0, 2, "龙"}, {Hits, 0, 4, ""}, {Hits, 0, 6, "猪"},
        {Hits, 0, 7, "兔"}, {Hits, 0, 8, "01 13 25 37 49 02 03 "}, {Hits, 0, 9, "1"}, {Hits, 0, 10, ""},
        {Hits, 1, 0, "2013010"}, {Hits, 1, 5, "鼠"}, {Hits, 1, 8, "鼠鼠鼠鼠鼠鼠鼠鼠鼠"}, {Hits, 1, 9, "2"},
        {Tally, 0, 0, "1"}, {Tally, 0, 1, "鼠"}, {Tally, 0, 2, "8"}, {Tally, 0, 3, "57.143%"}, {Tally, 0, 4, ""},
        {Tally, 1, 1, "蛇"}, {Tally, 1, 2, "2"}, {Tally, 1, 3, "14.286%"},
        // Equal counts by ascending value: 兔 (4), 龙 (5), 猪 (12); the zeros last.
        {Tally, 2, 1, "兔"}, {Tally, 4, 1, "猪"}, {Tally, 4, 3, "7.143%"},
        {Tally, 11, 0, "12"}, {Tally, 11, 1, "狗"}, {Tally, 11, 2, "0"}, {Tally, 11, 3, "0.000%"},
    };
    for (const Cell& c : cells) {
        SCOPED_TRACE(std::string(c.grid == Hits ? "hit " : "tally ") + std::to_string(c.row) + "," +
                     std::to_string(c.column));
        EXPECT_EQ(c.grid == Hits ? r.hitText(c.row, c.column) : r.tallyText(c.row, c.column), c.text);
    }

    const auto widest = r.widestHitTexts();
    std::vector<std::string> sevenDigits, oneDigit;
    for (char d = '0'; d <= '9'; ++d) {
        sevenDigits.push_back(std::string(7, d));
        oneDigit.push_back(std::string(1, d));
    }
    EXPECT_EQ(widest[0], sevenDigits);
    const std::vector<std::string> names = {"", "鼠", "牛", "虎", "兔", "龙", "蛇", "马", "羊", "猴", "鸡", "狗", "猪"};
    for (int c = 1; c <= 7; ++c)
        EXPECT_EQ(widest[static_cast<size_t>(c)], names) << c;
    EXPECT_EQ(widest[8], std::vector<std::string>{"01 13 25 37 49 02 03 "});
    EXPECT_EQ(widest[9], oneDigit);
}

TEST_F(ResultDisplay, AgainstTheDrawNBeforeTheListShowsTxtHisPreLst)
{
    addDraws(kDraws);
    setText("txtHisPreLst", 2, "earlier");
    auto o = everyRow(kNumber, 0);
    o.bolSq = false;
    o.bolZyw = false;
    const auto result = search(o);
    EXPECT_EQ(result.hitHeader()[8], "前期开奖");
    EXPECT_EQ(result.hitText(1, 8), "earlier");
}

TEST_F(ResultDisplay, RangeEndsAreIncludedAndNoHitLeavesPercentagesEmpty)
{
    addDraws(kDraws);
    auto o = everyRow(kParity, 2);
    o.display.firstIssue = 2013021;
    o.display.lastIssue = 2013021;
    auto result = search(o);
    ASSERT_EQ(result.hits.size(), 1u);
    EXPECT_EQ(result.hitText(0, 0), "2013021");
    EXPECT_EQ(tallyLines(result), (std::vector<std::string>{"双 1 100.000%", "单 0 0.000%"}));

    for (auto [first, last] : {std::pair{2013022, 2013099}, std::pair{2013021, 2013020}}) {
        o.display.firstIssue = first;
        o.display.lastIssue = last;
        result = search(o);
        EXPECT_TRUE(result.hits.empty());
        EXPECT_EQ(tallyLines(result), (std::vector<std::string>{"双 0 ", "单 0 "}));
        EXPECT_EQ(carcu(), (std::vector<std::pair<int64_t, int64_t>>{{0, 0}, {1, 0}}));
    }
}

TEST_F(ResultDisplay, ACodeOfTheOtherBaseIsCountedButNotListed)
{
    // Stored from 1: 07 is 猪 = 12, which has no name and no row from 0.
    addDraws({{7, 8, 9, 10, 11, 12, 13}}, CodeBases{1, 1, 1});
    const auto result = search(everyRow(kZodiac, 0, CodeBases{0, 1, 1}));
    ASSERT_EQ(result.hits.size(), 1u);
    EXPECT_EQ(result.hitText(0, 1), "");
    EXPECT_EQ(result.hitText(0, 2), "猪");
    int64_t listed = 0;
    for (const auto& row : tallyTexts(result))
        listed += std::stoll(row[2]);
    EXPECT_EQ(listed, 6);
    EXPECT_EQ(result.tallyText(0, 3), "14.286%");
}

TEST_F(ResultDisplay, AFailedSearchRollsBackEverything)
{
    addDraws(kDraws);
    addDraws({{5, 6, 7, 8, 9, 10, 11}, {20, 21, 22, 23, 24, 25, 26}}, {}, 2013022);
    const auto before = dump();
    db().exec("DROP TABLE Carcu");
    // This search would rewrite copies, N-back lists and counters.
    EXPECT_THROW(search(makeOptions(Mode::FixedBack, kHead, {{1, 0}}, 3)), store::StoreError);
    EXPECT_EQ(dump(), before);
    EXPECT_THROW(search(makeOptions(Mode::FreeBack, kTail, {{1, 1}}, 3, false)), store::StoreError);
    EXPECT_EQ(dump(), before);
    // The connection is usable afterwards: no transaction was left open.
    db().exec("CREATE TABLE Carcu (Nmb INTEGER NOT NULL DEFAULT 0, Count INTEGER NOT NULL DEFAULT 0)");
    EXPECT_NO_THROW(search(makeOptions(Mode::FixedBack, kHead, {{1, 0}}, 3)));
    EXPECT_NE(dump(), before);
}

TEST_F(ResultDisplay, OptionsOutOfRangeAreRefused)
{
    addDraws(kDraws);
    const auto before = dump();
    auto bad = [](auto change) {
        auto o = everyRow(kNumber, 0);
        change(o);
        return o;
    };
    // A kind or an order beyond its values can only be made by a cast.
    for (const auto& o : {bad([](SearchOptions& o) { o.intLei = static_cast<Kind>(8); }),
                          bad([](SearchOptions& o) { o.display.intXianshiLei = static_cast<Kind>(-1); }),
                          bad([](SearchOptions& o) { o.display.scope = 3; }),
                          bad([](SearchOptions& o) { o.display.strQz = static_cast<NumberOrder>('X'); })})
        EXPECT_THROW(search(o), store::StoreError);
    EXPECT_EQ(dump(), before);
}

}  // namespace
}  // namespace qudrim::search::testing
