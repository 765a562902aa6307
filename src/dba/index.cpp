#include "dba/index.h"

#include "dba/dynarray.h"
#include "dba/errors.h"
#include "dba/query.h"
#include "dba/session.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace dba {

namespace {

const CompiledItem& Usable(const IndexDecl& index) {
    if (!index.expr)
        throw StorageError("Index sur " + index.item + " inutilisable : " + index.problem);
    if (index.expr->readsOtherTables)
        throw StorageError("Index sur " + index.item + " : un index ne peut porter sur une traduction");
    return *index.expr;
}

void InsertEntry(Session& session, const IndexDecl& index, const std::string& value, const std::string& key) {
    Statement st = session.Sql("INSERT INTO " + QuoteName(index.store) +
                               " (value, key, num) VALUES (?, ?, ?) ON CONFLICT DO NOTHING");
    st.Bind(1, value).Bind(2, key);
    if (auto n = NumericValue(value))
        st.Bind(3, *n);
    else
        st.BindNull(3);
    st.Run();
}

void DeleteEntry(Session& session, const IndexDecl& index, const std::string& value, const std::string& key) {
    Statement st = session.Sql("DELETE FROM " + QuoteName(index.store) + " WHERE value = ? AND key = ?");
    st.Bind(1, value).Bind(2, key).Run();
}

} // namespace

std::set<std::string> IndexValues(const CompiledItem& item, std::string_view key, std::string_view text) {
    std::string field = ResolveItem(item, key, text, nullptr);
    std::set<std::string> values;
    std::size_t start = 0;
    for (;;) {
        std::size_t at = field.find(VM, start);
        values.emplace(field.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            break;
        start = at + 1;
    }
    return values;
}

std::optional<double> NumericValue(std::string_view text) {
    if (!IsNumber(text))
        return std::nullopt;
    bool negative = text.front() == '-';
    if (text.front() == '+' || text.front() == '-')
        text.remove_prefix(1);
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Too large for a double, or too close to zero: its magnitude says which.
        std::string_view whole = text.substr(0, text.find('.'));
        bool large = whole.find_first_not_of('0') != std::string_view::npos;
        value = large ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::string CreateIndexStore(Session& session) {
    long long number = 0;
    {
        Statement st = session.Sql("SELECT value FROM dba_meta WHERE name = 'next_store'");
        if (!st.Step())
            throw StorageError("Base incomplète : compteur d'index absent");
        number = st.Int(0);
    }
    session.Sql("UPDATE dba_meta SET value = value + 1 WHERE name = 'next_store'").Run();
    std::string store = "dba_idx_" + std::to_string(number);
    const Storage& s = session.storage();
    session.Exec(
        "CREATE TABLE " + QuoteName(store) + " (value " + s.TextType() + " NOT NULL, key " + s.TextType() +
        " NOT NULL, num " + s.RealType() + ", PRIMARY KEY (value, key))" + s.KeyedTableOptions() +
        ";"
        "CREATE INDEX " +
        QuoteName(store + "_num") + " ON " + QuoteName(store) + " (num, key) WHERE num IS NOT NULL");
    return store;
}

void BuildIndex(Session& session, const std::string& table, const IndexDecl& index) {
    const CompiledItem& item = Usable(index);
    session.Exec("DELETE FROM " + QuoteName(index.store));
    Statement scan = session.Sql("SELECT key, rec FROM " + QuoteName(table));
    while (scan.Step()) {
        std::string key(scan.Text(0));
        for (const std::string& value : IndexValues(item, key, scan.Text(1)))
            InsertEntry(session, index, value, key);
    }
}

void UpdateIndexes(Session& session, const TableSchema& table, const std::string& key,
                   const std::optional<std::string>& oldText, const std::optional<std::string>& newText) {
    for (const IndexDecl& index : table.indexes) {
        const CompiledItem& item = Usable(index);
        std::set<std::string> before, after;
        if (oldText)
            before = IndexValues(item, key, *oldText);
        if (newText)
            after = IndexValues(item, key, *newText);
        for (const std::string& value : before)
            if (!after.count(value))
                DeleteEntry(session, index, value, key);
        for (const std::string& value : after)
            if (!before.count(value))
                InsertEntry(session, index, value, key);
    }
}

std::vector<std::string> CheckIndex(Session& session, const std::string& table, const IndexDecl& index) {
    std::vector<std::string> problems;
    const std::string where = "Index " + table + " " + index.item + " : ";
    if (!index.expr || index.expr->readsOtherTables) {
        problems.push_back(where + (index.expr ? "porte sur une traduction" : index.problem));
        return problems;
    }
    std::set<std::pair<std::string, std::string>> expected; // (key, value)
    {
        Statement scan = session.Sql("SELECT key, rec FROM " + QuoteName(table));
        while (scan.Step()) {
            std::string key(scan.Text(0));
            for (const std::string& value : IndexValues(*index.expr, key, scan.Text(1)))
                expected.emplace(key, value);
        }
    }
    Statement entries = session.Sql("SELECT key, value, num FROM " + QuoteName(index.store));
    while (entries.Step()) {
        std::pair<std::string, std::string> entry(entries.Text(0), entries.Text(1));
        auto found = expected.find(entry);
        if (found == expected.end()) {
            problems.push_back(where + "entrée « " + entry.second + " » sans valeur dans l'enregistrement " +
                               entry.first);
            continue;
        }
        expected.erase(found);
        auto number = NumericValue(entry.second);
        bool stored = !entries.IsNull(2);
        if (stored != number.has_value() || (stored && entries.Real(2) != *number && !std::isnan(*number)))
            problems.push_back(where + "valeur numérique fausse pour « " + entry.second + " » (" +
                               entry.first + ")");
    }
    for (const auto& [key, value] : expected)
        problems.push_back(where + "valeur « " + value + " » de l'enregistrement " + key +
                           " absente de l'index");
    return problems;
}

} // namespace dba
