#include "dba/schema.h"

#include "dba/errors.h"
#include "dba/session.h"

namespace dba {

std::string QuoteName(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + '"';
}

std::string KeyNumberStore(const std::string& table) {
    return "dba_keynum_" + table;
}

bool IsTableName(const std::string& name) {
    // A leading digit is allowed: some tables are named after codes
    // (the documents of an entity and agreement, "00102CONTRAT").
    if (name.empty() || name.size() > 64)
        return false;
    for (char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'))
            return false;
    return true;
}

void CreateMetaTables(Session& session) {
    const Storage& st = session.storage();
    const std::string text = st.TextType(), integer = st.IntType(), keyed = st.KeyedTableOptions();
    session.Exec("CREATE TABLE dba_meta (name " + text + " PRIMARY KEY, value " + integer + ")" + keyed +
                 ";"
                 "INSERT INTO dba_meta VALUES ('format', 1), ('generation', 0), ('next_store', 1);"
                 "CREATE TABLE dba_tables (name " +
                 text + " PRIMARY KEY)" + keyed +
                 ";"
                 "CREATE TABLE dba_dict (tbl " +
                 text + " NOT NULL, name " + text + " NOT NULL, entry " + text +
                 " NOT NULL, PRIMARY KEY (tbl, name))" + keyed +
                 ";"
                 "CREATE TABLE dba_indexes (tbl " +
                 text + " NOT NULL, item " + text + " NOT NULL, store " + text +
                 " NOT NULL, PRIMARY KEY (tbl, item))" + keyed +
                 ";"
                 "CREATE TABLE dba_locks (tbl " +
                 text + " NOT NULL, key " + text + " NOT NULL, session " + text + " NOT NULL, holder " + text +
                 " NOT NULL, host " + text + " NOT NULL, pid " + integer + " NOT NULL, started " + integer +
                 " NOT NULL, PRIMARY KEY (tbl, key))" + keyed +
                 ";"
                 "CREATE INDEX dba_locks_session ON dba_locks (session);");
}

bool MetaTablesPresent(Session& session) {
    return session.storage().CountTables({"dba_meta", "dba_tables", "dba_dict", "dba_indexes", "dba_locks"}) == 5;
}

const char* const GenerationQuery = "SELECT value FROM dba_meta WHERE name = 'generation'";

long long ReadGeneration(Session& session) {
    Statement st = session.Sql(GenerationQuery);
    if (!st.Step())
        throw StorageError("Base incomplète : compteur de structure absent");
    return st.Int(0);
}

void BumpGeneration(Session& session) {
    session.Sql("UPDATE dba_meta SET value = value + 1 WHERE name = 'generation'").Run();
}

Schema LoadSchema(Session& session) {
    Schema schema;
    schema.generation = ReadGeneration(session);
    {
        Statement st = session.Sql("SELECT name FROM dba_tables");
        while (st.Step()) {
            std::string name(st.Text(0));
            schema.tables[name];
            schema.names.insert(name);
        }
    }
    {
        Statement st = session.Sql("SELECT tbl, name, entry FROM dba_dict");
        while (st.Step()) {
            auto found = schema.tables.find(std::string(st.Text(0)));
            if (found != schema.tables.end())
                found->second.dictionary[std::string(st.Text(1))] = DictEntry::Parse(std::string(st.Text(2)));
        }
    }
    {
        Statement st = session.Sql("SELECT tbl, item, store FROM dba_indexes ORDER BY tbl, item");
        while (st.Step()) {
            auto found = schema.tables.find(std::string(st.Text(0)));
            if (found == schema.tables.end())
                continue;
            IndexDecl decl;
            decl.item = std::string(st.Text(1));
            decl.store = std::string(st.Text(2));
            found->second.indexes.push_back(std::move(decl));
        }
    }
    for (auto& [name, table] : schema.tables) {
        for (IndexDecl& decl : table.indexes) {
            try {
                decl.expr = CompileItem(decl.item, table.dictionary, schema.names);
            } catch (const Error& e) {
                decl.problem = e.what();
            }
        }
    }
    return schema;
}

} // namespace dba
