// The embedded storage: one SQLite file in WAL mode, for one workstation
// or a few on one machine.
#include "dba/errors.h"
#include "dba/storage.h"

#include <sqlite3.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace dba {

namespace {

// The user_version the file carries once it was found damaged. A restored
// backup does not carry it, so restoring is what lifts the refusal.
constexpr int DamageMark = 0x44414D47;

std::string UserName() {
    if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_name)
        return entry->pw_name;
    return std::to_string(::geteuid());
}

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

bool Writable(const std::string& path) {
    return ::access(path.c_str(), W_OK) == 0;
}

// The folder of a file, named in full so that a message says which it is.
std::string FolderOf(const std::string& path) {
    std::error_code ignored;
    std::string folder = std::filesystem::absolute(path, ignored).lexically_normal().parent_path().string();
    return folder.empty() ? "." : folder;
}

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// "file:" URI of a path, for opening with URI parameters.
std::string UriOf(const std::string& path, const std::string& parameters) {
    static const char* hex = "0123456789ABCDEF";
    std::string uri = "file:";
    for (unsigned char c : std::filesystem::absolute(path).string()) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 0xF];
        }
    }
    return uri + "?" + parameters;
}

// The command line of a process, as `ps` shows it, or empty.
std::string CommandLineOf(long long pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
    std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < raw.size()) {
        std::size_t end = raw.find('\0', start);
        if (end == std::string::npos)
            end = raw.size();
        words.push_back(raw.substr(start, end - start));
        start = end + 1;
    }
    if (words.empty())
        return {};
    std::string line = FileNameOf(words[0]);
    for (std::size_t i = 1; i < words.size(); ++i)
        line += " " + words[i];
    return Shown(line, 120);
}

// Who holds the write lock of a database in WAL mode: SQLite takes byte
// 120 of the -shm file for it. Read from /proc/locks rather than asked with
// fcntl(), because closing a descriptor of that file would drop this
// process's own locks on it.
std::string WriterOf(const std::string& path) {
    struct stat shm {};
    if (::stat((path + "-shm").c_str(), &shm) != 0)
        return {};
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);) {
        if (line.find("->") != std::string::npos || line.find("WRITE") == std::string::npos)
            continue;
        std::istringstream fields(line.substr(line.find(':') + 1));
        std::string kind, mode, access, where, first, last;
        long long pid = 0;
        if (!(fields >> kind >> mode >> access >> pid >> where >> first >> last))
            continue;
        unsigned major = 0, minor = 0;
        unsigned long long inode = 0;
        if (std::sscanf(where.c_str(), "%x:%x:%llu", &major, &minor, &inode) != 3)
            continue;
        if (major != ::major(shm.st_dev) || minor != ::minor(shm.st_dev) || inode != shm.st_ino)
            continue;
        if (std::atoll(first.c_str()) > 120 || (last != "EOF" && std::atoll(last.c_str()) < 120))
            continue;
        if (pid == static_cast<long long>(::getpid()))
            return "une autre session de ce programme";
        if (pid <= 0)
            return {};
        const std::string command = CommandLineOf(pid);
        return (command.empty() ? std::string("processus ") : "« " + command + " », processus ") +
               std::to_string(pid);
    }
    return {};
}

class SqliteStorage;

class SqliteStatement final : public StorageStatement {
public:
    SqliteStatement(SqliteStorage& owner, sqlite3_stmt* stmt) : owner_(owner), stmt_(stmt) {}
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
    void BindTexts(int, const std::vector<std::string>&) override {
        throw StorageError("Liste de valeurs non prise en charge par SQLite");
    }

    bool Step() override;
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
    void Check(int rc);
    SqliteStorage& owner_;
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

// Refuses, without writing anything, a file that cannot be a database of
// ours: empty, not an SQLite file, or a rollback-journal file whose journal
// the first read would play back into it (ours are always in WAL mode).
void RefuseForeignFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char header[100] = {};
    in.read(header, sizeof header);
    const bool sqlite = in.gcount() == sizeof header && std::memcmp(header, "SQLite format 3", 16) == 0;
    const bool wal = sqlite && header[18] == 2 && header[19] == 2;
    if (!sqlite || (!wal && Exists(path + "-journal")))
        throw StorageError("Ce fichier n'est pas une base de données : " + path);
}

