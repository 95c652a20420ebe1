#include "search/history_columns.h"

#include "search/search_terms.h"
#include "store/schema.h"

#include <algorithm>
#include <numeric>

namespace qudrim::search {

namespace {

// The table is read in storage order, which is issue order whenever the
// draws were appended in order; otherwise the rows are put in order here.
void sortByIssue(Rows& rows)
{
    if (std::is_sorted(rows.sqqh.begin(), rows.sqqh.end()))
        return;
    std::vector<size_t> order(rows.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return rows.sqqh[a] < rows.sqqh[b]; });
    auto permute = [&](auto& v) {
        std::remove_reference_t<decltype(v)> out;
        out.reserve(v.size());
        for (size_t i : order)
            out.push_back(std::move(v[i]));
        v = std::move(out);
    };
    permute(rows.rowid);
    permute(rows.sqqh);
    for (auto& c : rows.ints)
        permute(c);
    for (auto& c : rows.texts)
        permute(c);
}

}  // namespace

int Rows::indexOf(std::vector<std::string>& names, const std::string& name)
{
    checkedColumn(name);
    const auto it = std::find(names.begin(), names.end(), name);
    if (it != names.end())
        return static_cast<int>(it - names.begin());
    names.push_back(name);
    return static_cast<int>(names.size()) - 1;
}

void Rows::load(store::Database& db)
{
    std::string sql = "SELECT rowid, SQQH";
    for (const auto& n : intNames_)
        sql += ", " + n;
    for (const auto& n : textNames_)
        sql += ", " + n;
    sql += " FROM Lishi";
    rowid.clear();
    sqqh.clear();
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
    sortByIssue(*this);
}

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

std::vector<std::string_view> rebuiltList(const Rows& rows, int source, int target, int n)
{
    const auto& src = rows.textsOf(source);
    const auto& old = rows.textsOf(target);
    const size_t shift = static_cast<size_t>(n - 1);
    std::vector<std::string_view> out(rows.size());
    for (size_t k = 0; k < out.size(); ++k) {
        if (k == 0 && n > 1)
            out[k] = old[k];
        else if (k >= shift)
            out[k] = src[k - shift];
    }
    return out;
}

std::vector<std::string_view> refreshedPlainList(const Rows& rows, int source, int target, size_t back)
{
    const auto& src = rows.textsOf(source);
    const auto& old = rows.textsOf(target);
    std::vector<std::string_view> out(rows.size());
    for (size_t k = 0; k < out.size(); ++k) {
        if (k == 0)
            out[k] = old[k];
        else if (k >= back)
            out[k] = src[k - back + 1];
    }
    return out;
}

std::vector<int64_t> shiftedCopy(const Rows& rows, int own, size_t back)
{
    const auto& values = rows.intsOf(own);
    std::vector<int64_t> c(rows.size(), 0);
    for (size_t k = back; k < c.size(); ++k)
        c[k] = values[k - back];
    return c;
}

void RowWrites::setInts(int column, std::vector<int64_t> values)
{
    for (auto& w : ints_)
        if (w.column == column) {
            w.values = std::move(values);
            return;
        }
    ints_.push_back({column, std::move(values)});
}

void RowWrites::setTexts(int column, std::vector<std::string_view> values)
{
    for (auto& w : texts_)
        if (w.column == column) {
            w.values = std::move(values);
            return;
        }
    texts_.push_back({column, std::move(values)});
}

std::string_view RowWrites::text(const Rows& rows, int column, size_t k) const
{
    for (const auto& w : texts_)
        if (w.column == column)
            return w.values[k];
    return rows.textsOf(column)[k];
}

void RowWrites::write(store::Database& db, const Rows& rows) const
{
    if (ints_.empty() && texts_.empty())
        return;
    std::string sql = "UPDATE Lishi SET ";
    int p = 0;
    auto assign = [&](const std::string& name) {
        if (p++)
            sql += ", ";
        sql += name + " = ?" + std::to_string(p);
    };
    for (const auto& w : ints_)
        assign(rows.intName(w.column));
    for (const auto& w : texts_)
        assign(rows.textName(w.column));
    sql += " WHERE rowid = ?" + std::to_string(p + 1);
    auto st = db.prepare(sql);
    for (size_t k = 0; k < rows.size(); ++k) {
        bool changed = false;
        for (const auto& w : ints_)
            changed = changed || rows.intsOf(w.column)[k] != w.values[k];
        for (const auto& w : texts_)
            changed = changed || rows.textsOf(w.column)[k] != w.values[k];
        if (!changed)
            continue;
        int i = 1;
        for (const auto& w : ints_)
            st.bind(i++, w.values[k]);
        for (const auto& w : texts_) {
            // An empty view may have no data at all, which SQLite would
            // take for NULL; the lists are never NULL.
            const std::string_view v = w.values[k];
            st.bind(i++, v.data() ? v : std::string_view(""));
        }
        st.bind(i, rows.rowid[k]);
        st.run();
    }
}

ValueColumns registerValueColumns(Rows& rows, int kind, char prefix)
{
    ValueColumns v;
    v.kind = kind;
    for (int p = 1; p <= 7; ++p)
        for (const auto& letter : fixedLetters(kind))
            v.columns[static_cast<size_t>(p)].push_back(rows.intColumn(store::stemOf(prefix, p) + letter));
    return v;
}

int64_t valueAt(const Rows& rows, const ValueColumns& v, int p, size_t k)
{
    const auto& c = v.columns[static_cast<size_t>(p)];
    const int64_t first = rows.intsOf(c[0])[k];
    if (v.kind == kDigitSum)
        return first + rows.intsOf(c[1])[k];
    if (v.kind == kParity)
        return first % 2;
    return first;
}

HitColumns registerHitColumns(Rows& rows, const DisplayOptions& display)
{
    HitColumns h;
    h.values = registerValueColumns(rows, display.intXianshiLei, display.strQz);
    h.list = rows.textColumn(comparedListColumn(kNumber, display.bolSq));
    return h;
}

HitRow hitOf(const Rows& rows, const HitColumns& columns, const RowWrites& writes, size_t k)
{
    HitRow hit;
    hit.issue = rows.sqqh[k];
    for (int p = 1; p <= 7; ++p)
        hit.values[static_cast<size_t>(p)] = valueAt(rows, columns.values, p, k);
    hit.list = std::string(writes.text(rows, columns.list, k));
    return hit;
}

}  // namespace qudrim::search
