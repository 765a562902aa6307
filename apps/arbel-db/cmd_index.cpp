#include "commands.h"

#include "dba/database.h"

namespace console {

int RunIndex(CommandContext& context) {
    const auto& args = context.args.positional;
    dba::Database db = dba::Database::Open(context.databasePath);
    db.OpenTable(args[0]);
    db.CreateIndex(args[0], args[1]);
    return 0;
}

int RunIndexes(CommandContext& context) {
    const auto& table = context.args.positional[0];
    const dba::Database db = dba::Database::Open(context.databasePath);
    db.OpenTable(table);
    for (const auto& item : db.Indexes(table))
        context.out << item << '\n';
    return 0;
}

} // namespace console
