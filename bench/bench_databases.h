#pragma once
// The two databases the benchmarks compare, built once from the same
// generated data and cached beside the benchmark executable:
//  - the engine's file: tables CONTRAT and CIVILAIDANT, indexes on CONTRAT
//    fields 3 and 2, dictionary names NomAidantContrat / PrenomAidantContrat;
//  - the baseline: the same facts in a normalised SQLite schema with the
//    matching indexes, queried with hand-written SQL.
// Each file is written under a temporary name and renamed when complete, so
// an interrupted build never leaves a file that looks usable.
#include "contract_data.h"

#include "dba/database.h"
#include "dba/dynarray.h"

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace bench {

inline std::filesystem::path CacheDirectory() {
    std::filesystem::path dir =
        std::filesystem::read_symlink("/proc/self/exe").parent_path() / "dba_bench_data";
    std::filesystem::create_directories(dir);
    return dir;
}

inline std::string ContractRecordText(const Contract& c) {
    std::string text;
    dba::Replace(text, 1, 0, 0, c.agreement);
    dba::Replace(text, 2, 0, 0, c.entity);
    dba::Replace(text, 3, 0, 0, c.employer);
    dba::Replace(text, 4, 0, 0, c.type);
    dba::Replace(text, 7, 0, 0, std::to_string(c.start));
    dba::Replace(text, 8, 0, 0, c.end ? std::to_string(c.end) : std::string());
    if (c.deleted)
        dba::Replace(text, 65, 0, 0, "O");
    return text;
}

inline void RemoveDatabaseFiles(const std::filesystem::path& path) {
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(path.string() + suffix);
}

inline void BuildEngineDatabase(const std::filesystem::path& path, const ContractData& data) {
    RemoveDatabaseFiles(path);
    {
        dba::Database db = dba::Database::Create(path.string());
        db.Transaction([&] {
            db.CreateTable("CONTRAT");
            db.CreateTable("CIVILAIDANT");
            const dba::Table helpers = db.OpenTable("CIVILAIDANT");
            for (const Helper& h : data.helpers) {
                dba::Record r = helpers.NewRecord(h.code);
                r.SetItem(2, h.name);
                r.SetItem(3, h.firstName);
                r.SetItem(31, h.entity);
                r.DBWrite();
            }
            const dba::Table contracts = db.OpenTable("CONTRAT");
            for (const Contract& c : data.contracts) {
                dba::Record r = contracts.NewRecord(c.key);
                r.SetRecord(ContractRecordText(c));
                r.DBWrite();
            }
            dba::DictEntry name;
            name.kind = dba::DictEntry::Kind::Translate;
            name.start = 1;
            name.length = 5;
            name.targetTable = "CIVILAIDANT";
            name.targetField = 2;
            db.DefineDictionary("CONTRAT", "NomAidantContrat", name);
            dba::DictEntry firstName = name;
            firstName.targetField = 3;
            db.DefineDictionary("CONTRAT", "PrenomAidantContrat", firstName);
            db.CreateIndex("CONTRAT", "3");
            db.CreateIndex("CONTRAT", "2");
        });
    }
}

inline void Exec(sqlite3* db, const char* sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        std::string message = error ? error : sqlite3_errmsg(db);
        sqlite3_free(error);
        throw std::runtime_error(std::string(sql) + ": " + message);
    }
}

// Same settings as the engine's connections, so writes pay the same price.
inline sqlite3* OpenBaseline(const std::filesystem::path& path, bool create) {
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        std::string message = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close_v2(db);
        throw std::runtime_error("cannot open " + path.string() + ": " + message);
    }
    Exec(db, "PRAGMA journal_mode = WAL");
    Exec(db, "PRAGMA synchronous = FULL");
    // The engine's page cache and file mapping too: the baseline must not
    // read from the file what the engine finds in memory.
    Exec(db, "PRAGMA cache_size = -32768");
    Exec(db, "PRAGMA mmap_size = 268435456");
    return db;
}