class SqliteStorage final : public Storage {
public:
    SqliteStorage(const std::string& path, bool create, bool readOnly) : path_(path) {
        struct stat info {};
        bool exists = ::stat(path.c_str(), &info) == 0;
        if (create && exists)
            throw StorageError("La base existe déjà : " + path);
        if (!create && !exists)
            throw StorageError("Base introuvable : " + path);
        if (exists && S_ISDIR(info.st_mode))
            throw StorageError("« " + path + " » est un dossier, pas une base de données");
        RefuseNetworkFile(path, create);
        if (create && !Writable(FolderOf(path)))
            throw DatabaseReadOnly("La base " + path + " ne peut pas être créée : le dossier " +
                                   FolderOf(path) + " n'est pas modifiable par l'utilisateur « " +
                                   UserName() + " ».");
        if (!create && ::access(path.c_str(), R_OK) != 0)
            throw StorageError("La base " + path +
                               " ne peut pas être lue : le fichier n'est pas lisible par "
                               "l'utilisateur « " +
                               UserName() + " ». Donnez-lui le droit de lecture sur ce fichier.");
        if (!create)
            RefuseForeignFile(path);
        std::string filename = path;
        int flags = SQLITE_OPEN_NOMUTEX;
        readOnlyReason_ = create ? std::string() : ReadOnlyReason();
        if (readOnlyReason_.empty()) {
            flags |= SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
            if (readOnly)
                readOnlyReason_ = "elle a été ouverte pour consultation seulement.";
        } else {
            // Read-only for this user: SQLite would create -wal and -shm files
            // here that nobody could remove, or fail where it cannot. The file
            // is read as it is (without locks) only when nobody may write it:
            // no -wal now, and no one allowed to write the file or to create
            // a -wal beside it. Otherwise another user may write while we
            // read, and SQLite's locks are needed.
            flags |= SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
            struct stat folder {};
            const bool nobodyWrites =
                !Exists(path + "-wal") &&
                ((info.st_mode & 0222) == 0 ||
                 (::stat(FolderOf(path).c_str(), &folder) == 0 && (folder.st_mode & 0222) == 0));
            filename = UriOf(path, nobodyWrites ? "mode=ro&immutable=1" : "mode=ro");
        }
        if (sqlite3_open_v2(filename.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
            std::string message = db_ ? sqlite3_errmsg(db_) : "mémoire insuffisante";
            sqlite3_close_v2(db_);
            db_ = nullptr;
            throw StorageError("Ouverture de " + path + " impossible : " + message);
        }
        sqlite3_busy_timeout(db_, busyWait_);
        sqlite3_extended_result_codes(db_, 1);
    }
    ~SqliteStorage() override {
        if (db_)
            sqlite3_close_v2(db_);
    }

    void Settle() override {
        settled_ = true;
        {
            std::unique_ptr<StorageStatement> st = Prepare("PRAGMA user_version", false);
            if (st->Step() && st->Int(0) == DamageMark)
                damaged_ = marked_ = true;
        }
        if (sqlite3_db_readonly(db_, "main") == 0) {
            std::unique_ptr<StorageStatement> st = Prepare("PRAGMA journal_mode = WAL", false);
            if (!st->Step() || st->Text(0) != "wal")
                throw StorageError("Journal WAL refusé pour " + path_);
            // Payroll data: a commit reported done must survive a power cut.
            Exec("PRAGMA synchronous = FULL");
        }
        // Selections touch index and record pages all over the file: keep
        // them in the session's cache and map the file rather than read it.
        Exec("PRAGMA cache_size = -32768");
        Exec("PRAGMA mmap_size = 268435456");
    }

    std::optional<std::string> WriteRefusal() const override {
        if (damaged_)
            return "La base " + path_ + " est endommagée : rien n'y sera plus écrit. Lancez « arbel-db " + path_ +
                   " check » pour voir l'étendue du dommage, puis restaurez la dernière sauvegarde de la base.";
        if (!readOnlyReason_.empty())
            return "La base " + path_ + " est en lecture seule : " + readOnlyReason_;
        return std::nullopt;
    }

    void NoteDamage() override {
        damaged_ = true;
        // Inside a transaction (or a read held by its first statement) the
        // mark is left when it ends.
        if (sqlite3_get_autocommit(db_) && !(reading_ && reading_->Busy()))
            MarkDamaged();
    }

    void SetBusyWait(int milliseconds) override {
        busyWait_ = milliseconds;
        sqlite3_busy_timeout(db_, milliseconds);
    }

    // Turns an SQLite failure into the error a user can act on.
    [[noreturn]] void Raise(int rc, const std::string& what) {
        switch (rc & 0xFF) {
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            if (!settled_)
                throw StorageError("Ce fichier n'est pas une base de données, ou il est endommagé : " +
                                   path_);
            NoteDamage();
            throw DatabaseDamaged(*WriteRefusal());
        case SQLITE_BUSY:
            if (rc == SQLITE_BUSY_SNAPSHOT)
                throw DatabaseBusy("La base " + path_ +
                                   " a été modifiée par une autre opération pendant cette "
                                   "lecture : recommencez ; rien n'a été écrit.");
            throw DatabaseBusy(BusyMessage());
        case SQLITE_CANTOPEN:
        case SQLITE_READONLY:
            // Opened for reading while others may write: SQLite must create
            // its shared-memory file beside the database to read it safely.
            if (!readOnlyReason_.empty() &&
                (rc == SQLITE_READONLY_CANTINIT || rc == SQLITE_READONLY_CANTLOCK ||
                 rc == SQLITE_READONLY_DIRECTORY || (rc & 0xFF) == SQLITE_CANTOPEN))
                throw DatabaseReadOnly(
                    "La base " + path_ + " ne peut pas être lue par l'utilisateur « " + UserName() +
                    " » : d'autres peuvent y écrire, et la lire sans risque demande de créer un "
                    "fichier dans son dossier " +
                    FolderOf(path_) +
                    ". Donnez-lui le droit d'écriture sur ce dossier, ou installez la base sur un "
                    "serveur PostgreSQL.");
            if ((rc & 0xFF) == SQLITE_CANTOPEN)
                throw StorageError(what + " : " + (db_ ? sqlite3_errmsg(db_) : "base non ouverte"));
            if (readOnlyReason_.empty())
                readOnlyReason_ = "le fichier ou son dossier n'est plus modifiable par l'utilisateur « " +
                                  UserName() + " ».";
            throw DatabaseReadOnly(*WriteRefusal() + " Rien n'a été écrit.");
        case SQLITE_FULL:
            throw StorageError("Le disque de la base " + path_ +
                               " est plein : rien n'a été écrit. Libérez de la place sur ce disque, puis "
                               "recommencez.");
        default:
            throw StorageError(what + " : " + (db_ ? sqlite3_errmsg(db_) : "base non ouverte"));
        }
    }

    Kind kind() const override { return Kind::SQLite; }
    std::string Describe() const override { return path_; }

    std::unique_ptr<StorageStatement> Prepare(const std::string& sql, bool) override {
        sqlite3_stmt* stmt = nullptr;
        int rc = sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                                    &stmt, nullptr);
        if (rc != SQLITE_OK)
            Raise(rc, "Préparation de « " + sql + " »");
        return std::make_unique<SqliteStatement>(*this, stmt);
    }

