#include "cell_text.h"
#include "commands.h"
#include "record_json.h"

#include "dba/database.h"
#include "dba/dynarray.h"

#include <cstdio>

namespace console {

int RunShow(CommandContext& context) {
    const auto& table = context.args.positional[0];
    const auto& key = context.args.positional[1];
    const dba::Database db = dba::Database::Open(context.databasePath);
    const dba::Record record = db.OpenTable(table).ReadRecord(key);
    if (context.args.Has("--json")) {
        context.out << WriteJson(RecordToJson(table, key, record.Item())) << '\n';
        return 0;
    }
    context.out << "00: " << key << '\n';
    const int count = dba::CountParts(record.Item(), dba::FM);
    for (int f = 1; f <= count; ++f) {
        const std::string text = record.Item(f);
        if (text.empty())
            continue;
        char number[16];
        std::snprintf(number, sizeof number, "%02d: ", f);
        context.out << number << CellText(text) << '\n';
    }
    return 0;
}

} // namespace console
