// The histories the search benchmarks run on, built once for the whole run
// and shared by every benchmark file: a synthetic history of 10,000 draws,
// and the real history when the shared data folder is there.
#pragma once

#include "search/column_cache.h"
#include "search/pending_marks.h"
#include "support/history_fixture.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qudrim::bench {

// The four ways of comparing: free or fixed positions, against the previous
// draw or the draw N before (N = 9, alternating with 2).
enum Mode { FreePrevious, FreeBack, FixedPrevious, FixedBack };
inline constexpr const char* kModeNames[] = {"FreePrevious", "FreeBack9", "FixedPrevious", "FixedBack9"};

enum History { Synthetic, Real };

struct Fixture {
    std::unique_ptr<testing::TempFolder> folder;
    std::unique_ptr<store::HistoryStore> store;
    std::vector<DrawInput> draws;
    std::unique_ptr<search::ColumnCache> cache = std::make_unique<search::ColumnCache>();
};

inline Fixture& fixture(History h)
{
    static std::map<History, Fixture> fixtures;
    auto it = fixtures.find(h);
    if (it == fixtures.end()) {
        Fixture f;
        f.folder = std::make_unique<testing::TempFolder>();
        f.store = std::make_unique<store::HistoryStore>(f.folder->path());
        f.draws = h == Synthetic ? testing::syntheticHistory(10000) : testing::loadRealHistory();
        testing::fillStore(*f.store, f.draws);
        it = fixtures.emplace(h, std::move(f)).first;
    }
    return it->second;
}

// The histories to register benchmarks for: the real one only when its file
// is there, so that a checkout without the shared data still runs the rest.
inline std::vector<History> availableHistories()
{
    std::vector<History> histories{Synthetic};
    if (std::filesystem::exists(testing::realHistoryFile()))
        histories.push_back(Real);
    return histories;
}

inline std::string historyName(History h) { return h == Synthetic ? "synthetic10k" : "real"; }

// The two steps of a search as the window takes them: worked out and shown
// at the click, nothing written (Prepare); its marks written when the window
// is next idle (Commit).
enum class Step { Prepare, Commit };

struct StepTimes {
    double prepareMs = 0;
    double commitMs = 0;
};

// One search prepared, its marks committed, and the write-ahead log folded
// into the file as the window does while it waits (untimed).
template <class Prepare>
StepTimes timedSteps(Fixture& f, Prepare&& prepare, size_t* hits = nullptr)
{
    using Clock = std::chrono::steady_clock;
    using Ms = std::chrono::duration<double, std::milli>;
    const auto start = Clock::now();
    search::PreparedSearch p = prepare();
    const auto prepared = Clock::now();
    p.marks.commit(f.store->db());
    const auto committed = Clock::now();
    benchmark::DoNotOptimize(p.result.tally.data());
    f.store->checkpoint(store::CheckpointMode::Passive);
    if (hits)
        *hits = p.result.hits.size();
    return {Ms(prepared - start).count(), Ms(committed - prepared).count()};
}

// Times one step of two searches taken in turn, the other step untimed.
// Both searches run once first, so that their columns are in the cache, as
// they are from a session's second search of a kind on; the first, which
// reads them from the table, is ColdPrepare's. Register with UseManualTime().
template <class Prepare>
void alternatingStep(benchmark::State& state, Fixture& f, Step step, Prepare&& prepare)
{
    timedSteps(f, [&] { return prepare(false); });
    timedSteps(f, [&] { return prepare(true); });
    const size_t readsBefore = f.cache->tableReads();
    bool flip = false;
    for (auto _ : state) {
        size_t hits = 0;
        const StepTimes t = timedSteps(f, [&] { return prepare(flip); }, &hits);
        state.SetIterationTime((step == Step::Prepare ? t.prepareMs : t.commitMs) / 1000.0);
        state.counters["hits"] = static_cast<double>(hits);
        flip = !flip;
    }
    // Should be 0: the cache serves every timed search.
    state.counters["table_reads"] = static_cast<double>(f.cache->tableReads() - readsBefore);
}

// Times the preparing of a search with an empty cache, as after a start or
// any change to the history: it reads its columns from the table. Register
// with UseManualTime().
template <class Prepare>
void coldPrepare(benchmark::State& state, Fixture& f, Prepare&& prepare)
{
    for (auto _ : state) {
        f.cache->invalidate();
        size_t hits = 0;
        const StepTimes t = timedSteps(f, prepare, &hits);
        state.SetIterationTime(t.prepareMs / 1000.0);
        state.counters["hits"] = static_cast<double>(hits);
    }
}

// The slowest and the mean of a step over a sweep.
struct StepSpread {
    double slowest = 0, total = 0;
    int64_t count = 0;
    void add(double ms)
    {
        slowest = std::max(slowest, ms);
        total += ms;
        ++count;
    }
    void report(benchmark::State& state, const std::string& name) const
    {
        state.counters[name + "_slowest_ms"] = slowest;
        state.counters[name + "_mean_ms"] = count ? total / static_cast<double>(count) : 0;
    }
};

}  // namespace qudrim::bench
