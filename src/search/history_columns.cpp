#include "search/history_columns.h"

#include "search/column_cache.h"
#include "search/search_terms.h"
#include "store/schema.h"

#include <algorithm>
#include <numeric>

namespace qudrim::search {

int Rows::indexOf(std::vector<std::string>& names, const std::string& name)
{
    checkedColumn(name);
    const auto it = std::find(names.begin(), names.end(), name);
    if (it != names.end())
        return static_cast<int>(it - names.begin());
    names.push_back(name);
    return static_cast<int>(names.size()) - 1;
}

StoredColumns readStoredColumns(store::Database& db, const std::vector<std::string>& intNames,
                                const std::vector<std::string>& textNames)
{
    std::string sql = "SELECT rowid";
    for (const auto& n : intNames)
        sql += ", " + checkedColumn(n);
    for (const auto& n : textNames)
        sql += ", " + checkedColumn(n);
    sql += " FROM Lishi ORDER BY rowid";
    StoredColumns stored;
    stored.ints.assign(intNames.size(), {});
    stored.texts.assign(textNames.size(), {});
    auto st = db.prepare(sql);
    while (st.step()) {
        stored.rowid.push_back(st.columnInt(0));
        int c = 1;
        for (auto& column : stored.ints)
            column.push_back(st.columnInt(c++));
        for (auto& column : stored.texts)
            column.push_back(st.columnText(c++));
    }
    return stored;
}

std::vector<size_t> issueOrder(const std::vector<int64_t>& issues)
{
    std::vector<size_t> order(issues.size());
    std::iota(order.begin(), order.end(), size_t{0});
    // Storage order is issue order whenever the draws were appended in order.
    if (!std::is_sorted(issues.begin(), issues.end()))
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return issues[a] < issues[b]; });
    return order;
}

void Rows::load(store::Database& db, ColumnCache* cache)
{
    if (cache) {
        cache->load(db, *this);
        return;
    }
    std::vector<std::string> ints = {std::string(store::kIssueColumn)};
    ints.insert(ints.end(), intNames_.begin(), intNames_.end());
    StoredColumns stored = readStoredColumns(db, ints, textNames_);
    const std::vector<size_t> order = issueOrder(stored.ints[0]);
    ownRowid_ = inOrder(std::move(stored.rowid), order);
    ownSqqh_ = inOrder(std::move(stored.ints[0]), order);
    ownInts_.clear();
    for (size_t c = 1; c < stored.ints.size(); ++c)
        ownInts_.push_back(inOrder(std::move(stored.ints[c]), order));
    ownTexts_.clear();
    for (auto& column : stored.texts)
        ownTexts_.push_back(inOrder(std::move(column), order));
    std::vector<const std::vector<int64_t>*> intColumns;
    for (const auto& c : ownInts_)
        intColumns.push_back(&c);
    std::vector<const std::vector<std::string>*> textColumns;
    for (const auto& c : ownTexts_)
        textColumns.push_back(&c);
    attach(ownRowid_, ownSqqh_, std::move(intColumns), std::move(textColumns));
}

void Rows::attach(const std::vector<int64_t>& rowid, const std::vector<int64_t>& sqqh,
                  std::vector<const std::vector<int64_t>*> ints, std::vector<const std::vector<std::string>*> texts)
{
    rowid_ = &rowid;
    sqqh_ = &sqqh;
    ints_ = std::move(ints);
    texts_ = std::move(texts);
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
        st.bind(i, rows.rowid()[k]);
        st.run();
    }
}

ValueColumns registerValueColumns(Rows& rows, Kind kind, NumberOrder order)
{
    ValueColumns v;
    v.kind = kind;
    for (int p = 1; p <= 7; ++p)
        for (char letter : valueLetters(kind))
            v.columns[static_cast<size_t>(p)].push_back(rows.intColumn(store::attributeColumn(order, p, letter)));
    return v;
}

int64_t valueAt(const Rows& rows, const ValueColumns& v, int p, size_t k)
{
    const auto& c = v.columns[static_cast<size_t>(p)];
    return valueFromColumns(v.kind, rows.intsOf(c[0])[k], c.size() > 1 ? rows.intsOf(c[1])[k] : 0);
}

HitColumns registerHitColumns(Rows& rows, const DisplayOptions& display)
{
    HitColumns h;
    h.values = registerValueColumns(rows, display.intXianshiLei, display.strQz);
    h.list = rows.textColumn(
        store::listColumn(kNumber, display.bolSq ? store::ListOf::DrawBefore : store::ListOf::DrawNBefore));
    return h;
}

HitRow hitOf(const Rows& rows, const HitColumns& columns, const RowWrites& writes, size_t k)
{
    HitRow hit;
    hit.issue = rows.sqqh()[k];
    for (int p = 1; p <= 7; ++p)
        hit.values[static_cast<size_t>(p)] = valueAt(rows, columns.values, p, k);
    hit.list = std::string(writes.text(rows, columns.list, k));
    return hit;
}

}  // namespace qudrim::search
