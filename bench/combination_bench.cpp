// Speed of the combination search, grids included, on a synthetic history of
// 10,000 draws and on the real history of 4,288 draws.
//
// "Alternating" switches between two searches of the same mode, pool and
// size that rewrite many rows every time (N 9 / 2 or another kind, the other
// number order, the special number counted or not); "Repeated" runs the same
// search again and again. "Sweep" runs every mode, pool, size and kind after
// a different search and reports the slowest and the mean. Every search
// keeps the columns it reads in a cache between searches, as the window does.
//
// The window shows a search's result at the click and writes its marks when
// it is next idle: "CombinationPrepare" times the first step alone (what a
// click costs), "CombinationCommit" the second, on the pairs of
// "CombinationAlternating"; "CombinationColdPrepare" the first step with an
// empty cache, as after a start or any change to the history;
// "CombinationPreparedSweep" gives the slowest and the mean of both steps over
// the variants of "CombinationSweep".

#include "bench_histories.h"
#include "combination/combination_search.h"
#include "draw/attributes.h"
#include "search/column_cache.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <string>

namespace {

using namespace qudrim;
using namespace qudrim::bench;
using namespace qudrim::combination;


// A search with the reference values of a draw near the end of the history,
// as the panel would supply them, so that there are hits to list and count.
CombinationOptions variant(const Fixture& f, Mode mode, int kind, int k, bool pool7, int resultKind, int scope,
                           NumberOrder order, bool special, int n)
{
    CombinationOptions o;
    o.bolZyw = mode == FreePrevious || mode == FreeBack;
    o.bolSq = mode == FreePrevious || mode == FixedPrevious;
    o.intPreQi = n;
    o.intLei = static_cast<Kind>(kind);
    o.intZhWSetup = k;
    o.bolZhpm = !pool7;
    o.specialCounts = special;
    o.display.strQz = order;
    o.display.intXianshiLei = static_cast<Kind>(resultKind);
    o.display.scope = scope;
    o.display.firstIssue = f.draws.front().issue;
    o.display.lastIssue = f.draws.back().issue;
    const auto& base = f.draws[f.draws.size() - 3];
    const DrawRow row = deriveDraw(base.issue, base.numbers, GetSxYear(base.issue), {});
    for (int p = 1; p <= 7; ++p)
        o.intSqLei[static_cast<size_t>(p)] = row.at(order, p).value(o.intLei);
    return o;
}

// The partner of an alternating pair: against the draw N before, N 2 instead
// of 9; against the previous draw, the next kind. Both take the other number
// order, result kind, scope and special-number box.
std::pair<CombinationOptions, CombinationOptions> pair(const Fixture& f, Mode mode, int kind, int k, bool pool7)
{
    const bool back = mode == FreeBack || mode == FixedBack;
    CombinationOptions a = variant(f, mode, kind, k, pool7, (kind + 1) % 8, 0, kDrawnOrder, false, 9);
    CombinationOptions b = back ? variant(f, mode, kind, k, pool7, (kind + 5) % 8, 1, kAscendingOrder, true, 2)
                                : variant(f, mode, (kind + 1) % 8, k, pool7, (kind + 5) % 8, 1, kAscendingOrder, true, 9);
    return {a, b};
}

// One search, then the wait for the next command, in which the window folds
// the write-ahead log into the file: that is no part of a search.
void runOne(benchmark::State& state, Fixture& f, const CombinationOptions& o)
{
    const auto r = runCombinationSearch(f.store->db(), o, f.cache.get());
    benchmark::DoNotOptimize(r.tally.data());
    state.counters["hits"] = static_cast<double>(r.hits.size());
    state.PauseTiming();
    f.store->checkpoint(store::CheckpointMode::Passive);
    state.ResumeTiming();
}

// Args: history, mode, kind, k, pool (7 or 6).
void BM_CombinationAlternating(benchmark::State& state)
{
    auto& f = fixture(static_cast<History>(state.range(0)));
    const auto [a, b] = pair(f, static_cast<Mode>(state.range(1)), static_cast<int>(state.range(2)),
                             static_cast<int>(state.range(3)), state.range(4) == 7);
    bool flip = false;
    for (auto _ : state) {
        runOne(state, f, flip ? b : a);
        flip = !flip;
    }
}

void BM_CombinationRepeated(benchmark::State& state)
{
    auto& f = fixture(static_cast<History>(state.range(0)));
    const auto o = pair(f, static_cast<Mode>(state.range(1)), static_cast<int>(state.range(2)),
                        static_cast<int>(state.range(3)), state.range(4) == 7)
                       .first;
    for (auto _ : state)
        runOne(state, f, o);
}

// The alternating pair of every mode, pool, size and kind.
template <class Visit>
void forEachPair(const Fixture& f, Visit&& visit)
{
    for (int mode = 0; mode < 4; ++mode)
        for (int pool : {6, 7})
            for (int k = 1; k <= 6; ++k)
                for (int kind = 0; kind < 8; ++kind) {
                    const auto [a, b] = pair(f, static_cast<Mode>(mode), kind, k, pool == 7);
                    visit(a, b);
                }
}

// Every mode, pool, size and kind, each after its alternating partner.
void BM_CombinationSweep(benchmark::State& state)
{
    auto& f = fixture(static_cast<History>(state.range(0)));
    double slowest = 0, total = 0;
    int64_t searches = 0;
    auto timed = [&](const CombinationOptions& o) {
        const auto start = std::chrono::steady_clock::now();
        const auto r = runCombinationSearch(f.store->db(), o, f.cache.get());
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        benchmark::DoNotOptimize(r.tally.data());
        f.store->checkpoint(store::CheckpointMode::Passive);
        return took.count();
    };
    for (auto _ : state) {
        forEachPair(f, [&](const CombinationOptions& a, const CombinationOptions& b) {
            timed(b);
            const double took = timed(a);
            slowest = std::max(slowest, took);
            total += took;
            ++searches;
        });
    }
    state.counters["variants"] = static_cast<double>(searches);
    state.counters["alt_slowest_ms"] = slowest;
    state.counters["alt_mean_ms"] = total / static_cast<double>(searches);
}

// Args: history, mode, kind, k, pool (7 or 6), step (0 prepare, 1 commit).
void BM_CombinationPreparedAlternating(benchmark::State& state)
{
    auto& f = fixture(static_cast<History>(state.range(0)));
    // A pair, not structured bindings: clang 14 cannot capture those.
    const auto both = pair(f, static_cast<Mode>(state.range(1)), static_cast<int>(state.range(2)),
                           static_cast<int>(state.range(3)), state.range(4) == 7);
    alternatingStep(state, f, static_cast<Step>(state.range(5)), [&](bool flip) {
        return prepareCombinationSearch(f.store->db(), flip ? both.second : both.first, f.cache.get());
    });
}

// Args: history, mode, kind, k, pool; the first search of
// BM_CombinationAlternating's pair with an empty cache.
void BM_CombinationColdPrepare(benchmark::State& state)
{
    auto& f = fixture(static_cast<History>(state.range(0)));
    const auto o = pair(f, static_cast<Mode>(state.range(1)), static_cast<int>(state.range(2)),
                        static_cast<int>(state.range(3)), state.range(4) == 7)
                       .first;
    coldPrepare(state, f, [&] { return prepareCombinationSearch(f.store->db(), o, f.cache.get()); });
}

// The variants of BM_CombinationSweep, each after its alternating partner:
// the slowest and the mean of each step.
void BM_CombinationPreparedSweep(benchmark::State& state)
{
    auto& f = fixture(static_cast<History>(state.range(0)));
    StepSpread prepared, committed;
    for (auto _ : state) {
        forEachPair(f, [&](const CombinationOptions& a, const CombinationOptions& b) {
            timedSteps(f, [&] { return prepareCombinationSearch(f.store->db(), b, f.cache.get()); });
            const StepTimes t = timedSteps(f, [&] { return prepareCombinationSearch(f.store->db(), a, f.cache.get()); });
            prepared.add(t.prepareMs);
            committed.add(t.commitMs);
        });
    }
    state.counters["variants"] = static_cast<double>(prepared.count);
    prepared.report(state, "prep_alt");
    committed.report(state, "commit_alt");
}

void registerAll()
{
    for (History h : availableHistories()) {
        const std::string hname = historyName(h);
        for (int mode = 0; mode < 4; ++mode)
            for (int pool : {6, 7})
                for (int k = 1; k <= 6; ++k) {
                    const std::string suffix = "/" + hname + "/" + kModeNames[mode] + "/" +
                                               (pool == 7 ? "平特" : "平码") + "/k" + std::to_string(k);
                    benchmark::RegisterBenchmark(("CombinationAlternating" + suffix).c_str(), BM_CombinationAlternating)
                        ->Args({h, mode, kZodiac, k, pool})
                        ->Unit(benchmark::kMillisecond);
                    if (k == 4)
                        benchmark::RegisterBenchmark(("CombinationRepeated" + suffix).c_str(), BM_CombinationRepeated)
                            ->Args({h, mode, kZodiac, k, pool})
                            ->Unit(benchmark::kMillisecond);
                }
        benchmark::RegisterBenchmark(("CombinationSweep/" + hname).c_str(), BM_CombinationSweep)
            ->Args({h})
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
        for (int mode = 0; mode < 4; ++mode)
            for (int pool : {6, 7})
                for (int k = 1; k <= 6; ++k)
                    for (Step step : {Step::Prepare, Step::Commit}) {
                        const std::string name = std::string(step == Step::Prepare ? "CombinationPrepare/"
                                                                                    : "CombinationCommit/") +
                                                 hname + "/" + kModeNames[mode] + "/" + (pool == 7 ? "平特" : "平码") +
                                                 "/k" + std::to_string(k);
                        benchmark::RegisterBenchmark(name.c_str(), BM_CombinationPreparedAlternating)
                            ->Args({h, mode, kZodiac, k, pool, static_cast<int>(step)})
                            ->UseManualTime()
                            // Each timed step costs the untimed other one too.
                            ->Iterations(20)
                            ->Unit(benchmark::kMillisecond);
                    }
        for (int mode = 0; mode < 4; ++mode)
            benchmark::RegisterBenchmark(
                ("CombinationColdPrepare/" + hname + "/" + kModeNames[mode] + "/平特/k3").c_str(),
                BM_CombinationColdPrepare)
                ->Args({h, mode, kZodiac, 3, 7})
                ->UseManualTime()
                ->Iterations(10)
                ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("CombinationPreparedSweep/" + hname).c_str(), BM_CombinationPreparedSweep)
            ->Args({h})
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
}

const bool registered = (registerAll(), true);

}  // namespace
