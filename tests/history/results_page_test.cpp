// Reading a yearly results page: finding the table "main" in real-looking
// HTML, the cell texts a browser would show, the page's encoding (UTF-8,
// GBK/GB2312), and the walk that turns the rows into new draws.
#include "history/page_encoding.h"
#include "history/results_page.h"
#include "history/results_page_fixture.h"

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using namespace qudrim::history;
using qudrim::DrawInput;

namespace {

using Numbers = std::array<int, 7>;
using Delivered = std::vector<std::pair<int32_t, Numbers>>;

Delivered delivered(const std::vector<DrawInput>& draws)
{
    Delivered out;
    for (const DrawInput& d : draws) {
        EXPECT_EQ(d.zodiacIssue, d.issue);
        out.emplace_back(d.issue, d.numbers);
    }
    return out;
}

using Row = qudrim::testing::PageRow;
using qudrim::testing::converted;
using qudrim::testing::resultsPage;
using qudrim::testing::toGbk;

// Three draws of 2016, newest first, with the numbers apart by " 、 ":
// the separator is one character in the page's own encoding but two bytes
// in GBK and three in UTF-8, so a page read in the wrong encoding misplaces
// every number after the first.
const std::vector<Row> kChineseRows = {
    {"003期", "21 、 22 、 23 、 24 、 25 、 26", "27"},
    {"002期", "11 、 12 、 13 、 14 、 15 、 16", "17"},
    {"001期", "01 、 02 、 03 、 04 、 05 、 06", "07"},
};
const Delivered kChineseDraws = {{2016001, {1, 2, 3, 4, 5, 6, 7}},
                                 {2016002, {11, 12, 13, 14, 15, 16, 17}},
                                 {2016003, {21, 22, 23, 24, 25, 26, 27}}};

}  // namespace

TEST(ReadKjYear, DeliversEveryDrawBottomRowFirstWithLastIssueZero)
{
    const std::string page = resultsPage({{"003", "21 + 32 + 43 + 04 + 15 + 26", "37"},
                                          {"002", "05 + 12 + 23 + 34 + 45 + 49", "07"},
                                          {"001", "03 + 11 + 19 + 27 + 38 + 45", "08"}});
    const ResultsPage read = ReadKjYear(page, "text/html", 2013, 0);
    EXPECT_TRUE(read.hasTable());
    EXPECT_EQ(delivered(read.draws), (Delivered{{2013001, {3, 11, 19, 27, 38, 45, 8}},
                                                {2013002, {5, 12, 23, 34, 45, 49, 7}},
                                                {2013003, {21, 32, 43, 4, 15, 26, 37}}}));
}

TEST(ReadKjYear, ReadsCellsAsTheBrowserShowsThem)
{
    // Tags inside the cells, line breaks and indentation in the source,
    // entities, a <br> and a hidden script: only the text a browser shows
    // counts, with every run of white space as one blank.
    const std::string page = resultsPage(
        {{"<b>002</b>\n  期",
          "\n    <span class=\"r\">05</span> &amp; <span class=\"b\">12</span> &amp;\n"
          "    <span>23</span><br><span>&amp;</span> <i>34</i> &amp; <font color=red>45</font> &amp;\t49\n  ",
          "<script>document.write('99')</script>\n   <b>07</b>  "},
         {"  001  ", "03<!-- ignore -->-x-11-x-19-x-27-x-38-x-45", "<p>08</p>"}});
    const ResultsPage read = ReadKjYear(page, "", 2016, 0);
    EXPECT_EQ(delivered(read.draws),
              (Delivered{{2016001, {3, 11, 19, 27, 38, 45, 8}}, {2016002, {5, 12, 23, 34, 45, 49, 7}}}));
}

TEST(ReadKjYear, NonBreakingSpacesCountAsCharacters)
{
    // "&nbsp;" is a character of its own; a browser does not collapse it.
    const std::string page =
        resultsPage({{"001", "03&nbsp;&nbsp;&nbsp;11&nbsp;&nbsp;&nbsp;19&nbsp;&nbsp;&nbsp;27&nbsp;&nbsp;&nbsp;38"
                             "&nbsp;&nbsp;&nbsp;45",
                      "&nbsp;8"}});
    EXPECT_EQ(delivered(ReadKjYear(page, "", 2016, 0).draws), (Delivered{{2016001, {3, 11, 19, 27, 38, 45, 8}}}));
}

