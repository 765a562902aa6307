#include "commands.h"

#include "dba/database.h"

namespace console {

int RunDict(CommandContext& context) {
    const auto& table = context.args.positional[0];
    const dba::Database db = dba::Database::Open(context.databasePath);
    db.OpenTable(table); // TableNotFound rather than an empty list
    for (const auto& [name, entry] : db.Dictionary(table))
        context.out << name << '\t' << entry.Serialize() << '\n';
    return 0;
}

int RunDictSet(CommandContext& context) {
    const auto& args = context.args.positional;
    const dba::DictEntry entry = dba::DictEntry::Parse(args[2]);
    dba::Database db = dba::Database::Open(context.databasePath);
    db.OpenTable(args[0]);
    db.DefineDictionary(args[0], args[1], entry);
    return 0;
}

} // namespace console
