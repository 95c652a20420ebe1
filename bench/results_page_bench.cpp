// Reading a yearly results page as it arrives: a real year's page of the
// site's layout (the draws of 2024 from the real history, about 60 KB), the
// same rows repeated to a page of a megabyte, and the slowest pages of a
// megabyte found, made to keep an HTML parser busy. Target: each read ends,
// or is refused, well within a second of the page's arrival.
//
// Without the parse budget, on the same machine, the parser alone took:
// a megabyte of "<div>" more than 120 s, of "<b>" 42 s, of "<a><div>" 115 s,
// 512 "<span>" and then "</x>" to a megabyte 1.8 s, one element with
// 125,000 attributes 100 s.
#include "history/results_page.h"
#include "history/results_page_fixture.h"
#include "support/history_fixture.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using namespace qudrim::history;

std::string repeated(const std::string& unit, size_t bytes, const std::string& prefix = "<html><body>")
{
    std::string s = prefix;
    while (s.size() + unit.size() <= bytes)
        s += unit;
    return s;
}

const size_t kFull = kMaxPageBytes - 1024;

std::vector<qudrim::DrawInput> yearOf(int32_t year)
{
    std::vector<qudrim::DrawInput> draws;
    if (std::filesystem::exists(qudrim::testing::realHistoryFile()))
        for (const qudrim::DrawInput& d : qudrim::testing::loadRealHistory())
            if (d.issue / 1000 == year)
                draws.push_back(d);
    if (draws.empty())
        draws = qudrim::testing::drawsOf(year, 1, 150);
    return draws;
}

const std::string& realYearPage()
{
    static const std::string page = qudrim::testing::siteYearPage(yearOf(2024), 2024);
    return page;
}

void readPage(benchmark::State& state, const std::string& page, int32_t year = 2024)
{
    PageProblem problem = PageProblem::None;
    size_t draws = 0;
    for (auto _ : state) {
        const ResultsPage read = ReadKjYear(page, "text/html", year, 0);
        problem = read.problem;
        draws = read.draws.size();
        benchmark::DoNotOptimize(read.draws.data());
    }
    state.counters["bytes"] = static_cast<double>(page.size());
    state.counters["draws"] = static_cast<double>(draws);
    state.counters["refused"] = problem == PageProblem::TooComplex || problem == PageProblem::TooLarge;
}

void BM_ReadRealYearPage(benchmark::State& state) { readPage(state, realYearPage()); }
BENCHMARK(BM_ReadRealYearPage)->Unit(benchmark::kMillisecond);

// The real year's rows again and again: a megabyte that is read.
void BM_ReadMegabyteOfRows(benchmark::State& state)
{
    const std::string& year = realYearPage();
    const size_t start = year.find("<tbody>") + 7, end = year.find("</tbody>");
    const std::string rows = year.substr(start, end - start);
    std::string page = year.substr(0, end);
    while (page.size() + rows.size() + (year.size() - end) <= kMaxPageBytes)
        page += rows;
    page += year.substr(end);
    readPage(state, page);
}
BENCHMARK(BM_ReadMegabyteOfRows)->Unit(benchmark::kMillisecond);

std::string uniqueAttributes()
{
    std::string s = "<html><body><table";
    for (size_t i = 0; s.size() < kFull; ++i)
        s += " a" + std::to_string(i);
    return s + ">";
}

std::string uniqueFormatting()
{
    std::string s = "<html><body>";
    for (size_t i = 0; s.size() < kFull - 16; ++i)
        s += "<b a" + std::to_string(i) + ">";
    return s;
}

void BM_ReadHostilePage(benchmark::State& state, const std::string& page) { readPage(state, page); }
BENCHMARK_CAPTURE(BM_ReadHostilePage, Divs, repeated("<div>", kFull))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_ReadHostilePage, NinetyThousandDivs, repeated("<div>", 5 * 90000))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ReadHostilePage, UnclosedTables, repeated("<table>", kFull))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ReadHostilePage, FormattingElements, repeated("<b>", kFull))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ReadHostilePage, ThirtyThousandFormattingElements, repeated("<b><i>", 6 * 30000))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ReadHostilePage, LinksAroundBlocks, repeated("<a><div>", kFull))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ReadHostilePage, UniqueFormattingElements, uniqueFormatting())
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ReadHostilePage, EndTagsUnderDeepNesting,
                  repeated("</x>", kFull, "<html><body>" + repeated("<span>", 6 * 512, "")))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ReadHostilePage, UniqueAttributes, uniqueAttributes())
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ReadHostilePage, MetaTags, repeated("<meta charset=gbk ", kFull))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_ReadHostilePage, Comments, repeated("<!---->", kFull))->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_ReadHostilePage, ThreeMegabytesOfMeta, repeated("<meta", 3 * 1024 * 1024))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