inline void BuildBaselineDatabase(const std::filesystem::path& path, const ContractData& data) {
    RemoveDatabaseFiles(path);
    sqlite3* db = OpenBaseline(path, true);
    try {
        Exec(db, "BEGIN");
        Exec(db, "CREATE TABLE helper(code TEXT PRIMARY KEY, name TEXT NOT NULL, firstname TEXT NOT NULL,"
                 " entity TEXT NOT NULL) WITHOUT ROWID");
        Exec(db, "CREATE TABLE contrat(key TEXT PRIMARY KEY, agreement TEXT NOT NULL, entity TEXT NOT NULL,"
                 " employer TEXT NOT NULL, type TEXT NOT NULL, start INTEGER NOT NULL, end INTEGER,"
                 " deleted TEXT NOT NULL) WITHOUT ROWID");
        sqlite3_stmt* insertHelper = nullptr;
        sqlite3_stmt* insertContract = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO helper VALUES (?1, ?2, ?3, ?4)", -1, &insertHelper, nullptr);
        sqlite3_prepare_v2(db, "INSERT INTO contrat VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)", -1,
                           &insertContract, nullptr);
        for (const Helper& h : data.helpers) {
            sqlite3_bind_text(insertHelper, 1, h.code.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insertHelper, 2, h.name.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insertHelper, 3, h.firstName.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insertHelper, 4, h.entity.c_str(), -1, SQLITE_TRANSIENT);
            if (sqlite3_step(insertHelper) != SQLITE_DONE)
                throw std::runtime_error(sqlite3_errmsg(db));
            sqlite3_reset(insertHelper);
        }
        for (const Contract& c : data.contracts) {
            sqlite3_bind_text(insertContract, 1, c.key.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insertContract, 2, c.agreement.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insertContract, 3, c.entity.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insertContract, 4, c.employer.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insertContract, 5, c.type.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(insertContract, 6, c.start);
            if (c.end)
                sqlite3_bind_int(insertContract, 7, c.end);
            else
                sqlite3_bind_null(insertContract, 7);
            sqlite3_bind_text(insertContract, 8, c.deleted ? "O" : "", -1, SQLITE_STATIC);
            if (sqlite3_step(insertContract) != SQLITE_DONE)
                throw std::runtime_error(sqlite3_errmsg(db));
            sqlite3_reset(insertContract);
        }
        sqlite3_finalize(insertHelper);
        sqlite3_finalize(insertContract);
        Exec(db, "CREATE INDEX contrat_employer ON contrat(employer)");
        Exec(db, "CREATE INDEX contrat_entity ON contrat(entity)");
        Exec(db, "COMMIT");
        Exec(db, "ANALYZE");
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    sqlite3_close_v2(db);
}

struct BenchFiles {
    std::filesystem::path engine, baseline;
};

// The cached files, built first when missing.
inline BenchFiles PrepareBenchFiles(const ContractData& data) {
    const std::filesystem::path dir = CacheDirectory();
    const std::string version = "-v" + std::to_string(DataVersion);
    BenchFiles files{dir / ("contrats" + version + ".db"), dir / ("baseline" + version + ".db")};
    const auto build = [](const std::filesystem::path& final, auto&& builder) {
        if (std::filesystem::exists(final))
            return;
        const std::filesystem::path partial = final.string() + ".partial";
        builder(partial);
        if (std::filesystem::exists(partial.string() + "-wal") &&
            std::filesystem::file_size(partial.string() + "-wal") > 0)
            throw std::runtime_error("journal not checkpointed after building " + partial.string());
        std::filesystem::rename(partial, final);
    };
    build(files.engine, [&](const std::filesystem::path& p) { BuildEngineDatabase(p, data); });
    build(files.baseline, [&](const std::filesystem::path& p) { BuildBaselineDatabase(p, data); });
    return files;
}

} // namespace bench
