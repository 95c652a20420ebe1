#include "search/connection_token.h"

#include <sqlite3.h>

#include <cstdint>

namespace qudrim::search {

namespace {

void noValue(sqlite3_context* context, int, sqlite3_value**) { sqlite3_result_null(context); }

void connectionClosed(void* data)
{
    auto* flag = static_cast<std::shared_ptr<ConnectionToken::Flag>*>(data);
    (*flag)->open = false;
    delete flag;
}

}  // namespace

ConnectionToken::ConnectionToken(store::Database& db)
    : handle_(db.handle()), flag_(std::make_shared<Flag>()),
      // No two live tokens share an address, so none takes another's function.
      name_("qudrim_connection_token_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)))
{
    if (!handle_) {
        flag_->open = false;
        return;
    }
    // SQLite owns the holder from here on, and releases it itself (clearing
    // the flag) should the registration fail.
    auto* holder = new std::shared_ptr<Flag>(flag_);
    sqlite3_create_function_v2(handle_, name_.c_str(), 0, SQLITE_UTF8, holder, noValue, nullptr, nullptr,
                               connectionClosed);
}

ConnectionToken::~ConnectionToken()
{
    // Taking the function off releases the flag; a connection that keeps a
    // statement running refuses, and releases it when it closes.
    if (flag_->open)
        sqlite3_create_function_v2(handle_, name_.c_str(), 0, SQLITE_UTF8, nullptr, nullptr, nullptr, nullptr, nullptr);
}

bool ConnectionToken::isOn(const store::Database& db) const { return flag_->open && handle_ == db.handle(); }

}  // namespace qudrim::search
