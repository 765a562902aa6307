// The engine where offices meet trouble: another operation writing for a
// long time, a database opened for consultation, bad bytes in values and
// queries, locks that came with a file copied from another machine.
#include "storage_fixture.h"

#include "dba/errors.h"
#include "dba/locks.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sqlite3.h>

#include <condition_variable>
#include <csignal>
#include <mutex>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace dba;
using dba::testing::Put;

namespace {

class StorageRobustness : public ::testing::TestWithParam<dba::testing::Backend> {
protected:
    void SetUp() override {
        Database db = Database::Create(place.Location("base"));
        db.CreateTable("CONTRAT");
        Put(db.OpenTable("CONTRAT"), "K1", "original");
    }
    std::string Location() { return place.Location("base"); }
    dba::testing::TestPlace place{GetParam()};
};

// Holds a write transaction of its own session in a thread until released.
class HeldWrite {
public:
    explicit HeldWrite(const std::string& location) {
        thread_ = std::thread([this, location] {
            try {
                Database db = Database::Open(location);
                db.SetUserName("marie");
                db.Transaction([&] {
                    Put(db.OpenTable("CONTRAT"), "K9", "pendant");
                    std::unique_lock<std::mutex> lock(mutex_);
                    holding_ = true;
                    changed_.notify_all();
                    changed_.wait(lock, [&] { return released_; });
                });
            } catch (const std::exception& e) {
                std::lock_guard<std::mutex> lock(mutex_);
                failure_ = e.what();
                holding_ = true;
                changed_.notify_all();
            }
        });
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] { return holding_; });
    }
    ~HeldWrite() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            released_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    const std::string& failure() const { return failure_; }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool holding_ = false, released_ = false;
    std::string failure_;
    std::thread thread_;
};

TEST_P(StorageRobustness, ASecondWriterWaitsThenSaysAnotherOperationIsWriting) {
    Database db = Database::Open(Location());
    db.SetBusyWait(std::chrono::milliseconds(300));
    {
        HeldWrite other(Location());
        ASSERT_EQ(other.failure(), "");
        Record r = db.OpenTable("CONTRAT").ReadRecord("K1");
        r.SetItem(1, "changé");
        try {
            r.DBWrite();
            FAIL() << "written while another session writes";
        } catch (const DatabaseBusy& e) {
            const std::string message = e.what();
            EXPECT_EQ(e.number(), DatabaseBusy::Number);
            EXPECT_NE(message.find("une autre opération y écrit"), std::string::npos) << message;
            EXPECT_NE(message.find("rien n'a été écrit"), std::string::npos) << message;
            // Named: a server names the session, a file the process.
            EXPECT_NE(message.find(GetParam() == dba::testing::Backend::SQLite ? "autre session de ce programme"
                                                                                : "marie@"),
                      std::string::npos)
                << message;
            EXPECT_EQ(message.find("BEGIN"), std::string::npos) << message;
        }
    }
    EXPECT_EQ(db.OpenTable("CONTRAT").ReadRecord("K1").Item(), "original");
    EXPECT_EQ(db.OpenTable("CONTRAT").ReadRecord("K9").Item(), "pendant"); // the other one finished
}

// A server names the session holding its writers' lock (above); a file, the
// process holding its write lock.
TEST(StorageBusyFile, AWriterInAnotherProcessIsNamedByItsCommandLine) {
    dba::testing::TempDir dir;
    const std::string location = dir.File("base.db");
    Database::Create(location).CreateTable("CONTRAT");
    const auto Location = [&] { return location; };
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        try {
            Database db = Database::Open(Location());
            db.Transaction([&] {
                Put(db.OpenTable("CONTRAT"), "K9", "pendant");
                if (::write(ready[1], "x", 1) != 1)
                    ::_exit(2);
                ::pause(); // until killed: a crash in the middle of a long import
            });
        } catch (...) {
        }
        ::_exit(3);
    }
    ::close(ready[1]);
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);
    ::close(ready[0]);
    Database db = Database::Open(Location());
    db.SetBusyWait(std::chrono::milliseconds(200));
    std::string message;
    try {
        Put(db.OpenTable("CONTRAT"), "K2", "x");
    } catch (const DatabaseBusy& e) {
        message = e.what();
    }
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_NE(message.find("processus " + std::to_string(child)), std::string::npos) << message;
    EXPECT_NE(message.find("test_dba"), std::string::npos) << message;
    // The killed writer wrote nothing, and the base takes writes again.
    EXPECT_FALSE(db.OpenTable("CONTRAT").Exists("K9"));
    EXPECT_NO_THROW(Put(db.OpenTable("CONTRAT"), "K2", "x"));
}

