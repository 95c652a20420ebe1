// The texts of both result grids, row by row, as a search's result gives
// them to the window.
#pragma once

#include "search/result_display.h"

#include <array>
#include <string>
#include <vector>

namespace qudrim::search::testing {

inline std::vector<std::array<std::string, 10>> hitTexts(const SearchResult& r)
{
    std::vector<std::array<std::string, 10>> rows(r.hits.size());
    for (size_t i = 0; i < rows.size(); ++i)
        for (int c = 0; c < 10; ++c)
            rows[i][static_cast<size_t>(c)] = r.hitText(i, c);
    return rows;
}

inline std::vector<std::array<std::string, 4>> tallyTexts(const SearchResult& r)
{
    std::vector<std::array<std::string, 4>> rows(r.tally.size());
    for (size_t i = 0; i < rows.size(); ++i)
        for (int c = 0; c < 4; ++c)
            rows[i][static_cast<size_t>(c)] = r.tallyText(i, c);
    return rows;
}

}  // namespace qudrim::search::testing