TEST(ReadKjYear, PagesWithoutDraws)
{
    const ResultsPage headerOnly = ReadKjYear(resultsPage({}), "", 2016, 0);
    EXPECT_TRUE(headerOnly.hasTable());
    EXPECT_TRUE(headerOnly.draws.empty());

    const std::string noMain = "<html><body><table id=\"results\"><tr><th>h</th></tr>"
                               "<tr><td>1</td><td>001</td><td>03 + 11 + 19 + 27 + 38 + 45</td><td>07</td></tr>"
                               "</table></body></html>";
    EXPECT_FALSE(ReadKjYear(noMain, "", 2016, 0).hasTable());

    const std::string mainIsNoTable = "<html><body><div id=\"main\"><table><tr><th>h</th></tr>"
                                      "<tr><td>1</td><td>001</td><td>03 + 11 + 19 + 27 + 38 + 45</td><td>07</td></tr>"
                                      "</table></div></body></html>";
    EXPECT_FALSE(ReadKjYear(mainIsNoTable, "", 2016, 0).hasTable());

    EXPECT_FALSE(ReadKjYear("", "", 2016, 0).hasTable());
    EXPECT_FALSE(ReadKjYear("404 Not Found", "text/plain", 2016, 0).hasTable());

    const ResultsPage noRows = ReadKjYear("<table id=\"main\"></table>", "", 2016, 0);
    EXPECT_TRUE(noRows.hasTable());
    EXPECT_TRUE(noRows.draws.empty());
}

TEST(ReadKjYear, RowsOfSectionsCountAndRowsOfNestedTablesDoNot)
{
    const std::string page =
        "<html><body><table id=\"main\">"
        "<tfoot><tr><td>f</td><td>001</td><td>01 + 02 + 03 + 04 + 05 + 06</td><td>07</td></tr></tfoot>"
        "<thead><tr><th>h</th><th>期数</th><th>平码</th><th>特码</th></tr></thead>"
        "<tbody><tr><td>1</td><td>003</td><td>21 + 22 + 23 + 24 + 25 + 26</td><td>27"
        "<table><tr><td>x</td><td>009</td><td>31 + 32 + 33 + 34 + 35 + 36</td><td>37</td></tr></table></td></tr>"
        "<tr><td>2</td><td>002</td><td>11 + 12 + 13 + 14 + 15 + 16</td><td>17</td></tr></tbody>"
        "</table></body></html>";
    // The foot row is the last row, so the walk meets it first.
    EXPECT_EQ(delivered(ReadKjYear(page, "", 2016, 0).draws),
              (Delivered{{2016001, {1, 2, 3, 4, 5, 6, 7}},
                         {2016002, {11, 12, 13, 14, 15, 16, 17}},
                         {2016003, {21, 22, 23, 24, 25, 26, 27}}}));
}

// The walk, on a table of cell texts.

namespace {

std::u32string chars(const char* ascii) { return std::u32string(ascii, ascii + std::char_traits<char>::length(ascii)); }

// Row 0 is the header; the rows are given newest first, as on the page.
CellTable table(const std::vector<std::vector<const char*>>& rows)
{
    CellTable t{{U"序", U"期数", U"平码", U"特码"}};
    for (const auto& r : rows) {
        std::vector<std::u32string> cells;
        for (const char* c : r)
            cells.push_back(chars(c));
        t.push_back(std::move(cells));
    }
    return t;
}

struct WalkCase {
    const char* name;
    CellTable table;
    int32_t lastIssue;
    Delivered draws;
};

void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.name; }

class WalkTest : public ::testing::TestWithParam<WalkCase> {};

TEST_P(WalkTest, DeliversTheNewDrawsOldestFirst)
{
    const WalkCase& c = GetParam();
    EXPECT_EQ(delivered(walkResultsTable(c.table, 2016, c.lastIssue)), c.draws);
}

const char* const kDraw = "03 + 11 + 19 + 27 + 38 + 45";

