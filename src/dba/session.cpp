#include "dba/session.h"

#include "dba/errors.h"
#include "dba/locks.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace dba {

namespace {

std::string HostName() {
    char buffer[256] = {};
    if (::gethostname(buffer, sizeof buffer - 1) != 0 || buffer[0] == '\0')
        return "localhost";
    return buffer;
}

std::string DefaultUser() {
    for (const char* var : {"LOGNAME", "USER"})
        if (const char* v = std::getenv(var); v && *v)
            return v;
    return "inconnu";
}

constexpr char FileMark[] = "@fichier:";

std::string NewSessionId(const std::string& host, long long pid, long long started) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    unsigned long long salt = (static_cast<unsigned long long>(random()) << 32) ^ random();
    return host + ":" + std::to_string(pid) + ":" + std::to_string(started) + ":" +
           std::to_string(++counter) + ":" + std::to_string(salt);
}

} // namespace

Session::Session(const std::string& location, bool create, bool readOnly) : path_(location) {
    host_ = HostName();
    pid_ = static_cast<long long>(::getpid());
    started_ = ProcessStartTime(pid_);
    user = DefaultUser();
    if (IsConnectionString(location)) {
        storage_ = OpenPostgresStorage(location, HolderName(), readOnly);
        path_ = storage_->Describe();
    } else {
        storage_ = OpenSqliteStorage(location, create, readOnly);
    }
    try {
        bool exists = MetaTablesPresent(*this);
        if (create && exists)
            throw StorageError("La base existe déjà : " + path_);
        if (!create && !exists)
            throw StorageError(storage_->kind() == Storage::Kind::SQLite
                                   ? "Ce fichier n'est pas une base de données : " + path_
                                   : "Aucune base dans " + path_ +
                                         " (arbel-db « create » ou « copy » la crée)");
        storage_->Settle(); // known to be ours: from here on it may write
        if (create) {
            // Not through Write: there is no generation to read yet.
            storage_->Begin(true);
            try {
                CreateMetaTables(*this);
                storage_->Commit();
            } catch (...) {
                storage_->Rollback();
                throw;
            }
        }
    } catch (...) {
        statements_.clear();
        storage_.reset();
        throw;
    }
    if (storage_->kind() == Storage::Kind::SQLite) {
        struct stat info {};
        if (::stat(location.c_str(), &info) == 0)
            fileIdentity_ = std::to_string(info.st_dev) + "." + std::to_string(info.st_ino);
    }
    id_ = NewSessionId(host_, pid_, started_) + (fileIdentity_.empty() ? "" : FileMark + fileIdentity_);
    RegisterLiveSession(id_);
}

std::string FileIdentityOfSession(const std::string& sessionId) {
    const std::size_t at = sessionId.rfind(FileMark);
    return at == std::string::npos ? std::string() : sessionId.substr(at + std::strlen(FileMark));
}

Session::~Session() {
    // A copy inherited through fork() belongs to the parent: touching the
    // connection or the parent's locks from the child would harm the parent.
    if (static_cast<long long>(::getpid()) != pid_) {
        statements_.clear();
        storage_->Abandon();
        return;
    }
    try {
        // A server drops a connection's locks itself when it closes.
        if (depth_ == 0 && !storage_->connectionLocks())
            ReleaseAllLocks(*this);
    } catch (...) {
        // The locks stay; the next session that meets one finds this
        // session gone from the process and reclaims it.
    }
    UnregisterLiveSession(id_);
    statements_.clear();
}

Statement Session::Sql(const std::string& sql) {
    auto found = statements_.find(sql);
    if (found != statements_.end() && !found->second->Busy())
        return Statement(found->second.get());
    if (found != statements_.end())
        return Statement(storage_->Prepare(sql, false)); // the cached one is in use further up
    auto stmt = storage_->Prepare(sql, true);
    StorageStatement* raw = stmt.get();
    statements_.emplace(sql, std::move(stmt));
    return Statement(raw);
}

void Session::Exec(const std::string& sql) {
    storage_->Exec(sql);
}

