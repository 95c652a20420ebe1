// Storing a typed draw on a long history, and the refresh the window does
// right after it: a new read view and the base-draw panel. The whole must stay well under 100 ms.
#include "draw/base_draw.h"
#include "draw/draw_entry.h"
#include "draw/row_builder.h"
#include "store/history_store.h"
#include "support/history_fixture.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>

using namespace qudrim;

namespace {

constexpr CodeBases kBases{1, 1, 1};

// A program folder holding a synthetic history of `draws` rows.
struct History {
    explicit History(int draws) : store(folder.path())
    {
        qudrim::testing::fillStore(store, qudrim::testing::syntheticHistory(draws), kBases);
        snapshot = store.snapshot();
        nextIssue = snapshot.last()->issue + 1;
    }

    // The seven boxes as the user leaves them: seven different two-digit numbers.
    std::array<std::string, 7> typedBoxes()
    {
        std::shuffle(pool.begin(), pool.end(), rng);
        std::array<std::string, 7> boxes;
        for (size_t i = 0; i < 7; ++i) {
            const int n = pool[i];
            boxes[i] = {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
        }
        return boxes;
    }

    DrawInput nextDraw()
    {
        EntryCheck check = checkEntry(typedBoxes(), std::to_string(nextIssue), snapshot.last()->issue);
        ++nextIssue;
        return *check.draw;
    }

    qudrim::testing::TempFolder folder;
    store::HistoryStore store;
    store::Snapshot snapshot;
    int32_t nextIssue = 0;
    std::mt19937 rng{42};
    std::array<int, 49> pool = [] {
        std::array<int, 49> p{};
        std::iota(p.begin(), p.end(), 1);
        return p;
    }();
};

void refreshPanel(const store::Snapshot& snapshot, PanelState& panel)
{
    // 上期 with the drawn order, and 前N期 (N = 3) with the ascending order,
    // for the zodiac: the panel reads the base draw and names its values.
    fillFromBaseDraw(panel, baseDraw(snapshot, true, 1), kDrawnOrder, kZodiac, kBases);
    fillFromBaseDraw(panel, baseDraw(snapshot, false, 3), kAscendingOrder, kZodiac, kBases);
}

// The whole road of a typed draw: check, store, new read view and the panel.
void BM_TypedDrawAndRefresh(benchmark::State& state)
{
    History h(static_cast<int>(state.range(0)));
    PanelState panel;
    for (auto _ : state) {
        const DrawInput draw = h.nextDraw();
        AddLishi(h.store, std::span(&draw, 1), kBases);
        h.snapshot = h.store.snapshot();
        refreshPanel(h.snapshot, panel);
        benchmark::DoNotOptimize(panel);
    }
    state.counters["rows"] = static_cast<double>(h.snapshot.count());
}
BENCHMARK(BM_TypedDrawAndRefresh)->Arg(10000)->Unit(benchmark::kMillisecond);

// The parts of that road on their own, to see where the time goes.
void BM_StoreOneDraw(benchmark::State& state)
{
    History h(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const DrawInput draw = h.nextDraw();
        AddLishi(h.store, std::span(&draw, 1), kBases);
    }
}
BENCHMARK(BM_StoreOneDraw)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_Snapshot(benchmark::State& state)
{
    History h(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        store::Snapshot s = h.store.snapshot();
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_Snapshot)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_Panel(benchmark::State& state)
{
    History h(static_cast<int>(state.range(0)));
    PanelState panel;
    for (auto _ : state) {
        refreshPanel(h.snapshot, panel);
        benchmark::DoNotOptimize(panel);
    }
}
BENCHMARK(BM_Panel)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