INSTANTIATE_TEST_SUITE_P(
    Rows, WalkTest,
    ::testing::Values(
        WalkCase{"HeaderOnly", table({}), 0, {}},
        WalkCase{"CharactersBetweenNumbersAreNotRead",
                 table({{"1", "001", "03xxx11yyy19zzz27---38!!!45", "07"}}), 0,
                 {{2016001, {3, 11, 19, 27, 38, 45, 7}}}},
        WalkCase{"OnlyTheFirstCharactersOfIssueAndSpecialCount",
                 table({{"1", "0012016", kDraw, "07x"}}), 0, {{2016001, {3, 11, 19, 27, 38, 45, 7}}}},
        WalkCase{"SingleDigitsWithBlanks", table({{"1", " 1 ", " 3 + 11 + 19 + 27 + 38 +  5", "7"}}), 0,
                 {{2016001, {3, 11, 19, 27, 38, 5, 7}}}},
        WalkCase{"RowsUpToTheLastIssueArePassedOver",
                 table({{"3", "003", kDraw, "07"}, {"2", "002", "garbage", "00"}, {"1", "001", kDraw, "07"}}),
                 2016002, {{2016003, {3, 11, 19, 27, 38, 45, 7}}}},
        WalkCase{"SpecialZeroEndsThePage",
                 table({{"3", "003", kDraw, "07"}, {"2", "002", kDraw, "00"}, {"1", "001", kDraw, "08"}}), 0,
                 {{2016001, {3, 11, 19, 27, 38, 45, 8}}}},
        WalkCase{"SpecialZeroEndsThePageEvenWithARegularZero",
                 table({{"2", "002", kDraw, "07"}, {"1", "001", "03 + 00 + 19 + 27 + 38 + 45", "00"}}), 0, {}},
        WalkCase{"RegularZeroSkipsTheRowOnly",
                 table({{"2", "002", kDraw, "07"}, {"1", "001", "03 + 00 + xx + 27 + 38 + 45", "08"}}), 0,
                 {{2016002, {3, 11, 19, 27, 38, 45, 7}}}},
        WalkCase{"UnreadableRowsAreSkipped",
                 table({{"5", "005", kDraw, "07"},
                        {"4", "004", "03 + 1a + 19 + 27 + 38 + 45", "07"},
                        {"3", "003", kDraw, "x7"},
                        {"2", "00x", kDraw, "07"},
                        {"1", "001", "03 + 11 + 19", "07"}}),
                 0, {{2016005, {3, 11, 19, 27, 38, 45, 7}}}},
        WalkCase{"UnreadableRegularDoesNotEndThePageWithSpecialZero",
                 table({{"2", "002", kDraw, "07"}, {"1", "001", "03 + 1a + 19 + 27 + 38 + 45", "00"}}), 0,
                 {{2016002, {3, 11, 19, 27, 38, 45, 7}}}},
        WalkCase{"RowsMissingCellsAreSkipped",
                 table({{"3", "003", kDraw, "07"}, {"2", "002", kDraw}, {"1"}, {}}), 0,
                 {{2016003, {3, 11, 19, 27, 38, 45, 7}}}},
        WalkCase{"NumbersOutsideTheRangeOrTwiceAreSkipped",
                 table({{"4", "004", kDraw, "07"},
                        {"3", "003", "03 + 11 + 19 + 27 + 38 + 50", "07"},
                        {"2", "002", kDraw, "55"},
                        {"1", "001", "03 + 11 + 19 + 27 + 11 + 45", "07"},
                        {"0", "000", kDraw, "45"}}),
                 0, {{2016004, {3, 11, 19, 27, 38, 45, 7}}}}),
    [](const ::testing::TestParamInfo<WalkCase>& info) { return info.param.name; });

}  // namespace

TEST(ReadWholeNumber, DigitsWithBlanksAroundOnly)
{
    EXPECT_EQ(readWholeNumber(U"05"), 5);
    EXPECT_EQ(readWholeNumber(U"00"), 0);
    EXPECT_EQ(readWholeNumber(U" 7"), 7);
    EXPECT_EQ(readWholeNumber(U"7\u00A0"), 7);
    EXPECT_EQ(readWholeNumber(U""), std::nullopt);
    EXPECT_EQ(readWholeNumber(U"  "), std::nullopt);
    EXPECT_EQ(readWholeNumber(U"-5"), std::nullopt);
    EXPECT_EQ(readWholeNumber(U"5期"), std::nullopt);
    EXPECT_EQ(readWholeNumber(U"\uFF15"), std::nullopt);  // a full-width digit
}

