#pragma once
// The same questions on a PostgreSQL server (ARBEL_BENCH_PG, a connection
// string): the engine on a copy of the benchmark's engine file against
// hand-written SQL on the normalised schema, both on the server, both kept
// in schemas of their own between runs.
#include "contract_data.h"

#include "dba/copy.h"
#include "dba/database.h"

#include <benchmark/benchmark.h>
#include <libpq-fe.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

namespace bench::pg {

inline std::string InSchema(const std::string& conninfo, const std::string& schema) {
    if (conninfo.rfind("postgres", 0) == 0 && conninfo.find("://") != std::string::npos)
        return conninfo + (conninfo.find('?') == std::string::npos ? "?" : "&") +
               "options=-csearch_path%3D" + schema;
    return conninfo + " options='-c search_path=" + schema + "'";
}

class Connection {
public:
    explicit Connection(const std::string& conninfo) : conn_(PQconnectdb(conninfo.c_str())) {
        if (PQstatus(conn_) != CONNECTION_OK) {
            std::string message = PQerrorMessage(conn_);
            PQfinish(conn_);
            throw std::runtime_error("PostgreSQL: " + message);
        }
        PQsetNoticeProcessor(conn_, [](void*, const char*) {}, nullptr);
    }
    ~Connection() { PQfinish(conn_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    PGconn* get() const { return conn_; }

    void Exec(const std::string& sql) {
        PGresult* r = PQexec(conn_, sql.c_str());
        const auto status = PQresultStatus(r);
        std::string message = PQresultErrorMessage(r);
        PQclear(r);
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
            throw std::runtime_error(sql + ": " + message);
    }
    long long Count(const std::string& sql) {
        PGresult* r = PQexec(conn_, sql.c_str());
        long long n = PQresultStatus(r) == PGRES_TUPLES_OK && PQntuples(r) == 1 ? std::atoll(PQgetvalue(r, 0, 0)) : -1;
        PQclear(r);
        return n;
    }

private:
    PGconn* conn_;
};

// A prepared statement with text parameters, as hand-written code would use.
class Statement {
public:
    // Benchmarks run their function more than once: each run prepares anew.
    Statement(Connection& c, const std::string& name, const char* sql, int params)
        : conn_(c.get()), name_(name + "_" + std::to_string(++Prepared())), params_(params) {
        PGresult* r = PQprepare(conn_, name_.c_str(), sql, params, nullptr);
        const bool ok = PQresultStatus(r) == PGRES_COMMAND_OK;
        std::string message = PQresultErrorMessage(r);
        PQclear(r);
        if (!ok)
            throw std::runtime_error(message + " in " + sql);
    }
    // Runs with these parameters (nullptr = NULL); the first column of each row.
    std::vector<std::string> Rows(const std::vector<const char*>& values) {
        PGresult* r = PQexecPrepared(conn_, name_.c_str(), params_, values.data(), nullptr, nullptr, 0);
        const auto status = PQresultStatus(r);
        if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
            std::string message = PQresultErrorMessage(r);
            PQclear(r);
            throw std::runtime_error(message);
        }
        std::vector<std::string> first;
        for (int row = 0; row < PQntuples(r); ++row) {
            for (int c = 1; c < PQnfields(r); ++c)
                benchmark::DoNotOptimize(PQgetvalue(r, row, c));
            first.emplace_back(PQgetvalue(r, row, 0));
        }
        PQclear(r);
        return first;
    }

private:
    static int& Prepared() {
        static int count = 0;
        return count;
    }
    PGconn* conn_;
    std::string name_;
    int params_;
};

const char* const Browse = "SELECT key, start, \"end\", type FROM contrat"
                           " WHERE agreement = '02' AND employer = $1 AND (start <= $2 OR start >= $2)"
                           " AND (\"end\" >= $3 OR \"end\" IS NULL) AND deleted <> 'O'"
                           " ORDER BY start, key";
const char* const BrowseByName = "SELECT c.key, c.start, c.\"end\", c.type FROM contrat c"
                                 " LEFT JOIN helper h ON h.code = substr(c.key, 1, 5)"
                                 " WHERE c.agreement = '02' AND c.employer = $1"
                                 " AND (c.start <= $2 OR c.start >= $2) AND (c.\"end\" >= $3 OR c.\"end\" IS NULL)"
                                 " AND c.deleted <> 'O'"
                                 " ORDER BY coalesce(h.name, ''), coalesce(h.firstname, ''), c.key";
const char* const Overlap = "SELECT key FROM contrat"
                            " WHERE agreement = '02' AND entity = $1 AND employer = $2"
                            " AND key >= $3 AND key < $3 || '~' AND key <> $4 AND deleted <> 'O'"
                            " ORDER BY employer, key";
const char* const Read =
    "SELECT agreement, entity, employer, type, start, \"end\", deleted FROM contrat WHERE key = $1";
const char* const Write = "UPDATE contrat SET agreement = $2, entity = $3, employer = $4, type = $5, start = $6,"
                          " \"end\" = $7, deleted = $8 WHERE key = $1";

// COPY text format: tabs, newlines and backslashes escaped.
inline std::string CopyField(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\\' || c == '\t' || c == '\n' || c == '\r')
            out += '\\';
        out += c == '\t' ? 't' : c == '\n' ? 'n' : c == '\r' ? 'r' : c;
    }
    return out;
}

inline void CopyRows(Connection& c, const std::string& command, const std::string& rows) {
    PGresult* r = PQexec(c.get(), command.c_str());
    const bool ok = PQresultStatus(r) == PGRES_COPY_IN;
    PQclear(r);
    if (!ok || PQputCopyData(c.get(), rows.data(), static_cast<int>(rows.size())) != 1 ||
        PQputCopyEnd(c.get(), nullptr) != 1)
        throw std::runtime_error(command + ": " + PQerrorMessage(c.get()));
    r = PQgetResult(c.get());
    const bool done = PQresultStatus(r) == PGRES_COMMAND_OK;
    std::string message = PQresultErrorMessage(r);
    PQclear(r);
    while ((r = PQgetResult(c.get())))
        PQclear(r);
    if (!done)
        throw std::runtime_error(command + ": " + message);
}

// The baseline schema on the server, filled once (kept between runs).
inline void PrepareBaseline(Connection& c, const std::string& schema, const ContractData& data) {
    if (c.Count("SELECT count(*) FROM pg_tables WHERE schemaname = '" + schema + "' AND tablename = 'ready'") == 1)
        return;
    c.Exec("DROP SCHEMA IF EXISTS " + schema + " CASCADE");
    c.Exec("BEGIN");
    c.Exec("CREATE SCHEMA " + schema);
    c.Exec("SET LOCAL search_path = " + schema);
    // Byte order, as the engine sorts.
    c.Exec("CREATE TABLE helper(code text COLLATE \"C\" PRIMARY KEY, name text COLLATE \"C\" NOT NULL,"
           " firstname text COLLATE \"C\" NOT NULL, entity text COLLATE \"C\" NOT NULL)");
    c.Exec("CREATE TABLE contrat(key text COLLATE \"C\" PRIMARY KEY, agreement text COLLATE \"C\" NOT NULL,"
           " entity text COLLATE \"C\" NOT NULL, employer text COLLATE \"C\" NOT NULL,"
           " type text COLLATE \"C\" NOT NULL, start integer NOT NULL, \"end\" integer,"
           " deleted text COLLATE \"C\" NOT NULL)");
    std::string rows;
    for (const Helper& h : data.helpers)
        rows += CopyField(h.code) + '\t' + CopyField(h.name) + '\t' + CopyField(h.firstName) + '\t' +
                CopyField(h.entity) + '\n';
    CopyRows(c, "COPY helper FROM STDIN", rows);
    rows.clear();
    for (const Contract& k : data.contracts)
        rows += CopyField(k.key) + '\t' + CopyField(k.agreement) + '\t' + CopyField(k.entity) + '\t' +
                CopyField(k.employer) + '\t' + CopyField(k.type) + '\t' + std::to_string(k.start) + '\t' +
                (k.end ? std::to_string(k.end) : std::string("\\N")) + '\t' + (k.deleted ? "O" : "") + '\n';
    CopyRows(c, "COPY contrat FROM STDIN", rows);
    c.Exec("CREATE INDEX contrat_employer ON contrat(employer)");
    c.Exec("CREATE INDEX contrat_entity ON contrat(entity)");
    c.Exec("CREATE TABLE ready()");
    c.Exec("COMMIT");
    c.Exec("ANALYZE " + schema + ".helper");
    c.Exec("ANALYZE " + schema + ".contrat");
}

// The engine's database on the server: a copy of the engine file, made once.
inline dba::Database PrepareEngine(Connection& admin, const std::string& conninfo, const std::string& schema,
                                   const std::string& engineFile) {
    const std::string location = InSchema(conninfo, schema);
    if (admin.Count("SELECT count(*) FROM pg_tables WHERE schemaname = '" + schema + "' AND tablename = 'ready'") != 1) {
        admin.Exec("DROP SCHEMA IF EXISTS " + schema + " CASCADE");
        admin.Exec("CREATE SCHEMA " + schema);
        const dba::Database source = dba::Database::Open(engineFile);
        dba::CopyDatabase(source, location);
        admin.Exec("ANALYZE");
        admin.Exec("CREATE TABLE " + schema + ".ready()");
    }
    return dba::Database::Open(location);
}

} // namespace bench::pg
