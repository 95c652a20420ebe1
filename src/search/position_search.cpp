#include "search/position_search.h"

#include "search/marked_search.h"

#include "search/column_cache.h"
#include "search/history_columns.h"
#include "search/search_terms.h"
#include "store/schema.h"

#include <string_view>

namespace qudrim::search {

namespace {

// The marking of one run: which columns it reads, the values it gives every
// row, and the writing of the rows that change.
class Marking {
public:
    Marking(const SearchOptions& o, bool writeMarks) : o_(o), writeMarks_(writeMarks)
    {
        n_ = effectivePreQi(o.intPreQi);
        if (writeMarks_)
            intTh_ = rows_.intColumn("intTh");
        if (o.bolZyw)
            planFree();
        else
            planFixed();
    }

    Rows& rows() { return rows_; }
    const RowWrites& writes() const { return writes_; }
    int conditions() const { return conditions_; }

    // Works out the new values of every row; the rows must be loaded.
    void evaluate()
    {
        th_.assign(rows_.size(), 0);
        if (o_.bolZyw)
            evaluateFree();
        else
            evaluateFixed();
        if (writeMarks_)
            writes_.setInts(intTh_, th_);
    }

    int64_t counter(size_t k) const { return th_[k]; }

    // Writes every row in which some rewritten column changes, once.
    void write(store::Database& db) const { writes_.write(db, rows_); }

private:
    struct FixedPosition {
        std::vector<int> own;    // own columns (E and F for 合数)
        std::vector<int> copy;   // their copies with the suffix of the mode
        bool inRange = false;
        int64_t value = 0;
    };

    void planFree()
    {
        source_ = rows_.textColumn(sourceListColumn(o_.intLei));
        if (!o_.bolSq) {
            target_ = rows_.textColumn(comparedListColumn(o_.intLei, false));
            if (o_.intLei != kNumber) {
                plainSource_ = rows_.textColumn(sourceListColumn(kNumber));
                plainTarget_ = rows_.textColumn(comparedListColumn(kNumber, false));
            }
        }
        if (writeMarks_ && !o_.specialCounts)
            p6_ = rows_.textColumn("txtHisP6");
        if (writeMarks_) {
            const auto needles = freeNeedles(o_.intLei, o_.bolWei, o_.intSqLei);
            for (int p = 1; p <= 7; ++p) {
                const auto i = static_cast<size_t>(p);
                if (!o_.bolWei[i])
                    continue;
                // A value out of its kind's range is counted but can never be met.
                ++conditions_;
                if (needles[i])
                    needles_.push_back(*needles[i]);
            }
        }
    }

    void evaluateFree()
    {
        std::vector<std::string_view> compared;
        if (o_.bolSq) {
            const auto& src = rows_.textsOf(source_);
            compared.assign(src.begin(), src.end());
        } else {
            compared = rebuiltList(rows_, source_, target_, n_);
            if (plainTarget_ >= 0)
                writes_.setTexts(plainTarget_, rebuiltList(rows_, plainSource_, plainTarget_, n_));
        }
        if (!writeMarks_) {
            if (target_ >= 0)
                writes_.setTexts(target_, std::move(compared));
            return;
        }
        std::vector<std::string_view> cut;
        if (p6_ >= 0) {
            cut.resize(compared.size());
            for (size_t k = 0; k < compared.size(); ++k)
                cut[k] = withoutSpecial(compared[k]);
        }
        const auto& matched = p6_ >= 0 ? cut : compared;
        for (size_t k = 0; k < matched.size(); ++k) {
            int64_t met = 0;
            for (const auto& needle : needles_)
                met += matched[k].find(needle) != std::string_view::npos;
            th_[k] = met;
        }
        if (target_ >= 0)
            writes_.setTexts(target_, std::move(compared));
        if (p6_ >= 0)
            writes_.setTexts(p6_, std::move(cut));
    }