    void Exec(const std::string& sql) override {
        char* error = nullptr;
        int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error);
        if (rc != SQLITE_OK) {
            std::string message = error ? error : sqlite3_errmsg(db_);
            sqlite3_free(error);
            Raise(rc, "Exécution de « " + sql + " » : " + message);
        }
    }

    void Begin(bool write) override {
        if (write)
            RefuseWrites();
        Cached(write ? begin_write_ : begin_read_, write ? "BEGIN IMMEDIATE" : "BEGIN");
    }
    void Commit() override {
        Cached(commit_, "COMMIT");
        if (damaged_ && !marked_)
            MarkDamaged();
    }

    // A statement stopped on its row keeps the connection's read
    // transaction open: every statement run until it is reset reads the
    // same instant, with no BEGIN or COMMIT to run.
    long long BeginReadOnly(const std::string& firstRead) override {
        if (!reading_ || readingSql_ != firstRead) {
            reading_.reset();
            reading_ = Prepare(firstRead, true);
            readingSql_ = firstRead;
        }
        try {
            if (!reading_->Step())
                throw StorageError("Base incomplète : compteur de structure absent");
            return reading_->Int(0);
        } catch (...) {
            reading_->Reset();
            throw;
        }
    }
    void EndReadOnly() override {
        reading_->Reset();
        if (damaged_ && !marked_)
            MarkDamaged();
    }
    long long BeginWrite(const std::string& firstRead) override {
        Begin(true);
        std::unique_ptr<StorageStatement>& st = firstReads_[firstRead];
        if (!st)
            st = Prepare(firstRead, true);
        try {
            if (!st->Step())
                throw StorageError("Base incomplète : compteur de structure absent");
            const long long value = st->Int(0);
            st->Reset();
            return value;
        } catch (...) {
            st->Reset();
            Rollback();
            throw;
        }
    }

    void Rollback() noexcept override {
        if (reading_)
            reading_->Reset();
        if (!sqlite3_get_autocommit(db_))
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        if (damaged_ && !marked_)
            MarkDamaged();
    }
    // SQLite upgrades a read transaction by itself (or fails with busy).
    void BeginWriting() override { RefuseWrites(); }
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
        try {
            while (st->Step())
                if (st->Text(0) != "ok")
                    problems.push_back("Fichier : " + std::string(st->Text(0)));
        } catch (const DatabaseDamaged&) {
            // SQLite lists what it found, then may stop at a page it cannot read.
            problems.push_back("Fichier : la vérification s'arrête sur une page illisible");
        }
        return problems;
    }

    void SetHolderName(const std::string&) override {} // locks rows carry it
    void Abandon() noexcept override { db_ = nullptr; }

