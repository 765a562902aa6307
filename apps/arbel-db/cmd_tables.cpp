#include "commands.h"

#include "dba/database.h"

namespace console {

int RunCreateTable(CommandContext& context) {
    dba::Database db = dba::Database::Open(context.databasePath);
    db.CreateTable(context.args.positional[0]);
    return 0;
}

int RunTables(CommandContext& context) {
    const dba::Database db = dba::Database::Open(context.databasePath);
    for (const auto& name : db.Tables())
        context.out << name << '\n';
    return 0;
}

} // namespace console
