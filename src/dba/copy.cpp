#include "dba/copy.h"

namespace dba {

CopyCount CopyDatabase(const Database& source, const std::string& targetLocation) {
    Database target = Database::Create(targetLocation);
    CopyCount count;
    source.Snapshot([&] {
        const std::vector<std::string> tables = source.Tables();
        count.tables = static_cast<int>(tables.size());
        target.Transaction([&] {
            for (const std::string& table : tables)
                target.CreateTable(table);
            // Every table exists before any translation names one.
            for (const std::string& table : tables)
                for (const auto& [name, entry] : source.Dictionary(table))
                    target.DefineDictionary(table, name, entry);
            for (const std::string& table : tables) {
                // Many records per statement: a server answers each one.
                std::vector<std::pair<std::string, std::string>> batch;
                auto flush = [&] {
                    target.LoadRecords(table, batch);
                    count.records += static_cast<long long>(batch.size());
                    batch.clear();
                };
                source.ForEachRecord(table, [&](const std::string& key, const std::string& text) {
                    batch.emplace_back(key, text);
                    if (batch.size() == 5000)
                        flush();
                });
                flush();
            }
            for (const std::string& table : tables)
                for (const std::string& item : source.Indexes(table))
                    target.CreateIndex(table, item);
        });
    });
    return count;
}

} // namespace dba