private:
    // Why this user cannot write here, or empty when it can.
    std::string ReadOnlyReason() const {
        const std::string folder = FolderOf(path_), user = "l'utilisateur « " + UserName() + " »";
        const bool file = Writable(path_), dir = Writable(folder);
        if (!file && !dir)
            return "ni le fichier ni son dossier " + folder + " ne sont modifiables par " + user +
                   ". Pour y enregistrer, donnez-lui le droit d'écriture sur les deux.";
        if (!file)
            return "le fichier n'est pas modifiable par " + user +
                   ". Pour y enregistrer, donnez-lui le droit d'écriture sur ce fichier.";
        for (const char* side : {"-wal", "-shm"}) {
            const std::string sidePath = path_ + side;
            if (Exists(sidePath) ? !Writable(sidePath) : !dir)
                return Exists(sidePath)
                           ? "le fichier " + sidePath + " n'est pas modifiable par " + user +
                                 ". Pour y enregistrer, donnez-lui le droit d'écriture sur ce fichier."
                           : "le dossier " + folder + " n'est pas modifiable par " + user +
                                 " (la base y crée ses fichiers " + FileNameOf(path_) + "-wal et " +
                                 FileNameOf(path_) +
                                 "-shm). Pour y enregistrer, donnez-lui le droit d'écriture sur ce dossier, "
                                 "ou placez la base dans un dossier modifiable.";
        }
        return {};
    }

    void RefuseWrites() const {
        if (damaged_)
            throw DatabaseDamaged(*WriteRefusal());
        if (!readOnlyReason_.empty())
            throw DatabaseReadOnly(*WriteRefusal() + " Rien n'a été écrit.");
    }

    std::string BusyMessage() const {
        const std::string who = WriterOf(path_);
        return "La base " + path_ + " est occupée : une autre opération y écrit" +
               (who.empty() ? std::string() : " (" + who + ")") + " et n'a pas fini après " +
               std::to_string((busyWait_ + 500) / 1000) +
               " s d'attente. Réessayez quand elle sera terminée ; rien n'a été écrit.";
    }

    // Leaves the damage mark in the file, when it can be written at all.
    void MarkDamaged() noexcept {
        if (marked_ || !settled_ || !readOnlyReason_.empty() || sqlite3_db_readonly(db_, "main") != 0)
            return;
        marked_ = sqlite3_exec(db_, ("PRAGMA user_version = " + std::to_string(DamageMark)).c_str(), nullptr,
                               nullptr, nullptr) == SQLITE_OK;
    }

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
    std::string readOnlyReason_;
    bool settled_ = false, damaged_ = false, marked_ = false;
    int busyWait_ = DefaultBusyWait;
    std::unique_ptr<StorageStatement> begin_write_, begin_read_, commit_, reading_;
    std::string readingSql_;
    std::map<std::string, std::unique_ptr<StorageStatement>> firstReads_;
};

bool SqliteStatement::Step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    owner_.Raise(rc, "Exécution de « " + std::string(sqlite3_sql(stmt_)) + " »");
}

void SqliteStatement::Check(int rc) {
    if (rc != SQLITE_OK)
        owner_.Raise(rc, "Liaison d'un paramètre");
}

} // namespace

std::unique_ptr<Storage> OpenSqliteStorage(const std::string& path, bool create, bool readOnly) {
    return std::make_unique<SqliteStorage>(path, create, readOnly);
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
    // User-space mounts: sshfs, and the SMB shares a desktop mounts for its
    // user; their locking is not the kernel's.
    case 0x65735546:
        return "FUSE";
    // A host folder shared with a virtual machine: both sides may open it.
    case 0x6A656A63:
        return "virtiofs";
    default:
        return "";
    }
}

} // namespace dba
