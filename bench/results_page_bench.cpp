// Reading a yearly results page as it arrives: a real-sized page, and the
// pages made to keep an HTML parser busy (a page of "<meta" repeated, one
// element with 40,000 attributes, one with a million). Target: each read
// ends, or is refused, within a second of the page's arrival.
//
// Before the page was decoded and cut down ahead of the parser, on the same
// machine: 3 MB of "<meta" 95 s (of "<meta " 35 s), 40,000 attributes
// (390 KB) 5.6 s, a million attributes not done after 600 s.
#include "history/results_page.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace qudrim::history;

std::string repeated(const std::string& unit, size_t bytes)
{
    std::string s = "<html><head>";
    while (s.size() < bytes)
        s += unit;
    return s;
}

// A page of the results site's size: 150 draws of a year, newest first.
std::string yearPage(const std::string& tableAttributes = {})
{
    std::string html = "<html><head><meta charset=\"utf-8\"><title>开奖结果</title></head><body>\n<table" +
                       tableAttributes +
                       " id=\"main\">\n<tr><th>序</th><th>期数</th><th>平码</th><th>特码</th></tr>\n";
    for (int q = 150; q >= 1; --q) {
        std::string numbers;
        for (int k = 0; k < 6; ++k) {
            const int n = (q * 7 + k * 8) % 49 + 1;
            numbers += (k ? " + " : "") + std::string(n < 10 ? "0" : "") + std::to_string(n);
        }
        const std::string issue = std::to_string(1000 + q).substr(1);
        html += "<tr><td>" + std::to_string(q) + "</td><td>" + issue + "期</td><td><span class=\"n\">" + numbers +
                "</span></td><td><b>07</b></td></tr>\n";
    }
    return html + "</table></body></html>\n";
}

std::string attributes(size_t count)
{
    std::string s;
    for (size_t i = 0; i < count; ++i)
        s += " a" + std::to_string(i) + "=\"x\"";
    return s;
}

void readPage(benchmark::State& state, const std::string& page)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadKjYear(page, "text/html", 2016, 0));
    state.counters["bytes"] = static_cast<double>(page.size());
}

void BM_ReadYearPage(benchmark::State& state) { readPage(state, yearPage()); }
BENCHMARK(BM_ReadYearPage)->Unit(benchmark::kMillisecond);

void BM_ReadMetaPage3MB(benchmark::State& state) { readPage(state, repeated("<meta", 3 * 1024 * 1024)); }
BENCHMARK(BM_ReadMetaPage3MB)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReadMetaPageWithinTheLimit(benchmark::State& state) { readPage(state, repeated("<meta ", kMaxPageBytes - 64)); }
BENCHMARK(BM_ReadMetaPageWithinTheLimit)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ReadCommentsPage(benchmark::State& state) { readPage(state, repeated("<!---->", kMaxPageBytes - 64)); }
BENCHMARK(BM_ReadCommentsPage)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Read40000Attributes(benchmark::State& state) { readPage(state, yearPage(attributes(40000))); }
BENCHMARK(BM_Read40000Attributes)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Read1000000Attributes(benchmark::State& state) { readPage(state, yearPage(attributes(1000000))); }
BENCHMARK(BM_Read1000000Attributes)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
