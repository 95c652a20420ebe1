#include "search/column_cache.h"

#include "search/history_columns.h"
#include "store/schema.h"

#include <string>
#include <utility>

namespace qudrim::search {

ColumnCache::ColumnCache() = default;
ColumnCache::~ColumnCache() = default;

bool ColumnCache::onConnection(store::Database& db) const { return token_ && token_->isOn(db); }

bool ColumnCache::holds(store::Database& db) const
{
    return loaded_ && onConnection(db) && stamp_ == DatabaseStamp::of(db);
}

void ColumnCache::refuseWhileHeld(const char* what) const
{
    if (heldForMarks_)
        throw store::StoreError(std::string("the column cache cannot ") + what +
                                " while the marks of a prepared search are not written");
}

void ColumnCache::holdForMarks()
{
    heldForMarks_ = true;
    staleForMarks_ = false;
}

bool ColumnCache::releaseForMarks()
{
    heldForMarks_ = false;
    const bool intact = !staleForMarks_;
    staleForMarks_ = false;
    if (!intact)
        invalidate();
    return intact;
}

void ColumnCache::releaseAndForget()
{
    heldForMarks_ = false;
    staleForMarks_ = false;
    invalidate();
}

void ColumnCache::invalidate()
{
    if (heldForMarks_) {
        staleForMarks_ = true;
        return;
    }
    loaded_ = false;
    rowid_.clear();
    sqqh_.clear();
    order_.clear();
    ints_.clear();
    texts_.clear();
    stamp_ = {};
    pendingValid_ = false;
}

void ColumnCache::load(store::Database& db, Rows& rows)
{
    refuseWhileHeld("serve a search");
    if (!holds(db))
        invalidate();
    std::vector<std::string> ints, texts;
    for (const auto& name : rows.intNames())
        if (!ints_.count(name))
            ints.push_back(name);
    for (const auto& name : rows.textNames())
        if (!texts_.count(name))
            texts.push_back(name);
    if (!loaded_ || !ints.empty() || !texts.empty())
        loadColumns(db, ints, texts);

    std::vector<const std::vector<int64_t>*> intColumns;
    for (const auto& name : rows.intNames())
        intColumns.push_back(&ints_.at(name));
    std::vector<const std::vector<std::string>*> textColumns;
    for (const auto& name : rows.textNames())
        textColumns.push_back(&texts_.at(name));
    rows.attach(rowid_, sqqh_, std::move(intColumns), std::move(textColumns));
}

void ColumnCache::loadColumns(store::Database& db, const std::vector<std::string>& ints,
                              const std::vector<std::string>& texts)
{
    if (!loaded_) {
        // One pass for the rows and the columns asked for.
        std::vector<std::string> withIssue = {std::string(store::kIssueColumn)};
        withIssue.insert(withIssue.end(), ints.begin(), ints.end());
        StoredColumns stored = readStoredColumns(db, withIssue, texts);
        ++tableReads_;
        order_ = issueOrder(stored.ints[0]);
        rowid_ = inOrder(std::move(stored.rowid), order_);
        sqqh_ = inOrder(std::move(stored.ints[0]), order_);
        for (size_t c = 0; c < ints.size(); ++c)
            ints_[ints[c]] = inOrder(std::move(stored.ints[c + 1]), order_);
        for (size_t c = 0; c < texts.size(); ++c)
            texts_[texts[c]] = inOrder(std::move(stored.texts[c]), order_);
        loaded_ = true;
        return;
    }
    StoredColumns stored = readStoredColumns(db, ints, texts);
    ++tableReads_;
    // The table has not changed since the rows were read, so it comes in the
    // same order; should it not, everything is read again.
    bool same = stored.rowid.size() == rowid_.size();
    for (size_t j = 0; same && j < rowid_.size(); ++j)
        same = stored.rowid[order_[j]] == rowid_[j];
    if (!same) {
        std::vector<std::string> allInts, allTexts;
        for (const auto& [name, values] : ints_)
            allInts.push_back(name);
        for (const auto& [name, values] : texts_)
            allTexts.push_back(name);
        allInts.insert(allInts.end(), ints.begin(), ints.end());
        allTexts.insert(allTexts.end(), texts.begin(), texts.end());
        invalidate();
        loadColumns(db, allInts, allTexts);
        return;
    }
    for (size_t c = 0; c < ints.size(); ++c)
        ints_[ints[c]] = inOrder(std::move(stored.ints[c]), order_);
    for (size_t c = 0; c < texts.size(); ++c)
        texts_[texts[c]] = inOrder(std::move(stored.texts[c]), order_);
}

void ColumnCache::keep(store::Database& db, const Rows& rows, const RowWrites& writes)
{
    refuseWhileHeld("take a search's writes");
    pendingValid_ = false;
    if (!loaded_)
        return;
    for (const auto& w : writes.ints())
        ints_.at(rows.intName(w.column)) = w.values;
    // A new text may be a view into another text held here: every changed
    // text is copied out before any is replaced.
    struct Change {
        std::string* text;
        std::string value;
    };
    std::vector<Change> changes;
    for (const auto& w : writes.texts()) {
        auto& column = texts_.at(rows.textName(w.column));
        for (size_t k = 0; k < column.size(); ++k)
            if (column[k] != w.values[k])
                changes.push_back({&column[k], std::string(w.values[k])});
    }
    for (auto& c : changes)
        *c.text = std::move(c.value);
    try {
        pending_ = DatabaseStamp::of(db);
        pendingValid_ = tokenOn(db);
    } catch (const store::StoreError&) {
        pendingValid_ = false;
    }
}

void ColumnCache::committed()
{
    if (pendingValid_)
        stamp_ = pending_;
    else
        invalidate();
    pendingValid_ = false;
}

bool ColumnCache::tokenOn(store::Database& db)
{
    if (!onConnection(db))
        token_ = std::make_unique<ConnectionToken>(db);
    return token_->isOn(db);
}

}  // namespace qudrim::search
