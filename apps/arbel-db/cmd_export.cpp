#include "commands.h"
#include "console_errors.h"
#include "record_json.h"

#include "dba/database.h"

namespace console {

int RunExport(CommandContext& context) {
    const dba::Database db = dba::Database::Open(context.databasePath);
    std::vector<std::string> names;
    if (context.args.positional.empty())
        names = db.Tables();
    else
        names.push_back(db.OpenTable(context.args.positional[0]).name());
    for (const auto& name : names) {
        const dba::Table table = db.OpenTable(name);
        const dba::ResultList keys = db.SelectRecords("SELECT " + name, "0");
        for (int r = 1; r <= keys.DCount(); ++r) {
            const std::string key = keys.Item(r, 1);
            const dba::Record record = table.ReadRecord(key);
            try {
                context.out << WriteJson(RecordToJson(name, key, record.Item())) << '\n';
            } catch (const JsonError& e) {
                throw ConsoleError(name + " " + key + " : " + e.what());
            }
        }
    }
    return 0;
}

} // namespace console