TEST_P(StorageRobustness, AReadOnlyOpeningReadsAndRefusesEveryWrite) {
    const Database db = Database::OpenReadOnly(Location());
    ASSERT_TRUE(db.WriteRefusal());
    EXPECT_NE(db.WriteRefusal()->find("lecture seule"), std::string::npos) << *db.WriteRefusal();
    const Table t = db.OpenTable("CONTRAT");
    EXPECT_EQ(t.ReadRecord("K1").Item(), "original");
    EXPECT_EQ(dba::testing::Keys(db.SelectRecords("SELECT CONTRAT")), std::vector<std::string>{"K1"});
    Database writable = db;
    const std::vector<std::pair<const char*, std::function<void()>>> writes = {
        {"DBWrite", [&] { Put(t, "K1", "changé"); }},
        {"DeleteRecord", [&] { t.DeleteRecord("K1"); }},
        {"CreateTable", [&] { writable.CreateTable("AUTRE"); }},
        {"CreateIndex", [&] { writable.CreateIndex("CONTRAT", "1"); }},
        {"Transaction", [&] { writable.Transaction([&] { Put(t, "K2", "x"); }); }},
    };
    for (const auto& [name, write] : writes) {
        SCOPED_TRACE(name);
        try {
            write();
            ADD_FAILURE() << "written";
        } catch (const DatabaseReadOnly& e) {
            EXPECT_NE(std::string(e.what()).find("Rien n'a été écrit"), std::string::npos) << e.what();
        }
    }
    const Database other = Database::Open(Location());
    EXPECT_EQ(other.OpenTable("CONTRAT").ReadRecord("K1").Item(), "original");
    EXPECT_EQ(other.Tables(), std::vector<std::string>{"CONTRAT"});
    EXPECT_FALSE(other.WriteRefusal());
}

