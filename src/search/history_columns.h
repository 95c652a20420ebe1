// What both searches do to the history in memory: the columns a run reads
// and the writing back of the rows that change.
//
// Why the rows are evaluated here and not with one UPDATE per step: a Lishi
// row has 255 columns, and SQLite rewrites the whole record for any change,
// so every pass over the table costs as much as writing all of it. Reading
// the few columns a search needs once, working out every rewritten copy,
// list and counter in memory, and then writing each row that really changes
// exactly once gives the same table for a fraction of the work.
#pragma once

#include "search/result_display.h"
#include "store/database.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qudrim::search {

class ColumnCache;

// The columns a run reads, one vector per column, rows in ascending SQQH.
// Columns are registered by name before the load; each name is checked
// against the catalogue of Lishi.
class Rows {
public:
    Rows() = default;
    // The columns may point into the rows' own storage.
    Rows(const Rows&) = delete;
    Rows& operator=(const Rows&) = delete;

    int intColumn(const std::string& name) { return indexOf(intNames_, name); }
    int textColumn(const std::string& name) { return indexOf(textNames_, name); }
    const std::string& intName(int c) const { return intNames_[static_cast<size_t>(c)]; }
    const std::string& textName(int c) const { return textNames_[static_cast<size_t>(c)]; }
    const std::vector<std::string>& intNames() const { return intNames_; }
    const std::vector<std::string>& textNames() const { return textNames_; }

    // Reads the registered columns of every row: from the cache, when one is
    // given, which reads from the table only what it does not hold for the
    // database as it stands; else from the table.
    void load(store::Database& db, ColumnCache* cache = nullptr);

    size_t size() const { return rowid_->size(); }
    const std::vector<int64_t>& rowid() const { return *rowid_; }
    const std::vector<int64_t>& sqqh() const { return *sqqh_; }
    const std::vector<int64_t>& intsOf(int c) const { return *ints_[static_cast<size_t>(c)]; }
    const std::vector<std::string>& textsOf(int c) const { return *texts_[static_cast<size_t>(c)]; }

    // Points the rows at columns held elsewhere, in the order of registration.
    void attach(const std::vector<int64_t>& rowid, const std::vector<int64_t>& sqqh,
                std::vector<const std::vector<int64_t>*> ints, std::vector<const std::vector<std::string>*> texts);

private:
    static int indexOf(std::vector<std::string>& names, const std::string& name);

    std::vector<std::string> intNames_, textNames_;
    // What a load without a cache read.
    std::vector<int64_t> ownRowid_, ownSqqh_;
    std::vector<std::vector<int64_t>> ownInts_;
    std::vector<std::vector<std::string>> ownTexts_;
    const std::vector<int64_t>* rowid_ = &ownRowid_;
    const std::vector<int64_t>* sqqh_ = &ownSqqh_;
    std::vector<const std::vector<int64_t>*> ints_;
    std::vector<const std::vector<std::string>*> texts_;
};

// Columns of every row of Lishi in storage (rowid) order.
struct StoredColumns {
    std::vector<int64_t> rowid;
    std::vector<std::vector<int64_t>> ints;
    std::vector<std::vector<std::string>> texts;
};
StoredColumns readStoredColumns(store::Database& db, const std::vector<std::string>& intNames,
                                const std::vector<std::string>& textNames);

// For each place in ascending issue order, the index of the row in `issues`;
// equal issues keep their order.
std::vector<size_t> issueOrder(const std::vector<int64_t>& issues);

// The values of a column put in the order `order` gives.
template <typename T>
std::vector<T> inOrder(std::vector<T>&& values, const std::vector<size_t>& order)
{
    std::vector<T> out;
    out.reserve(order.size());
    for (size_t i : order)
        out.push_back(std::move(values[i]));
    return out;
}

// The new values of the columns a run rewrites, and their writing: every row
// in which one of them changes is written once, with all of them.
class RowWrites {
public:
    struct IntWrite {
        int column;
        std::vector<int64_t> values;
    };
    struct TextWrite {
        int column;
        std::vector<std::string_view> values;
    };

    // A later value for the same column replaces the earlier one.
    void setInts(int column, std::vector<int64_t> values);
    // Views into texts that outlive the writes (those of the Rows).
    void setTexts(int column, std::vector<std::string_view> values);

    // A column as the run leaves it in row k.
    std::string_view text(const Rows& rows, int column, size_t k) const;

    // Writes the changed rows.
    void write(store::Database& db, const Rows& rows) const;

    const std::vector<IntWrite>& ints() const { return ints_; }
    const std::vector<TextWrite>& texts() const { return texts_; }

private:
    std::vector<IntWrite> ints_;
    std::vector<TextWrite> texts_;
};

// The own columns behind the value of a result kind at positions 1..7.
struct ValueColumns {
    Kind kind = kNumber;
    std::array<std::vector<int>, 8> columns;
};

ValueColumns registerValueColumns(Rows& rows, Kind kind, NumberOrder order);
int64_t valueAt(const Rows& rows, const ValueColumns& v, int p, size_t k);

// The columns the display reads from every hit, registered before the load:
// the result kind's own columns and the compared draw's number list.
struct HitColumns {
    ValueColumns values;
    int list = -1;
};

HitColumns registerHitColumns(Rows& rows, const DisplayOptions& display);

// The hit of row k as the display shows it, its list as the run leaves it.
HitRow hitOf(const Rows& rows, const HitColumns& columns, const RowWrites& writes, size_t k);

}  // namespace qudrim::search
