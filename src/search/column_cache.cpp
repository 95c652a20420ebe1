#include "search/column_cache.h"

#include "search/history_columns.h"

#include <sqlite3.h>

#include <utility>

namespace qudrim::search {

// Registered on the connection as the user data of a function that does
// nothing: SQLite releases it when the connection closes, which tells the
// cache that a connection at the same address later is another one.
struct ColumnCache::Token {
    sqlite3* handle = nullptr;
    bool open = true;
};

namespace {

constexpr const char* kTokenFunction = "qudrim_column_cache_token";

void tokenFunction(sqlite3_context* context, int, sqlite3_value**) { sqlite3_result_null(context); }

void releaseToken(void* data)
{
    auto* token = static_cast<std::shared_ptr<ColumnCache::Token>*>(data);
    (*token)->open = false;
    delete token;
}

}  // namespace

ColumnCache::ColumnCache() = default;
ColumnCache::~ColumnCache() = default;

bool ColumnCache::onConnection(store::Database& db) const
{
    return token_ && token_->open && token_->handle == db.handle();
}

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

void ColumnCache::holdForMarks(store::Database& db)
{
    heldForMarks_ = true;
    // Without a token a reopened connection could not be told apart; the
    // marks are then worked out again when they are written.
    staleForMarks_ = !tokenOn(db);
}

bool ColumnCache::releaseForMarks(store::Database& db)
{
    heldForMarks_ = false;
    const bool intact = !staleForMarks_ && onConnection(db);
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
        std::vector<std::string> withIssue = {"SQQH"};
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
    if (token_ && token_->open && token_->handle == db.handle())
        return true;
    auto token = std::make_shared<Token>();
    token->handle = db.handle();
    // SQLite owns the holder from here on, and releases it itself should the
    // registration fail.
    auto* holder = new std::shared_ptr<Token>(token);
    if (sqlite3_create_function_v2(db.handle(), kTokenFunction, 0, SQLITE_UTF8, holder, tokenFunction, nullptr,
                                   nullptr, releaseToken) != SQLITE_OK)
        return false;
    token_ = std::move(token);
    return true;
}

}  // namespace qudrim::search
