// arbel-db FILE demo [--scale N] [--seed S]: builds the demo database in a
// new file, checks it and tells how many records each table got.
#include "commands.h"
#include "console_errors.h"

#include "data/demo_database.h"
#include "dba/database.h"

#include <cstdio>
#include <limits>
#include <string>

namespace console {

namespace {

// A whole number within [low, high], or a usage error naming the option.
long long WholeNumber(const Arguments& args, const std::string& option, long long fallback, long long low,
                      long long high) {
    if (!args.Has(option))
        return fallback;
    const std::string text = args.Value(option);
    bool digits = !text.empty() && text.size() <= 10;
    for (char ch : text)
        digits = digits && ch >= '0' && ch <= '9';
    const long long value = digits ? std::stoll(text) : -1;
    if (!digits || value < low || value > high)
        throw UsageError(option + " : nombre entier de " + std::to_string(low) + " à " +
                             std::to_string(high) + " attendu, pas « " + text + " »",
                         "demo");
    return value;
}

// A half-built demo is worth nothing: the files go, so the command can be
// run again on the same name.
void RemoveDatabaseFiles(const std::string& path) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        std::remove((path + suffix).c_str());
}

} // namespace

int RunDemo(CommandContext& context) {
    const int scale = static_cast<int>(WholeNumber(context.args, "--scale", 1, 1, data::demo::MaxDemoScale));
    const auto seed = static_cast<std::uint32_t>(
        WholeNumber(context.args, "--seed", 1, 0, std::numeric_limits<std::uint32_t>::max()));

    std::vector<std::string> problems;
    std::vector<std::pair<std::string, int>> counts;
    {
        dba::Database db = dba::Database::Create(context.databasePath); // refuses an existing file
        try {
            data::BuildDemoDatabase(db, scale, seed);
        } catch (...) {
            db = dba::Database();
            RemoveDatabaseFiles(context.databasePath);
            throw;
        }
        problems = db.Check();
        for (const auto& table : db.Tables())
            counts.emplace_back(table, db.SelectRecords("SELECT " + table, "0").DCount());
    }

    context.out << "base de démonstration " << context.databasePath << " (échelle " << scale << ", graine "
                << seed << ")\n";
    for (const auto& [table, count] : counts)
        if (count > 0)
            context.out << table << '\t' << count << '\n';
    for (const auto& problem : problems)
        context.out << problem << '\n';
    if (!problems.empty())
        throw ConsoleError(std::to_string(problems.size()) + " problème(s) trouvé(s) par la vérification");
    context.out << "base cohérente\n";
    return 0;
}

} // namespace console
