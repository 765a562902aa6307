#include "dba/session.h"

#include "dba/errors.h"
#include "dba/locks.h"

#include <atomic>
#include <cstdlib>
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

std::string NewSessionId(const std::string& host, long long pid, long long started) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    unsigned long long salt = (static_cast<unsigned long long>(random()) << 32) ^ random();
    return host + ":" + std::to_string(pid) + ":" + std::to_string(started) + ":" +
           std::to_string(++counter) + ":" + std::to_string(salt);
}

} // namespace

Session::Session(const std::string& path, bool create) : path_(path) {
    struct stat info {};
    bool exists = ::stat(path.c_str(), &info) == 0;
    if (create && exists)
        throw StorageError("La base existe déjà : " + path);
    if (!create && !exists)
        throw StorageError("Base introuvable : " + path);
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        std::string message = db_ ? sqlite3_errmsg(db_) : "mémoire insuffisante";
        sqlite3_close_v2(db_);
        throw StorageError("Ouverture de " + path + " impossible : " + message);
    }
    try {
        sqlite3_busy_timeout(db_, 5000);
        sqlite3_extended_result_codes(db_, 1);
        {
            Statement st = Sql("PRAGMA journal_mode = WAL");
            if (!st.Step() || st.Text(0) != "wal")
                throw StorageError("Journal WAL refusé pour " + path);
        }
        // Payroll data: a commit reported done must survive a power cut.
        Exec("PRAGMA synchronous = FULL");
        // Selections touch index and record pages all over the file: keep
        // them in the session's cache and map the file rather than read it.
        Exec("PRAGMA cache_size = -32768");
        Exec("PRAGMA mmap_size = 268435456");
        if (create)
            Write([&] { CreateMetaTables(*this); });
        else if (!HasMetaTables(*this))
            throw StorageError("Ce fichier n'est pas une base de données : " + path);
    } catch (...) {
        for (auto& [sql, stmt] : statements_)
            sqlite3_finalize(stmt);
        sqlite3_close_v2(db_);
        throw;
    }
    host_ = HostName();
    pid_ = static_cast<long long>(::getpid());
    started_ = ProcessStartTime(pid_);
    id_ = NewSessionId(host_, pid_, started_);
    user = DefaultUser();
    RegisterLiveSession(id_);
}

Session::~Session() {
    // A copy inherited through fork() belongs to the parent: touching the
    // connection or the parent's locks from the child would harm the parent.
    if (static_cast<long long>(::getpid()) != pid_)
        return;
    try {
        if (depth_ == 0)
            ReleaseAllLocks(*this);
    } catch (...) {
        // The locks stay; the next session that meets one finds this
        // session gone from the process and reclaims it.
    }
    UnregisterLiveSession(id_);
    for (auto& [sql, stmt] : statements_)
        sqlite3_finalize(stmt);
    sqlite3_close_v2(db_);
}

Statement Session::Sql(const std::string& sql) {
    auto found = statements_.find(sql);
    if (found != statements_.end() && !sqlite3_stmt_busy(found->second))
        return Statement(db_, found->second);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt,
                           nullptr) != SQLITE_OK)
        ThrowSqlite(db_, "Préparation de « " + sql + " »");
    if (found != statements_.end())
        return Statement(db_, stmt, true); // the cached one is in use further up
    statements_.emplace(sql, stmt);
    return Statement(db_, stmt);
}

void Session::Exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw StorageError("Exécution de « " + sql + " » : " + message);
    }
}

void Session::Write(const std::function<void()>& work) {
    if (depth_ == 0) {
        Sql("BEGIN IMMEDIATE").Run();
        depth_ = 1;
        try {
            work();
            Sql("COMMIT").Run();
        } catch (...) {
            depth_ = 0;
            schema_.generation = -1; // schema changes of the work may be undone
            if (!sqlite3_get_autocommit(db_))
                sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            throw;
        }
        depth_ = 0;
        return;
    }
    const int outer = depth_;
    std::string name = "dba_sp" + std::to_string(outer);
    Exec("SAVEPOINT " + name);
    ++depth_;
    try {
        work();
        --depth_;
        Exec("RELEASE " + name);
    } catch (...) {
        depth_ = outer;
        schema_.generation = -1;
        sqlite3_exec(db_, ("ROLLBACK TO " + name + "; RELEASE " + name).c_str(), nullptr, nullptr, nullptr);
        throw;
    }
}

void Session::Read(const std::function<void()>& work) {
    if (depth_ > 0) {
        work();
        return;
    }
    // Prepared once: selections open one of these per call.
    Sql("BEGIN").Run();
    depth_ = 1;
    try {
        work();
    } catch (...) {
        depth_ = 0;
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    depth_ = 0;
    Sql("COMMIT").Run();
}

const Schema& Session::schema() {
    long long generation = ReadGeneration(*this);
    if (generation != schema_.generation || generation < 0) {
        if (depth_ == 0) {
            // One read transaction, so the meta tables are seen at one instant.
            Exec("BEGIN");
            try {
                schema_ = LoadSchema(*this);
                Exec("COMMIT");
            } catch (...) {
                sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
                throw;
            }
        } else {
            schema_ = LoadSchema(*this);
        }
    }
    return schema_;
}

void Session::SchemaChanged() {
    BumpGeneration(*this);
    schema_.generation = -1;
}

std::string Session::HolderName() const {
    return user + "@" + host_ + " (pid " + std::to_string(pid_) + ")";
}

} // namespace dba
