#include "commands.h"

#include "dba/database.h"

namespace console {

int RunCreate(CommandContext& context) {
    dba::Database::Create(context.databasePath);
    return 0;
}

} // namespace console