void Session::Write(const std::function<void()>& work) {
    if (readOnly_)
        throw StorageError("Écriture refusée pendant une lecture seule");
    if (depth_ == 0) {
        // The generation is read with the BEGIN (one round trip to a server).
        readGeneration_ = storage_->BeginWrite(GenerationQuery);
        depth_ = 1;
        try {
            work();
            readGeneration_ = -1;
            storage_->Commit();
        } catch (...) {
            depth_ = 0;
            readGeneration_ = -1;
            schema_.generation = -1; // schema changes of the work may be undone
            storage_->Rollback();
            throw;
        }
        depth_ = 0;
        return;
    }
    storage_->BeginWriting();
    const int outer = depth_;
    std::string name = "dba_sp" + std::to_string(outer);
    storage_->Savepoint(name);
    ++depth_;
    try {
        work();
        --depth_;
        storage_->ReleaseSavepoint(name);
    } catch (...) {
        depth_ = outer;
        schema_.generation = -1;
        storage_->RollbackToSavepoint(name);
        throw;
    }
}

void Session::Read(const std::function<void()>& work) {
    if (depth_ > 0) {
        work();
        return;
    }
    storage_->Begin(false);
    depth_ = 1;
    try {
        work();
    } catch (...) {
        depth_ = 0;
        storage_->Rollback();
        throw;
    }
    depth_ = 0;
    storage_->Commit();
}

void Session::ReadOnly(const std::function<void()>& work) {
    if (depth_ > 0) {
        work();
        return;
    }
    readGeneration_ = storage_->BeginReadOnly(GenerationQuery);
    depth_ = 1;
    readOnly_ = true;
    try {
        work();
    } catch (...) {
        depth_ = 0;
        readOnly_ = false;
        readGeneration_ = -1;
        storage_->Rollback();
        throw;
    }
    depth_ = 0;
    readOnly_ = false;
    readGeneration_ = -1;
    storage_->EndReadOnly();
}

const Schema& Session::schema() {
    long long generation = readGeneration_ >= 0 ? readGeneration_ : ReadGeneration(*this);
    if (generation != schema_.generation || generation < 0) {
        if (depth_ == 0) {
            // One read transaction, so the meta tables are seen at one instant.
            Read([&] { schema_ = LoadSchema(*this); });
        } else {
            schema_ = LoadSchema(*this);
        }
    }
    return schema_;
}

std::shared_ptr<const Query> Session::Parsed(const std::string& command) {
    auto found = parsed_.find(command);
    if (found != parsed_.end())
        return found->second;
    auto query = std::make_shared<const Query>(ParseQuery(command));
    // Programs run a few hundred distinct texts; anything beyond is one-off.
    if (parsed_.size() >= 2048) {
        plans.clear(); // keyed by the queries about to go
        parsed_.clear();
    }
    parsed_.emplace(command, query);
    return query;
}

ItemPtr Session::Compiled(const std::string& table, const std::string& name) {
    if (compiledGeneration_ != schema_.generation || schema_.generation < 0) {
        compiled_.clear();
        compiledGeneration_ = schema_.generation;
    }
    auto key = std::make_pair(table, name);
    auto found = compiled_.find(key);
    if (found != compiled_.end())
        return found->second;
    const TableSchema* t = schema_.Find(table);
    if (!t)
        throw TableNotFound(table);
    ItemPtr item = CompileItem(name, t->dictionary, schema_.names);
    compiled_.emplace(std::move(key), item);
    return item;
}

const std::string& Session::RecordSql(const std::string& table) {
    auto found = recordSql_.find(table);
    if (found != recordSql_.end())
        return found->second;
    return recordSql_.emplace(table, "SELECT rec FROM " + QuoteName(table) + " WHERE key = ?").first->second;
}

void Session::SchemaChanged() {
    BumpGeneration(*this);
    schema_.generation = -1;
    readGeneration_ = -1; // read it again
}

std::string Session::HolderName() const {
    return user + "@" + host_ + " (pid " + std::to_string(pid_) + ")";
}

} // namespace dba
