// The texts of both result grids, row by row, as a search's result gives
// them to the window.
#pragma once

#include "search/result_display.h"

#include <array>
#include <string>
#include <vector>

namespace qudrim::search::testing {

// Rows of cell texts: text(row, column) for every cell.
template <size_t Columns, class CellText>
std::vector<std::array<std::string, Columns>> cellTexts(size_t rows, CellText&& text)
{
    std::vector<std::array<std::string, Columns>> out(rows);
    for (size_t r = 0; r < rows; ++r)
        for (size_t c = 0; c < Columns; ++c)
            out[r][c] = text(r, static_cast<int>(c));
    return out;
}

inline std::vector<std::array<std::string, 10>> hitTexts(const SearchResult& r)
{
    return cellTexts<10>(r.hits.size(), [&](size_t row, int column) { return r.hitText(row, column); });
}

inline std::vector<std::array<std::string, 4>> tallyTexts(const SearchResult& r)
{
    return cellTexts<4>(r.tally.size(), [&](size_t row, int column) { return r.tallyText(row, column); });
}

}  // namespace qudrim::search::testing