// Encodings.

TEST(ReadKjYear, GbkPageDeclaredByTheHeader)
{
    const std::string page = toGbk(resultsPage(kChineseRows, ""));
    EXPECT_EQ(delivered(ReadKjYear(page, "text/html; charset=GBK", 2016, 0).draws), kChineseDraws);
}

TEST(ReadKjYear, Gb2312PageDeclaredByAMetaTag)
{
    const std::string head = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">";
    const std::string page = toGbk(resultsPage(kChineseRows, head));
    EXPECT_EQ(delivered(ReadKjYear(page, "text/html", 2016, 0).draws), kChineseDraws);
    // The same page read without a declaration would misplace the numbers.
    EXPECT_NE(delivered(ReadKjYear(toGbk(resultsPage(kChineseRows, "")), "text/html", 2016, 0).draws),
              kChineseDraws);
}

TEST(ReadKjYear, UndeclaredPageIsUtf8)
{
    EXPECT_EQ(delivered(ReadKjYear(resultsPage(kChineseRows, ""), "", 2016, 0).draws), kChineseDraws);
}

TEST(ReadKjYear, HeaderCharsetComesBeforeTheMetaTag)
{
    const std::string page = resultsPage(kChineseRows, "<meta charset=\"gb2312\">");
    EXPECT_EQ(delivered(ReadKjYear(page, "text/html; charset=\"utf-8\"", 2016, 0).draws), kChineseDraws);
}

TEST(ReadKjYear, ByteOrderMarkComesFirst)
{
    const std::string page = "\xEF\xBB\xBF" + resultsPage(kChineseRows, "<meta charset=\"gb2312\">");
    EXPECT_EQ(delivered(ReadKjYear(page, "text/html; charset=gbk", 2016, 0).draws), kChineseDraws);
}

TEST(ReadKjYear, Utf16PageWithItsByteOrderMark)
{
    const std::string page = "\xFF\xFE" + converted(resultsPage(kChineseRows, ""), "UTF-16LE");
    EXPECT_EQ(delivered(ReadKjYear(page, "text/html; charset=gbk", 2016, 0).draws), kChineseDraws);
}

