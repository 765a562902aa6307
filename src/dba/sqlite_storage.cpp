// The embedded storage: one SQLite file in WAL mode, for one workstation
// or a few on one machine.
#include "dba/errors.h"
#include "dba/storage.h"

#include <sqlite3.h>

#include <filesystem>
#include <sys/stat.h>
#include <sys/vfs.h>

namespace dba {

namespace {

[[noreturn]] void ThrowSqlite(sqlite3* db, const std::string& what) {
    throw StorageError(what + " : " + (db ? sqlite3_errmsg(db) : "base non ouverte"));
}

class SqliteStatement final : public StorageStatement {
public:
    SqliteStatement(sqlite3* db, sqlite3_stmt* stmt) : db_(db), stmt_(stmt) {}
    ~SqliteStatement() override { sqlite3_finalize(stmt_); }

    void Bind(int index, std::string_view text) override {
        Check(sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT));
    }
    void BindBlob(int index, std::string_view data) override {
        Check(sqlite3_bind_blob(stmt_, index, data.data(), static_cast<int>(data.size()), SQLITE_TRANSIENT));
    }
    void Bind(int index, double value) override { Check(sqlite3_bind_double(stmt_, index, value)); }
    void Bind(int index, long long value) override { Check(sqlite3_bind_int64(stmt_, index, value)); }
    void BindNull(int index) override { Check(sqlite3_bind_null(stmt_, index)); }

    bool Step() override {
        int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW)
            return true;
        if (rc == SQLITE_DONE)
            return false;
        ThrowSqlite(db_, "Exécution de « " + std::string(sqlite3_sql(stmt_)) + " »");
    }
    std::string_view Text(int column) const override {
        // Blob access never transforms the bytes, whatever the column's type.
        const void* data = sqlite3_column_blob(stmt_, column);
        int size = sqlite3_column_bytes(stmt_, column);
        return data ? std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size))
                    : std::string_view();
    }
    long long Int(int column) const override { return sqlite3_column_int64(stmt_, column); }
    double Real(int column) const override { return sqlite3_column_double(stmt_, column); }
    bool IsNull(int column) const override { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }
    void Reset() override {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    bool Busy() const override { return sqlite3_stmt_busy(stmt_) != 0; }

private:
    void Check(int rc) {
        if (rc != SQLITE_OK)
            ThrowSqlite(db_, "Liaison d'un paramètre");
    }
    sqlite3* db_;
    sqlite3_stmt* stmt_;
};

// Refuses a file whose folder lies on a network share, naming the way out.
void RefuseNetworkFile(const std::string& path, bool create) {
    std::filesystem::path where = path;
    if (create) {
        where = where.parent_path();
        if (where.empty())
            where = ".";
    }
    struct statfs info {};
    if (::statfs(where.c_str(), &info) != 0)
        return; // missing: the open reports it
    std::string kind = NetworkFileSystemName(static_cast<std::uint64_t>(info.f_type));
    if (kind.empty())
        return;
    throw StorageError("La base " + path + " est sur un partage réseau (" + kind +
                       ") : un fichier de base n'y est pas sûr, plusieurs postes risqueraient de "
                       "l'abîmer. Placez le fichier sur un disque local de ce poste, ou installez la "
                       "base sur un serveur PostgreSQL (arbel-db copy FICHIER postgresql://…) et "
                       "ouvrez-la par sa chaîne de connexion.");
}

