#include "search/position_search.h"

#include "search/search_terms.h"
#include "store/schema.h"

#include <variant>

namespace qudrim::search {

namespace {

// Statement text with its values kept apart: every value becomes a numbered
// parameter, so nothing but catalogue names is ever written into the text.
class SqlBuilder {
public:
    std::string value(int64_t v)
    {
        values_.emplace_back(v);
        return "?" + std::to_string(values_.size());
    }
    std::string value(std::string v)
    {
        values_.emplace_back(std::move(v));
        return "?" + std::to_string(values_.size());
    }
    void bindAll(store::Statement& st) const
    {
        int i = 1;
        for (const auto& v : values_) {
            if (const auto* n = std::get_if<int64_t>(&v))
                st.bind(i++, *n);
            else
                st.bind(i++, std::string_view(std::get<std::string>(v)));
        }
    }

private:
    std::vector<std::variant<int64_t, std::string>> values_;
};

// One column the statement rewrites: its name and the name under which the
// subquery x delivers the new value.
struct Assignment {
    std::string column;
    std::string source;
};

void runUpdate(store::Database& db, const std::string& select, const std::vector<Assignment>& assignments,
               const SqlBuilder& values)
{
    if (assignments.empty())
        return;
    // Only rows where some value really changes are written: a search that
    // repeats the previous one touches almost nothing.
    std::string sql = "UPDATE Lishi SET ";
    std::string changed;
    for (size_t i = 0; i < assignments.size(); ++i) {
        const auto& a = assignments[i];
        if (i) {
            sql += ", ";
            changed += " OR ";
        }
        sql += a.column + " = x." + a.source;
        changed += "Lishi." + a.column + " IS NOT x." + a.source;
    }
    sql += " FROM (" + select + ") AS x WHERE Lishi.rowid = x.rid AND (" + changed + ")";
    auto st = db.prepare(sql);
    values.bindAll(st);
    st.run();
}

// The cut copy of a list without its special number: the last four
// characters go, and a list shorter than that becomes empty.
std::string withoutSpecial(const std::string& list)
{
    return "substr(" + list + ", 1, max(length(" + list + ") - 4, 0))";
}

// Free positions. Against the draw N before, the kind's N-back list (and the
// plain number list when the kind is not 号码) is rebuilt from the lists of
// the row N - 1 places earlier first; the marks are then counted on the new
// list, or on its copy without the special number.
int markFree(store::Database& db, const SearchOptions& o, int n, bool writeMarks)
{
    const int kind = o.intLei;
    const std::string compared = comparedListColumn(kind, o.bolSq);
    SqlBuilder values;
    std::vector<Assignment> assignments;

    std::string inner;
    if (o.bolSq) {
        inner = "SELECT rowid AS rid, " + compared + " AS t FROM Lishi";
    } else {
        // Row 1 is rewritten only for N = 1; rows 2..N-1 have no draw N before
        // them and get the empty text; row m >= N gets the list of row m-N+1,
        // which describes draw m-N.
        const std::string nParam = values.value(n);
        const std::string lagParam = values.value(n - 1);
        auto rebuilt = [&](const std::string& source, const std::string& target) {
            return "CASE WHEN row_number() OVER w > 1 OR " + nParam + " = 1 THEN lag(" + source + ", " + lagParam +
                   ", '') OVER w ELSE " + target + " END";
        };
        inner = "SELECT rowid AS rid, " + rebuilt(sourceListColumn(kind), compared) + " AS t";
        assignments.push_back({compared, "t"});
        if (kind != kNumber) {
            inner += ", " + rebuilt(sourceListColumn(kNumber), comparedListColumn(kNumber, false)) + " AS p";
            assignments.push_back({comparedListColumn(kNumber, false), "p"});
        }
        inner += " FROM Lishi WINDOW w AS (ORDER BY SQQH)";
    }

    int conditions = 0;
    std::string outer = "SELECT *";
    if (writeMarks) {
        const std::string matched = o.specialCounts ? std::string("t") : withoutSpecial("t");
        if (!o.specialCounts) {
            outer += ", " + matched + " AS m";
            assignments.push_back({"txtHisP6", "m"});
        }
        const auto needles = freeNeedles(kind, o.bolWei, o.intSqLei);
        std::string th;
        for (int p = 1; p <= 7; ++p) {
            const auto i = static_cast<size_t>(p);
            if (!o.bolWei[i])
                continue;
            // A value out of its kind's range is counted but can never be met.
            ++conditions;
            if (!needles[i])
                continue;
            if (!th.empty())
                th += " + ";
            th += "(instr(" + matched + ", " + values.value(*needles[i]) + ") > 0)";
        }
        outer += ", " + (th.empty() ? std::string("0") : th) + " AS th";
        assignments.push_back({"intTh", "th"});
    }
    runUpdate(db, outer + " FROM (" + inner + ")", assignments, values);
    return conditions;
}

// Fixed positions: the copies of every chosen position are recomputed from
// the own columns of the row 1 (上期, suffix "S") or N (前N期, suffix "P")
// places earlier, 0 where there is none; against the draw N before the plain
// N-back number list follows too. The marks compare the new copies.
int markFixed(store::Database& db, const SearchOptions& o, int n, bool writeMarks)
{
    const int kind = o.intLei;
    const char prefix = o.display.strQz;
    const std::string suffix = o.bolSq ? "S" : "P";
    const int back = o.bolSq ? 1 : n;
    SqlBuilder values;
    std::vector<Assignment> assignments;

    const std::string backParam = values.value(back);
    std::string inner = "SELECT rowid AS rid";
    std::string th;
    int conditions = 0;
    int copies = 0;
    for (int p = 1; p <= 7; ++p) {
        const auto i = static_cast<size_t>(p);
        if (!o.bolWei[i])
            continue;
        ++conditions;
        const std::string stem = store::stemOf(prefix, p);
        std::vector<std::string> names;
        for (const auto& letter : fixedLetters(kind)) {
            const std::string alias = "c" + std::to_string(copies++);
            inner += ", lag(" + checkedColumn(stem + letter) + ", " + backParam + ", 0) OVER w AS " + alias;
            assignments.push_back({checkedColumn(stem + letter + suffix), alias});
            names.push_back(alias);
        }
        const int16_t v = o.intSqLei[i];
        if (!referenceInRange(kind, v))
            continue;
        std::string term;
        if (kind == kDigitSum)
            term = "(" + names[0] + " + " + names[1] + " = " + values.value(v) + ")";
        else if (kind == kParity)
            term = "(" + names[0] + " % 2 = " + values.value(v) + ")";
        else
            term = "(" + names[0] + " = " + values.value(v) + ")";
        th += (th.empty() ? "" : " + ") + term;
    }

    std::string outer = "SELECT *";
    if (!o.bolSq && conditions > 0) {
        // Rows 2..N have no draw N before them and show an empty list; row 1
        // keeps what it holds; row k > N gets the txtHisLst of row k-N+1.
        const std::string lagParam = values.value(n - 1);
        inner += ", row_number() OVER w AS k, lag(txtHisLst, " + lagParam + ", '') OVER w AS lp, txtHisPreLst AS op";
        outer += ", CASE WHEN k = 1 THEN op WHEN k <= " + backParam + " THEN '' ELSE lp END AS p";
        assignments.push_back({"txtHisPreLst", "p"});
    }
    inner += " FROM Lishi WINDOW w AS (ORDER BY SQQH)";
    if (writeMarks) {
        outer += ", " + (th.empty() ? std::string("0") : th) + " AS th";
        assignments.push_back({"intTh", "th"});
    }
    if (conditions == 0 && writeMarks) {
        // Nothing chosen: no copy is refreshed, and every row meets the zero conditions.
        db.exec("UPDATE Lishi SET intTh = 0 WHERE intTh IS NOT 0");
        return 0;
    }
    runUpdate(db, outer + " FROM (" + inner + ")", assignments, values);
    return conditions;
}

void checkOptions(const SearchOptions& o)
{
    if (o.intLei < 0 || o.intLei >= kKindCount)
        throw store::StoreError("search kind out of range");
    if (o.display.strQz != 'L' && o.display.strQz != 'D')
        throw store::StoreError("number order must be L or D");
}

}  // namespace

int effectivePreQi(int intPreQi) { return intPreQi < 1 ? 1 : intPreQi; }

void RebuildPreLst(store::Database& db, int kind, int intPreQi)
{
    SearchOptions o;
    o.intLei = kind;
    o.bolSq = false;
    checkOptions(o);
    markFree(db, o, effectivePreQi(intPreQi), false);
}

void RefreshSqCols(store::Database& db, char prefix, const std::array<bool, 8>& bolWei, int kind, bool bolSq,
                   int intPreQi)
{
    SearchOptions o;
    o.intLei = kind;
    o.bolSq = bolSq;
    o.bolWei = bolWei;
    o.display.strQz = prefix;
    checkOptions(o);
    markFixed(db, o, effectivePreQi(intPreQi), false);
}

int markPositions(store::Database& db, const SearchOptions& options)
{
    checkOptions(options);
    const int n = effectivePreQi(options.intPreQi);
    return options.bolZyw ? markFree(db, options, n, true) : markFixed(db, options, n, true);
}

SearchResult runPositionSearch(store::Database& db, const SearchOptions& options)
{
    try {
        store::Transaction tx(db);
        const int conditions = markPositions(db, options);
        DisplayOptions display = options.display;
        display.bolSq = options.bolSq;
        SearchResult result = JieguoXianshi(db, {RowFilter::Kind::ConditionCount, conditions}, display);
        tx.commit();
        return result;
    } catch (const store::StoreError&) {
        throw;
    } catch (const std::exception& e) {
        throw store::StoreError(std::string("search failed: ") + e.what());
    }
}

}  // namespace qudrim::search