    void planFixed()
    {
        const std::string suffix = o_.bolSq ? "S" : "P";
        for (int p = 1; p <= 7; ++p) {
            const auto i = static_cast<size_t>(p);
            if (!o_.bolWei[i])
                continue;
            ++conditions_;
            FixedPosition f;
            const std::string stem = store::stemOf(o_.display.strQz, p);
            for (const auto& letter : fixedLetters(o_.intLei)) {
                f.own.push_back(rows_.intColumn(stem + letter));
                f.copy.push_back(rows_.intColumn(stem + letter + suffix));
            }
            f.value = o_.intSqLei[i];
            f.inRange = referenceInRange(o_.intLei, o_.intSqLei[i]);
            fixed_.push_back(std::move(f));
        }
        if (!o_.bolSq && !fixed_.empty()) {
            plainSource_ = rows_.textColumn("txtHisLst");
            plainTarget_ = rows_.textColumn("txtHisPreLst");
        }
    }

    // Copies of row k are the own values of row k - 1 (上期) or k - N (前N期),
    // 0 where there is no such row.
    void evaluateFixed()
    {
        const size_t back = o_.bolSq ? 1 : static_cast<size_t>(n_);
        const size_t count = rows_.size();
        for (const auto& f : fixed_) {
            std::vector<std::vector<int64_t>> copies;
            for (int own : f.own)
                copies.push_back(shiftedCopy(rows_, own, back));
            if (writeMarks_ && f.inRange) {
                const auto& second = copies.size() > 1 ? copies[1] : copies[0];
                for (size_t k = 0; k < count; ++k)
                    th_[k] += fixedConditionMet(o_.intLei, copies[0][k], second[k], f.value);
            }
            for (size_t j = 0; j < f.copy.size(); ++j)
                writes_.setInts(f.copy[j], std::move(copies[j]));
        }
        if (plainTarget_ >= 0)
            writes_.setTexts(plainTarget_, refreshedPlainList(rows_, plainSource_, plainTarget_, back));
    }

    const SearchOptions& o_;
    bool writeMarks_;
    int n_ = 1;
    Rows rows_;
    int conditions_ = 0;
    int intTh_ = -1, source_ = -1, target_ = -1, plainSource_ = -1, plainTarget_ = -1, p6_ = -1;
    std::vector<std::string> needles_;
    std::vector<FixedPosition> fixed_;
    std::vector<int64_t> th_;
    RowWrites writes_;
};

void checkOptions(const SearchOptions& o) { checkSearchKindAndOrder(o.intLei, o.display.strQz); }

// Loads the rows, evaluates the options and writes back what changed;
// returns the number of conditions.
int runMarking(store::Database& db, const SearchOptions& o, bool writeMarks)
{
    checkOptions(o);
    Marking marking(o, writeMarks);
    marking.rows().load(db);
    marking.evaluate();
    marking.write(db);
    return marking.conditions();
}

}  // namespace

int effectivePreQi(int intPreQi) { return intPreQi < 1 ? 1 : intPreQi; }

void RebuildPreLst(store::Database& db, int kind, int intPreQi)
{
    SearchOptions o;
    o.bolZyw = true;
    o.bolSq = false;
    o.intLei = kind;
    o.intPreQi = intPreQi;
    runMarking(db, o, false);
}

void RefreshSqCols(store::Database& db, char prefix, const std::array<bool, 8>& bolWei, int kind, bool bolSq,
                   int intPreQi)
{
    SearchOptions o;
    o.bolZyw = false;
    o.bolSq = bolSq;
    o.intLei = kind;
    o.intPreQi = intPreQi;
    o.bolWei = bolWei;
    o.display.strQz = prefix;
    runMarking(db, o, false);
}

int markPositions(store::Database& db, const SearchOptions& options)
{
    return runMarking(db, options, true);
}

SearchResult runPositionSearch(store::Database& db, const SearchOptions& options, ColumnCache* cache)
{
    try {
        checkOptions(options);
        DisplayOptions display = options.display;
        display.bolSq = options.bolSq;
        checkDisplayOptions(display);

        Marking marking(options, true);
        return runMarkedSearch(db, display, cache, marking,
                               [&](size_t k) { return marking.counter(k) == marking.conditions(); });
    } catch (const store::StoreError&) {
        throw;
    } catch (const std::exception& e) {
        throw store::StoreError(std::string("search failed: ") + e.what());
    }
}

}  // namespace qudrim::search
