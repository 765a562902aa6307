// The server storage: a PostgreSQL database reached through libpq, for
// sites with many workstations.
//
// Keys, values and record texts are bytea: record texts hold the mark
// bytes, which are not UTF-8, and bytea compares byte by byte as SQLite
// does, so ordering and ranges answer the same on both storages. Every
// parameter and result travels in binary form: no escaping, no encoding.
//
// Writers exclude each other with one transaction-level advisory lock, as
// SQLite's write transaction does: a write reads the record's old text to
// update its index entries, and two writers of one record must not
// interleave there. Record locks are session-level advisory locks: the
// server drops them when the holder's connection ends, however it ends,
// so a killed workstation leaves nothing to reclaim. The holder is named
// by the connection's application_name, which every session may read.
#include "dba/errors.h"
#include "dba/sql_statement.h"
#include "dba/storage.h"

#include <libpq-fe.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <map>
#include <set>
#include <thread>
#include <vector>

namespace dba {

namespace {

// Type oids of the results we read.
constexpr Oid BoolOid = 16, ByteaOid = 17, Int8Oid = 20, Int2Oid = 21, Int4Oid = 23, OidOid = 26, Float4Oid = 700,
              Float8Oid = 701;

// 64 bits of FNV-1a over the parts, each followed by a NUL.
std::uint64_t Fnv(std::initializer_list<std::string_view> parts) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::string_view part : parts) {
        for (unsigned char c : part) {
            h ^= c;
            h *= 1099511628211ull;
        }
        h *= 1099511628211ull; // the NUL
    }
    return h;
}

std::uint64_t FromBigEndian(const char* p, int size) {
    std::uint64_t v = 0;
    for (int i = 0; i < size; ++i)
        v = (v << 8) | static_cast<unsigned char>(p[i]);
    return v;
}

std::string ToBigEndian(std::uint64_t v) {
    std::string out(8, '\0');
    for (int i = 7; i >= 0; --i, v >>= 8)
        out[static_cast<std::size_t>(i)] = static_cast<char>(v & 0xFF);
    return out;
}

