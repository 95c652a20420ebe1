// The history commands on long histories: importing a history file (the real
// one and 10,000 synthetic draws), and trimming one draw off 10,000 (the
// kept draws chosen from a fresh read view, "lsbf.txt" written, the history
// rebuilt from it and read again, the file compacted). Targets: 0.5 s for
// the real import, 1 s for 10,000 draws, 1.5 s for the trim.
#include "history/history_file.h"
#include "history/rebuild.h"
#include "history/trim.h"
#include "store/history_store.h"
#include "support/history_fixture.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace qudrim;

namespace {

constexpr CodeBases kBases{1, 1, 1};

// A program folder whose history holds `draws` already, as before a command.
struct Folder {
    explicit Folder(const std::vector<DrawInput>& draws) : store(folder.path())
    {
        qudrim::testing::fillStore(store, draws, kBases);
    }
    qudrim::testing::TempFolder folder;
    store::HistoryStore store;
};

void importFile(benchmark::State& state, const std::filesystem::path& file, size_t expected)
{
    Folder f(qudrim::testing::syntheticHistory(200, 3));
    for (auto _ : state) {
        const auto r = history::RebuildLishi(f.store, file, 2026001, PreListMode::Unwritten, kBases,
                                             history::EmptyFile::Refuse);
        if (r.status != history::RebuildStatus::Rebuilt || r.draws != expected) {
            state.SkipWithError("the import failed");
            return;
        }
        // The window's read view of the new history.
        benchmark::DoNotOptimize(f.store.snapshot());
    }
}

void BM_ImportRealHistory(benchmark::State& state)
{
    const auto file = qudrim::testing::realHistoryFile();
    if (!std::filesystem::exists(file)) {
        state.SkipWithError("no real history in the shared data folder");
        return;
    }
    importFile(state, file, 4288);
}
BENCHMARK(BM_ImportRealHistory)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ImportSyntheticHistory(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    qudrim::testing::TempFolder source;
    const auto file = source.path() / "history.txt";
    history::writeHistoryFile(file, qudrim::testing::syntheticHistory(count, 21));
    importFile(state, file, static_cast<size_t>(count));
}
BENCHMARK(BM_ImportSyntheticHistory)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_TrimOneDraw(benchmark::State& state)
{
    const auto draws = qudrim::testing::syntheticHistory(static_cast<int>(state.range(0)), 5);
    Folder f(draws);
    const auto backup = f.folder.path() / history::kBackupFileName;
    for (auto _ : state) {
        const store::Snapshot view = f.store.snapshot();
        const auto kept = history::drawsWithoutLast(view, 1);
        const history::TrimOutcome trim = history::trimHistory(f.store, kept, backup, 2026001, kBases);
        if (trim.fault != history::TrimFault::None || trim.compaction.failed) {
            state.SkipWithError("the trim failed");
            return;
        }
        benchmark::DoNotOptimize(f.store.snapshot());

        // The dropped draw back, for the next round.
        state.PauseTiming();
        AddLishi(f.store, std::span(&draws.back(), 1), kBases);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TrimOneDraw)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
