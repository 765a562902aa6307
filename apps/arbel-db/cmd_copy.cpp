#include "commands.h"

#include "dba/copy.h"

namespace console {

// A site that outgrows its file moves to a server in one command (and
// back, or from one server to another).
int RunCopy(CommandContext& context) {
    const dba::Database source = dba::Database::Open(context.databasePath);
    const std::string& target = context.args.positional[0];
    const dba::CopyCount count = dba::CopyDatabase(source, target);
    context.out << count.records << " enregistrement(s) de " << count.tables << " table(s) copié(s)\n"
                << "Vérifiez la copie : arbel-db \"" << target << "\" check\n";
    return 0;
}

} // namespace console