class SqliteStorage final : public Storage {
public:
    SqliteStorage(const std::string& path, bool create) : path_(path) {
        struct stat info {};
        bool exists = ::stat(path.c_str(), &info) == 0;
        if (create && exists)
            throw StorageError("La base existe déjà : " + path);
        if (!create && !exists)
            throw StorageError("Base introuvable : " + path);
        RefuseNetworkFile(path, create);
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
                std::unique_ptr<StorageStatement> st = Prepare("PRAGMA journal_mode = WAL", false);
                if (!st->Step() || st->Text(0) != "wal")
                    throw StorageError("Journal WAL refusé pour " + path);
            }
            // Payroll data: a commit reported done must survive a power cut.
            Exec("PRAGMA synchronous = FULL");
            // Selections touch index and record pages all over the file: keep
            // them in the session's cache and map the file rather than read it.
            Exec("PRAGMA cache_size = -32768");
            Exec("PRAGMA mmap_size = 268435456");
        } catch (...) {
            sqlite3_close_v2(db_);
            throw;
        }
    }
    ~SqliteStorage() override {
        if (db_)
            sqlite3_close_v2(db_);
    }

    Kind kind() const override { return Kind::SQLite; }
    std::string Describe() const override { return path_; }

    std::unique_ptr<StorageStatement> Prepare(const std::string& sql, bool) override {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                               &stmt, nullptr) != SQLITE_OK)
            ThrowSqlite(db_, "Préparation de « " + sql + " »");
        return std::make_unique<SqliteStatement>(db_, stmt);
    }

    void Exec(const std::string& sql) override {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::string message = error ? error : sqlite3_errmsg(db_);
            sqlite3_free(error);
            throw StorageError("Exécution de « " + sql + " » : " + message);
        }
    }

    void Begin(bool write) override { Cached(write ? begin_write_ : begin_read_, write ? "BEGIN IMMEDIATE" : "BEGIN"); }
    void Commit() override { Cached(commit_, "COMMIT"); }
    void Rollback() noexcept override {
        if (!sqlite3_get_autocommit(db_))
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    // SQLite upgrades a read transaction by itself (or fails with busy).
    void BeginWriting() override {}
    void Savepoint(const std::string& name) override { Exec("SAVEPOINT " + name); }
    void ReleaseSavepoint(const std::string& name) override { Exec("RELEASE " + name); }
    void RollbackToSavepoint(const std::string& name) noexcept override {
        sqlite3_exec(db_, ("ROLLBACK TO " + name + "; RELEASE " + name).c_str(), nullptr, nullptr, nullptr);
    }

    const char* TextType() const override { return "TEXT"; }
    const char* BlobType() const override { return "BLOB"; }
    const char* RealType() const override { return "REAL"; }
    const char* IntType() const override { return "INTEGER"; }
    const char* KeyedTableOptions() const override { return " WITHOUT ROWID"; }
    std::size_t MaxNameLength() const override { return 1000; }
    bool RemoteCalls() const override { return false; }

    int CountTables(const std::vector<std::string>& names) override {
        int count = 0;
        std::unique_ptr<StorageStatement> st =
            Prepare("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?", false);
        for (const std::string& name : names) {
            st->Bind(1, name);
            if (st->Step())
                count += static_cast<int>(st->Int(0));
            st->Reset();
        }
        return count;
    }

    std::vector<std::string> IntegrityProblems() override {
        std::vector<std::string> problems;
        std::unique_ptr<StorageStatement> st = Prepare("PRAGMA integrity_check", false);
        while (st->Step())
            if (st->Text(0) != "ok")
                problems.push_back("Fichier : " + std::string(st->Text(0)));
        return problems;
    }

    void SetHolderName(const std::string&) override {} // locks rows carry it
    void Abandon() noexcept override { db_ = nullptr; }

private:
    void Cached(std::unique_ptr<StorageStatement>& st, const char* sql) {
        if (!st)
            st = Prepare(sql, true);
        try {
            st->Step();
        } catch (...) {
            st->Reset();
            throw;
        }
        st->Reset();
    }

    std::string path_;
    sqlite3* db_ = nullptr;
    std::unique_ptr<StorageStatement> begin_write_, begin_read_, commit_;
};

} // namespace

std::unique_ptr<Storage> OpenSqliteStorage(const std::string& path, bool create) {
    return std::make_unique<SqliteStorage>(path, create);
}

std::string NetworkFileSystemName(std::uint64_t magic) {
    switch (magic) {
    case 0x6969:
        return "NFS";
    case 0x517B:
        return "SMB";
    case 0xFF534D42:
        return "CIFS";
    case 0xFE534D42:
        return "SMB2";
    case 0x73757245:
        return "Coda";
    case 0x5346414F:
    case 0x6B414653:
        return "AFS";
    case 0x00C36400:
        return "Ceph";
    case 0x01161970:
        return "GFS2";
    case 0x7461636F:
        return "OCFS2";
    case 0x0BD00BD0:
        return "Lustre";
    case 0x01021997:
        return "9P";
    case 0x47504653:
        return "GPFS";
    case 0x564C:
        return "NCP";
    default:
        return "";
    }
}

} // namespace dba
