// The histories the search benchmarks run on, built once for the whole run
// and shared by every benchmark file: a synthetic history of 10,000 draws,
// and the real history when the shared data folder is there.
#pragma once

#include "search/column_cache.h"
#include "support/history_fixture.h"

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

}  // namespace qudrim::bench