namespace {

struct EncodingCase {
    const char* name;
    std::string page;
    std::string contentType;
    std::string encoding;
};

void PrintTo(const EncodingCase& c, std::ostream* os) { *os << c.name; }

class PageEncodingTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(PageEncodingTest, Chooses)
{
    const EncodingCase& c = GetParam();
    EXPECT_EQ(pageEncoding(c.page, c.contentType), c.encoding);
}

INSTANTIATE_TEST_SUITE_P(
    Declarations, PageEncodingTest,
    ::testing::Values(
        EncodingCase{"Nothing", "<html></html>", "", "UTF-8"},
        EncodingCase{"Utf8Bom", "\xEF\xBB\xBF<html>", "text/html; charset=gbk", "UTF-8"},
        EncodingCase{"Utf16LeBom", std::string("\xFF\xFE<\0h\0", 6), "text/html; charset=utf-8", "UTF-16LE"},
        EncodingCase{"Utf16BeBom", std::string("\xFE\xFF\0<\0h", 6), "", "UTF-16BE"},
        EncodingCase{"HeaderUpperCase", "<meta charset=utf-8>", "Text/HTML; Charset=GB2312", "gb18030"},
        // A quoted value is the MIME type's quoted string; single quotes are
        // part of the value, which then names nothing.
        EncodingCase{"HeaderQuoted", "", "text/html;charset=\"gbk\"", "gb18030"},
        EncodingCase{"HeaderSingleQuotesNameNothing", "", "text/html;charset='gbk'", "UTF-8"},
        EncodingCase{"HeaderFirstCharsetCounts", "", "text/html; charset=big5; charset=gbk", "Big5"},
        EncodingCase{"HeaderWithoutAMimeType", "<meta charset=gbk>", "charset=big5", "gb18030"},
        EncodingCase{"HeaderLatin1IsWindows1252", "", "text/html; charset=ISO-8859-1", "windows-1252"},
        EncodingCase{"HeaderUnicodeIsUtf16", std::string("<\0h\0", 4), "text/html; charset=unicode", "UTF-16LE"},
        // Without a byte-order mark, as browsers read it.
        EncodingCase{"HeaderUtf16IsLittleEndian", std::string("<\0h\0", 4), "text/html; charset=UTF-16", "UTF-16LE"},
        EncodingCase{"UnknownHeaderFallsToMeta", "<META CHARSET=\"GBK\">", "text/html; charset=no-such-code",
                     "gb18030"},
        EncodingCase{"MetaHttpEquiv",
                     "<head><meta http-equiv=Content-Type content=\"text/html; charset=gb2312\"></head>", "",
                     "gb18030"},
        EncodingCase{"MetaAfterOtherMetas", "<meta name=keywords content=x><meta charset='gb18030'>", "",
                     "gb18030"},
        // The prescan reads bytes, not the document: the body is no limit.
        EncodingCase{"MetaInTheBody", "<body><meta charset=gbk>", "", "gb18030"},
        EncodingCase{"MetaUtf16MeansUtf8", "<meta charset=utf-16le>", "", "UTF-8"},
        EncodingCase{"MetaUnicodeMeansUtf8", "<meta http-equiv=content-type content='text/html;charset=unicode'>", "",
                     "UTF-8"},
        EncodingCase{"MetaUserDefinedIsWindows1252", "<meta charset=x-user-defined>", "", "windows-1252"},
        // Browsers look for it in the first 1,024 bytes only.
        EncodingCase{"MetaWithinTheFirstKilobyte", std::string(1000, ' ') + "<meta charset=gbk>", "", "gb18030"},
        EncodingCase{"MetaBeyondTheFirstKilobyte", std::string(1024, ' ') + "<meta charset=gbk>", "", "UTF-8"},
        EncodingCase{"MetaCutByTheFirstKilobyte", std::string(1010, ' ') + "<meta charset=gbk>", "", "UTF-8"},
        // The prescan's reading of the markup before the meta tag.
        EncodingCase{"CommentSkipped", "<!-- <meta charset=big5> --><meta charset=gbk>", "", "gb18030"},
        EncodingCase{"CommentClosedAtOnce", "<!--><meta charset=gbk>", "", "gb18030"},
        EncodingCase{"CommentNeverClosed", "<!-- <meta charset=gbk>", "", "UTF-8"},
        EncodingCase{"QuotedGreaterThanInATag", "<a title='>' x=<meta charset=big5>><meta charset=gbk>", "", "gb18030"},
        EncodingCase{"FirstCharsetAttributeCounts", "<meta charset=gbk charset=big5>", "", "gb18030"},
        EncodingCase{"ContentWithoutHttpEquivIsNoDeclaration", "<meta content='text/html; charset=big5'><meta charset=gbk>",
                     "", "gb18030"},
        EncodingCase{"HttpEquivAfterContent", "<meta content='text/html; charset=gbk' http-equiv='Content-Type'>", "",
                     "gb18030"},
        EncodingCase{"SlashBeforeTheAttribute", "<meta/charset=gbk>", "", "gb18030"},
        EncodingCase{"UnknownCharsetIsPassedOver", "<meta charset=no-such-code><meta charset=gbk>", "", "gb18030"},
        EncodingCase{"XmlDeclaration", "<?xml version=\"1.0\" encoding=\"GB2312\"?><html>", "", "gb18030"},
        EncodingCase{"Utf16XmlDeclaration", std::string("<\0?\0x\0m\0l\0", 10), "", "UTF-16LE"}),
    [](const ::testing::TestParamInfo<EncodingCase>& info) { return info.param.name; });

}  // namespace

TEST(EncodingForLabel, FollowsTheStandardsTable)
{
    EXPECT_EQ(encodingForLabel(" UTF8 "), "UTF-8");
    EXPECT_EQ(encodingForLabel("unicode-1-1-utf-8"), "UTF-8");
    EXPECT_EQ(encodingForLabel("GB2312"), "gb18030");
    EXPECT_EQ(encodingForLabel("x-gbk"), "gb18030");
    EXPECT_EQ(encodingForLabel("big5-hkscs"), "Big5");
    EXPECT_EQ(encodingForLabel("iso-8859-8"), "ISO-8859-8");
    EXPECT_EQ(encodingForLabel("iso-8859-8-i"), "ISO-8859-8-I");
    EXPECT_EQ(encodingForLabel("ks_c_5601-1987"), "EUC-KR");
    EXPECT_EQ(encodingForLabel("x-mac-ukrainian"), "x-mac-cyrillic");
    EXPECT_EQ(encodingForLabel("us-ascii"), "windows-1252");
    EXPECT_EQ(encodingForLabel("ucs-2"), "UTF-16LE");
    EXPECT_EQ(encodingForLabel("hz-gb-2312"), "replacement");
    EXPECT_EQ(encodingForLabel("utf 8"), std::nullopt);
    EXPECT_EQ(encodingForLabel("8859-8"), std::nullopt);
    EXPECT_EQ(encodingForLabel(""), std::nullopt);
}

