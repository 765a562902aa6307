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
    CheckPart(key, 3);
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
    Statement st = session.Sql(
        present ? "INSERT INTO " + QuoteName(KeyNumberStore(table)) +
                      " (num, key) VALUES (?, ?) ON CONFLICT DO NOTHING"
                : "DELETE FROM " + QuoteName(KeyNumberStore(table)) + " WHERE num = ? AND key = ?");
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
        Statement st =
            session.Sql("INSERT INTO " + QuoteName(table) +
                        " (key, rec) VALUES (?, ?) ON CONFLICT (key) DO UPDATE SET rec = excluded.rec");
        st.Bind(1, key).BindBlob(2, text).Run();
        KeepKeyNumber(session, table, key, true);
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
