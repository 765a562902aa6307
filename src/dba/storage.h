#pragma once
// The storage interface under the engine. Everything above it (records,
// dictionaries, indexes, planner, locks) speaks this interface and a small
// common SQL: parameters written `?`, upserts written `ON CONFLICT`, column
// types taken from the storage. Two implementations: an SQLite file (the
// embedded default) and a PostgreSQL server reached through libpq.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dba {

// One prepared statement of a connection, kept in the session's cache.
class StorageStatement {
public:
    virtual ~StorageStatement() = default;
    virtual void Bind(int index, std::string_view text) = 0;     // TEXT
    virtual void BindBlob(int index, std::string_view data) = 0; // record text
    virtual void Bind(int index, double value) = 0;
    virtual void Bind(int index, long long value) = 0;
    virtual void BindNull(int index) = 0;
    // A list of texts, for "= ANY(?)": only storages with RemoteCalls()
    // have arrays (StorageError elsewhere).
    virtual void BindTexts(int index, const std::vector<std::string>& texts) = 0;
    // Steps once: true while a row is available. StorageError on failure.
    virtual bool Step() = 0;
    virtual std::string_view Text(int column) const = 0; // valid until the next Step
    virtual long long Int(int column) const = 0;
    virtual double Real(int column) const = 0;
    virtual bool IsNull(int column) const = 0;
    // Back to the state after preparing: no row, no binding.
    virtual void Reset() = 0;
    // True while a caller still walks its rows.
    virtual bool Busy() const = 0;
};

// Record locks that live as long as the connection (a server's session
// locks). Storages without them keep locks in a table (see locks.cpp).
class ConnectionLocks {
public:
    virtual ~ConnectionLocks() = default;
    // Takes the lock, or names the session that holds it (nullopt: taken).
    // Inside a transaction a rollback gives back what it took.
    virtual std::optional<std::string> Take(const std::string& table, const std::string& key) = 0;
    // Inside a write: the record may be written by this session (nobody
    // else holds its lock); nullopt when free, else the holder's name.
    virtual std::optional<std::string> CheckFree(const std::string& table, const std::string& key) = 0;
    // Gives the lock back when the current transaction commits (at once
    // outside a transaction).
    virtual void Drop(const std::string& table, const std::string& key) = 0;
    virtual void DropAll() = 0;
};

class Storage {
public:
    enum class Kind { SQLite, PostgreSQL };
    virtual ~Storage() = default;
    virtual Kind kind() const = 0;
    // What the user gave to open it, with any password hidden.
    virtual std::string Describe() const = 0;

    // keep: the statement will be cached and run many times.
    virtual std::unique_ptr<StorageStatement> Prepare(const std::string& sql, bool keep) = 0;
    // Runs statements separated by ';', without keeping them.
    virtual void Exec(const std::string& sql) = 0;

    // Transactions. A write transaction excludes every other writer of the
    // database until it ends; a read transaction sees one instant.
    virtual void Begin(bool write) = 0;
    virtual void Commit() = 0;
    virtual void Rollback() noexcept = 0;
    // A read transaction for work that only reads, begun by running
    // `firstRead` (a query without parameters giving one integer, which is
    // returned): one call where Begin and a first read take two or three.
    // EndReadOnly ends it; Rollback ends it after a failure.
    virtual long long BeginReadOnly(const std::string& firstRead) = 0;
    virtual void EndReadOnly() = 0;
    // Begin(true) followed by `firstRead`, the same way; ended by Commit.
    virtual long long BeginWrite(const std::string& firstRead) = 0;
    // A read transaction about to write: it must now exclude other writers.
    virtual void BeginWriting() = 0;
    virtual void Savepoint(const std::string& name) = 0;
    virtual void ReleaseSavepoint(const std::string& name) = 0;
    virtual void RollbackToSavepoint(const std::string& name) noexcept = 0;

    // Column types and table options of the storage's SQL.
    virtual const char* TextType() const = 0; // keys, values, names: compared as bytes
    virtual const char* BlobType() const = 0; // record texts
    virtual const char* RealType() const = 0;
    virtual const char* IntType() const = 0;
    virtual const char* KeyedTableOptions() const = 0; // after a table with a primary key
    // True when each statement costs a round trip to a server: reads of
    // many records are then asked for together.
    virtual bool RemoteCalls() const = 0;
    // The longest table name the storage keeps whole.
    virtual std::size_t MaxNameLength() const = 0;

    // How many of these tables exist.
    virtual int CountTables(const std::vector<std::string>& names) = 0;
    // Problems the storage itself finds in its files (empty = sound).
    virtual std::vector<std::string> IntegrityProblems() = 0;

    // Called once the database is known to be one of ours (or is being
    // created): until then the storage only reads, so that opening a file
    // that is not ours leaves it as it was.
    virtual void Settle() = 0;
    // Why nothing may be written (the file or its folder read-only, a
    // read-only opening, damage found in the file), as the end of a
    // sentence naming the database; nullopt when writes are possible.
    virtual std::optional<std::string> WriteRefusal() const = 0;
    // The file was found damaged (`check` found problems in it): refuse
    // every write from now on, and mark the file so that later sessions
    // refuse them too.
    virtual void NoteDamage() = 0;
    // How long a write waits for another session's write before giving up
    // with DatabaseBusy.
    virtual void SetBusyWait(int milliseconds) = 0;

    // The name others see when this session holds a lock changed.
    virtual void SetHolderName(const std::string& name) = 0;
    virtual ConnectionLocks* connectionLocks() { return nullptr; }
    // Forgets the connection without closing it (a process that inherited
    // it through fork() must leave it to its parent).
    virtual void Abandon() noexcept = 0;
};

// True when `location` reads as a PostgreSQL connection string
// ("postgresql://…", "postgres://…" or "host=… dbname=…") rather than a file.
bool IsConnectionString(const std::string& location);

// Opens the database at `location` (create: a new one; readOnly: never
// write, whatever the rights). The holder name is what other sessions see
// of this one.
std::unique_ptr<Storage> OpenSqliteStorage(const std::string& path, bool create, bool readOnly = false);
std::unique_ptr<Storage> OpenPostgresStorage(const std::string& conninfo, const std::string& holderName,
                                             bool readOnly = false);

// How long a write waits for another one by default, in milliseconds.
inline constexpr int DefaultBusyWait = 10000;

// The network file system a file system magic number names, or empty for a
// local one. SQLite's WAL needs memory shared on one machine: such a file
// is refused.
std::string NetworkFileSystemName(std::uint64_t magic);

} // namespace dba
