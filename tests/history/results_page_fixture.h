// Yearly results pages for the tests of the page reader and the update run:
// the draws of a year, the site's layout in real-looking HTML, and the page
// in another encoding.
#pragma once

#include "draw/row_builder.h"
#include "draw/tables.h"

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

// A yearly page as a results site of today serves it: a head with its
// styles and scripts, a menu, the table "main" whose draw rows show each
// number as a coloured ball with its zodiac, and a footer. The draws of a
// real year (about 150) make a page of about 60 KB.
inline std::string siteYearPage(const std::vector<DrawInput>& draws, int32_t year)
{
    static const char* const colours[] = {"red", "blue", "green"};
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
        std::to_string(year) +
        "年开奖记录</title>\n<link rel=\"stylesheet\" href=\"/css/site.css\">\n<style>\n"
        ".ball{display:inline-block;width:24px;height:24px;border-radius:12px;color:#fff;text-align:center}\n"
        ".red{background:#e33}.blue{background:#36c}.green{background:#3a3}\n"
        "#main td{padding:4px 8px;border-bottom:1px solid #ddd}\n</style>\n"
        "<script>var _hm = _hm || []; (function(){ var s = document.createElement('script'); "
        "s.src = '/js/stat.js?' + Date.now(); document.head.appendChild(s); })();</script>\n</head>\n<body>\n"
        "<div class=\"header\"><a href=\"/\"><img src=\"/img/logo.png\" alt=\"开奖网\"></a>\n<ul class=\"nav\">";
    for (int32_t y = year - 5; y <= year; ++y)
        html += "<li><a href=\"/85122/kj/" + std::to_string(y) + ".html\">" + std::to_string(y) + "年</a></li>";
    html += "</ul></div>\n<div class=\"content\">\n<h2>" + std::to_string(year) +
            "年开奖结果</h2>\n<table id=\"main\" class=\"kj\" cellspacing=\"0\">\n<thead><tr><th>序号</th><th>期数</th>"
            "<th>平码</th><th>特码</th><th>生肖</th><th>波色</th></tr></thead>\n<tbody>\n";
    int n = 0;
    for (auto it = draws.rbegin(); it != draws.rend(); ++it) {
        const DrawInput& d = *it;
        const std::string inYear = std::to_string(d.issue % 1000);
        auto ball = [&](int number) {
            return "<span class=\"ball " + std::string(colours[waveColourIndex(number)]) + "\">" + twoDigits(number) +
                   "</span>";
        };
        ++n;
        html += "<tr class=\"" + std::string(n % 2 ? "odd" : "even") + "\"><td>" + std::to_string(n) +
                "</td><td><a href=\"/85122/kj/" + std::to_string(d.issue) + ".html\">" +
                std::string(3 - inYear.size(), '0') + inYear + "期</a></td><td class=\"balls\">";
        for (size_t k = 0; k < 6; ++k)
            html += (k ? " + " : "") + ball(d.numbers[k]);
        html += "</td><td>" + ball(d.numbers[6]) + "</td><td>";
        for (size_t k = 0; k < 7; ++k)
            html += std::string(k ? "/" : "") + std::string(strSxName[static_cast<size_t>(zodiacIndex(d.numbers[k], year))]);
        html += "</td><td>" + std::string(strBsName[static_cast<size_t>(waveColourIndex(d.numbers[6]))]) + "波</td></tr>\n";
    }
    html += "</tbody>\n</table>\n</div>\n<div class=\"footer\"><p>本站开奖结果仅供参考，以官方公布为准。</p>"
            "<p>&copy; " + std::to_string(year) + " 开奖网</p></div>\n</body>\n</html>\n";
    return html;
}

}  // namespace qudrim::testing
