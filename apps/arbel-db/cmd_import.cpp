#include "commands.h"
#include "console_errors.h"
#include "error_report.h"
#include "jsonl_reader.h"

#include "dba/database.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <unistd.h>

namespace console {

namespace {

// How far a long import is, on the terminal only: scripts that redirect
// the error output get no progress lines.
class Progress {
public:
    explicit Progress(std::size_t total)
        : total_(total), shown_(total >= 2000 && ::isatty(STDERR_FILENO) == 1) {}
    ~Progress() {
        if (started_)
            std::fputs("\n", stderr);
    }
    void Done(std::size_t count) {
        if (!shown_)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (started_ && count != total_ && now - last_ < std::chrono::milliseconds(250))
            return;
        last_ = now;
        started_ = true;
        std::fprintf(stderr, "\rimport : %zu / %zu enregistrements (%zu %%)", count, total_,
                     total_ ? count * 100 / total_ : 100);
        std::fflush(stderr);
    }

private:
    std::size_t total_;
    bool shown_, started_ = false;
    std::chrono::steady_clock::time_point last_;
};

} // namespace

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
    Progress progress(lines.size());
    db.Transaction([&] {
        for (const auto& name : missing)
            db.CreateTable(name);
        std::map<std::string, dba::Table> tables;
        std::size_t done = 0;
        for (const auto& entry : lines) {
            progress.Done(done++);
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
        progress.Done(done);
    });
    context.out << lines.size() << " enregistrement(s) importé(s)\n";
    return 0;
}

} // namespace console
