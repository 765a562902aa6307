#pragma once
// A fresh database in a temporary directory of its own, or in a schema of
// its own on the test server, removed afterwards.
#include "dba/database.h"
#include "dba/dynarray.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace dba::testing {

class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "dba-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// The storages every engine test runs on.
enum class Backend { SQLite, PostgreSQL };

inline std::string BackendName(const ::testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::SQLite ? "SQLite" : "PostgreSQL";
}

// The test server's connection string, exported by scripts/test. Without
// it the PostgreSQL cases fail: a server that did not start must show.
inline std::string TestServer() {
    const char* conninfo = std::getenv("ARBEL_TEST_PG");
    if (!conninfo || !*conninfo)
        throw std::runtime_error("ARBEL_TEST_PG absent : le serveur PostgreSQL de test n'a pas démarré "
                                 "(scripts/test le lance et exporte sa chaîne de connexion)");
    return conninfo;
}

// Where one test keeps its databases: files of a temporary folder, or
// schemas of the test server (one per name, dropped afterwards).
class TestPlace {
public:
    explicit TestPlace(Backend backend) : backend_(backend) {}
    ~TestPlace() {
        for (const std::string& schema : schemas_)
            Admin("DROP SCHEMA IF EXISTS " + schema + " CASCADE", false);
        if (admin_)
            PQfinish(admin_);
    }
    TestPlace(const TestPlace&) = delete;
    TestPlace& operator=(const TestPlace&) = delete;

    Backend backend() const { return backend_; }
    // The location of the database `name`: the same name gives the same place.
    std::string Location(const std::string& name) {
        if (backend_ == Backend::SQLite)
            return dir_.File(name + ".db");
        for (const auto& [known, location] : locations_)
            if (known == name)
                return location;
        std::string schema = "t" + std::to_string(::getpid()) + "_" + std::to_string(Counter()) + "_";
        for (char c : name)
            schema += std::isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(std::tolower(c)) : '_';
        Admin("CREATE SCHEMA " + schema, true);
        schemas_.push_back(schema);
        std::string location = TestServer() + " options='-c search_path=" + schema + "'";
        locations_.emplace_back(name, location);
        return location;
    }

private:
    static int Counter() {
        static std::atomic<int> counter{0};
        return ++counter;
    }
    void Admin(const std::string& sql, bool required) {
        if (!admin_) {
            admin_ = PQconnectdb(TestServer().c_str());
            if (PQstatus(admin_) != CONNECTION_OK) {
                std::string message = PQerrorMessage(admin_);
                PQfinish(admin_);
                admin_ = nullptr;
                if (required)
                    throw std::runtime_error("Serveur PostgreSQL de test injoignable : " + message);
                return;
            }
        }
        PGresult* result = PQexec(admin_, sql.c_str());
        bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
        std::string message = PQresultErrorMessage(result);
        PQclear(result);
        if (!ok && required)
            throw std::runtime_error(sql + " : " + message);
    }

    Backend backend_;
    TempDir dir_;
    PGconn* admin_ = nullptr;
    std::vector<std::string> schemas_;
    std::vector<std::pair<std::string, std::string>> locations_;
};

#define DBA_ON_BOTH_BACKENDS(suite)                                                                          \
    INSTANTIATE_TEST_SUITE_P(Backends, suite,                                                                \
                             ::testing::Values(dba::testing::Backend::SQLite, dba::testing::Backend::PostgreSQL), \
                             dba::testing::BackendName)

// Record text written with readable marks: ^ field, ] value, \ subvalue.
inline std::string R(std::string s) {
    for (char& c : s)
        c = c == '^' ? FM : c == ']' ? VM : c == '\\' ? SM : c;
    return s;
}

// Writes a record by field number.
inline void Put(const Table& table, const std::string& key, const std::string& marked) {
    Record r = table.NewRecord(key);
    r.SetRecord(R(marked));
    r.DBWrite();
}

// The keys of a result list, in order.
inline std::vector<std::string> Keys(const ResultList& list) {
    std::vector<std::string> keys;
    for (int r = 1; r <= list.DCount(); ++r)
        keys.push_back(list.Item(r, 1));
    return keys;
}

} // namespace dba::testing
