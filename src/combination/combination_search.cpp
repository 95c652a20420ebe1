#include "combination/combination_search.h"

#include "search/marked_search.h"

#include "combination/combinations.h"
#include "draw/list_texts.h"
#include "search/column_cache.h"
#include "search/history_columns.h"
#include "search/position_search.h"
#include "search/search_terms.h"
#include "store/schema.h"

#include <map>
#include <string_view>
#include <utility>

namespace qudrim::combination {

using search::Rows;
using search::RowWrites;

namespace {

constexpr int kLargestSize = 6;

// One combination as the rows are counted against it: for each member
// position, the bit of the per-row mask that says whether the row meets
// that member's condition (-1: a condition no row meets).
using Members = std::vector<int>;

// The marking of one run: the columns it reads, the conditions of every
// combination, and the values it leaves in every row.
class Marking {
public:
    explicit Marking(const CombinationOptions& o) : o_(o)
    {
        n_ = search::effectivePreQi(o.intPreQi);
        pool_ = poolSize(o.bolZhpm);
        if (o.intZhWSetup >= 1 && o.intZhWSetup <= kLargestSize)
            combinations_ = combinationsOf(pool_, o.intZhWSetup);
        bolOk_ = rows_.intColumn("bolOk");
        intTh_ = rows_.intColumn("intTh");
        if (o.bolZyw)
            planFree();
        else
            planFixed();
    }

    Rows& rows() { return rows_; }
    const RowWrites& writes() const { return writes_; }
    bool marked(size_t k) const { return marks_[k] != 0; }

    void evaluate()
    {
        const size_t count = rows_.size();
        std::vector<uint32_t> met = o_.bolZyw ? evaluateFree() : evaluateFixed();
        marks_.assign(count, 0);
        std::vector<int64_t> last(count, 0);
        const auto k = static_cast<int64_t>(o_.intZhWSetup);
        for (size_t r = 0; r < count; ++r) {
            for (const Members& members : members_) {
                int64_t c = 0;
                for (int bit : members)
                    c += bit >= 0 && ((met[r] >> bit) & 1u);
                marks_[r] |= c == k;
                last[r] = c;
            }
        }
        writes_.setInts(bolOk_, marks_);
        // Without a combination no count is taken, and intTh keeps its values.
        if (!members_.empty())
            writes_.setInts(intTh_, std::move(last));
    }

    void write(store::Database& db) const { writes_.write(db, rows_); }

private:
    void planFree()
    {
        const int kind = o_.intLei;
        source_ = rows_.textColumn(search::sourceListColumn(kind));
        if (!o_.bolSq) {
            target_ = rows_.textColumn(search::comparedListColumn(kind, false));
            if (kind != kNumber) {
                plainSource_ = rows_.textColumn(search::sourceListColumn(kNumber));
                plainTarget_ = rows_.textColumn(search::comparedListColumn(kNumber, false));
            }
        }
        p6_ = rows_.textColumn("txtHisP6");

        // Every value of a combination is looked for as often as the
        // combination holds it ("2X05": at least two entries of 05); a number
        // only needs to occur. A value out of its kind's range looks for
        // nothing and is met by no row.
        std::map<std::string, int> bitOf;
        for (const auto& combination : combinations_) {
            std::map<int, int> times;
            for (int p : combination)
                ++times[o_.intSqLei[static_cast<size_t>(p)]];
            Members members;
            for (int p : combination) {
                const int v = o_.intSqLei[static_cast<size_t>(p)];
                if (!search::referenceInRange(kind, v)) {
                    members.push_back(-1);
                    continue;
                }
                std::string needle = listValueText(kind, v);
                if (kind != kNumber)
                    needle = std::to_string(times[v]) + "X" + needle;
                const auto [it, added] = bitOf.emplace(needle, static_cast<int>(needles_.size()));
                if (added)
                    needles_.push_back(needle);
                members.push_back(it->second);
            }
            members_.push_back(std::move(members));
        }
    }

