#pragma once
// One session: one storage connection with its cached statements, its
// identity for locks, its transaction nesting, its cached schema, its saved
// lists and its routines. A Database, its Tables and Records share it.
#include "dba/database.h"
#include "dba/dictionary.h"
#include "dba/query.h"
#include "dba/schema.h"
#include "dba/sql_statement.h"
#include "dba/storage.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

namespace dba {

class Session {
public:
    // Opens the database: a file, or a PostgreSQL connection string
    // (create: a new one, which must not exist yet; readOnly: never write).
    Session(const std::string& location, bool create, bool readOnly = false);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const std::string& path() const { return path_; }
    Storage& storage() const { return *storage_; }

    // A prepared statement from the session's cache (a fresh one when the
    // cached one is in use further up the stack).
    Statement Sql(const std::string& sql);
    // Runs statements without caching them (schema changes, transactions).
    void Exec(const std::string& sql);

    // Runs `work` as one transaction: BEGIN IMMEDIATE at the outermost
    // level, a savepoint inside another one. Any exception rolls back.
    void Write(const std::function<void()>& work);
    // Runs `work` inside one read transaction (or the current transaction).
    void Read(const std::function<void()>& work);
    // The same for work that never writes (queries): the transaction begins
    // with the schema generation's read, in one call to the storage.
    void ReadOnly(const std::function<void()>& work);
    bool InTransaction() const { return depth_ > 0; }

    // The schema as the database holds it now.
    const Schema& schema();
    // The parsed form of a query text, kept for the next time it is run.
    std::shared_ptr<const Query> Parsed(const std::string& command);
    // A dictionary name of a table compiled under the current schema
    // (call schema() first), kept until the schema changes.
    ItemPtr Compiled(const std::string& table, const std::string& name);
    // "SELECT rec FROM <table> WHERE key = ?", built once per table.
    const std::string& RecordSql(const std::string& table);
    // Called by writes that change the schema (inside Write).
    void SchemaChanged();

    // Identity seen by other sessions when this one holds a lock.
    const std::string& id() const { return id_; }
    const std::string& host() const { return host_; }
    // The database file as the file system knows it ("device.inode"; empty
    // on a server): a lock row written with the same identity was taken on
    // this very file, one with another came with a copy of it.
    const std::string& fileIdentity() const { return fileIdentity_; }
    long long pid() const { return pid_; }
    long long started() const { return started_; }
    std::string user;
    std::string HolderName() const;

    // Key-set sizes the planner saw per look-up, to order the next ones.
    std::unordered_map<std::string, std::size_t> accessSizes;
    // The planner's look-ups of each parsed query (planner.cpp).
    std::unordered_map<const Query*, std::shared_ptr<struct QueryPlan>> plans;

    std::map<std::string, ResultList> lists;
    std::map<std::string, Database::Routine> routines;

private:
    std::string path_;
    std::unique_ptr<Storage> storage_;
    std::unordered_map<std::string, std::unique_ptr<StorageStatement>> statements_;
    int depth_ = 0;
    bool readOnly_ = false;
    long long readGeneration_ = -1; // read when the current ReadOnly began
    Schema schema_;
    std::unordered_map<std::string, std::shared_ptr<const Query>> parsed_;
    std::map<std::pair<std::string, std::string>, ItemPtr> compiled_;
    long long compiledGeneration_ = -1;
    std::unordered_map<std::string, std::string> recordSql_;
    std::string id_, host_, fileIdentity_;
    long long pid_ = 0, started_ = 0;
};

// The file identity a session id carries (empty when it carries none).
std::string FileIdentityOfSession(const std::string& sessionId);

// The session behind a handle; StorageError when the handle was never opened.
inline Session& Open(const std::shared_ptr<Session>& session) {
    if (!session)
        throw StorageError("Base non ouverte");
    return *session;
}

} // namespace dba
