#include "commands.h"
#include "console_errors.h"
#include "error_report.h"
#include "jsonl_reader.h"

#include "dba/database.h"

#include <algorithm>
#include <map>

namespace console {

int RunImport(CommandContext& context) {
    // Every line is read and checked before the database is touched; the
    // writes then go in one transaction, so a file is imported whole or not
    // at all.
    const std::vector<NumberedRecord> lines = ReadRecordLines(context.args.positional[0]);
    dba::Database db = dba::Database::Open(context.databasePath);
    const bool createTables = context.args.Has("--create-tables");
    const std::vector<std::string> existing = db.Tables();
    std::vector<std::string> missing;
    for (const auto& entry : lines) {
        const std::string& name = entry.record.table;
        if (std::find(existing.begin(), existing.end(), name) != existing.end() ||
            std::find(missing.begin(), missing.end(), name) != missing.end())
            continue;
        if (!createTables)
            throw ConsoleError("ligne " + std::to_string(entry.line) + " : table inexistante : " + name +
                               " (--create-tables pour la créer)");
        missing.push_back(name);
    }
    db.Transaction([&] {
        for (const auto& name : missing)
            db.CreateTable(name);
        std::map<std::string, dba::Table> tables;
        for (const auto& entry : lines) {
            try {
                auto it = tables.find(entry.record.table);
                if (it == tables.end())
                    it = tables.emplace(entry.record.table, db.OpenTable(entry.record.table)).first;
                dba::Record record = it->second.NewRecord(entry.record.key);
                record.SetRecord(entry.record.text);
                record.DBWrite();
            } catch (const dba::Error& e) {
                throw ConsoleError("ligne " + std::to_string(entry.line) + " : " + DescribeError(e));
            }
        }
    });
    context.out << lines.size() << " enregistrement(s) importé(s)\n";
    return 0;
}

} // namespace console