    // Per row, which needles its txtHisP6 holds.
    std::vector<uint32_t> evaluateFree()
    {
        std::vector<std::string_view> compared;
        if (o_.bolSq) {
            const auto& src = rows_.textsOf(source_);
            compared.assign(src.begin(), src.end());
        } else {
            compared = search::rebuiltList(rows_, source_, target_, n_);
            if (plainTarget_ >= 0)
                writes_.setTexts(plainTarget_, search::rebuiltList(rows_, plainSource_, plainTarget_, n_));
        }
        std::vector<std::string_view> p6 = compared;
        if (!o_.specialCounts)
            for (auto& list : p6)
                list = search::withoutSpecial(list);
        std::vector<uint32_t> met(rows_.size(), 0);
        for (size_t r = 0; r < p6.size(); ++r)
            for (size_t i = 0; i < needles_.size(); ++i)
                if (p6[r].find(needles_[i]) != std::string_view::npos)
                    met[r] |= 1u << i;
        if (target_ >= 0)
            writes_.setTexts(target_, std::move(compared));
        writes_.setTexts(p6_, std::move(p6));
        return met;
    }

    struct FixedPosition {
        int position = 0;
        std::vector<int> own;    // own columns (E and F for 合数)
        std::vector<int> copy;   // their copies with the suffix of the mode
    };

    void planFixed()
    {
        const std::string suffix = o_.bolSq ? "S" : "P";
        // Every pool position compares a copy refreshed by this run, so that
        // all of them compare the same draw; the positions of the last
        // position search are refreshed as well.
        for (int p = 1; p <= 7; ++p) {
            if (p > pool_ && !o_.bolWei[static_cast<size_t>(p)])
                continue;
            FixedPosition f;
            f.position = p;
            const std::string stem = store::stemOf(o_.display.strQz, p);
            for (const auto& letter : search::fixedLetters(o_.intLei)) {
                f.own.push_back(rows_.intColumn(stem + letter));
                f.copy.push_back(rows_.intColumn(stem + letter + suffix));
            }
            fixed_.push_back(std::move(f));
        }
        if (!o_.bolSq) {
            plainSource_ = rows_.textColumn("txtHisLst");
            plainTarget_ = rows_.textColumn("txtHisPreLst");
        }
        for (const auto& combination : combinations_) {
            Members members;
            for (int p : combination)
                members.push_back(search::referenceInRange(o_.intLei, o_.intSqLei[static_cast<size_t>(p)]) ? p : -1);
            members_.push_back(std::move(members));
        }
    }

    // Per row, which pool positions agree with their reference value.
    std::vector<uint32_t> evaluateFixed()
    {
        const size_t back = o_.bolSq ? 1 : static_cast<size_t>(n_);
        std::vector<uint32_t> met(rows_.size(), 0);
        for (const auto& f : fixed_) {
            std::vector<std::vector<int64_t>> copies;
            for (int own : f.own)
                copies.push_back(search::shiftedCopy(rows_, own, back));
            const int p = f.position;
            const int64_t value = o_.intSqLei[static_cast<size_t>(p)];
            if (p <= pool_ && search::referenceInRange(o_.intLei, static_cast<int>(value))) {
                const auto& second = copies.size() > 1 ? copies[1] : copies[0];
                for (size_t r = 0; r < met.size(); ++r)
                    if (search::fixedConditionMet(o_.intLei, copies[0][r], second[r], value))
                        met[r] |= 1u << p;
            }
            for (size_t j = 0; j < f.copy.size(); ++j)
                writes_.setInts(f.copy[j], std::move(copies[j]));
        }
        if (plainTarget_ >= 0)
            writes_.setTexts(plainTarget_, search::refreshedPlainList(rows_, plainSource_, plainTarget_, back));
        return met;
    }

    const CombinationOptions& o_;
    int n_ = 1;
    int pool_ = 7;
    Rows rows_;
    std::vector<std::vector<int>> combinations_;
    std::vector<Members> members_;
    std::vector<std::string> needles_;
    std::vector<FixedPosition> fixed_;
    int bolOk_ = -1, intTh_ = -1, source_ = -1, target_ = -1, plainSource_ = -1, plainTarget_ = -1, p6_ = -1;
    std::vector<int64_t> marks_;
    RowWrites writes_;
};

void checkOptions(const CombinationOptions& o) { search::checkSearchKindAndOrder(o.intLei, o.display.strQz); }

}  // namespace

search::SearchResult runCombinationSearch(store::Database& db, const CombinationOptions& options,
                                          search::ColumnCache* cache)
{
    try {
        checkOptions(options);
        search::DisplayOptions display = options.display;
        display.bolSq = options.bolSq;
        search::checkDisplayOptions(display);

        Marking marking(options);
        return search::runMarkedSearch(db, display, cache, marking, [&](size_t k) { return marking.marked(k); });
    } catch (const store::StoreError&) {
        throw;
    } catch (const std::exception& e) {
        throw store::StoreError(std::string("combination search failed: ") + e.what());
    }
}

}  // namespace qudrim::combination
