#include "dba/sql_statement.h"

#include "dba/errors.h"

namespace dba {

void ThrowSqlite(sqlite3* db, const std::string& what) {
    throw StorageError(what + " : " + (db ? sqlite3_errmsg(db) : "base non ouverte"));
}

Statement::~Statement() {
    if (owned_) {
        sqlite3_finalize(stmt_);
        return;
    }
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

Statement& Statement::Bind(int index, std::string_view text) {
    if (sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK)
        ThrowSqlite(db_, "Liaison d'un paramètre");
    return *this;
}

Statement& Statement::BindBlob(int index, std::string_view data) {
    if (sqlite3_bind_blob(stmt_, index, data.data(), static_cast<int>(data.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK)
        ThrowSqlite(db_, "Liaison d'un paramètre");
    return *this;
}

Statement& Statement::Bind(int index, double value) {
    if (sqlite3_bind_double(stmt_, index, value) != SQLITE_OK)
        ThrowSqlite(db_, "Liaison d'un paramètre");
    return *this;
}

Statement& Statement::Bind(int index, long long value) {
    if (sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK)
        ThrowSqlite(db_, "Liaison d'un paramètre");
    return *this;
}

Statement& Statement::BindNull(int index) {
    if (sqlite3_bind_null(stmt_, index) != SQLITE_OK)
        ThrowSqlite(db_, "Liaison d'un paramètre");
    return *this;
}

bool Statement::Step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    ThrowSqlite(db_, "Exécution de « " + std::string(sqlite3_sql(stmt_)) + " »");
}

void Statement::Run() {
    while (Step()) {
    }
}

std::string_view Statement::Text(int column) const {
    // Blob access never transforms the bytes, whatever the column's type.
    const void* data = sqlite3_column_blob(stmt_, column);
    int size = sqlite3_column_bytes(stmt_, column);
    return data ? std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size))
                : std::string_view();
}

long long Statement::Int(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

double Statement::Real(int column) const {
    return sqlite3_column_double(stmt_, column);
}

bool Statement::IsNull(int column) const {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

} // namespace dba