TEST_P(StorageRobustness, BadBytesAreRefusedWithTheirPosition) {
    Database db = Database::Open(Location());
    Table t = db.OpenTable("CONTRAT");
    const std::string nul("a\0b", 3);
    struct Case {
        const char* name;
        std::function<void()> write;
        const char* says;
    };
    const std::vector<Case> cases = {
        {"value mark in a value", [&] { t.NewRecord("K2").SetItem(1, 1, "a\xFD" "b"); },
         "séparateur de valeurs (0xFD) à l'octet 2"},
        {"subvalue mark in a subvalue", [&] { t.NewRecord("K2").SetItem(1, 1, 1, "ab\xFC"); },
         "séparateur de sous-valeurs (0xFC) à l'octet 3"},
        {"NUL in a field", [&] { t.NewRecord("K2").SetItem(1, nul); }, "caractère nul à l'octet 2"},
        {"NUL in a key", [&] { Put(t, nul, "x"); }, "Clé refusée : caractère nul à l'octet 2"},
        {"not UTF-8", [&] { t.NewRecord("K2").SetItem(1, "\xC3("); }, "octet 0xC3 qui n'est pas de l'UTF-8"},
        {"NUL in a record text", [&] { t.NewRecord("K2").SetRecord("x" + nul); }, "caractère nul à l'octet 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            c.write();
            ADD_FAILURE() << "accepted";
        } catch (const InvalidValue& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
    }
    struct QueryCase {
        std::string command;
        std::size_t position;
    };
    const std::vector<QueryCase> queries = {
        {"SELECT CONTRAT AVEC 1 = \"a\xFD" "b\"", 26},
        {"SELECT CONTRAT AVEC 1 = \"\xFC\"", 25},
        {"SELECT CONTRAT AVEC 1 = \"\xE9t\xE9\"", 25},
        {std::string("SELECT CONTRAT AVEC 1 = \"") + nul + "\"", 26},
    };
    for (const QueryCase& q : queries) {
        SCOPED_TRACE(q.command);
        try {
            db.SelectRecords(q.command);
            ADD_FAILURE() << "ran";
        } catch (const QuerySyntaxError& e) {
            EXPECT_EQ(e.position(), q.position);
            EXPECT_EQ(std::string(e.what()).find_first_of(std::string("\0\xFC\xFD\xE9\n", 5)), std::string::npos)
                << "raw bytes echoed: " << e.what();
        }
    }
    EXPECT_EQ(t.ReadRecord("K1").Item(), "original");
    EXPECT_FALSE(t.Exists("K2"));
}

TEST_P(StorageRobustness, ErrorMessagesQuoteLongOrUnprintableTokensOnOneShortLine) {
    const Database db = Database::Open(Location());
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"unterminated quote of 120 KB", "SELECT CONTRAT AVEC 1 = \"" + std::string(120 * 1024, 'x')},
        {"long word", "SELECT CONTRAT AVEC " + std::string(120 * 1024, 'y') + " = \"1\""},
        {"newline in the token", "SELECT CONTRAT AVEC 1 = \"a\nb\" ET"},
        {"newline as the token", "SELECT CONTRAT AVEC 1 = \"a\" \n\n ET"},
    };
    for (const auto& [name, command] : cases) {
        SCOPED_TRACE(name);
        try {
            db.SelectRecords(command);
            ADD_FAILURE() << "ran";
        } catch (const Error& e) { // a syntax error, or an unknown name
            const std::string message = e.what();
            EXPECT_LT(message.size(), 300u) << message.substr(0, 400);
            EXPECT_EQ(message.find('\n'), std::string::npos) << message;
        }
    }
    try {
        db.OpenTable("CONTRAT").ReadRecord(std::string(5000, 'k') + "\n");
        ADD_FAILURE() << "found";
    } catch (const RecordNotFound& e) {
        const std::string message = e.what();
        EXPECT_LT(message.size(), 200u);
        EXPECT_NE(message.find("(5001 octets)"), std::string::npos) << message;
        EXPECT_EQ(e.key().size(), 5001u); // the caller still gets the whole key
    }
}

DBA_ON_BOTH_BACKENDS(StorageRobustness);

// A role that may only read is, on a server, what a read-only file is.
TEST(StorageServerRoles, ARoleThatMayOnlyReadOpensForConsultation) {
    dba::testing::TestPlace place{dba::testing::Backend::PostgreSQL};
    const std::string location = place.Location("roles");
    {
        Database db = Database::Create(location);
        db.CreateTable("CONTRAT");
        Put(db.OpenTable("CONTRAT"), "K1", "original");
    }
    const std::size_t from = location.find("search_path=") + 12;
    const std::string schema = location.substr(from, location.find('\'', from) - from);
    const std::string role = "lecteur_" + std::to_string(::getpid());
    PGconn* admin = PQconnectdb(dba::testing::TestServer().c_str());
    ASSERT_EQ(PQstatus(admin), CONNECTION_OK);
    const auto run = [&](const std::string& sql) {
        PGresult* result = PQexec(admin, sql.c_str());
        EXPECT_EQ(PQresultStatus(result), PGRES_COMMAND_OK) << sql << ": " << PQresultErrorMessage(result);
        PQclear(result);
    };
    run("CREATE ROLE " + role + " LOGIN");
    run("GRANT USAGE ON SCHEMA " + schema + " TO " + role);
    run("GRANT SELECT ON ALL TABLES IN SCHEMA " + schema + " TO " + role);
    {
        Database reader = Database::Open(location + " user=" + role);
        ASSERT_TRUE(reader.WriteRefusal());
        EXPECT_NE(reader.WriteRefusal()->find("« " + role + " » n'a pas le droit d'y écrire"), std::string::npos)
            << *reader.WriteRefusal();
        EXPECT_EQ(reader.OpenTable("CONTRAT").ReadRecord("K1").Item(), "original");
        EXPECT_THROW(Put(reader.OpenTable("CONTRAT"), "K1", "changé"), DatabaseReadOnly);
    }
    EXPECT_FALSE(Database::Open(location).WriteRefusal());
    run("DROP OWNED BY " + role);
    run("DROP ROLE " + role);
    PQfinish(admin);
}

