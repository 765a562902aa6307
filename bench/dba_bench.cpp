// The engine against hand-written SQL on a normalised schema, on the same
// 100 000 contracts and 20 000 helpers, measured in one run. Each question
// is first answered both ways and the answers compared, so the ratios
// compare equal work.
//
// With ARBEL_BENCH_PG set to a PostgreSQL connection string, the same
// questions are also asked of the engine on a server and of hand-written
// SQL on the same server, in the same run (see pg_bench.h).
#include "bench_databases.h"
#include "contract_data.h"
#include "pg_bench.h"

#include "dba/database.h"

#include "collecting_reporter.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The browser's validity window: day t and the start of the pay period p.
constexpr int BrowseDay = 20000;
constexpr int PeriodStart = 19800;
constexpr int SampleCount = 256;

struct OverlapCase {
    std::string entity, employer, code, number;
};

class SqlStatement {
public:
    SqlStatement(sqlite3* db, const char* sql) {
        if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string(sqlite3_errmsg(db)) + " in " + sql);
    }
    ~SqlStatement() { sqlite3_finalize(stmt_); }
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;
    sqlite3_stmt* get() const { return stmt_; }
    void Text(int i, const std::string& s) {
        sqlite3_bind_text(stmt_, i, s.data(), int(s.size()), SQLITE_STATIC);
    }
    void Int(int i, int v) { sqlite3_bind_int(stmt_, i, v); }

    // Runs the statement, reading every column of every row as the caller
    // of a query would; returns the first column of each row.
    std::vector<std::string> Rows() {
        std::vector<std::string> first;
        for (;;) {
            const int rc = sqlite3_step(stmt_);
            if (rc == SQLITE_DONE)
                break;
            if (rc != SQLITE_ROW)
                throw std::runtime_error(sqlite3_errmsg(sqlite3_db_handle(stmt_)));
            for (int c = 1; c < sqlite3_column_count(stmt_); ++c)
                benchmark::DoNotOptimize(sqlite3_column_text(stmt_, c));
            first.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, 0)));
        }
        sqlite3_reset(stmt_);
        return first;
    }
    void Run() {
        if (sqlite3_step(stmt_) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(sqlite3_db_handle(stmt_)));
        sqlite3_reset(stmt_);
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

const char* const SqlBrowse = "SELECT key, start, end, type FROM contrat"
                              " WHERE agreement = '02' AND employer = ?1 AND (start <= ?2 OR start >= ?2)"
                              " AND (end >= ?3 OR end IS NULL) AND deleted <> 'O'"
                              " ORDER BY start, key";
const char* const SqlBrowseByName = "SELECT c.key, c.start, c.end, c.type FROM contrat c"
                                    " LEFT JOIN helper h ON h.code = substr(c.key, 1, 5)"
                                    " WHERE c.agreement = '02' AND c.employer = ?1"
                                    " AND (c.start <= ?2 OR c.start >= ?2) AND (c.end >= ?3 OR c.end IS NULL)"
                                    " AND c.deleted <> 'O'"
                                    " ORDER BY coalesce(h.name, ''), coalesce(h.firstname, ''), c.key";
const char* const SqlOverlap = "SELECT key FROM contrat"
                               " WHERE agreement = '02' AND entity = ?1 AND employer = ?2"
                               " AND key >= ?3 AND key < ?3 || '~' AND key <> ?4 AND deleted <> 'O'"
                               " ORDER BY employer, key";
const char* const SqlRead =
    "SELECT agreement, entity, employer, type, start, end, deleted FROM contrat WHERE key = ?1";
const char* const SqlWrite =
    "UPDATE contrat SET agreement = ?2, entity = ?3, employer = ?4, type = ?5, start = ?6,"
    " end = ?7, deleted = ?8 WHERE key = ?1";

struct Fixture {
    bench::ContractData data;
    dba::Database db;
    dba::Table contracts;
    sqlite3* sql = nullptr;
    std::vector<std::string> beneficiaries; // employers of "02" contracts
    std::vector<OverlapCase> overlaps;
    std::vector<std::string> readKeys;
    std::vector<std::string> browseQueries, browseByNameQueries, overlapQueries;
};

Fixture* fixture = nullptr;

std::string BrowseQuery(const std::string& beneficiary, const char* sort) {
    const std::string t = std::to_string(BrowseDay), p = std::to_string(PeriodStart);
    return "SSELECT CONTRAT AVEC 1 = \"02\" AND AVEC 3 = \"" + beneficiary + "\" AND AVEC 7 <= \"" + t +
           "\" OR >= \"" + t + "\" AND AVEC 8 >= \"" + p + "\" OR = \"\" AND AVEC 65 <> \"O\" " + sort;
}

std::string OverlapQuery(const OverlapCase& c) {
    return "SSELECT CONTRAT AVEC 1 = \"02\" AND AVEC 2 = \"" + c.entity + "\" AND AVEC 3 = \"" + c.employer +
           "\" AND AVEC 0 = \"" + c.code + "]\" AND SANS 0 = \"" + c.code + c.number +
           "\" AND AVEC 65 <> \"O\" PAR 3";
}

std::vector<std::string> Keys(const dba::ResultList& list) {
    std::vector<std::string> keys;
    for (int r = 1; r <= list.DCount(); ++r)
        keys.push_back(list.Item(r, 1));
    return keys;
}

void PickSamples(Fixture& f) {
    std::mt19937_64 random(7);
    std::vector<const bench::Contract*> under02;
    for (const auto& c : f.data.contracts)
        if (c.agreement == "02")
            under02.push_back(&c);
    std::uniform_int_distribution<std::size_t> pick02(0, under02.size() - 1);
    std::uniform_int_distribution<std::size_t> pickAny(0, f.data.contracts.size() - 1);
    for (int i = 0; i < SampleCount; ++i) {
        f.beneficiaries.push_back(under02[pick02(random)]->employer);
        const bench::Contract& c = *under02[pick02(random)];
        f.overlaps.push_back({c.entity, c.employer, c.key.substr(0, 5), c.key.substr(5)});
        f.readKeys.push_back(f.data.contracts[pickAny(random)].key);
    }
    for (const auto& b : f.beneficiaries) {
        f.browseQueries.push_back(BrowseQuery(b, "PAR 7"));
        f.browseByNameQueries.push_back(BrowseQuery(b, "PAR NomAidantContrat PAR PrenomAidantContrat"));
    }
    for (const auto& o : f.overlaps)
        f.overlapQueries.push_back(OverlapQuery(o));
}

// Both sides must give the same keys in the same order for every sample.
void CheckSameAnswers(Fixture& f) {
    SqlStatement browse(f.sql, SqlBrowse), byName(f.sql, SqlBrowseByName), overlap(f.sql, SqlOverlap);
    std::size_t rows = 0, overlapRows = 0;
    for (int i = 0; i < SampleCount; ++i) {
        const std::string& b = f.beneficiaries[static_cast<std::size_t>(i)];
        for (auto* s : {&browse, &byName}) {
            s->Text(1, b);
            s->Int(2, BrowseDay);
            s->Int(3, PeriodStart);
        }
        const auto engineBrowse =
            Keys(f.db.SelectRecords(f.browseQueries[static_cast<std::size_t>(i)], "0 7 8 4"));
        if (engineBrowse != browse.Rows())
            throw std::runtime_error("browse answers differ for " + b);
        if (Keys(f.db.SelectRecords(f.browseByNameQueries[static_cast<std::size_t>(i)], "0 7 8 4")) !=
            byName.Rows())
            throw std::runtime_error("browse-by-name answers differ for " + b);
        rows += engineBrowse.size();
        const OverlapCase& o = f.overlaps[static_cast<std::size_t>(i)];
        overlap.Text(1, o.entity);
        overlap.Text(2, o.employer);
        overlap.Text(3, o.code);
        const std::string own = o.code + o.number;
        overlap.Text(4, own);
        const auto engineOverlap = Keys(f.db.SelectRecords(f.overlapQueries[static_cast<std::size_t>(i)]));
        if (engineOverlap != overlap.Rows())
            throw std::runtime_error("overlap answers differ for " + own);
        overlapRows += engineOverlap.size();
    }
    std::printf("answers checked: %d samples, %.1f rows per browse, %.2f rows per overlap query\n",
                SampleCount, double(rows) / SampleCount, double(overlapRows) / SampleCount);
}

// --- the engine ---

struct Engine {
    dba::Database* db;
    dba::Table* contracts;
};

void EngineBrowse(benchmark::State& state, Engine e) {
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(e.db->SelectRecords(fixture->browseQueries[i++ % SampleCount], "0 7 8 4"));
}

void EngineBrowseByName(benchmark::State& state, Engine e) {
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            e.db->SelectRecords(fixture->browseByNameQueries[i++ % SampleCount], "0 7 8 4"));
}

