// Tells one connection apart from every other, also from one opened later at
// the same address: a function of the token's own is registered on the
// connection with a flag as its user data, and SQLite releases that flag
// when the connection closes.
#pragma once

#include "store/database.h"

#include <memory>
#include <string>

struct sqlite3;

namespace qudrim::search {

class ConnectionToken {
public:
    // When SQLite refuses the registration the token is on no connection.
    explicit ConnectionToken(store::Database& db);
    // Takes its function off the connection, if that is still open.
    ~ConnectionToken();
    ConnectionToken(const ConnectionToken&) = delete;
    ConnectionToken& operator=(const ConnectionToken&) = delete;

    // Whether `db` is the connection it was registered on, still open.
    bool isOn(const store::Database& db) const;

    struct Flag {
        bool open = true;
    };

private:
    sqlite3* handle_;
    std::shared_ptr<Flag> flag_;
    std::string name_;
};

}  // namespace qudrim::search
