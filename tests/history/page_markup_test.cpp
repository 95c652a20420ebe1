// The page as the HTML parser gets it: elements with their id alone, text
// as it stands, no comments, declarations or script content, and tags
// found where the parser finds them.
#include "history/page_markup.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using qudrim::history::strippedMarkup;

namespace {

struct MarkupCase {
    const char* name;
    std::string html;
    std::string markup;
};

void PrintTo(const MarkupCase& c, std::ostream* os) { *os << c.name; }

class StrippedMarkupTest : public ::testing::TestWithParam<MarkupCase> {};

TEST_P(StrippedMarkupTest, Strips)
{
    const MarkupCase& c = GetParam();
    EXPECT_EQ(strippedMarkup(c.html, 1000), c.markup);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, StrippedMarkupTest,
    ::testing::Values(
        MarkupCase{"KeepsTheIdAlone", "<table width=\"100%\" ID='main' class=x><tr><td nowrap>1</td></tr></table>",
                   "<table id=\"main\"><tr><td>1</td></tr></table>"},
        MarkupCase{"TheFirstIdCounts", "<div id=a id=b>", "<div id=\"a\">"},
        MarkupCase{"AnIdWithAQuoteAndAnEntity", "<div id='a\"b&amp;c'>", "<div id=\"a&quot;b&amp;c\">"},
        MarkupCase{"QuotedValuesMayHoldGreaterThan", "<a title=\"x>y\" href='p>q' id=k>t</a>", "<a id=\"k\">t</a>"},
        MarkupCase{"ValuesAfterBlanksAroundTheEqualsSign", "<td class = \"x y\" id\n=\n'z'>", "<td id=\"z\">"},
        MarkupCase{"BogusAttributesAreSkippedToTheNextBlank", "<td \"x\" =y 9z<b id=k>", "<td id=\"k\">"},
        MarkupCase{"SelfClosingTags", "<br/><td class=x />", "<br/><td/>"},
        MarkupCase{"EndTagsLoseWhatFollowsTheirName", "</td junk=\"1\" ></TR>", "</td></TR>"},
        MarkupCase{"TextAndEntitiesStay", "<td>05&nbsp;&amp; 期 > 3</td>", "<td>05&nbsp;&amp; 期 > 3</td>"},
        MarkupCase{"ALessThanThatStartsNoTagIsText", "1 < 2, 3<4, <!x, </ 5>, <_y", "1 < 2, 3<4, <!x, </ 5>, <_y"},
        MarkupCase{"CommentsGo", "a<!-- <b id=x> -->b<!-- x --!>c<!---->d<!-- - -- --- ->e -->f", "abcdf"},
        MarkupCase{"ACommentThatNeverEndsTakesTheRest", "a<!-- <table id=main><tr><td>1", "a"},
        MarkupCase{"DeclarationsAndInstructionsGo", "<!DOCTYPE html><?xml version=\"1.0\"?>t", "t"},
        MarkupCase{"ScriptAndStyleKeepNoContent",
                   "<script type=x>if (a<b) x='<td id=q>';</SCRIPT>t<style>td>x{}</style>",
                   "<script></SCRIPT>t<style></style>"},
        MarkupCase{"AScriptThatNeverEndsTakesTheRest", "t<script>x<table id=main>", "t<script>"},
        MarkupCase{"ATagCutOffByTheEndGoes", "<td>1</td><td class=\"x>", "<td>1</td>"}),
    [](const ::testing::TestParamInfo<MarkupCase>& info) { return info.param.name; });

TEST(StrippedMarkup, CountsTheStartTags)
{
    EXPECT_EQ(strippedMarkup("<b>x</b><i>y</i>", 2), "<b>x</b><i>y</i>");
    EXPECT_EQ(strippedMarkup("<b>x</b><i>y</i>", 1), std::nullopt);
    // Tags in comments and scripts are no elements.
    EXPECT_EQ(strippedMarkup("<!-- <b><b> --><script><b><b></script>", 1), "<script></script>");
}

}  // namespace