void EngineOverlap(benchmark::State& state, Engine e) {
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(e.db->SelectRecords(fixture->overlapQueries[i++ % SampleCount]));
}

void EngineRead(benchmark::State& state, Engine e) {
    std::size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(e.contracts->ReadRecord(fixture->readKeys[i++ % SampleCount]));
}

void EngineWrite(benchmark::State& state, Engine e) {
    dba::Record record = e.contracts->ReadRecord(fixture->readKeys[0]);
    const std::string start = record.Item(7), moved = std::to_string(std::stoi(start) + 1);
    bool flip = false;
    for (auto _ : state) {
        record.SetItem(7, (flip = !flip) ? moved : start);
        record.DBWrite();
    }
    record.SetItem(7, start); // leave the cached database as generated
    record.DBWrite();
}

template <typename Loop> void Guarded(benchmark::State& state, Loop loop) {
    try {
        loop();
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

Engine OnFile() {
    return Engine{&fixture->db, &fixture->contracts};
}

void BM_Engine_Browse(benchmark::State& state) {
    Guarded(state, [&] { EngineBrowse(state, OnFile()); });
}
void BM_Engine_BrowseByName(benchmark::State& state) {
    Guarded(state, [&] { EngineBrowseByName(state, OnFile()); });
}
void BM_Engine_Overlap(benchmark::State& state) {
    Guarded(state, [&] { EngineOverlap(state, OnFile()); });
}
void BM_Engine_Read(benchmark::State& state) {
    Guarded(state, [&] { EngineRead(state, OnFile()); });
}
void BM_Engine_Write(benchmark::State& state) {
    Guarded(state, [&] { EngineWrite(state, OnFile()); });
}

// --- the SQL baseline ---

void BindBrowse(SqlStatement& s, std::size_t i) {
    s.Text(1, fixture->beneficiaries[i % SampleCount]);
    s.Int(2, BrowseDay);
    s.Int(3, PeriodStart);
}

void BM_Sql_Browse(benchmark::State& state) {
    SqlStatement s(fixture->sql, SqlBrowse);
    std::size_t i = 0;
    for (auto _ : state) {
        BindBrowse(s, i++);
        benchmark::DoNotOptimize(s.Rows());
    }
}

void BM_Sql_BrowseByName(benchmark::State& state) {
    SqlStatement s(fixture->sql, SqlBrowseByName);
    std::size_t i = 0;
    for (auto _ : state) {
        BindBrowse(s, i++);
        benchmark::DoNotOptimize(s.Rows());
    }
}

void BM_Sql_Overlap(benchmark::State& state) {
    SqlStatement s(fixture->sql, SqlOverlap);
    std::size_t i = 0;
    for (auto _ : state) {
        const OverlapCase& o = fixture->overlaps[i++ % SampleCount];
        const std::string own = o.code + o.number;
        s.Text(1, o.entity);
        s.Text(2, o.employer);
        s.Text(3, o.code);
        s.Text(4, own);
        benchmark::DoNotOptimize(s.Rows());
    }
}

void BM_Sql_Read(benchmark::State& state) {
    SqlStatement s(fixture->sql, SqlRead);
    std::size_t i = 0;
    for (auto _ : state) {
        s.Text(1, fixture->readKeys[i++ % SampleCount]);
        benchmark::DoNotOptimize(s.Rows());
    }
}

void BM_Sql_Write(benchmark::State& state) {
    const std::string& key = fixture->readKeys[0];
    const bench::Contract* contract = nullptr;
    for (const auto& c : fixture->data.contracts)
        if (c.key == key)
            contract = &c;
    SqlStatement s(fixture->sql, SqlWrite);
    const auto write = [&](int start) {
        s.Text(1, contract->key);
        s.Text(2, contract->agreement);
        s.Text(3, contract->entity);
        s.Text(4, contract->employer);
        s.Text(5, contract->type);
        s.Int(6, start);
        if (contract->end)
            s.Int(7, contract->end);
        else
            sqlite3_bind_null(s.get(), 7);
        s.Text(8, contract->deleted ? "O" : "");
        s.Run();
    };
    bool flip = false;
    for (auto _ : state)
        write((flip = !flip) ? contract->start + 1 : contract->start);
    write(contract->start);
}

// --- one condition repeated on a very large record ---
//
// A table holding one record whose field 1 is `megabytes` MB of text,
// queried with the same condition ANDed `repeats` times; the condition
// holds, so every repetition is evaluated. Evaluation reads the record in
// place and cuts each field once, so the time grows with the record's size
// plus the number of conditions, not with their product: 50 MB with 1000
// conditions costs about what 50 MB with 1 condition does.

class LargeRecord {
public:
    static LargeRecord& Get() {
        static LargeRecord instance;
        return instance;
    }
    dba::Database& WithField(int megabytes) {
        const std::string table = "GRAND" + std::to_string(megabytes);
        if (!made_.count(megabytes)) {
            db_.CreateTable(table);
            dba::Record r = db_.OpenTable(table).NewRecord("1");
            std::string field;
            field.reserve(static_cast<std::size_t>(megabytes) << 20);
            while (field.size() < (static_cast<std::size_t>(megabytes) << 20))
                field += "aide à domicile, ";
            r.SetItem(1, field);
            r.SetItem(2, "court");
            r.DBWrite();
            made_.insert(megabytes);
        }
        return db_;
    }
    ~LargeRecord() {
        db_ = dba::Database();
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

private:
    LargeRecord() {
        std::string pattern = (std::filesystem::temp_directory_path() / "dba-bench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        dir_ = pattern;
        db_ = dba::Database::Create((dir_ / "grand.db").string());
    }
    std::filesystem::path dir_;
    dba::Database db_;
    std::set<int> made_;
};

void BM_Engine_RepeatedCondition(benchmark::State& state) {
    Guarded(state, [&] {
        const int megabytes = static_cast<int>(state.range(0));
        dba::Database& db = LargeRecord::Get().WithField(megabytes);
        std::string query = "SELECT GRAND" + std::to_string(megabytes);
        for (int64_t i = 0; i < state.range(1); ++i)
            query += (i ? " AND" : "") + std::string(" AVEC 1 <> \"x\"");
        for (auto _ : state)
            if (db.SelectRecords(query).DCount() != 1)
                throw std::runtime_error("the record must match");
    });
}

BENCHMARK(BM_Engine_RepeatedCondition)
    ->ArgNames({"MB", "conditions"})
    ->Args({5, 1})
    ->Args({5, 1000})
    ->Args({50, 1})
    ->Args({50, 1000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

BENCHMARK(BM_Engine_Browse)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sql_Browse)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Engine_BrowseByName)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sql_BrowseByName)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Engine_Overlap)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sql_Overlap)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Engine_Read)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sql_Read)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Engine_Write)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Sql_Write)->Unit(benchmark::kMicrosecond);

