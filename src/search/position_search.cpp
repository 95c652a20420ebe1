#include "search/position_search.h"

#include "search/search_terms.h"
#include "store/schema.h"

#include <algorithm>
#include <numeric>
#include <string_view>

namespace qudrim::search {

namespace {

// Why the rows are evaluated here and not with one UPDATE per step: a Lishi
// row has 255 columns, and SQLite rewrites the whole record for any change,
// so every pass over the table costs as much as writing all of it. Reading
// the few columns a search needs once, working out every rewritten copy,
// list and counter in memory, and then writing each row that really changes
// exactly once gives the same table for a fraction of the work.

// The columns a run reads, one vector per column, rows in ascending SQQH.
class Rows {
public:
    int intColumn(const std::string& name) { return indexOf(intNames_, name); }
    int textColumn(const std::string& name) { return indexOf(textNames_, name); }
    const std::string& intName(int c) const { return intNames_[static_cast<size_t>(c)]; }
    const std::string& textName(int c) const { return textNames_[static_cast<size_t>(c)]; }

    void load(store::Database& db)
    {
        std::string sql = "SELECT rowid, SQQH";
        for (const auto& n : intNames_)
            sql += ", " + n;
        for (const auto& n : textNames_)
            sql += ", " + n;
        sql += " FROM Lishi";
        ints.assign(intNames_.size(), {});
        texts.assign(textNames_.size(), {});
        auto st = db.prepare(sql);
        while (st.step()) {
            rowid.push_back(st.columnInt(0));
            sqqh.push_back(st.columnInt(1));
            int c = 2;
            for (auto& column : ints)
                column.push_back(st.columnInt(c++));
            for (auto& column : texts)
                column.push_back(st.columnText(c++));
        }
        sortByIssue();
    }

    size_t size() const { return rowid.size(); }

    std::vector<int64_t> rowid, sqqh;
    std::vector<std::vector<int64_t>> ints;
    std::vector<std::vector<std::string>> texts;

private:
    static int indexOf(std::vector<std::string>& names, const std::string& name)
    {
        checkedColumn(name);
        const auto it = std::find(names.begin(), names.end(), name);
        if (it != names.end())
            return static_cast<int>(it - names.begin());
        names.push_back(name);
        return static_cast<int>(names.size()) - 1;
    }

    // The table is read in storage order, which is issue order whenever the
    // draws were appended in order; otherwise the rows are put in order here.
    void sortByIssue()
    {
        if (std::is_sorted(sqqh.begin(), sqqh.end()))
            return;
        std::vector<size_t> order(size());
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return sqqh[a] < sqqh[b]; });
        auto permute = [&](auto& v) {
            std::remove_reference_t<decltype(v)> out;
            out.reserve(v.size());
            for (size_t i : order)
                out.push_back(std::move(v[i]));
            v = std::move(out);
        };
        permute(rowid);
        permute(sqqh);
        for (auto& c : ints)
            permute(c);
        for (auto& c : texts)
            permute(c);
    }

    std::vector<std::string> intNames_, textNames_;
};

