// Small results pages of the markup that an HTML parser of the old rules
// reads otherwise than a web browser: one page for each kind, each with the
// draws a browser shows in its table "main". The pages are of 2016 and list
// three draws (003 at the top, 001 at the bottom) unless a kind needs more.
#pragma once

#include "history/results_page_fixture.h"

#include <array>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace qudrim::testing {

struct BrowserPage {
    const char* name;
    std::string page;
    std::string contentType;
    // The draws a browser reads, oldest first: issue and the seven numbers.
    std::vector<std::pair<int32_t, std::array<int, 7>>> draws;
};

inline void PrintTo(const BrowserPage& p, std::ostream* os) { *os << p.name; }

namespace browser_pages {

using Draws = std::vector<std::pair<int32_t, std::array<int, 7>>>;

inline const Draws kThree = {{2016001, {3, 11, 19, 27, 38, 45, 8}},
                             {2016002, {5, 12, 23, 34, 45, 49, 7}},
                             {2016003, {13, 32, 34, 35, 41, 46, 30}}};

// The rows of kThree, newest first, as they stand between <table id="main">
// and </table> when nothing is the matter with them.
inline std::string row(int n, const std::string& issue, const std::string& regulars, const std::string& special)
{
    return "<tr><td>" + std::to_string(n) + "</td><td>" + issue + "</td><td>" + regulars + "</td><td>" + special +
           "</td></tr>\n";
}
inline const std::string kHeader = "<tr><th>序</th><th>期数</th><th>平码</th><th>特码</th></tr>\n";
inline const std::string kRow3 = row(1, "003期", "13 + 32 + 34 + 35 + 41 + 46", "30");
inline const std::string kRow2 = row(2, "002期", "05 + 12 + 23 + 34 + 45 + 49", "07");
inline const std::string kRow1 = row(3, "001期", "03 + 11 + 19 + 27 + 38 + 45", "08");

inline std::string page(const std::string& table, const std::string& head = "<meta charset=\"utf-8\">",
                        const std::string& beforeTable = {})
{
    return "<!DOCTYPE html>\n<html><head>" + head + "<title>2016年开奖结果</title></head>\n<body>\n" + beforeTable +
           table + "\n<p>备注</p></body></html>\n";
}

inline std::string mainTable(const std::string& rows) { return "<table id=\"main\">\n" + kHeader + rows + "</table>"; }

// A decoy table "main" that a browser never has in its document, with a
// draw that is not on the page.
inline const std::string kDecoy = "<table id=\"main\"><tr><th>h</th></tr>" +
                                  row(1, "001期", "01 + 02 + 03 + 04 + 05 + 06", "07") + "</table>";

// The rows in GBK with "、" between the numbers: one character in GBK, two
// bytes, so that a page read in any other encoding misplaces the numbers.
inline std::string gbkRows()
{
    return row(1, "003期", "13 、 32 、 34 、 35 、 41 、 46", "30") +
           row(2, "002期", "05 、 12 、 23 、 34 、 45 、 49", "07") +
           row(3, "001期", "03 、 11 、 19 、 27 、 38 、 45", "08");
}

inline std::vector<BrowserPage> all()
{
    std::vector<BrowserPage> pages;
    const std::string html = "text/html";

    // </br> is a <br>: one line break between the numbers.
    pages.push_back({"StrayBrEndTag",
                     page(mainTable(row(1, "003期", "13 +</br>32 +</br>34 +</br>35 +</br>41 +</br>46", "30") + kRow2 +
                                    kRow1)),
                     html, kThree});
    // A </p> without a <p>: an empty paragraph at the end of a cell, and
    // one between two cells, which goes before the table.
    pages.push_back({"StrayPEndTag",
                     page(mainTable(row(1, "003期", "13 + 32 + 34 + 35 + 41 + 46</p>", "30") +
                                    "<tr><td>2</td><td>002期</td></p><td>05 + 12 + 23 + 34 + 45 + 49</td><td>07</td></tr>\n" +
                                    kRow1)),
                     html, kThree});
    // The same between two numbers: the text around it is two lines apart,
    // the numbers after it are misplaced and the row is passed over.
    pages.push_back({"StrayPEndTagBetweenNumbers",
                     page(mainTable(kRow3 + kRow2 + row(3, "001期", "03 + 11 + 19</p> + 27 + 38 + 45", "08"))), html,
                     {kThree[1], kThree[2]}});
    // <!--> is a whole (empty) comment.
    pages.push_back({"EmptyCommentClosedAtOnce",
                     page(mainTable(row(1, "003期", "13 + <!-->32 + 34 + 35 + 41 + 46", "30") + kRow2 + kRow1) +
                          "\n<!-- 页脚 -->"),
                     html, kThree});
    // </ followed by a blank opens a comment that ends at the next >.
    pages.push_back({"EndTagWithABlank",
                     page(mainTable(row(1, "003期", "13 + </ x>32 + 34 + 35 + 41 + 46", "30") + kRow2 + kRow1)), html,
                     kThree});
    // A table "main" inside a textarea, a noscript (read as a browser with
    // scripting on reads it) or a template is no element of the document.
    pages.push_back({"DecoyInTextarea", page(mainTable(kRow3 + kRow2 + kRow1), {}, "<textarea>" + kDecoy + "</textarea>\n"),
                     html, kThree});
    pages.push_back({"DecoyInNoscript", page(mainTable(kRow3 + kRow2 + kRow1), {}, "<noscript>" + kDecoy + "</noscript>\n"),
                     html, kThree});
    pages.push_back({"DecoyInNoscriptInTheHead",
                     page(mainTable(kRow3 + kRow2 + kRow1), "<meta charset=\"utf-8\"><noscript>" + kDecoy + "</noscript>"),
                     html, kThree});
    // What a parser without scripting reads as a comment inside noscript
    // ends with the noscript's raw text.
    pages.push_back({"CommentOpenedInNoscript",
                     page(mainTable(kRow3 + kRow2 + kRow1), {}, "<noscript><!-- </noscript>\n"), html, kThree});
    pages.push_back({"DecoyInTemplate", page(mainTable(kRow3 + kRow2 + kRow1), {}, "<template>" + kDecoy + "</template>\n"),
                     html, kThree});
    // A form directly in the table is an empty element of its own; the rows
    // stay in the table.
    pages.push_back({"FormInTheTable",
                     page("<table id=\"main\"><form action=\"/search\" method=\"get\">\n" + kHeader + kRow3 + kRow2 + kRow1 +
                          "</form></table>"),
                     html, kThree});
    pages.push_back({"FormBetweenRows",
                     page(mainTable(kRow3 + "<form name=\"f\">" + kRow2 + "</form>" + kRow1)), html, kThree});
    // A formatting element around a row goes before the table.
    pages.push_back({"FontAroundARow",
                     page(mainTable(kRow3 + "<font color=\"red\">" + kRow2 + "</font>" + kRow1)), html, kThree});
    pages.push_back({"LinkAroundARow",
                     page(mainTable(kRow3 + "<a href=\"/kj/2016002.html\">" + kRow2 + "</a>" + kRow1)), html, kThree});
    // "/>" on a table does not close it.
    pages.push_back({"SelfClosingTable", page("<table id=\"main\"/>\n" + kHeader + kRow3 + kRow2 + kRow1 + "</table>"),
                     html, kThree});
    // Encodings: the page is GBK, the HTTP header names no charset.
    pages.push_back({"MetaInACommentIsNoDeclaration",
                     toGbk(page(mainTable(gbkRows()), "<!-- <meta charset=\"utf-8\"> --><meta charset=\"gbk\">")), html,
                     kThree});
    pages.push_back({"MetaAfterTheFirstKilobyte",
                     toGbk(page(mainTable(gbkRows()), "<title>" + std::string(1100, ' ') + "</title><meta charset=\"gbk\">")),
                     html, kThree});
    pages.push_back({"MetaInTheBody",
                     toGbk(page(mainTable(gbkRows()), {},
                                "<div>" + std::string(1100, ' ') + "</div><meta http-equiv=\"Content-Type\" "
                                                                   "content=\"text/html; charset=gb2312\">\n")),
                     html, kThree});
    // A meta naming a UTF-16 encoding in a page that could be read byte by
    // byte means UTF-8.
    pages.push_back({"MetaCharsetUnicode",
                     page(mainTable(row(1, "003期", "13 、 32 、 34 、 35 、 41 、 46", "30") + kRow2 + kRow1),
                          "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=unicode\">"),
                     html, kThree});
    // Named references of the standard's list, and the old ones without ';'.
    pages.push_back({"EntitiesOfTheStandard",
                     page(mainTable(row(1, "003期", "13&nbsp&plus;&nbsp32&nbsp&plus;&nbsp34&nbsp&plus;&nbsp35&nbsp&plus;"
                                                    "&nbsp41&nbsp&plus;&nbsp46",
                                        "30") +
                                    kRow2 + kRow1)),
                     html, kThree});
    // An attribute whose name begins with '@' and whose value holds '>'.
    pages.push_back({"AttributeNameWithAt",
                     page(mainTable("<tr @click=\"pick(3 > 0)\"><td>1</td><td>003期</td><td @mouseover=\"tip('a > b')\">"
                                    "13 + 32 + 34 + 35 + 41 + 46</td><td>30</td></tr>\n" +
                                    kRow2 + kRow1)),
                     html, kThree});
    // A form feed is a blank inside a tag.
    pages.push_back({"FormFeedInATag",
                     page("<table\fid=\"main\">\n" + kHeader + "<tr><td\fclass=\"n\">1</td><td>003期</td><td\fclass=\"r\">"
                                                               "13 + 32 + 34 + 35 + 41 + 46</td><td>30</td></tr>\n" +
                          kRow2 + kRow1 + "</table>"),
                     html, kThree});
    // 300 elements open before the table.
    {
        std::string open, close;
        for (int i = 0; i < 300; ++i) {
            open += i % 2 ? "<span>" : "<div>";
            close = (i % 2 ? "</span>" : "</div>") + close;
        }
        pages.push_back({"DeepBeforeTheTable", page(open + mainTable(kRow3 + kRow2 + kRow1) + close), html, kThree});
    }
    // Text a browser does not show is no part of a cell's text.
    pages.push_back({"HiddenTextInACell",
                     page(mainTable(row(1, "003期", "13 + <span style=\"display: none\">99 + </span>32 + 34 + 35 + 41 + 46",
                                        "30") +
                                    row(2, "002期", "05 + 12 + <b hidden>88 + </b>23 + 34 + 45 + 49", "<i hidden>1</i>07") +
                                    kRow1)),
                     html, kThree});
    // A UTF-8 sequence cut short: one replacement character for the bytes
    // that begin it, where the separator "、" stood.
    pages.push_back({"TruncatedUtf8",
                     page(mainTable(row(1, "003期", "13 \xE3\x80 32 、 34 、 35 \xE3\x80 41 、 46", "30") + kRow2 + kRow1)),
                     html, kThree});
    return pages;
}

}  // namespace browser_pages

}  // namespace qudrim::testing