// --- on a PostgreSQL server ---

struct PgFixture {
    std::unique_ptr<bench::pg::Connection> sql;
    dba::Database db;
    dba::Table contracts;
};

PgFixture* pgFixture = nullptr;

const char* SqlText(const std::string& s) {
    return s.c_str();
}

void PgBrowseValues(std::size_t i, std::vector<std::string>& keep, std::vector<const char*>& values) {
    keep = {fixture->beneficiaries[i % SampleCount], std::to_string(BrowseDay), std::to_string(PeriodStart)};
    values = {keep[0].c_str(), keep[1].c_str(), keep[2].c_str()};
}

void PgOverlapValues(std::size_t i, std::vector<std::string>& keep, std::vector<const char*>& values) {
    const OverlapCase& o = fixture->overlaps[i % SampleCount];
    keep = {o.entity, o.employer, o.code, o.code + o.number};
    values = {keep[0].c_str(), keep[1].c_str(), keep[2].c_str(), keep[3].c_str()};
}

void CheckSameAnswersOnServer(PgFixture& p) {
    bench::pg::Statement browse(*p.sql, "chk_browse", bench::pg::Browse, 3),
        byName(*p.sql, "chk_byname", bench::pg::BrowseByName, 3), overlap(*p.sql, "chk_overlap", bench::pg::Overlap, 4);
    std::vector<std::string> keep;
    std::vector<const char*> values;
    for (std::size_t i = 0; i < SampleCount; ++i) {
        PgBrowseValues(i, keep, values);
        if (Keys(p.db.SelectRecords(fixture->browseQueries[i], "0 7 8 4")) != browse.Rows(values))
            throw std::runtime_error("server: browse answers differ for " + keep[0]);
        if (Keys(p.db.SelectRecords(fixture->browseByNameQueries[i], "0 7 8 4")) != byName.Rows(values))
            throw std::runtime_error("server: browse-by-name answers differ for " + keep[0]);
        PgOverlapValues(i, keep, values);
        if (Keys(p.db.SelectRecords(fixture->overlapQueries[i])) != overlap.Rows(values))
            throw std::runtime_error("server: overlap answers differ for " + keep[3]);
    }
    std::printf("server answers checked: %d samples\n", SampleCount);
}