TEST(ResultsPageAddress, IsSitePathYearAndHtml)
{
    EXPECT_EQ(resultsPageAddress("http://127.0.0.1:8080", 2016), "http://127.0.0.1:8080/85122/kj/2016.html");
}

// Damaged pages: a byte that cannot be decoded is one replaced character,
// and every row after it is read as a browser shows it.

namespace {

const Delivered kFirstTwoDraws = {kChineseDraws[0], kChineseDraws[1]};
const std::vector<Row> kTwoRows = {kChineseRows[1], kChineseRows[2]};

}  // namespace

TEST(ReadKjYear, AStrayByteInAGbkPageLosesNoRow)
{
    // In cell 0 of the newer row, above the older one: 0x80 (the euro sign
    // of the Windows code page, no GB18030 character), a byte no GBK
    // sequence uses, and a lead byte followed by an ASCII character.
    for (const std::string stray : {"\x80", "\xFF", "\x81"}) {
        const std::string page = qudrim::testing::withBytesInRow(toGbk(resultsPage(kTwoRows, "")), 1, stray);
        EXPECT_EQ(delivered(ReadKjYear(page, "text/html; charset=GBK", 2016, 0).draws), kFirstTwoDraws)
            << static_cast<int>(static_cast<unsigned char>(stray[0]));
        const std::string declared = qudrim::testing::withBytesInRow(
            toGbk(resultsPage(kTwoRows, "<meta http-equiv=Content-Type content=\"text/html; charset=gb2312\">")), 1,
            stray);
        EXPECT_EQ(delivered(ReadKjYear(declared, "text/html", 2016, 0).draws), kFirstTwoDraws)
            << static_cast<int>(static_cast<unsigned char>(stray[0]));
    }
}

namespace {

const std::string kFFFD = "\xEF\xBF\xBD";

struct DecodeCase {
    const char* name;
    std::string page;
    std::string contentType;
    std::string text;  // UTF-8
};

void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class DecodePageTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodePageTest, Decodes)
{
    const DecodeCase& c = GetParam();
    EXPECT_EQ(decodePage(c.page, c.contentType), c.text);
}

const char* const kGbk = "text/html; charset=gbk";

