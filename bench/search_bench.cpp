// Speed of the position search, grids included, on a synthetic history of
// 10,000 draws and on the real history of 4,288 draws.
//
// "Repeated" runs the same search again and again, so after the first run
// the rewrites find nothing to change; "Alternating" switches between two
// searches that rewrite many rows every time (N 9 / 2 or another kind, the
// other number order), the worst case for the writes. "Sweep" runs every
// variant, first after a different one and then repeated, and reports the
// slowest and mean of each. Every search keeps the columns it reads in a
// cache between searches, as the window does; the "NoCache" runs read them
// from the table every time.
//
// The window shows a search's result at the click and writes its marks when
// it is next idle: "Prepare" times the first step alone (what a click costs),
// "Commit" the second, on the pairs of "Alternating"; "ColdPrepare" the first
// step with an empty cache, as after a start or any change to the history;
// "PreparedSweep" gives the slowest and the mean of both steps over every
// variant.

#include "bench_histories.h"
#include "draw/attributes.h"
#include "search/column_cache.h"
#include "search/position_search.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>

namespace {

using namespace qudrim;
using namespace qudrim::bench;
using namespace qudrim::search;


// A search of the given shape with reference values taken from a draw near
// the end of the history, as the panel would supply them, so that there are
// hits to list and count.
SearchOptions variant(const Fixture& f, Mode mode, int kind, int positions, int resultKind, int scope,
                      NumberOrder order = kDrawnOrder, bool special = false, int n = 9)
{
    SearchOptions o;
    o.bolZyw = mode == FreePrevious || mode == FreeBack;
    o.bolSq = mode == FreePrevious || mode == FixedPrevious;
    o.intPreQi = n;
    o.intLei = static_cast<Kind>(kind);
    o.specialCounts = special;
    o.display.strQz = order;
    o.display.intXianshiLei = static_cast<Kind>(resultKind);
    o.display.scope = scope;
    o.display.firstIssue = f.draws.front().issue;
    o.display.lastIssue = f.draws.back().issue;
    const auto& base = f.draws[f.draws.size() - 3];
    const DrawRow row = deriveDraw(base.issue, base.numbers, GetSxYear(base.issue), {});
    for (int p = 1; p <= positions; ++p) {
        // Positions counted from 7 down, so that one position is the special number.
        const int pos = 8 - p;
        o.bolWei[static_cast<size_t>(pos)] = true;
        o.intSqLei[static_cast<size_t>(pos)] = row.at(order, pos).value(o.intLei);
    }
    return o;
}

void runOne(benchmark::State& state, Fixture& f, const SearchOptions& o, bool cached)
{
    const auto r = runPositionSearch(f.store->db(), o, cached ? f.cache.get() : nullptr);
    benchmark::DoNotOptimize(r.tally.data());
    state.counters["hits"] = static_cast<double>(r.hits.size());
}

// The window folds the write-ahead log into the file while it waits for the
// next command, as here between two searches; that is no part of a search.
void idle(benchmark::State& state, store::HistoryStore& s)
{
    state.PauseTiming();
    s.checkpoint(store::CheckpointMode::Passive);
    state.ResumeTiming();
}

// Args: history, mode, kind, positions, cached.
void BM_Repeated(benchmark::State& state)
{
    auto& f = fixture(static_cast<History>(state.range(0)));
    const auto o = variant(f, static_cast<Mode>(state.range(1)), static_cast<int>(state.range(2)),
                           static_cast<int>(state.range(3)), static_cast<int>((state.range(2) + 1) % 8), 0);
    for (auto _ : state) {
        runOne(state, f, o, state.range(4) != 0);
        idle(state, *f.store);
    }
}

// Two searches that rewrite much of what the other left: against the draw
// N before, N 9 and 2; against the previous draw, the kind and the next one;
// each with the other number order, result kind, scope and special-number box.
std::pair<SearchOptions, SearchOptions> alternatingPair(const Fixture& f, Mode mode, int kind, int positions)
{
    const bool back = mode == FreeBack || mode == FixedBack;
    SearchOptions a = variant(f, mode, kind, positions, (kind + 1) % 8, 0, kDrawnOrder, false, 9);
    SearchOptions b = back ? variant(f, mode, kind, positions, (kind + 5) % 8, 1, kAscendingOrder, true, 2)
                           : variant(f, mode, (kind + 1) % 8, positions, (kind + 5) % 8, 1, kAscendingOrder, true, 9);
    return {a, b};
}

// Args: history, mode, kind, positions, cached; alternates with N = 2 (前N期) or the
// next kind (上期), and with the other number order.
void BM_Alternating(benchmark::State& state)
{
    auto& f = fixture(static_cast<History>(state.range(0)));
    const auto [a, b] = alternatingPair(f, static_cast<Mode>(state.range(1)), static_cast<int>(state.range(2)),
                                        static_cast<int>(state.range(3)));
    bool flip = false;
    for (auto _ : state) {
        runOne(state, f, flip ? b : a, state.range(4) != 0);
        idle(state, *f.store);
        flip = !flip;
    }
}

// Every mode, search kind and number of positions, each with another result
// kind, scope, number order and special-number box than the one before.
template <class Visit>
void forEachVariant(const Fixture& f, Visit&& visit)
{
    int turn = 0;
    for (int mode = 0; mode < 4; ++mode)
        for (int kind = 0; kind < 8; ++kind)
            for (int positions = 1; positions <= 7; ++positions, ++turn)
                visit(variant(f, static_cast<Mode>(mode), kind, positions, turn % 8, turn % 3,
                              turn % 2 ? kAscendingOrder : kDrawnOrder, turn % 4 < 2, 9));
}

// Every mode, search kind, number of positions, result kind and scope. Each
// variant runs twice: its first run follows a different variant and rewrites
// what that one left (the alternating cost), its second run repeats it (the
// repeated cost). Reports the slowest and the mean of both. Args: history,
// cached.
void BM_Sweep(benchmark::State& state)
{
    auto& f = fixture(static_cast<History>(state.range(0)));
    ColumnCache* cache = state.range(1) != 0 ? f.cache.get() : nullptr;
    double slowestFirst = 0, slowestRepeat = 0, totalFirst = 0, totalRepeat = 0;
    int64_t searches = 0;
    auto timed = [&](const SearchOptions& o) {
        const auto start = std::chrono::steady_clock::now();
        const auto r = runPositionSearch(f.store->db(), o, cache);
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        benchmark::DoNotOptimize(r.tally.data());
        f.store->checkpoint(store::CheckpointMode::Passive);
        return took.count();
    };
    for (auto _ : state) {
        forEachVariant(f, [&](const SearchOptions& o) {
            const double first = timed(o);
            const double repeat = timed(o);
            slowestFirst = std::max(slowestFirst, first);
            slowestRepeat = std::max(slowestRepeat, repeat);
            totalFirst += first;
            totalRepeat += repeat;
            ++searches;
        });
    }
    state.counters["variants"] = static_cast<double>(searches);
    state.counters["alt_slowest_ms"] = slowestFirst;
    state.counters["alt_mean_ms"] = totalFirst / static_cast<double>(searches);
    state.counters["rep_slowest_ms"] = slowestRepeat;
    state.counters["rep_mean_ms"] = totalRepeat / static_cast<double>(searches);
}

// Args: history, mode, kind, positions, step (0 prepare, 1 commit); the pairs
// of BM_Alternating, with the cache.
void BM_PreparedAlternating(benchmark::State& state)
{
    auto& f = fixture(static_cast<History>(state.range(0)));
    // A pair, not structured bindings: clang 14 cannot capture those.
    const auto both = alternatingPair(f, static_cast<Mode>(state.range(1)), static_cast<int>(state.range(2)),
                                      static_cast<int>(state.range(3)));
    alternatingStep(state, f, static_cast<Step>(state.range(4)), [&](bool flip) {
        return preparePositionSearch(f.store->db(), flip ? both.second : both.first, f.cache.get());
    });
}

// Args: history, mode, kind, positions; the first search of BM_Alternating's
// pair with an empty cache.
void BM_ColdPrepare(benchmark::State& state)
{
    auto& f = fixture(static_cast<History>(state.range(0)));
    const auto o = alternatingPair(f, static_cast<Mode>(state.range(1)), static_cast<int>(state.range(2)),
                                   static_cast<int>(state.range(3)))
                       .first;
    coldPrepare(state, f, [&] { return preparePositionSearch(f.store->db(), o, f.cache.get()); });
}

// The variants of BM_Sweep, in the same order, with the cache: the slowest
// and the mean of each step, after a different variant and repeated.
void BM_PreparedSweep(benchmark::State& state)
{
    auto& f = fixture(static_cast<History>(state.range(0)));
    StepSpread prepareFirst, prepareRepeat, commitFirst, commitRepeat;
    for (auto _ : state) {
        forEachVariant(f, [&](const SearchOptions& o) {
            auto prepare = [&] { return preparePositionSearch(f.store->db(), o, f.cache.get()); };
            const StepTimes first = timedSteps(f, prepare);
            const StepTimes repeat = timedSteps(f, prepare);
            prepareFirst.add(first.prepareMs);
            commitFirst.add(first.commitMs);
            prepareRepeat.add(repeat.prepareMs);
            commitRepeat.add(repeat.commitMs);
        });
    }
    state.counters["variants"] = static_cast<double>(prepareFirst.count);
    prepareFirst.report(state, "prep_alt");
    prepareRepeat.report(state, "prep_rep");
    commitFirst.report(state, "commit_alt");
    commitRepeat.report(state, "commit_rep");
}

void registerAll()
{
    for (History h : availableHistories()) {
        const std::string hname = historyName(h);
        for (int cached : {1, 0}) {
            // Without the cache only the synthetic history, for comparison.
            if (!cached && h == Real)
                continue;
            const std::string how = cached ? "" : "NoCache";
            for (int mode = 0; mode < 4; ++mode)
                for (int kind : {kNumber, kZodiac, kDigitSum, kParity})
                    for (int positions : {1, 7}) {
                        const std::string suffix = "/" + hname + "/" + kModeNames[mode] + "/" +
                                                   std::string(kKindCaptions[static_cast<size_t>(kind)]) + "/" +
                                                   std::to_string(positions) + "pos";
                        benchmark::RegisterBenchmark(("Repeated" + how + suffix).c_str(), BM_Repeated)
                            ->Args({h, mode, kind, positions, cached})
                            ->Unit(benchmark::kMillisecond);
                        benchmark::RegisterBenchmark(("Alternating" + how + suffix).c_str(), BM_Alternating)
                            ->Args({h, mode, kind, positions, cached})
                            ->Unit(benchmark::kMillisecond);
                    }
            benchmark::RegisterBenchmark(("Sweep" + how + "/" + hname).c_str(), BM_Sweep)
                ->Args({h, cached})
                ->Iterations(1)
                ->Unit(benchmark::kMillisecond);
        }
        for (int mode = 0; mode < 4; ++mode)
            for (int kind : {kNumber, kZodiac, kDigitSum, kParity})
                for (int positions : {1, 7})
                    for (Step step : {Step::Prepare, Step::Commit}) {
                        const std::string name = std::string(step == Step::Prepare ? "Prepare" : "Commit") + "/" +
                                                 hname + "/" + kModeNames[mode] + "/" +
                                                 std::string(kKindCaptions[static_cast<size_t>(kind)]) + "/" +
                                                 std::to_string(positions) + "pos";
                        benchmark::RegisterBenchmark(name.c_str(), BM_PreparedAlternating)
                            ->Args({h, mode, kind, positions, static_cast<int>(step)})
                            ->UseManualTime()
                            // Each timed step costs the untimed other one too.
                            ->Iterations(20)
                            ->Unit(benchmark::kMillisecond);
                    }
        for (int mode = 0; mode < 4; ++mode)
            benchmark::RegisterBenchmark(("ColdPrepare/" + hname + "/" + kModeNames[mode] + "/号码/1pos").c_str(),
                                         BM_ColdPrepare)
                ->Args({h, mode, kNumber, 1})
                ->UseManualTime()
                ->Iterations(10)
                ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("PreparedSweep/" + hname).c_str(), BM_PreparedSweep)
            ->Args({h})
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
}

const bool registered = (registerAll(), true);

}  // namespace
