// Reading results pages as a web browser reads them: the document its
// parser builds, the encoding it decodes the page in, and the text it gives
// each cell. The expected readings were taken from a browser (Chromium's
// innerText and the HTML standard's parsing as html5lib implements it).
#include "history/browser_pages.h"
#include "history/results_page.h"
#include "history/results_table.h"
#include "support/history_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

using namespace qudrim::history;
using namespace std::string_literals;
using qudrim::testing::BrowserPage;

namespace {

class BrowserPageTest : public ::testing::TestWithParam<BrowserPage> {};

TEST_P(BrowserPageTest, GivesTheDrawsABrowserShows)
{
    const BrowserPage& p = GetParam();
    const ResultsPage read = ReadKjYear(p.page, p.contentType, 2016, 0);
    ASSERT_TRUE(read.hasTable()) << static_cast<int>(read.problem);
    std::vector<std::pair<int32_t, std::array<int, 7>>> draws;
    for (const qudrim::DrawInput& d : read.draws)
        draws.emplace_back(d.issue, d.numbers);
    EXPECT_EQ(draws, p.draws);
}

INSTANTIATE_TEST_SUITE_P(Markup, BrowserPageTest, ::testing::ValuesIn(qudrim::testing::browser_pages::all()),
                         [](const ::testing::TestParamInfo<BrowserPage>& info) { return info.param.name; });

// A page of today's results sites with the draws of a real year: every draw
// is read, the oldest first.
TEST(ReadKjYear, ARealYearOnASitePage)
{
    if (!std::filesystem::exists(qudrim::testing::realHistoryFile()))
        GTEST_SKIP() << "no real history";
    for (const int32_t year : {1993, 2024}) {
        std::vector<qudrim::DrawInput> draws;
        for (const qudrim::DrawInput& d : qudrim::testing::loadRealHistory())
            if (d.issue / 1000 == year)
                draws.push_back(d);
        ASSERT_GT(draws.size(), 100u);
        const std::string page = qudrim::testing::siteYearPage(draws, year);
        const ResultsPage read = ReadKjYear(page, "text/html; charset=utf-8", year, 0);
        ASSERT_EQ(read.draws.size(), draws.size()) << year;
        for (size_t i = 0; i < draws.size(); ++i) {
            EXPECT_EQ(read.draws[i].issue, draws[i].issue);
            EXPECT_EQ(read.draws[i].numbers, draws[i].numbers) << draws[i].issue;
        }
    }
}

// The text of one cell, a page for each.
struct CellCase {
    const char* name;
    std::string cell;
    std::u32string text;
};

void PrintTo(const CellCase& c, std::ostream* os) { *os << c.name; }

class CellTextTest : public ::testing::TestWithParam<CellCase> {};

TEST_P(CellTextTest, IsTheBrowsersInnerText)
{
    const CellCase& c = GetParam();
    const std::string page = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"></head><body><table id=\"main\">"
                             "<tr><th>h</th></tr><tr><td>" + c.cell + "</td></tr></table></body></html>";
    const ResultsTable table = readResultsTable(page, "text/html");
    ASSERT_EQ(table.problem, PageProblem::None);
    ASSERT_EQ(table.rows.size(), 2u);
    ASSERT_EQ(table.rows[1].size(), 1u);
    EXPECT_EQ(table.rows[1][0], c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CellTextTest,
    ::testing::Values(
        CellCase{"TwoBreaks", "05<br><br>06"s, U"05\n\n06"},
        CellCase{"BreakBeforeABlock", "03 + 11<br><div>19 + 27</div> + 38"s, U"03 + 11\n\n19 + 27\n+ 38"},
        CellCase{"BreakAtTheEnd", "a<br>"s, U"a\n"},
        CellCase{"BreakAtTheStart", "<br>a"s, U"\na"},
        CellCase{"Button", "a<button>bt</button>b"s, U"abtb"},
        CellCase{"Center", "a<center>b</center>c"s, U"a\nb\nc"},
        CellCase{"ClosedDetails", "a<details><summary>s</summary>hid</details>b"s, U"a\ns\nb"},
        CellCase{"LastDisplayCounts", "a<span style=\"display:none; display:inline\">X</span>b"s, U"aXb"},
        CellCase{"DisplayNoneImportant", "a<span style=\"DISPLAY : NONE !important\">X</span>b"s, U"ab"},
        CellCase{"DisplayBlock", "05<span style=\"display:block\">06</span>07"s, U"05\n06\n07"},
        CellCase{"BlankAroundABlock", "03 + 11 <div> 19 </div> + 27"s, U"03 + 11\n19\n+ 27"},
        CellCase{"EmptyParagraph", "a<p></p>b"s, U"a\n\nb"},
        CellCase{"SourceLinesAndIndents", "\n   <font>05</font>\n   <font>06</font>\n"s, U"05 06"},
        CellCase{"StyleOverridesHidden", "a<span hidden style=\"display:inline\">X</span>b"s, U"aXb"},
        CellCase{"Rule", "a<hr>b"s, U"a\nb"},
        CellCase{"Frame", "a<iframe>fb</iframe>b"s, U"ab"},
        CellCase{"Image", "a<img alt=IMG>b"s, U"ab"},
        CellCase{"Input", "a<input value=q>b"s, U"ab"},
        CellCase{"List", "a<ul><li>1</li><li>2</li></ul>b"s, U"a\n1\n2\nb"},
        CellCase{"NonBreakingSpaceStays", "05 &nbsp; 06"s, U"05 \u00A0 06"},
        CellCase{"TableInACell", "03<table><tr><td>11</td><td>19</td></tr><tr><td>27</td></tr></table>38"s, U"03\n11\t19\n27\n38"},
        CellCase{"Noscript", "a<noscript>X</noscript>b"s, U"ab"},
        CellCase{"NulCharacter", "a\0b"s, U"ab"},
        CellCase{"ObjectFallback", "a<object>fb</object>b"s, U"afbb"},
        CellCase{"Paragraph", "03<p>11</p>19"s, U"03\n\n11\n\n19"},
        CellCase{"StrayParagraphEnd", "03 + 11 + 19</p> + 27 + 38 + 45"s, U"03 + 11 + 19\n\n+ 27 + 38 + 45"},
        CellCase{"Preformatted", "a<pre>  x  y\n z </pre>b"s, U"a\n  x  y\n z \nb"},
        CellCase{"Ruby", "a<ruby>b<rt>c</rt></ruby>d"s, U"abcd"},
        CellCase{"Select", "a<select><option>05</option><option>06</option></select>b"s, U"a\n05\n06\nb"},
        CellCase{"BlanksAcrossElements", "05 <b> 06 </b> 07"s, U"05 06 07"},
        CellCase{"SvgText", "a<svg width=50 height=20><text x=0 y=15>05</text></svg>b"s, U"a\n05\nb"},
        CellCase{"Tab", "a\tb"s, U"a b"},
        CellCase{"Textarea", "a<textarea>zz</textarea>b"s, U"ab"},
        CellCase{"VisibilityHidden", "a<span style=\"visibility:hidden\">X<b style=\"visibility:visible\">Y</b></span>b"s, U"aYb"}),
    [](const ::testing::TestParamInfo<CellCase>& info) { return info.param.name; });

TEST(CellText, ACellThatIsNotShownHasItsTextContent)
{
    const std::string page = "<table id=\"main\" style=\"display:none\"><tr><th>h</th></tr>"
                             "<tr><td>  a <b>b</b>\n<script>s</script> c<br>d</td></tr></table>";
    const ResultsTable table = readResultsTable(page, "text/html");
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[1][0], U"  a b\ns cd");
}

}  // namespace