INSTANTIATE_TEST_SUITE_P(
    Bytes, DecodePageTest,
    ::testing::Values(
        DecodeCase{"GbkCharacters", toGbk("期数、特码"), kGbk, "期数、特码"},
        DecodeCase{"GbkStrayEuroByte", "a\x80" "b", kGbk, "a€b"},
        DecodeCase{"GbkByteOfNoSequence", "a\xFF" "b", kGbk, "a" + kFFFD + "b"},
        DecodeCase{"GbkLeadByteBeforeAscii", "a\x81<b", kGbk, "a" + kFFFD + "<b"},
        DecodeCase{"GbkCutOffByTheEnd", "a\xB2", kGbk, "a" + kFFFD},
        DecodeCase{"Utf8ByteOfNoSequence", "a\xFF" "b", "", "a" + kFFFD + "b"},
        DecodeCase{"Utf8LoneContinuationByte", "a\x80" "b", "", "a" + kFFFD + "b"},
        DecodeCase{"Utf8CutOffByTheEnd", "a\xE4", "", "a" + kFFFD},
        // One replacement for each maximal run that could begin a character.
        DecodeCase{"Utf8ThreeBytesCutShort", "a\xE4\xB8" "b", "", "a" + kFFFD + "b"},
        DecodeCase{"Utf8FourBytesCutShort", "a\xF0\x9F\x98 b", "", "a" + kFFFD + " b"},
        DecodeCase{"Utf8TwoCutShortInARow", "\xE4\xB8\xE4\xB8\xAD", "", kFFFD + "中"},
        DecodeCase{"Utf8Overlong", "\xC0\x80", "", kFFFD + kFFFD},
        DecodeCase{"Utf8Surrogate", "\xED\xA0\x80", "", kFFFD + kFFFD + kFFFD},
        DecodeCase{"Utf8BeyondUnicode", "\xF4\x90\x80\x80", "", kFFFD + kFFFD + kFFFD + kFFFD},
        // The parser drops a NUL from the text, as a browser does.
        DecodeCase{"NulCharacterStays", std::string("a\0b", 3), "", std::string("a\0b", 3)},
        DecodeCase{"GbkFourBytes", "\x81\x30\x81\x30", kGbk, "\xC2\x80"},
        // A four-byte sequence broken at its last byte: the lead is the
        // error, and the bytes after it are read again (0x81 0x78 is 亁).
        DecodeCase{"GbkFourBytesBrokenAtTheEnd", "\x81\x30\x81x", kGbk, kFFFD + "0亁"},
        DecodeCase{"Windows1252UnusedBytes", "\x80\x81\x9D", "text/html; charset=latin1", "€\xC2\x81\xC2\x9D"},
        DecodeCase{"UserDefined", "a\x80", "text/html; charset=x-user-defined", "a\xEF\x9E\x80"},
        DecodeCase{"Utf16LoneSurrogateAndOddByte", std::string("\xFF\xFE\x00\xD8" "a\0" "b", 7), "", kFFFD + "a" + kFFFD},
        DecodeCase{"Replacement", "abc", "text/html; charset=iso-2022-kr", kFFFD},
        DecodeCase{"Utf8MarkDropped", "\xEF\xBB\xBF" "ab", kGbk, "ab"},
        DecodeCase{"Utf16LeWithItsMark", std::string("\xFF\xFE" "a\0\x1F\x67", 6), "", "a期"},
        DecodeCase{"Big5", converted("期數", "BIG5"), "text/html; charset=big5", "期數"}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return info.param.name; });

}  // namespace

// Pages made to keep an HTML parser busy for seconds or hours: each is
// refused, by its size, by the number of its elements, or because its parse
// ran past the time any results page takes by far. The times are measured
// in bench/results_page_bench.cpp.

namespace {

std::string repeated(const std::string& unit, size_t bytes)
{
    std::string s;
    s.reserve(bytes + unit.size());
    while (s.size() < bytes)
        s += unit;
    return s;
}

// `page` with `count` attributes more on its table "main", before its id;
// `bare` leaves them without values, so that more fit into a page.
std::string withAttributesOnTheTable(std::string page, size_t count, bool bare = false)
{
    std::string attributes;
    for (size_t i = 0; i < count; ++i)
        attributes += " a" + std::to_string(i) + (bare ? "" : "=\"x\"");
    const std::string table = "<table id=\"main\"";
    page.replace(page.find(table), table.size(), "<table" + attributes + " id=\"main\"");
    return page;
}

// `page` with `markup` before its </body>.
std::string withBeforeTheEnd(std::string page, const std::string& markup)
{
    page.insert(page.find("</body>"), markup);
    return page;
}

}  // namespace

TEST(ReadKjYear, APageOfMetaTagsIsRefusedAtOnce)
{
    const std::string large = "<html><head>" + repeated("<meta", 3 * 1024 * 1024);
    EXPECT_EQ(ReadKjYear(large, "text/html", 2016, 0).problem, PageProblem::TooLarge);
    // Just within the size limit: more tags than any results page has, or
    // one tag of a megabyte, which holds no table.
    EXPECT_EQ(ReadKjYear(repeated("<meta", kMaxPageBytes - 64), "text/html", 2016, 0).problem, PageProblem::TooComplex);
    EXPECT_EQ(ReadKjYear(repeated("<meta charset=gbk ", kMaxPageBytes - 64), "text/html", 2016, 0).problem,
              PageProblem::NoTable);
}