// A lock row as another session left it in a file's lock table.
void LeaveLock(const std::string& file, const std::string& key, const std::string& host, long long pid,
               long long started, const std::string& sessionSuffix) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db,
                                 "INSERT INTO dba_locks (tbl, key, session, holder, host, pid, started) "
                                 "VALUES ('CONTRAT', ?, ?, ?, ?, ?, ?)",
                                 -1, &st, nullptr),
              SQLITE_OK);
    const std::string session = host + ":" + std::to_string(pid) + ":ailleurs" + sessionSuffix;
    const std::string holder = "marie@" + host + " (pid " + std::to_string(pid) + ")";
    sqlite3_bind_text(st, 1, key.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(st, 2, session.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(st, 3, holder.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(st, 4, host.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int64(st, 5, pid);
    sqlite3_bind_int64(st, 6, started);
    EXPECT_EQ(sqlite3_step(st), SQLITE_DONE);
    sqlite3_finalize(st);
    sqlite3_close(db);
}

std::string FileIdentity(const std::string& file) {
    struct stat info {};
    EXPECT_EQ(::stat(file.c_str(), &info), 0);
    return std::to_string(info.st_dev) + "." + std::to_string(info.st_ino);
}

TEST(StorageLocksOfCopiedFiles, ALockTakenOnAnotherMachineIsReclaimedUnlessTakenOnThisVeryFile) {
    dba::testing::TempDir dir;
    const std::string file = dir.File("copie.db");
    {
        Database db = Database::Create(file);
        db.CreateTable("CONTRAT");
        Put(db.OpenTable("CONTRAT"), "K1", "original");
    }
    char host[256] = {};
    ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
    const long long parent = static_cast<long long>(::getppid());
    struct Case {
        const char* name;
        std::string host;
        long long pid, started;
        std::string sessionSuffix;
        bool reclaimed;
    } cases[] = {
        // The file came from another workstation: its holder edits its own copy.
        {"another machine, a live pid here", "poste-compta", parent, ProcessStartTime(parent), "", true},
        {"another machine, any pid", "poste-compta", 999999, 0, "", true},
        {"another machine, on another file", "poste-compta", 999999, 0, "@fichier:1.2", true},
        // Taken on this very file under another host name: its holder may be alive.
        {"another machine, on this file", "poste-compta", 999999, 0, "@fichier:" + FileIdentity(file), false},
        {"this machine, a live process", host, parent, ProcessStartTime(parent), "", false},
        {"this machine, a dead process", host, 999999, 0, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LeaveLock(file, "K1", c.host, c.pid, c.started, c.sessionSuffix);
        Database db = Database::Open(file);
        Table t = db.OpenTable("CONTRAT");
        if (c.reclaimed) {
            Record r = t.ReadRecordLocked("K1");
            r.SetItem(1, "repris");
            EXPECT_NO_THROW(r.DBWrite());
            EXPECT_EQ(t.ReadRecord("K1").Item(), "repris");
        } else {
            EXPECT_THROW(t.ReadRecordLocked("K1"), RecordLocked);
            sqlite3* raw = nullptr;
            sqlite3_open(file.c_str(), &raw);
            sqlite3_exec(raw, "DELETE FROM dba_locks", nullptr, nullptr, nullptr);
            sqlite3_close(raw);
        }
    }
}

} // namespace