template <void (*Values)(std::size_t, std::vector<std::string>&, std::vector<const char*>&)>
void PgSqlQuery(benchmark::State& state, const char* name, const char* sql, int params) {
    bench::pg::Statement s(*pgFixture->sql, name, sql, params);
    std::vector<std::string> keep;
    std::vector<const char*> values;
    std::size_t i = 0;
    for (auto _ : state) {
        Values(i++, keep, values);
        benchmark::DoNotOptimize(s.Rows(values));
    }
}

void PgReadValues(std::size_t i, std::vector<std::string>& keep, std::vector<const char*>& values) {
    keep = {fixture->readKeys[i % SampleCount]};
    values = {keep[0].c_str()};
}

void PgSqlWrite(benchmark::State& state) {
    const std::string& key = fixture->readKeys[0];
    const bench::Contract* contract = nullptr;
    for (const auto& c : fixture->data.contracts)
        if (c.key == key)
            contract = &c;
    bench::pg::Statement s(*pgFixture->sql, "bm_write", bench::pg::Write, 8);
    const std::string end = contract->end ? std::to_string(contract->end) : std::string();
    const auto write = [&](int start) {
        const std::string startText = std::to_string(start);
        s.Rows({SqlText(contract->key), SqlText(contract->agreement), SqlText(contract->entity),
                SqlText(contract->employer), SqlText(contract->type), startText.c_str(),
                contract->end ? end.c_str() : nullptr, contract->deleted ? "O" : ""});
    };
    bool flip = false;
    for (auto _ : state)
        write((flip = !flip) ? contract->start + 1 : contract->start);
    write(contract->start);
}

