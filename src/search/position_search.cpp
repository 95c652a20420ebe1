#include "search/position_search.h"

#include "search/compared_draw.h"
#include "search/marked_search.h"
#include "search/search_terms.h"
#include "store/schema.h"

#include <bit>
#include <string>
#include <vector>

namespace qudrim::search {

namespace {

// The counting of one run: every chosen position is one condition, and a
// row is a hit when it meets them all. A reference value outside its kind's
// domain is still a condition, one no row meets.
class PositionMarking {
public:
    PositionMarking(const SearchOptions& o, Rows& rows)
        : o_(o), intTh_(rows.intColumn(std::string(store::kMatchCountColumn))),
          compared_(rows, o, o.bolWei, ComparedDraw::SearchedCopy::WhenCut)
    {
        for (int p = 1; p <= 7; ++p)
            conditions_ += o.bolWei[static_cast<size_t>(p)];
    }

    void evaluate(const Rows& rows, RowWrites& writes)
    {
        compared_.evaluate(rows, writes);
        th_.assign(rows.size(), 0);
        if (o_.bolZyw)
            countFree();
        else
            countFixed();
        writes.setInts(intTh_, th_);
    }

    bool isHit(size_t k) const { return th_[k] == conditions_; }

private:
    // Each needle a condition: a number chosen at two positions is looked
    // for twice, and counts twice.
    void countFree()
    {
        std::vector<std::string> needles;
        for (const auto& needle : freeNeedles(o_.intLei, o_.bolWei, o_.intSqLei))
            if (needle)
                needles.push_back(*needle);
        const NeedleSet set(std::move(needles));
        const auto& searched = compared_.searchedLists();
        for (size_t k = 0; k < searched.size(); ++k)
            th_[k] += std::popcount(set.heldBy(searched[k]));
    }

    void countFixed()
    {
        for (int p = 1; p <= 7; ++p) {
            const auto i = static_cast<size_t>(p);
            if (!o_.bolWei[i] || !valueDomain(o_.intLei).holds(o_.intSqLei[i]))
                continue;
            const auto& values = compared_.comparedValues(p);
            for (size_t k = 0; k < values.size(); ++k)
                th_[k] += values[k] == o_.intSqLei[i];
        }
    }

    const SearchOptions& o_;
    int intTh_;
    ComparedDraw compared_;
    int64_t conditions_ = 0;
    std::vector<int64_t> th_;
};

}  // namespace

PreparedSearch preparePositionSearch(store::Database& db, const SearchOptions& options, ColumnCache* cache)
{
    return prepareMarkedSearch<PositionMarking>(db, options, cache, "search");
}

SearchResult runPositionSearch(store::Database& db, const SearchOptions& options, ColumnCache* cache)
{
    return committed(db, preparePositionSearch(db, options, cache));
}

}  // namespace qudrim::search
