#include "dba/record_store.h"

#include "dba/dynarray.h"
#include "dba/errors.h"
#include "dba/index.h"
#include "dba/locks.h"
#include "dba/query.h"

namespace dba {

namespace {

void CheckKey(const std::string& table, const std::string& key) {
    if (key.empty())
        throw InvalidValue("Clé vide refusée dans " + table);
    CheckPart(key, 3, "Clé");
}

const TableSchema& TableOf(Session& session, const std::string& table) {
    const TableSchema* found = session.schema().Find(table);
    if (!found)
        throw TableNotFound(table);
    return *found;
}

void KeepKeyNumber(Session& session, const std::string& table, const std::string& key, bool present) {
    auto number = NumericValue(key);
    if (!number)
        return;
    Statement st = session.Sql(present ? "INSERT INTO " + QuoteName(KeyNumberStore(table)) +
                                             " (num, key) VALUES (?, ?) ON CONFLICT DO NOTHING"
                                       : "DELETE FROM " + QuoteName(KeyNumberStore(table)) +
                                             " WHERE num = ? AND key = ?");
    st.Bind(1, *number).Bind(2, key).Run();
}

} // namespace

std::optional<std::string> ReadRecordText(Session& session, const std::string& table,
                                          const std::string& key) {
    Statement st = session.Sql(session.RecordSql(table));
    st.Bind(1, key);
    if (!st.Step())
        return std::nullopt;
    return std::string(st.Text(0));
}

void ReadRecordTexts(Session& session, const std::string& table, const std::vector<std::string>& keys,
                     const std::function<void(const std::string& key, std::string_view text)>& each) {
    if (keys.empty())
        return;
    if (!session.storage().RemoteCalls()) {
        Statement st = session.Sql(session.RecordSql(table));
        for (const std::string& key : keys) {
            st.Bind(1, key);
            if (st.Step())
                each(key, st.Text(0));
            st.Reset();
        }
        return;
    }
    // One round trip for the whole set.
    Statement st = session.Sql("SELECT key, rec FROM " + QuoteName(table) + " WHERE key = ANY(?)");
    st.BindTexts(1, keys);
    std::string key;
    while (st.Step()) {
        key.assign(st.Text(0));
        each(key, st.Text(1));
    }
}

namespace {

// Runs "INSERT INTO <store> (<columns>) VALUES (?, ?), (?, ?)..." over rows,
// `Batch` rows per statement, then one row per statement for the rest.
template <typename Row, typename BindRow>
void InsertRows(Session& session, const std::string& head, int columns, const std::vector<Row>& rows,
                BindRow bindRow) {
    constexpr std::size_t Batch = 100;
    std::string one = "(?";
    for (int c = 1; c < columns; ++c)
        one += ", ?";
    one += ")";
    std::string many = head + one;
    for (std::size_t r = 1; r < Batch; ++r)
        many += ", " + one;
    for (std::size_t done = 0; done < rows.size();) {
        const std::size_t n = rows.size() - done >= Batch ? Batch : 1;
        Statement st = session.Sql(n == Batch ? many : head + one);
        for (std::size_t r = 0; r < n; ++r)
            bindRow(st, static_cast<int>(r) * columns, rows[done + r]);
        st.Run();
        done += n;
    }
}

} // namespace

void LoadRecordTexts(Session& session, const std::string& table,
                     const std::vector<std::pair<std::string, std::string>>& records) {
    for (const auto& [key, text] : records) {
        CheckKey(table, key);
        if (!IsValidText(text))
            throw InvalidValue("Enregistrement " + table + " " + key + " refusé : texte non UTF-8");
    }
    session.Write([&] {
        if (!TableOf(session, table).indexes.empty())
            throw StorageError("Chargement refusé : la table " + table + " a des index");
        InsertRows(session, "INSERT INTO " + QuoteName(table) + " (key, rec) VALUES ", 2, records,
                   [](Statement& st, int at, const std::pair<std::string, std::string>& r) {
                       st.Bind(at + 1, r.first).BindBlob(at + 2, r.second);
                   });
        std::vector<std::pair<double, const std::string*>> numbers;
        for (const auto& record : records)
            if (auto number = NumericValue(record.first))
                numbers.emplace_back(*number, &record.first);
        InsertRows(session, "INSERT INTO " + QuoteName(KeyNumberStore(table)) + " (num, key) VALUES ", 2,
                   numbers, [](Statement& st, int at, const std::pair<double, const std::string*>& n) {
                       st.Bind(at + 1, n.first).Bind(at + 2, *n.second);
                   });
    });
}

void WriteRecordText(Session& session, const std::string& table, const std::string& key,
                     const std::string& text, LockAfterWrite lock) {
    CheckKey(table, key);
    if (!IsValidText(text))
        throw InvalidValue("Enregistrement " + table + " " + key + " refusé : texte non UTF-8");
    session.Write([&] {
        const TableSchema& schema = TableOf(session, table);
        EnsureNotLockedByOther(session, table, key);
        if (!schema.indexes.empty())
            UpdateIndexes(session, schema, key, ReadRecordText(session, table, key), text);
        const std::string upsert =
            "INSERT INTO " + QuoteName(table) +
            " (key, rec) VALUES (?, ?) ON CONFLICT (key) DO UPDATE SET rec = excluded.rec";
        const std::optional<double> number = NumericValue(key);
        if (number && session.storage().RemoteCalls()) {
            // On a server each statement is a round trip: the record and its
            // numeric key go in one.
            Statement st = session.Sql("WITH written AS (" + upsert + ") INSERT INTO " +
                                       QuoteName(KeyNumberStore(table)) +
                                       " (num, key) VALUES (?, ?) ON CONFLICT DO NOTHING");
            st.Bind(1, key).BindBlob(2, text).Bind(3, *number).Bind(4, key).Run();
        } else {
            Statement st = session.Sql(upsert);
            st.Bind(1, key).BindBlob(2, text).Run();
            KeepKeyNumber(session, table, key, true);
        }
        if (lock == LockAfterWrite::Keep)
            TakeLock(session, table, key);
        else
            DropLock(session, table, key);
    });
}

void DeleteRecordText(Session& session, const std::string& table, const std::string& key) {
    session.Write([&] {
        const TableSchema& schema = TableOf(session, table);
        EnsureNotLockedByOther(session, table, key);
        std::optional<std::string> old = ReadRecordText(session, table, key);
        if (old) {
            UpdateIndexes(session, schema, key, old, std::nullopt);
            Statement st = session.Sql("DELETE FROM " + QuoteName(table) + " WHERE key = ?");
            st.Bind(1, key).Run();
            KeepKeyNumber(session, table, key, false);
        }
        DropLock(session, table, key);
    });
}

} // namespace dba