Engine OnServer() {
    return Engine{&pgFixture->db, &pgFixture->contracts};
}

void RegisterServerBenchmarks() {
    using benchmark::State;
    const auto add = [](const char* name, void (*run)(State&)) {
        benchmark::RegisterBenchmark(name, run)->Unit(benchmark::kMicrosecond);
    };
    add("BM_PgEngine_Browse", [](State& s) { Guarded(s, [&] { EngineBrowse(s, OnServer()); }); });
    add("BM_PgSql_Browse", [](State& s) {
        Guarded(s, [&] { PgSqlQuery<PgBrowseValues>(s, "bm_browse", bench::pg::Browse, 3); });
    });
    add("BM_PgEngine_BrowseByName", [](State& s) { Guarded(s, [&] { EngineBrowseByName(s, OnServer()); }); });
    add("BM_PgSql_BrowseByName", [](State& s) {
        Guarded(s, [&] { PgSqlQuery<PgBrowseValues>(s, "bm_byname", bench::pg::BrowseByName, 3); });
    });
    add("BM_PgEngine_Overlap", [](State& s) { Guarded(s, [&] { EngineOverlap(s, OnServer()); }); });
    add("BM_PgSql_Overlap", [](State& s) {
        Guarded(s, [&] { PgSqlQuery<PgOverlapValues>(s, "bm_overlap", bench::pg::Overlap, 4); });
    });
    add("BM_PgEngine_Read", [](State& s) { Guarded(s, [&] { EngineRead(s, OnServer()); }); });
    add("BM_PgSql_Read", [](State& s) {
        Guarded(s, [&] { PgSqlQuery<PgReadValues>(s, "bm_read", bench::pg::Read, 1); });
    });
    add("BM_PgEngine_Write", [](State& s) { Guarded(s, [&] { EngineWrite(s, OnServer()); }); });
    add("BM_PgSql_Write", [](State& s) { Guarded(s, [&] { PgSqlWrite(s); }); });
}