// A list without its last four characters (the special number's entry);
// shorter lists become empty. Counted in characters, as the lists are text.
std::string_view withoutSpecial(std::string_view list)
{
    size_t end = list.size();
    for (int i = 0; i < 4 && end > 0; ++i) {
        --end;
        while (end > 0 && (static_cast<unsigned char>(list[end]) & 0xC0) == 0x80)
            --end;
    }
    return list.substr(0, end);
}

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
            intWrites_.push_back({intTh_, th_});
    }

    int64_t counter(size_t k) const { return th_[k]; }

    // A text column as the run leaves it in row k.
    std::string_view text(int column, size_t k) const
    {
        for (const auto& w : textWrites_)
            if (w.column == column)
                return w.values[k];
        return rows_.texts[static_cast<size_t>(column)][k];
    }

    // Writes every row in which some rewritten column changes, once.
    void write(store::Database& db) const
    {
        if (intWrites_.empty() && textWrites_.empty())
            return;
        std::string sql = "UPDATE Lishi SET ";
        int p = 0;
        auto assign = [&](const std::string& name) {
            if (p++)
                sql += ", ";
            sql += name + " = ?" + std::to_string(p);
        };
        for (const auto& w : intWrites_)
            assign(rows_.intName(w.column));
        for (const auto& w : textWrites_)
            assign(rows_.textName(w.column));
        sql += " WHERE rowid = ?" + std::to_string(p + 1);
        auto st = db.prepare(sql);
        for (size_t k = 0; k < rows_.size(); ++k) {
            bool changed = false;
            for (const auto& w : intWrites_)
                changed = changed || rows_.ints[static_cast<size_t>(w.column)][k] != w.values[k];
            for (const auto& w : textWrites_)
                changed = changed || rows_.texts[static_cast<size_t>(w.column)][k] != w.values[k];
            if (!changed)
                continue;
            int i = 1;
            for (const auto& w : intWrites_)
                st.bind(i++, w.values[k]);
            for (const auto& w : textWrites_) {
                // An empty view may have no data at all, which SQLite would
                // take for NULL; the lists are never NULL.
                const std::string_view v = w.values[k];
                st.bind(i++, v.data() ? v : std::string_view(""));
            }
            st.bind(i, rows_.rowid[k]);
            st.run();
        }
    }

private:
    struct IntWrite {
        int column;
        std::vector<int64_t> values;
    };
    // Views into the texts that were read: every new list is an old list, a
    // piece of one, or empty.
    struct TextWrite {
        int column;
        std::vector<std::string_view> values;
    };
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

    // Against the draw N before, row 1 is rewritten only for N = 1; rows
    // 2..N-1 have no draw N before them and get the empty text; row m >= N
    // gets the list of row m-N+1, which describes draw m-N.
    std::vector<std::string_view> rebuilt(int source, int target) const
    {
        const auto& src = rows_.texts[static_cast<size_t>(source)];
        const auto& old = rows_.texts[static_cast<size_t>(target)];
        const size_t shift = static_cast<size_t>(n_ - 1);
        std::vector<std::string_view> out(rows_.size());
        for (size_t k = 0; k < out.size(); ++k) {
            if (k == 0 && n_ > 1)
                out[k] = old[k];
            else if (k >= shift)
                out[k] = src[k - shift];
        }
        return out;
    }

    void evaluateFree()
    {
        std::vector<std::string_view> compared;
        if (o_.bolSq) {
            const auto& src = rows_.texts[static_cast<size_t>(source_)];
            compared.assign(src.begin(), src.end());
        } else {
            compared = rebuilt(source_, target_);
            if (plainTarget_ >= 0)
                textWrites_.push_back({plainTarget_, rebuilt(plainSource_, plainTarget_)});
        }
        if (!writeMarks_) {
            if (target_ >= 0)
                textWrites_.push_back({target_, std::move(compared)});
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
            textWrites_.push_back({target_, std::move(compared)});
        if (p6_ >= 0)
            textWrites_.push_back({p6_, std::move(cut)});
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
        std::vector<std::vector<int64_t>> copies;
        for (const auto& f : fixed_) {
            copies.clear();
            for (size_t j = 0; j < f.own.size(); ++j) {
                const auto& own = rows_.ints[static_cast<size_t>(f.own[j])];
                std::vector<int64_t> c(count, 0);
                for (size_t k = back; k < count; ++k)
                    c[k] = own[k - back];
                copies.push_back(std::move(c));
            }
            if (writeMarks_ && f.inRange) {
                for (size_t k = 0; k < count; ++k) {
                    bool met;
                    if (o_.intLei == kDigitSum)
                        met = copies[0][k] + copies[1][k] == f.value;
                    else if (o_.intLei == kParity)
                        met = copies[0][k] % 2 == f.value;
                    else
                        met = copies[0][k] == f.value;
                    th_[k] += met;
                }
            }
            for (size_t j = 0; j < f.copy.size(); ++j)
                intWrites_.push_back({f.copy[j], std::move(copies[j])});
        }
        if (plainTarget_ >= 0) {
            // Rows 2..N show no compared draw; row 1 keeps what it holds; row
            // k > N gets the txtHisLst of row k - N + 1, the numbers of draw k - N.
            const auto& src = rows_.texts[static_cast<size_t>(plainSource_)];
            const auto& old = rows_.texts[static_cast<size_t>(plainTarget_)];
            std::vector<std::string_view> out(count);
            for (size_t k = 0; k < count; ++k) {
                if (k == 0)
                    out[k] = old[k];
                else if (k >= back)
                    out[k] = src[k - back + 1];
            }
            textWrites_.push_back({plainTarget_, std::move(out)});
        }
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
    std::vector<IntWrite> intWrites_;
    std::vector<TextWrite> textWrites_;
};

void checkOptions(const SearchOptions& o)
{
    if (o.intLei < 0 || o.intLei >= kKindCount)
        throw store::StoreError("search kind out of range");
    if (o.display.strQz != 'L' && o.display.strQz != 'D')
        throw store::StoreError("number order must be L or D");
}

// The own columns behind the value of a result kind at a position.
struct ValueColumns {
    std::array<std::vector<int>, 8> columns;
};

ValueColumns registerValueColumns(Rows& rows, int kind, char prefix)
{
    ValueColumns v;
    for (int p = 1; p <= 7; ++p)
        for (const auto& letter : fixedLetters(kind))
            v.columns[static_cast<size_t>(p)].push_back(rows.intColumn(store::stemOf(prefix, p) + letter));
    return v;
}

int64_t valueAt(const Rows& rows, const ValueColumns& v, int kind, int p, size_t k)
{
    const auto& c = v.columns[static_cast<size_t>(p)];
    const int64_t first = rows.ints[static_cast<size_t>(c[0])][k];
    if (kind == kDigitSum)
        return first + rows.ints[static_cast<size_t>(c[1])][k];
    if (kind == kParity)
        return first % 2;
    return first;
}

}  // namespace

