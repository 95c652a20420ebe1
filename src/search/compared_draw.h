// The compared draw of every row, planned the same way for both searches:
// the draw before the row (上期) or the draw N before it (前N期), seen either
// as a list text that free positions search anywhere (the N-back lists
// rebuilt first), or as the copies of the fixed positions (refreshed first,
// with the plain list txtHisPreLst against the draw N before). What it
// rewrites on the way stays in Lishi; each search only counts what it finds.
#pragma once

#include "search/history_columns.h"
#include "search/search_options.h"

#include <array>
#include <string_view>
#include <vector>

namespace qudrim::search {

class ComparedDraw {
public:
    // When the free mode leaves the searched list in txtHisP6: only when it
    // is cut short of the special number's entry (the position search), or
    // always (the combination search).
    enum class SearchedCopy { WhenCut, Always };

    // Registers the columns it reads and rewrites. `refreshed` are the
    // positions whose copies the fixed mode works out anew.
    ComparedDraw(Rows& rows, const SearchOptions& options, const std::array<bool, 8>& refreshed,
                 SearchedCopy searchedCopy);

    // Works out every row's compared draw from the loaded rows and hands
    // what it rewrites to `writes`.
    void evaluate(const Rows& rows, RowWrites& writes);

    // Free positions, after evaluate: per row, the list its compared draw is
    // searched in (without the special number's entry unless it counts).
    const std::vector<std::string_view>& searchedLists() const { return searched_; }

    // Fixed positions, after evaluate: per row, the compared value of the
    // search kind at a refreshed position.
    const std::vector<int64_t>& comparedValues(int position) const
    {
        return values_[static_cast<size_t>(position)];
    }

private:
    struct FixedPosition {
        int position = 0;
        std::vector<int> own;   // own columns behind the kind's value
        std::vector<int> copy;  // their copies with the suffix of the mode
    };

    void planFree(Rows& rows, SearchedCopy searchedCopy);
    void planFixed(Rows& rows, const std::array<bool, 8>& refreshed);
    void evaluateFree(const Rows& rows, RowWrites& writes);
    void evaluateFixed(const Rows& rows, RowWrites& writes);

    const SearchOptions& o_;
    int n_ = 1;  // N of 前N期 as the rewrites use it
    int source_ = -1, target_ = -1, plainSource_ = -1, plainTarget_ = -1, searchedCopy_ = -1;
    std::vector<FixedPosition> fixed_;
    std::vector<std::string_view> searched_;
    std::array<std::vector<int64_t>, 8> values_;
};

}  // namespace qudrim::search
