#include "combination/combination_search.h"

#include "combination/combinations.h"
#include "search/compared_draw.h"
#include "search/marked_search.h"
#include "search/search_terms.h"
#include "store/schema.h"

#include <map>
#include <utility>

namespace qudrim::combination {

using search::ComparedDraw;
using search::Rows;
using search::RowWrites;

namespace {

constexpr int kLargestSize = 6;

// One combination as the rows are counted against it: for each member
// position, the bit of the per-row mask that says whether the row meets
// that member's condition (-1: a condition no row meets).
using Members = std::vector<int>;

// The positions whose copies the fixed mode refreshes: every pool position,
// so that all of them compare the same draw, and the positions of the last
// position search as well.
std::array<bool, 8> refreshedPositions(const CombinationOptions& o)
{
    std::array<bool, 8> refreshed{};
    for (int p = 1; p <= 7; ++p)
        refreshed[static_cast<size_t>(p)] = p <= poolSize(o.bolZhpm) || o.bolWei[static_cast<size_t>(p)];
    return refreshed;
}

// The counting of one run: a row is marked when it meets every condition of
// at least one combination of k pool positions.
class CombinationMarking {
public:
    CombinationMarking(const CombinationOptions& o, Rows& rows)
        : o_(o), pool_(poolSize(o.bolZhpm)), bolOk_(rows.intColumn(std::string(store::kMarkColumn))),
          intTh_(rows.intColumn(std::string(store::kMatchCountColumn))),
          compared_(rows, o, refreshedPositions(o), ComparedDraw::SearchedCopy::Always)
    {
        if (o.intZhWSetup < 1 || o.intZhWSetup > kLargestSize)
            return;
        for (const auto& combination : combinationsOf(pool_, o.intZhWSetup))
            members_.push_back(o.bolZyw ? freeMembers(combination) : fixedMembers(combination));
    }

    void evaluate(const Rows& rows, RowWrites& writes)
    {
        compared_.evaluate(rows, writes);
        const size_t count = rows.size();
        const std::vector<uint32_t> met = o_.bolZyw ? metFree() : metFixed(count);
        const std::vector<Outcome> outcomes = outcomesOf(o_.bolZyw ? needles_.size() : kPositionBits);
        marks_.assign(count, 0);
        std::vector<int64_t> last(count, 0);
        for (size_t r = 0; r < count; ++r) {
            marks_[r] = outcomes[met[r]].marked;
            last[r] = outcomes[met[r]].last;
        }
        writes.setInts(bolOk_, marks_);
        // Without a combination no count is taken, and intTh keeps its values.
        if (!members_.empty())
            writes.setInts(intTh_, std::move(last));
    }

    bool isHit(size_t k) const { return marks_[k] != 0; }

private:
    // A fixed member's bit is its position 1..7.
    static constexpr size_t kPositionBits = 8;

    // What a row makes of the conditions it meets (one bit each): whether
    // it meets every condition of some combination, and how many of the
    // last combination's it meets.
    struct Outcome {
        int64_t marked = 0;
        int64_t last = 0;
    };

    // The outcome of every set of met conditions, worked out once a run
    // rather than once a row.
    std::vector<Outcome> outcomesOf(size_t bits) const
    {
        std::vector<Outcome> outcomes(size_t{1} << bits);
        const auto k = static_cast<int64_t>(o_.intZhWSetup);
        for (uint32_t met = 0; met < outcomes.size(); ++met) {
            Outcome& outcome = outcomes[met];
            for (const Members& members : members_) {
                int64_t c = 0;
                for (int bit : members)
                    c += bit >= 0 && ((met >> bit) & 1u);
                outcome.marked |= c == k;
                outcome.last = c;
            }
        }
        return outcomes;
    }

    // Every value of a combination is looked for as often as the
    // combination holds it ("2X05": at least two entries of 05); a number
    // only needs to occur. A value out of its kind's domain looks for
    // nothing and is met by no row.
    Members freeMembers(const std::vector<int>& combination)
    {
        std::map<int, int> times;
        for (int p : combination)
            ++times[o_.intSqLei[static_cast<size_t>(p)]];
        Members members;
        for (int p : combination) {
            const int v = o_.intSqLei[static_cast<size_t>(p)];
            if (!valueDomain(o_.intLei).holds(v)) {
                members.push_back(-1);
                continue;
            }
            std::string needle = search::occurrenceNeedle(o_.intLei, v, times[v]);
            const auto [it, added] = bitOf_.emplace(needle, static_cast<int>(needles_.size()));
            if (added)
                needles_.push_back(std::move(needle));
            members.push_back(it->second);
        }
        return members;
    }

    // A member's bit is its position.
    Members fixedMembers(const std::vector<int>& combination) const
    {
        Members members;
        for (int p : combination)
            members.push_back(valueDomain(o_.intLei).holds(o_.intSqLei[static_cast<size_t>(p)]) ? p : -1);
        return members;
    }

    // Per row, which needles its searched list holds.
    std::vector<uint32_t> metFree() const
    {
        const search::NeedleSet set(needles_);
        const auto& searched = compared_.searchedLists();
        std::vector<uint32_t> met(searched.size(), 0);
        for (size_t r = 0; r < searched.size(); ++r)
            met[r] = set.heldBy(searched[r]);
        return met;
    }

    // Per row, which pool positions agree with their reference value.
    std::vector<uint32_t> metFixed(size_t count) const
    {
        std::vector<uint32_t> met(count, 0);
        for (int p = 1; p <= pool_; ++p) {
            const int64_t value = o_.intSqLei[static_cast<size_t>(p)];
            if (!valueDomain(o_.intLei).holds(static_cast<int>(value)))
                continue;
            const auto& values = compared_.comparedValues(p);
            for (size_t r = 0; r < count; ++r)
                if (values[r] == value)
                    met[r] |= 1u << p;
        }
        return met;
    }

    const CombinationOptions& o_;
    int pool_;
    int bolOk_, intTh_;
    ComparedDraw compared_;
    std::vector<Members> members_;
    std::map<std::string, int> bitOf_;
    // At most seven: a value held at m pool positions asks for 1..m entries.
    std::vector<std::string> needles_;
    std::vector<int64_t> marks_;
};

}  // namespace

search::PreparedSearch prepareCombinationSearch(store::Database& db, const CombinationOptions& options,
                                                search::ColumnCache* cache)
{
    return search::prepareMarkedSearch<CombinationMarking>(db, options, cache, "combination search");
}

search::SearchResult runCombinationSearch(store::Database& db, const CombinationOptions& options,
                                          search::ColumnCache* cache)
{
    return search::committed(db, prepareCombinationSearch(db, options, cache));
}

}  // namespace qudrim::combination