int effectivePreQi(int intPreQi) { return intPreQi < 1 ? 1 : intPreQi; }

namespace {

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

SearchResult runPositionSearch(store::Database& db, const SearchOptions& options)
{
    try {
        checkOptions(options);
        DisplayOptions display = options.display;
        display.bolSq = options.bolSq;
        checkDisplayOptions(display);

        store::Transaction tx(db);
        Marking marking(options, true);
        Rows& rows = marking.rows();
        // The display reads the same pass: the result kind's own columns and
        // the compared draw's number list as this run leaves it.
        const int kind = display.intXianshiLei;
        const ValueColumns values = registerValueColumns(rows, kind, display.strQz);
        const int list = rows.textColumn(comparedListColumn(kNumber, display.bolSq));
        rows.load(db);
        marking.evaluate();
        marking.write(db);

        std::vector<HitRow> hits;
        const int64_t wanted = marking.conditions();
        for (size_t k = 0; k < rows.size(); ++k) {
            if (rows.sqqh[k] < display.firstIssue || rows.sqqh[k] > display.lastIssue || marking.counter(k) != wanted)
                continue;
            HitRow& hit = hits.emplace_back();
            hit.issue = rows.sqqh[k];
            for (int p = 1; p <= 7; ++p)
                hit.values[static_cast<size_t>(p)] = valueAt(rows, values, kind, p, k);
            hit.list = std::string(marking.text(list, k));
        }
        SearchResult result = JieguoXianshiRows(db, hits, display);
        tx.commit();
        return result;
    } catch (const store::StoreError&) {
        throw;
    } catch (const std::exception& e) {
        throw store::StoreError(std::string("search failed: ") + e.what());
    }
}

}  // namespace qudrim::search