// Real time is what a user waits for; CPU time is also shown because on a
// shared machine waiting for the processor inflates both sides' real time.
void PrintRatios(const std::map<std::string, CollectingReporter::Times>& us, const char* title,
                 const char* engineName, const char* sqlName) {
    struct Line {
        const char* question;
        const char* name;
        const char* target;
    };
    const Line lines[] = {
        {"browse one beneficiary, PAR 7", "Browse", "ratio <= 2"},
        {"browse, PAR NomAidantContrat PAR Prenom...", "BrowseByName", "ratio <= 2"},
        {"overlap query of one helper", "Overlap", "ratio <= 2"},
        {"read one record by key", "Read", "ratio <= 2"},
        {"write one record (synchronous commit)", "Write", ""},
    };
    std::printf("\n%s\n%-44s %12s %12s %8s %10s  %s\n", title, "question", "engine (us)", "SQL (us)", "ratio",
                "CPU ratio", "target");
    for (const Line& line : lines) {
        const auto engine = us.find(std::string(engineName) + line.name);
        const auto sql = us.find(std::string(sqlName) + line.name);
        if (engine == us.end() || sql == us.end())
            continue;
        std::printf("%-44s %12.2f %12.2f %8.2f %10.2f  %s\n", line.question, engine->second.real,
                    sql->second.real, engine->second.real / sql->second.real,
                    engine->second.cpu / sql->second.cpu, line.target);
    }
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Fixture f;
    try {
        const auto started = std::chrono::steady_clock::now();
        f.data = bench::GenerateContracts();
        const bench::BenchFiles files = bench::PrepareBenchFiles(f.data);
        std::printf("data: %zu contracts, %zu helpers (ready in %.1f s)\n", f.data.contracts.size(),
                    f.data.helpers.size(),
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
        std::printf("engine file: %s\nbaseline file: %s\n", files.engine.c_str(), files.baseline.c_str());
        f.db = dba::Database::Open(files.engine.string());
        f.contracts = f.db.OpenTable("CONTRAT");
        f.sql = bench::OpenBaseline(files.baseline, false);
        fixture = &f;
        PickSamples(f);
        CheckSameAnswers(f);
        if (const char* server = std::getenv("ARBEL_BENCH_PG"); server && *server) {
            static PgFixture p;
            const auto copied = std::chrono::steady_clock::now();
            p.sql = std::make_unique<bench::pg::Connection>(server);
            const std::string version = "_v" + std::to_string(bench::DataVersion);
            bench::pg::PrepareBaseline(*p.sql, "arbel_bench_sql" + version, f.data);
            p.db = bench::pg::PrepareEngine(*p.sql, server, "arbel_bench_engine" + version, files.engine.string());
            p.contracts = p.db.OpenTable("CONTRAT");
            p.sql->Exec("SET search_path = arbel_bench_sql" + version);
            pgFixture = &p;
            std::printf("server ready in %.1f s\n",
                        std::chrono::duration<double>(std::chrono::steady_clock::now() - copied).count());
            CheckSameAnswersOnServer(p);
            RegisterServerBenchmarks();
        } else {
            std::printf("ARBEL_BENCH_PG not set: no server figures\n");
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dba_bench: %s\n", e.what());
        if (f.sql)
            sqlite3_close_v2(f.sql);
        return 1;
    }
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    PrintRatios(reporter.times, "SQLite file", "BM_Engine_", "BM_Sql_");
    if (pgFixture)
        PrintRatios(reporter.times, "PostgreSQL server", "BM_PgEngine_", "BM_PgSql_");
    sqlite3_close_v2(f.sql);
    return 0;
}
