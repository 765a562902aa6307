#include "commands.h"

#include "dba/database.h"

namespace console {

int RunDelete(CommandContext& context) {
    const auto& args = context.args.positional;
    const dba::Database db = dba::Database::Open(context.databasePath);
    const dba::Table table = db.OpenTable(args[0]);
    // The engine ignores a missing key; a person typing a key wants to know.
    if (!table.Exists(args[1]))
        throw dba::RecordNotFound(args[0], args[1]);
    table.DeleteRecord(args[1]);
    return 0;
}

} // namespace console
