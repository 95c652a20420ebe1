// Yearly results pages for the tests of the page reader and the update run:
// the draws of a year, the site's layout in real-looking HTML, and the page
// in another encoding.
#pragma once

#include "draw/row_builder.h"

#include <iconv.h>

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

namespace qudrim::testing {

// Draw `q` of `year`: seven different numbers that change from draw to draw.
inline DrawInput drawOf(int32_t year, int q)
{
    DrawInput d;
    d.issue = year * 1000 + q;
    d.zodiacIssue = d.issue;
    for (int i = 0; i < 7; ++i)
        d.numbers[static_cast<size_t>(i)] = (q * 3 + year + 7 * i) % 49 + 1;
    return d;
}

inline std::vector<DrawInput> drawsOf(int32_t year, int from, int to)
{
    std::vector<DrawInput> draws;
    for (int q = from; q <= to; ++q)
        draws.push_back(drawOf(year, q));
    return draws;
}

inline std::vector<DrawInput> joined(std::initializer_list<std::vector<DrawInput>> parts)
{
    std::vector<DrawInput> all;
    for (const auto& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

struct PageRow {
    std::string issue;     // cell 1
    std::string regulars;  // cell 2
    std::string special;   // cell 3
};

// A page in the site's layout: a head with scripts and styles, a menu
// table before the results, the table "main" with its header row and one
// row per draw, newest first, and a table after it. Cell 0 of the draw rows
// counts them from 1.
inline std::string resultsPage(const std::vector<PageRow>& rows, const std::string& head = "<meta charset=\"utf-8\">")
{
    std::string html = "<!DOCTYPE html>\n<html><head>" + head +
                       "<title>2016年开奖结果</title>\n"
                       "<style>td { color: red }</style><script>var main = '<table id=\"x\">';</script>\n"
                       "</head><body>\n<table class=\"menu\"><tr><td>首页</td><td>001</td><td>03 11</td><td>07</td></tr></table>\n"
                       "<table id=\"main\" width=\"100%\">\n<tr><th>序</th><th>期数</th><th>平码</th><th>特码</th></tr>\n";
    int n = 0;
    for (const PageRow& r : rows)
        html += "<tr><td>" + std::to_string(++n) + "</td><td>" + r.issue + "</td><td>" + r.regulars + "</td><td>" +
                r.special + "</td></tr>\n";
    html += "</table>\n<table><tr><td>备注</td></tr></table></body></html>\n";
    return html;
}

inline std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// The rows of `draws` (oldest first, as stored) as the page lists them:
// newest first, the regular numbers apart by `separator`.
inline std::vector<PageRow> pageRows(const std::vector<DrawInput>& draws, const std::string& separator = " + ")
{
    std::vector<PageRow> rows;
    for (auto it = draws.rbegin(); it != draws.rend(); ++it) {
        PageRow r;
        const std::string inYear = std::to_string(it->issue % 1000);
        r.issue = std::string(3 - inYear.size(), '0') + inYear + "期";
        for (size_t k = 0; k < 6; ++k)
            r.regulars += (k ? separator : "") + twoDigits(it->numbers[k]);
        r.special = twoDigits(it->numbers[6]);
        rows.push_back(r);
    }
    return rows;
}

inline std::string converted(const std::string& utf8, const char* encoding)
{
    iconv_t cd = iconv_open(encoding, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("no converter to ") + encoding);
    std::string in = utf8, out(utf8.size() * 4 + 16, '\0');
    char* src = in.data();
    char* dst = out.data();
    size_t srcLeft = in.size(), dstLeft = out.size();
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1))
        throw std::runtime_error(std::string("not convertible to ") + encoding);
    out.resize(out.size() - dstLeft);
    return out;
}

inline std::string toGbk(const std::string& utf8) { return converted(utf8, "GBK"); }

// `page` with `bytes` put into cell 0 of its draw row `row` (counted from 1,
// top down), a cell the reader never looks at.
inline std::string withBytesInRow(std::string page, int row, const std::string& bytes)
{
    const std::string cell = "<tr><td>" + std::to_string(row) + "</td>";
    const size_t at = page.find(cell);
    if (at == std::string::npos)
        throw std::invalid_argument("no row " + std::to_string(row));
    page.insert(at + cell.size() - 5, bytes);
    return page;
}

}  // namespace qudrim::testing
