// Shared helpers for tests and benchmarks: temporary program folders, the real
// draw history of the shared data folder, and synthetic histories.
#pragma once

#include "draw/row_builder.h"

#include <filesystem>
#include <string>
#include <vector>

namespace qudrim::testing {

// A fresh empty folder under the system temp folder, removed on destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The real history: one line per draw, "issue n1 n2 n3 n4 n5 n6 special ".
std::vector<DrawInput> loadRealHistory();
std::filesystem::path realHistoryFile();

// Parses history lines in the format of the real history file.
std::vector<DrawInput> parseHistoryLines(const std::string& text);

// `count` draws with seven different numbers each, issues running through
// the years from 2000001 (at most 150 draws a year).
std::vector<DrawInput> syntheticHistory(int count, unsigned seed = 7);

// A store in `folder` holding exactly `draws`, built through the row builder.
void fillStore(store::HistoryStore& store, const std::vector<DrawInput>& draws, const CodeBases& bases = {});

}  // namespace qudrim::testing