std::string Trimmed(const char* message) {
    std::string text = message ? message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

// "?" parameters become "$1", "$2"... outside quoted texts and names.
std::string NumberParameters(const std::string& sql, int& count) {
    std::string out;
    out.reserve(sql.size() + 8);
    char quote = 0;
    count = 0;
    for (char c : sql) {
        if (quote) {
            if (c == quote)
                quote = 0;
            out += c;
        } else if (c == '\'' || c == '"') {
            quote = c;
            out += c;
        } else if (c == '?') {
            out += '$' + std::to_string(++count);
        } else {
            out += c;
        }
    }
    return out;
}

// application_name keeps printable ASCII only: other bytes travel as %XX.
std::string EncodeHolder(const std::string& name) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : name) {
        if (c < 0x20 || c >= 0x7F || c == '%') {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out.size() > 63 ? out.substr(0, 63) : out; // the server keeps 63 bytes
}

std::string DecodeHolder(std::string_view text) {
    auto digit = [](char c) { return c <= '9' ? c - '0' : c - 'A' + 10; };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(digit(text[i + 1]) * 16 + digit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

class PgStorage;

class PgStatement final : public StorageStatement {
public:
    PgStatement(PgStorage& storage, const std::string& sql, bool keep);
    ~PgStatement() override { PQclear(result_); }

    void Bind(int index, std::string_view text) override { Set(index, std::string(text)); }
    void BindBlob(int index, std::string_view data) override { Set(index, std::string(data)); }
    void Bind(int index, double value) override {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        Set(index, ToBigEndian(bits));
    }
    void Bind(int index, long long value) override { Set(index, ToBigEndian(static_cast<std::uint64_t>(value))); }
    void BindNull(int index) override {
        Slot(index);
        null_[static_cast<std::size_t>(index - 1)] = true;
    }
    // A one-dimension bytea[] in the server's binary form.
    void BindTexts(int index, const std::vector<std::string>& texts) override {
        std::string array;
        auto add = [&](std::uint32_t v) {
            const std::string bytes = ToBigEndian(v);
            array.append(bytes, 4, 4);
        };
        add(1);        // dimensions
        add(0);        // no NULL element
        add(ByteaOid); // element type
        add(static_cast<std::uint32_t>(texts.size()));
        add(1); // lower bound
        for (const std::string& text : texts) {
            add(static_cast<std::uint32_t>(text.size()));
            array += text;
        }
        Set(index, std::move(array));
    }

    bool Step() override;
    std::string_view Text(int column) const override {
        return std::string_view(PQgetvalue(result_, row_, column),
                                static_cast<std::size_t>(PQgetlength(result_, row_, column)));
    }
    long long Int(int column) const override {
        if (IsNull(column))
            return 0;
        const char* p = PQgetvalue(result_, row_, column);
        switch (PQftype(result_, column)) {
        case Int8Oid:
            return static_cast<long long>(FromBigEndian(p, 8));
        case Int4Oid:
            return static_cast<std::int32_t>(FromBigEndian(p, 4));
        case Int2Oid:
            return static_cast<std::int16_t>(FromBigEndian(p, 2));
        case OidOid:
            return static_cast<long long>(FromBigEndian(p, 4));
        case BoolOid:
            return p[0] != 0;
        default:
            return static_cast<long long>(Real(column));
        }
    }
    double Real(int column) const override {
        if (IsNull(column))
            return 0;
        const char* p = PQgetvalue(result_, row_, column);
        switch (PQftype(result_, column)) {
        case Float8Oid: {
            std::uint64_t bits = FromBigEndian(p, 8);
            double v;
            std::memcpy(&v, &bits, sizeof v);
            return v;
        }
        case Float4Oid: {
            auto bits = static_cast<std::uint32_t>(FromBigEndian(p, 4));
            float v;
            std::memcpy(&v, &bits, sizeof v);
            return v;
        }
        default:
            return static_cast<double>(Int(column));
        }
    }
    bool IsNull(int column) const override { return PQgetisnull(result_, row_, column) != 0; }
    void Reset() override {
        PQclear(result_);
        result_ = nullptr;
        executed_ = false;
        for (std::size_t i = 0; i < values_.size(); ++i) {
            values_[i].clear();
            null_[i] = true;
        }
    }
    bool Busy() const override { return executed_; }

private:
    void Slot(int index) {
        if (index < 1 || index > count_)
            throw StorageError("Paramètre " + std::to_string(index) + " hors de « " + sql_ + " »");
    }
    void Set(int index, std::string value) {
        Slot(index);
        values_[static_cast<std::size_t>(index - 1)] = std::move(value);
        null_[static_cast<std::size_t>(index - 1)] = false;
    }

    PgStorage& storage_;
    std::string sql_, name_;
    int count_ = 0;
    bool prepared_ = false;
    std::vector<std::string> values_;
    std::vector<bool> null_;
    PGresult* result_ = nullptr;
    bool executed_ = false;
    int row_ = -1;
};

class PgStorage final : public Storage, public ConnectionLocks {
public:
    PgStorage(const std::string& conninfo, const std::string& holderName, bool readOnly) {
        if (readOnly)
            readOnlyReason_ = "elle a été ouverte pour consultation seulement.";
        describe_ = Describe(conninfo);
        const std::string application = EncodeHolder(holderName);
        const char* keywords[] = {"dbname", "application_name", nullptr};
        const char* values[] = {conninfo.c_str(), application.c_str(), nullptr};
        conn_ = PQconnectdbParams(keywords, values, 1);
        if (!conn_ || PQstatus(conn_) != CONNECTION_OK) {
            std::string message = conn_ ? Trimmed(PQerrorMessage(conn_)) : "mémoire insuffisante";
            PQfinish(conn_);
            conn_ = nullptr;
            throw StorageError("Connexion à la base " + describe_ + " impossible : " + message);
        }
        PQsetNoticeProcessor(conn_, [](void*, const char*) {}, nullptr);
        try {
            Exec("SET client_min_messages = warning");
            // Advisory locks are shared by the whole server database: the
            // keys include the schema, so two engine databases in two
            // schemas never lock each other. The writers' lock is in the
            // two-key space, so that it never meets a record lock.
            PgStatement st(*this, "SELECT coalesce(current_schema(), '')", false);
            if (st.Step())
                schema_ = std::string(st.Text(0));
            writerLockSql_ = "SELECT pg_advisory_xact_lock(" +
                             std::to_string(static_cast<std::int32_t>(Fnv({schema_}) & 0x7FFFFFFF)) + ", 1)";
        } catch (...) {
            PQfinish(conn_);
            throw;
        }
    }
    ~PgStorage() override {
        if (conn_)
            PQfinish(conn_); // the server drops this session's record locks
    }

    PGconn* conn() const { return conn_; }
    int NextStatementNumber() { return ++statements_; }

    [[noreturn]] void Fail(const std::string& what, const PGresult* result) const {
        const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
        const std::string code = state ? state : "";
        if (code == "55P03") // lock_timeout: another writer kept the writers' lock
            throw DatabaseBusy(BusyMessage({}));
        if (code == "25006")
            throw DatabaseReadOnly("La base " + describe_ +
                                   " est en lecture seule : le serveur n'accepte pas d'écriture (serveur de "
                                   "secours, ou base en lecture seule). Rien n'a été écrit.");
        if (code == "XX001" || code == "XX002") {
            damaged_ = true;
            throw DatabaseDamaged(*WriteRefusal());
        }
        std::string message = result ? Trimmed(PQresultErrorMessage(result)) : "";
        if (message.empty())
            message = Trimmed(PQerrorMessage(conn_));
        if (PQstatus(conn_) != CONNECTION_OK)
            message = "connexion au serveur perdue (" + message + ")";
        throw StorageError(what + " : " + message);
    }

    // A standby server, or a role that may only read, makes a database for
    // consultation, as a read-only file does.
    void Settle() override {
        if (!readOnlyReason_.empty())
            return;
        PgStatement st(*this,
                       "SELECT CASE WHEN pg_is_in_recovery() THEN 1 ELSE 0 END::bigint, "
                       "CASE WHEN to_regclass('dba_meta') IS NULL THEN 1 "
                       "WHEN has_table_privilege('dba_meta', 'UPDATE') THEN 1 ELSE 0 END::bigint, "
                       "current_user::text",
                       false);
        if (!st.Step())
            return;
        if (st.Int(0) != 0)
            readOnlyReason_ = "le serveur est un serveur de secours, qui n'accepte que des lectures. Pour y "
                              "enregistrer, ouvrez la base sur le serveur principal.";
        else if (st.Int(1) == 0)
            readOnlyReason_ = "le rôle « " + std::string(st.Text(2)) +
                              " » n'a pas le droit d'y écrire. Pour y enregistrer, demandez à l'administrateur "
                              "du serveur de lui donner les droits d'écriture sur les tables de la base.";
    }
    std::optional<std::string> WriteRefusal() const override {
        if (damaged_)
            return "La base " + describe_ +
                   " est endommagée sur le serveur : rien n'y sera plus écrit par cette session. Faites "
                   "vérifier le serveur par son administrateur, et restaurez la dernière sauvegarde si besoin.";
        if (!readOnlyReason_.empty())
            return "La base " + describe_ + " est en lecture seule : " + readOnlyReason_;
        return std::nullopt;
    }
    // The server keeps its pages sound itself; this session stops writing.
    void NoteDamage() override { damaged_ = true; }
    void SetBusyWait(int milliseconds) override { busyWait_ = milliseconds; }

    Kind kind() const override { return Kind::PostgreSQL; }
    std::string Describe() const override { return describe_; }

    std::unique_ptr<StorageStatement> Prepare(const std::string& sql, bool keep) override {
        return std::make_unique<PgStatement>(*this, sql, keep);
    }

    void Exec(const std::string& sql) override {
        PGresult* result = PQexec(conn_, sql.c_str());
        ExecStatusType status = PQresultStatus(result);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
            std::string what = "Exécution de « " + sql + " »";
            try {
                Fail(what, result);
            } catch (...) {
                PQclear(result);
                throw;
            }
        }
        PQclear(result);
    }

    void Begin(bool write) override {
        if (write) {
            RefuseWrites();
            try {
                Exec("BEGIN; " + WriterLockSql());
            } catch (const DatabaseBusy&) {
                PQclear(PQexec(conn_, "ROLLBACK"));
                throw DatabaseBusy(BusyMessage(WriterHolder()));
            } catch (...) {
                PQclear(PQexec(conn_, "ROLLBACK"));
                throw;
            }
            state_ = State::Writing;
        } else {
            Exec("BEGIN ISOLATION LEVEL REPEATABLE READ");
            state_ = State::Reading;
        }
    }

    // The transaction's BEGIN and its first read in one round trip.
    long long BeginReadOnly(const std::string& firstRead) override {
        return BeginAndRead("BEGIN ISOLATION LEVEL REPEATABLE READ; " + firstRead, false);
    }
    void EndReadOnly() override { Commit(); }
    long long BeginWrite(const std::string& firstRead) override {
        RefuseWrites();
        try {
            return BeginAndRead("BEGIN; " + WriterLockSql() + "; " + firstRead, true);
        } catch (const DatabaseBusy&) {
            throw DatabaseBusy(BusyMessage(WriterHolder()));
        }
    }

    long long BeginAndRead(const std::string& sql, bool write) {
        PGresult* result = PQexec(conn_, sql.c_str());
        state_ = write ? State::Writing : State::Reading;
        if (PQresultStatus(result) != PGRES_TUPLES_OK || PQntuples(result) != 1 || PQgetisnull(result, 0, 0)) {
            try {
                if (PQresultStatus(result) == PGRES_TUPLES_OK)
                    throw StorageError("Base incomplète : compteur de structure absent");
                Fail("Exécution de « " + sql + " »", result);
            } catch (...) {
                PQclear(result);
                Rollback();
                throw;
            }
        }
        const long long value = std::strtoll(PQgetvalue(result, 0, 0), nullptr, 10);
        PQclear(result);
        return value;
    }

    void Commit() override {
        PGresult* result = PQexec(conn_, "COMMIT");
        bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
        // A transaction that failed earlier "commits" as a rollback.
        bool rolledBack = ok && std::strcmp(PQcmdStatus(result), "ROLLBACK") == 0;
        if (!ok) {
            try {
                Fail("Validation de la transaction", result);
            } catch (...) {
                PQclear(result);
                Rollback();
                throw;
            }
        }
        PQclear(result);
        if (rolledBack) {
            Undo();
            throw StorageError("Validation de la transaction refusée par le serveur : rien n'a été écrit");
        }
        state_ = State::None;
        for (const auto& [key, wanted] : want_)
            if (!wanted && locked_.count(key))
                Unlock(key);
        want_.clear();
        newly_.clear();
        savepoints_.clear();
    }

    void Rollback() noexcept override {
        if (state_ == State::None)
            return;
        PQclear(PQexec(conn_, "ROLLBACK"));
        Undo();
    }

    void BeginWriting() override {
        RefuseWrites();
        if (state_ != State::Reading)
            return;
        Exec(WriterLockSql());
        state_ = State::Writing;
    }

    void Savepoint(const std::string& name) override {
        Exec("SAVEPOINT " + name);
        savepoints_.push_back({want_, newly_});
    }
    void ReleaseSavepoint(const std::string& name) override {
        Exec("RELEASE SAVEPOINT " + name);
        if (!savepoints_.empty())
            savepoints_.pop_back();
    }
    void RollbackToSavepoint(const std::string& name) noexcept override {
        PQclear(PQexec(conn_, ("ROLLBACK TO SAVEPOINT " + name + "; RELEASE SAVEPOINT " + name).c_str()));
        if (savepoints_.empty())
            return;
        Mark mark = std::move(savepoints_.back());
        savepoints_.pop_back();
        // Locks taken since the savepoint go back when the transaction ends.
        for (std::uint64_t key : newly_)
            if (!mark.newly.count(key))
                mark.want[key] = false;
        want_ = std::move(mark.want);
    }

    const char* TextType() const override { return "bytea"; }
    const char* BlobType() const override { return "bytea"; }
    const char* RealType() const override { return "double precision"; }
    const char* IntType() const override { return "bigint"; }
    const char* KeyedTableOptions() const override { return ""; }
    // Identifiers are cut at 63 bytes; a table's numeric key store adds 11.
    std::size_t MaxNameLength() const override { return 52; }
    bool RemoteCalls() const override { return true; }

    int CountTables(const std::vector<std::string>& names) override {
        int count = 0;
        PgStatement st(*this,
                       "SELECT count(*) FROM pg_catalog.pg_tables WHERE schemaname = current_schema() "
                       "AND tablename = ?",
                       false);
        for (const std::string& name : names) {
            st.Bind(1, name);
            if (st.Step())
                count += static_cast<int>(st.Int(0));
            st.Reset();
        }
        return count;
    }

    // The server checks its own pages; the engine's check reads the rest.
    std::vector<std::string> IntegrityProblems() override { return {}; }

    void SetHolderName(const std::string& name) override {
        PgStatement st(*this, "SELECT set_config('application_name', ?, false)", false);
        st.Bind(1, EncodeHolder(name));
        st.Step();
    }

    ConnectionLocks* connectionLocks() override { return this; }
    void Abandon() noexcept override { conn_ = nullptr; }

    // --- ConnectionLocks ---

    std::optional<std::string> Take(const std::string& table, const std::string& key) override {
        const std::uint64_t k = LockKey(table, key);
        if (Holds(k))
            return std::nullopt;
        if (!locked_.count(k)) {
            if (auto holder = TryLock("SELECT pg_try_advisory_lock(?)", k))
                return holder;
            locked_.insert(k);
            if (state_ != State::None)
                newly_.insert(k);
        }
        if (state_ != State::None)
            want_[k] = true;
        return std::nullopt;
    }

    std::optional<std::string> CheckFree(const std::string& table, const std::string& key) override {
        const std::uint64_t k = LockKey(table, key);
        if (locked_.count(k))
            return std::nullopt;
        // Taken and given back at once: a lock held to the end of the write
        // would cost the server a lock slot per record, and a transaction
        // writing a whole table (copy) would run out of them. A session that
        // takes the record's lock just after this check reads it before the
        // write commits; its own save then finds the record changed.
        return TryLock("SELECT CASE WHEN pg_try_advisory_lock(?) THEN pg_advisory_unlock(?) ELSE false END", k, 2);
    }

    void Drop(const std::string& table, const std::string& key) override {
        const std::uint64_t k = LockKey(table, key);
        if (state_ != State::None) {
            if (Holds(k))
                want_[k] = false;
        } else if (locked_.count(k)) {
            Unlock(k);
        }
    }

    void DropAll() override {
        Exec("SELECT pg_advisory_unlock_all()");
        locked_.clear();
        want_.clear();
        newly_.clear();
    }

private:
    enum class State { None, Reading, Writing };

    // Waits for the writers' lock no longer than the busy wait.
    std::string WriterLockSql() const {
        return "SET LOCAL lock_timeout = '" + std::to_string(busyWait_) + "ms'; " + writerLockSql_;
    }

    void RefuseWrites() const {
        if (damaged_)
            throw DatabaseDamaged(*WriteRefusal());
        if (!readOnlyReason_.empty())
            throw DatabaseReadOnly(*WriteRefusal() + " Rien n'a été écrit.");
    }

    // The session holding the writers' lock, outside any transaction.
    std::string WriterHolder() {
        try {
            const std::size_t open = writerLockSql_.find('('), comma = writerLockSql_.find(',');
            PgStatement st(*this,
                "SELECT a.application_name FROM pg_catalog.pg_locks l "
                "JOIN pg_catalog.pg_stat_activity a ON a.pid = l.pid "
                "WHERE l.locktype = 'advisory' AND l.objsubid = 2 AND l.granted "
                "AND l.database = (SELECT oid FROM pg_catalog.pg_database WHERE datname = current_database()) "
                "AND l.classid::bigint = " +
                writerLockSql_.substr(open + 1, comma - open - 1) +
                " AND l.objid::bigint = 1 AND l.pid <> pg_backend_pid() LIMIT 1",
                false);
            return st.Step() ? DecodeHolder(st.Text(0)) : std::string();
        } catch (const Error&) {
            return {}; // the message goes out without the name
        }
    }

    std::string BusyMessage(const std::string& who) const {
        return "La base " + describe_ + " est occupée : une autre opération y écrit" +
               (who.empty() ? std::string() : " (" + who + ")") + " et n'a pas fini après " +
               std::to_string((busyWait_ + 500) / 1000) +
               " s d'attente. Réessayez quand elle sera terminée ; rien n'a été écrit.";
    }
    struct Mark {
        std::map<std::uint64_t, bool> want;
        std::set<std::uint64_t> newly;
    };

    static std::string Describe(const std::string& conninfo) {
        char* error = nullptr;
        PQconninfoOption* options = PQconninfoParse(conninfo.c_str(), &error);
        if (!options) {
            std::string message = Trimmed(error);
            PQfreemem(error);
            throw StorageError("Chaîne de connexion incorrecte : " + message);
        }
        std::string text;
        for (PQconninfoOption* o = options; o->keyword; ++o) {
            if (!o->val || !*o->val || std::strcmp(o->keyword, "password") == 0)
                continue;
            text += (text.empty() ? "" : " ") + std::string(o->keyword) + "=" + o->val;
        }
        PQconninfoFree(options);
        return text.empty() ? "(connexion par défaut)" : text;
    }

    std::uint64_t LockKey(const std::string& table, const std::string& key) const {
        return Fnv({schema_, table, key});
    }

    bool Holds(std::uint64_t k) const {
        auto found = want_.find(k);
        return found != want_.end() ? found->second : locked_.count(k) != 0;
    }

    // Tries the lock; on refusal names the holder. A holder whose
    // connection is closing (a workstation just killed) lets go within
    // moments: a refusal is confirmed a few times before it is reported.
    // `uses`: how many parameters of `sql` are the key.
    std::optional<std::string> TryLock(const char* sql, std::uint64_t k, int uses = 1) {
        std::string holder;
        for (int attempt = 0; attempt < 5; ++attempt) {
            {
                Statement st(&Internal(sql));
                st.Bind(1, static_cast<long long>(k));
                for (int p = 2; p <= uses; ++p)
                    st.Bind(p, static_cast<long long>(k));
                if (st.Step() && st.Int(0) != 0)
                    return std::nullopt;
            }
            holder = HolderOf(k);
            if (!holder.empty() && attempt >= 2)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(holder.empty() ? 1 : 20));
        }
        return holder.empty() ? std::string("une autre session") : holder;
    }

    std::string HolderOf(std::uint64_t k) {
        Statement st(&Internal(
                       "SELECT a.application_name FROM pg_catalog.pg_locks l "
                       "JOIN pg_catalog.pg_stat_activity a ON a.pid = l.pid "
                       "WHERE l.locktype = 'advisory' AND l.objsubid = 1 AND l.granted "
                       "AND l.database = (SELECT oid FROM pg_catalog.pg_database WHERE datname = "
                       "current_database()) "
                       "AND l.classid::bigint = ? AND l.objid::bigint = ? AND l.pid <> pg_backend_pid() "
                       "LIMIT 1"));
        st.Bind(1, static_cast<long long>(k >> 32));
        st.Bind(2, static_cast<long long>(k & 0xFFFFFFFFull));
        return st.Step() ? DecodeHolder(st.Text(0)) : std::string();
    }

    void Unlock(std::uint64_t k) {
        locked_.erase(k);
        Statement st(&Internal("SELECT pg_advisory_unlock(?)"));
        st.Bind(1, static_cast<long long>(k)).Step();
    }

    // After a rollback: locks taken in the transaction go back.
    void Undo() noexcept {
        state_ = State::None;
        std::set<std::uint64_t> taken = std::move(newly_);
        want_.clear();
        newly_.clear();
        savepoints_.clear();
        for (std::uint64_t k : taken) {
            try {
                if (locked_.count(k))
                    Unlock(k);
            } catch (...) {
                locked_.erase(k); // the connection is gone, and its locks with it
            }
        }
    }

    // The lock statements, prepared once per connection.
    PgStatement& Internal(const char* sql) {
        std::unique_ptr<PgStatement>& st = internal_[sql];
        if (!st)
            st = std::make_unique<PgStatement>(*this, sql, true);
        return *st;
    }

    PGconn* conn_ = nullptr;
    std::map<std::string, std::unique_ptr<PgStatement>> internal_;
    std::string describe_;
    std::string schema_, writerLockSql_;
    std::string readOnlyReason_;
    mutable bool damaged_ = false;
    int busyWait_ = DefaultBusyWait;
    int statements_ = 0;
    State state_ = State::None;
    std::set<std::uint64_t> locked_;        // session locks held on the server
    std::map<std::uint64_t, bool> want_;    // lock state at commit of keys touched by the transaction
    std::set<std::uint64_t> newly_;         // taken during the transaction
    std::vector<Mark> savepoints_;
};

PgStatement::PgStatement(PgStorage& storage, const std::string& sql, bool keep) : storage_(storage), sql_(sql) {
    std::string numbered = NumberParameters(sql, count_);
    values_.resize(static_cast<std::size_t>(count_));
    null_.assign(static_cast<std::size_t>(count_), true);
    if (keep) {
        name_ = "dba_" + std::to_string(storage.NextStatementNumber());
        PGresult* result = PQprepare(storage.conn(), name_.c_str(), numbered.c_str(), count_, nullptr);
        bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
        if (!ok) {
            try {
                storage.Fail("Préparation de « " + sql + " »", result);
            } catch (...) {
                PQclear(result);
                throw;
            }
        }
        PQclear(result);
        prepared_ = true;
    } else {
        sql_ = numbered;
    }
}

bool PgStatement::Step() {
    if (executed_)
        return ++row_ < PQntuples(result_);
    std::vector<const char*> values(values_.size());
    std::vector<int> lengths(values_.size()), formats(values_.size(), 1);
    for (std::size_t i = 0; i < values_.size(); ++i) {
        values[i] = null_[i] ? nullptr : values_[i].data();
        lengths[i] = static_cast<int>(values_[i].size());
    }
    PQclear(result_);
    result_ = prepared_ ? PQexecPrepared(storage_.conn(), name_.c_str(), count_, values.data(), lengths.data(),
                                         formats.data(), 1)
                        : PQexecParams(storage_.conn(), sql_.c_str(), count_, nullptr, values.data(),
                                       lengths.data(), formats.data(), 1);
    ExecStatusType status = PQresultStatus(result_);
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        PGresult* failed = result_;
        result_ = nullptr;
        try {
            storage_.Fail("Exécution de « " + sql_ + " »", failed);
        } catch (...) {
            PQclear(failed);
            throw;
        }
    }
    executed_ = true;
    row_ = 0;
    return row_ < PQntuples(result_);
}

} // namespace

std::unique_ptr<Storage> OpenPostgresStorage(const std::string& conninfo, const std::string& holderName,
                                             bool readOnly) {
    return std::make_unique<PgStorage>(conninfo, holderName, readOnly);
}

bool IsConnectionString(const std::string& location) {
    if (location.rfind("postgresql://", 0) == 0 || location.rfind("postgres://", 0) == 0)
        return true;
    // "keyword=value ...": the first word names one of libpq's keywords.
    std::size_t start = location.find_first_not_of(" \t");
    if (start == std::string::npos)
        return false;
    std::size_t equal = location.find('=', start);
    if (equal == std::string::npos)
        return false;
    std::string keyword = location.substr(start, equal - start);
    while (!keyword.empty() && keyword.back() == ' ')
        keyword.pop_back();
    bool known = false;
    if (PQconninfoOption* defaults = PQconndefaults()) {
        for (PQconninfoOption* o = defaults; o->keyword; ++o)
            known = known || keyword == o->keyword;
        PQconninfoFree(defaults);
    }
    return known;
}

} // namespace dba
