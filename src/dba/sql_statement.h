#pragma once
// A thin guard over a prepared SQLite statement. Statements live in the
// session's cache; a Statement borrows one, binds, steps and resets it on
// the way out so the next user finds it clean.
#include <sqlite3.h>

#include <string>
#include <string_view>

namespace dba {

// Throws StorageError with SQLite's message for the connection.
[[noreturn]] void ThrowSqlite(sqlite3* db, const std::string& what);

class Statement {
public:
    // `owned`: finalized on destruction (a statement prepared for one use).
    Statement(sqlite3* db, sqlite3_stmt* stmt, bool owned = false) : db_(db), stmt_(stmt), owned_(owned) {}
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, std::string_view text);     // TEXT
    Statement& BindBlob(int index, std::string_view data); // BLOB
    Statement& Bind(int index, double value);
    Statement& Bind(int index, long long value);
    Statement& BindNull(int index);

    // Steps once: true while a row is available.
    bool Step();
    // Steps to completion (statements that return no rows).
    void Run();

    std::string_view Text(int column) const; // valid until the next Step
    long long Int(int column) const;
    double Real(int column) const;
    bool IsNull(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_;
    bool owned_;
};

} // namespace dba
