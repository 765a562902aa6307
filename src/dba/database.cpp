#include "dba/database.h"

#include "dba/dynarray.h"
#include "dba/errors.h"
#include "dba/index.h"
#include "dba/record_store.h"
#include "dba/selection.h"
#include "dba/session.h"

#include <algorithm>

namespace dba {

namespace {

const TableSchema& TableOf(Session& session, const std::string& table) {
    const TableSchema* found = session.schema().Find(table);
    if (!found)
        throw TableNotFound(table);
    return *found;
}

bool IsReservedWord(const std::string& word) {
    for (const char* w : {"SELECT", "SSELECT", "AVEC", "SANS", "OR", "AND", "PAR", "PAR-DECR", "@ID"})
        if (word == w)
            return true;
    return false;
}

// A dictionary name must read as one word of the query language.
void CheckDictionaryName(const std::string& name) {
    bool digitsOnly =
        !name.empty() && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
    bool badChar = std::any_of(name.begin(), name.end(), [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '"' || c == '=' || c == '<' ||
               c == '>' || c == '#';
    });
    if (name.empty() || digitsOnly || badChar || IsReservedWord(name) || !IsValidText(name) ||
        name.find_first_of(std::string{FM, VM, SM}) != std::string::npos)
        throw InvalidValue("Nom de dictionnaire refusé : « " + Shown(name) + " »");
}

// A query text is UTF-8 without marks or NUL: a value holding one of them
// could only select nothing, silently.
void CheckQueryText(const std::string& command) {
    if (std::optional<BadByte> bad = FindBadByte(command, 3)) {
        const std::size_t at = bad->offset - 1;
        throw QuerySyntaxError(bad->what + " interdit dans une requête", at, command.substr(at, 1));
    }
}

bool IsFieldNumber(const std::string& item) {
    return !item.empty() && item.size() <= 6 &&
           std::all_of(item.begin(), item.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

Database Database::Open(const std::string& location) {
    Database db;
    db.session_ = std::make_shared<Session>(location, false);
    return db;
}

Database Database::Create(const std::string& location) {
    Database db;
    db.session_ = std::make_shared<Session>(location, true);
    return db;
}

Database Database::OpenReadOnly(const std::string& location) {
    Database db;
    db.session_ = std::make_shared<Session>(location, false, true);
    return db;
}

std::optional<std::string> Database::WriteRefusal() const {
    return dba::Open(session_).storage().WriteRefusal();
}

void Database::SetBusyWait(std::chrono::milliseconds wait) {
    dba::Open(session_).storage().SetBusyWait(static_cast<int>(wait.count()));
}

const std::string& Database::path() const {
    return dba::Open(session_).path();
}

void Database::SetUserName(const std::string& user) {
    Session& s = dba::Open(session_);
    s.user = user;
    s.storage().SetHolderName(s.HolderName());
}

std::string Database::HolderName() const {
    return dba::Open(session_).HolderName();
}

void Database::CreateTable(const std::string& name) {
    Session& s = dba::Open(session_);
    if (!IsTableName(name) || name.rfind("DBA_", 0) == 0 || name.rfind("SQLITE_", 0) == 0 ||
        name.size() > s.storage().MaxNameLength())
        throw InvalidValue("Nom de table refusé : « " + Shown(name) + " » (lettres majuscules, chiffres, _ et -)");
    const Storage& st = s.storage();
    s.Write([&] {
        if (s.schema().Find(name))
            return;
        s.Exec("CREATE TABLE " + QuoteName(name) + " (key " + st.TextType() + " PRIMARY KEY, rec " +
               st.BlobType() + " NOT NULL)" + st.KeyedTableOptions() + ";CREATE TABLE " +
               QuoteName(KeyNumberStore(name)) + " (num " + st.RealType() + " NOT NULL, key " + st.TextType() +
               " NOT NULL, PRIMARY KEY (num, key))" + st.KeyedTableOptions());
        s.Sql("INSERT INTO dba_tables (name) VALUES (?)").Bind(1, name).Run();
        s.SchemaChanged();
    });
}

std::vector<std::string> Database::Tables() const {
    Session& s = dba::Open(session_);
    return std::vector<std::string>(s.schema().names.begin(), s.schema().names.end());
}

Table Database::OpenTable(const std::string& name) const {
    Session& s = dba::Open(session_);
    TableOf(s, name);
    Table t;
    t.session_ = session_;
    t.name_ = name;
    return t;
}

void Database::DefineDictionary(const std::string& table, const std::string& name, const DictEntry& entry) {
    Session& s = dba::Open(session_);
    CheckDictionaryName(name);
    const std::string text = entry.Serialize();
    DictEntry::Parse(text); // refuses an entry that would not read back
    s.Write([&] {
        TableOf(s, table);
        s.Sql("INSERT INTO dba_dict (tbl, name, entry) VALUES (?, ?, ?) "
              "ON CONFLICT (tbl, name) DO UPDATE SET entry = excluded.entry")
            .Bind(1, table)
            .Bind(2, name)
            .Bind(3, text)
            .Run();
        s.SchemaChanged();
        // Indexes on names may depend on this one: rebuild them now, in the
        // same transaction, so that they never disagree with their records.
        for (const IndexDecl& index : TableOf(s, table).indexes)
            if (!IsFieldNumber(index.item))
                BuildIndex(s, table, index);
    });
}

std::map<std::string, DictEntry> Database::Dictionary(const std::string& table) const {
    Session& s = dba::Open(session_);
    return TableOf(s, table).dictionary;
}

void Database::CreateIndex(const std::string& table, const std::string& item) {
    Session& s = dba::Open(session_);
    s.Write([&] {
        const TableSchema& schema = TableOf(s, table);
        for (const IndexDecl& index : schema.indexes)
            if (index.item == item)
                return;
        ItemPtr expr = CompileItem(item, schema.dictionary, s.schema().names);
        if (expr->kind == CompiledItem::Kind::Key)
            throw InvalidValue("La clé de " + table + " n'a pas besoin d'index");
        if (expr->readsOtherTables)
            throw InvalidValue("Index refusé sur " + item + " : il lirait une autre table");
        IndexDecl decl;
        decl.item = item;
        decl.expr = expr;
        decl.store = CreateIndexStore(s);
        s.Sql("INSERT INTO dba_indexes (tbl, item, store) VALUES (?, ?, ?)")
            .Bind(1, table)
            .Bind(2, item)
            .Bind(3, decl.store)
            .Run();
        BuildIndex(s, table, decl);
        s.SchemaChanged();
    });
}

std::vector<std::string> Database::Indexes(const std::string& table) const {
    Session& s = dba::Open(session_);
    std::vector<std::string> items;
    for (const IndexDecl& index : TableOf(s, table).indexes)
        items.push_back(index.item);
    return items;
}

ResultList Database::SelectRecords(const std::string& command, const std::string& fields) const {
    CheckQueryText(command);
    return RunSelection(dba::Open(session_), command, fields, true);
}

ResultList Database::SelectRecords(const SelectQuery& query) const {
    // The criteria may be a whole command, or conditions on the named table.
    std::string criteria = query.criteria;
    std::size_t start = criteria.find_first_not_of(" \t");
    std::string first = start == std::string::npos
                            ? ""
                            : criteria.substr(start, criteria.find_first_of(" \t", start) - start);
    std::string command =
        first == "SELECT" || first == "SSELECT" ? criteria : "SSELECT " + query.table + " " + criteria;
    CheckQueryText(command);
    return RunSelection(dba::Open(session_), command, query.fields, true);
}

ResultList Database::SelectRecordsByScan(const std::string& command, const std::string& fields) const {
    CheckQueryText(command);
    return RunSelection(dba::Open(session_), command, fields, false);
}

std::string Database::Explain(const std::string& command) const {
    CheckQueryText(command);
    return ExplainSelection(dba::Open(session_), command);
}

void Database::ForEachRecord(
    const std::string& table,
    const std::function<void(const std::string& key, const std::string& text)>& each) const {
    Session& s = dba::Open(session_);
    s.Read([&] {
        TableOf(s, table);
        Statement scan = s.Sql("SELECT key, rec FROM " + QuoteName(table) + " ORDER BY key");
        while (scan.Step())
            each(std::string(scan.Text(0)), std::string(scan.Text(1)));
    });
}

void Database::LoadRecords(const std::string& table,
                           const std::vector<std::pair<std::string, std::string>>& records) {
    LoadRecordTexts(dba::Open(session_), table, records);
}

void Database::Transaction(const std::function<void()>& work) {
    dba::Open(session_).Write(work);
}

void Database::Snapshot(const std::function<void()>& work) const {
    dba::Open(session_).Read(work);
}

} // namespace dba
