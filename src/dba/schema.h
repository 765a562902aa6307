#pragma once
// The database's own description of itself, kept in meta tables of the same
// file: the tables, their dictionaries and their declared indexes. Every
// session caches it and reloads it when another session changed it.
#include "dba/database.h"
#include "dba/dictionary.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace dba {

class Session;

struct IndexDecl {
    std::string item;  // field number or dictionary name
    std::string store; // SQL table of (value, key, num)
    ItemPtr expr;      // null when the item no longer compiles (see problem)
    std::string problem;
};

struct TableSchema {
    std::map<std::string, DictEntry> dictionary;
    std::vector<IndexDecl> indexes;
};

struct Schema {
    long long generation = -1;
    std::map<std::string, TableSchema> tables;
    std::set<std::string> names; // the table names, for compiling translations

    const TableSchema* Find(const std::string& table) const {
        auto found = tables.find(table);
        return found == tables.end() ? nullptr : &found->second;
    }
};

// SQL identifier quoting.
std::string QuoteName(const std::string& name);
// The SQL table holding the numeric keys of a table, for numeric key tests.
std::string KeyNumberStore(const std::string& table);
// True for names a table may have: an upper-case letter, then upper-case
// letters, digits, '_' or '-'.
bool IsTableName(const std::string& name);

// Creates the meta tables of a new database (inside a transaction).
void CreateMetaTables(Session& session);
// True when the storage holds the meta tables of a database.
bool MetaTablesPresent(Session& session);
long long ReadGeneration(Session& session);
// The query ReadGeneration runs.
extern const char* const GenerationQuery;
// Marks the schema changed for every session (inside a write).
void BumpGeneration(Session& session);
Schema LoadSchema(Session& session);

} // namespace dba