TEST(ReadKjYear, AnElementWithVeryManyAttributesIsRefused)
{
    // A few thousand are read as they come.
    const std::string some = withAttributesOnTheTable(resultsPage(kChineseRows), 2000);
    EXPECT_EQ(delivered(ReadKjYear(some, "", 2016, 0).draws), kChineseDraws);

    // The parser compares each attribute with every one before it: 40,000
    // (400 KB) take it seconds, as many as fit into the size limit minutes.
    const std::string forty = withAttributesOnTheTable(resultsPage(kChineseRows), 40000);
    ASSERT_GT(forty.size(), 400u * 1024);
    EXPECT_EQ(ReadKjYear(forty, "", 2016, 0).problem, PageProblem::TooComplex);
    const size_t most = (kMaxPageBytes - 4096) / 8;
    const std::string full = withAttributesOnTheTable(resultsPage(kChineseRows), most, true);
    ASSERT_LE(full.size(), kMaxPageBytes);
    EXPECT_EQ(ReadKjYear(full, "", 2016, 0).problem, PageProblem::TooComplex);

    const std::string million = withAttributesOnTheTable(resultsPage(kChineseRows), 1000000);
    EXPECT_EQ(ReadKjYear(million, "", 2016, 0).problem, PageProblem::TooLarge);
}

TEST(ReadKjYear, MoreElementsThanAnyResultsPageIsRefused)
{
    const std::string many = repeated("<b>", 3 * (kMaxPageElements + 1));
    const std::string page = withBeforeTheEnd(resultsPage(kChineseRows), many);
    ASSERT_LE(page.size(), kMaxPageBytes);
    EXPECT_EQ(ReadKjYear(page, "", 2016, 0).problem, PageProblem::TooComplex);

    // Few tags, but the parser opens the 100 formatting elements again in
    // every list item: 200,000 elements.
    std::string formatting;
    for (int i = 0; i < 100; ++i)
        formatting += "<b class=c" + std::to_string(i) + ">";
    const std::string reopened = withBeforeTheEnd(resultsPage(kChineseRows), "<ul><li>" + formatting + repeated("<li>x", 5 * 2000));
    EXPECT_EQ(ReadKjYear(reopened, "", 2016, 0).problem, PageProblem::TooComplex);
}

namespace {

struct HostileCase {
    const char* name;
    std::string page;
};

void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }

class HostilePageTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostilePageTest, IsNoResultsPage)
{
    const HostileCase& c = GetParam();
    ASSERT_LE(c.page.size(), kMaxPageBytes);
    const PageProblem problem = ReadKjYear(c.page, "text/html", 2016, 0).problem;
    EXPECT_TRUE(problem == PageProblem::TooComplex || problem == PageProblem::NoTable) << static_cast<int>(problem);
}

std::string uniqueFormatting(size_t count, const std::string& after = {})
{
    std::string s;
    for (size_t i = 0; i < count; ++i)
        s += "<b a" + std::to_string(i) + ">" + after;
    return s;
}

const size_t kFull = kMaxPageBytes - 1024;

// The slowest pages of a megabyte found: each nests deeply, so that every
// tag makes the parser look through the elements open, or gives one element
// very many attributes.
INSTANTIATE_TEST_SUITE_P(
    Pages, HostilePageTest,
    ::testing::Values(HostileCase{"Divs", repeated("<div>", kFull)},
                      HostileCase{"NinetyThousandDivs", repeated("<div>", 5 * 90000)},
                      HostileCase{"UnclosedTables", repeated("<table>", kFull)},
                      HostileCase{"UnclosedCells", repeated("<table><tr><td>", kFull)},
                      HostileCase{"FormattingElements", repeated("<b>", kFull)},
                      HostileCase{"ThirtyThousandFormattingElements", repeated("<b><i>", 6 * 30000)},
                      HostileCase{"LinksAroundBlocks", repeated("<a><div>", kFull)},
                      HostileCase{"BoldAroundParagraphs", repeated("<b><p></b>", kFull)},
                      HostileCase{"UniqueFormattingElements", uniqueFormatting(90000).substr(0, kFull)},
                      HostileCase{"EndTagsUnderDeepNesting", repeated("<span>", 6 * 512) + repeated("</x>", kFull - 6 * 512)},
                      HostileCase{"ParagraphEndsUnderDeepNesting", repeated("<div>", 5 * 2000) + repeated("</p>", kFull - 10000)},
                      HostileCase{"NestedAfterTheTable", withBeforeTheEnd(resultsPage(kChineseRows), repeated("<div>", 5 * 90000))}),
    [](const ::testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

}  // namespace
