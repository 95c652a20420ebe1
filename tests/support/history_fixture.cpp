#include "support/history_fixture.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <random>
#include <sstream>
#include <unistd.h>

namespace qudrim::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    static std::atomic<int> counter{0};
    path_ = fs::temp_directory_path() /
            ("qudrim-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(path_);
    fs::create_directories(path_);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    fs::remove_all(path_, ec);
}

fs::path realHistoryFile() { return fs::path(QUDRIM_SHARED_DATA) / "mark-six-1993-2025.txt"; }

std::vector<DrawInput> parseHistoryLines(const std::string& text)
{
    std::vector<DrawInput> draws;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        DrawInput d;
        if (!(fields >> d.issue))
            continue;
        for (int& n : d.numbers)
            fields >> n;
        d.zodiacIssue = d.issue;
        draws.push_back(d);
    }
    return draws;
}

std::vector<DrawInput> loadRealHistory()
{
    std::ifstream in(realHistoryFile(), std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return parseHistoryLines(buffer.str());
}

std::vector<DrawInput> syntheticHistory(int count, unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<DrawInput> draws;
    draws.reserve(static_cast<size_t>(count));
    std::array<int, 49> pool{};
    for (int i = 0; i < 49; ++i)
        pool[static_cast<size_t>(i)] = i + 1;
    for (int k = 0; k < count; ++k) {
        std::shuffle(pool.begin(), pool.end(), rng);
        DrawInput d;
        d.issue = (2000 + k / 150) * 1000 + (k % 150) + 1;
        d.zodiacIssue = d.issue;
        std::copy_n(pool.begin(), 7, d.numbers.begin());
        draws.push_back(d);
    }
    return draws;
}

void fillStore(store::HistoryStore& store, const std::vector<DrawInput>& draws, const CodeBases& bases)
{
    if (!store.isOpen())
        store.open();
    AddLishi(store, draws, bases);
}

}  // namespace qudrim::testing
