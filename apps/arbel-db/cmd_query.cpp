#include "cell_text.h"
#include "commands.h"
#include "console_errors.h"
#include "record_json.h"

#include "dba/database.h"

#include <sstream>

namespace console {

namespace {

int CountWords(const std::string& text) {
    std::istringstream words(text);
    int count = 0;
    for (std::string word; words >> word;)
        ++count;
    return count;
}

} // namespace

int RunQuery(CommandContext& context) {
    const std::string fields = context.args.Value("--fields", "0");
    const int columns = CountWords(fields);
    if (columns == 0)
        throw UsageError("--fields ne nomme aucun champ", "query");
    const dba::Database db = dba::Database::Open(context.databasePath);
    const dba::ResultList rows = db.SelectRecords(context.args.positional[0], fields);
    const bool json = context.args.Has("--json");
    for (int r = 1; r <= rows.DCount(); ++r) {
        if (json) {
            Json row = Json::array();
            for (int c = 1; c <= columns; ++c)
                row.push_back(FieldToJson(rows.Item(r, c)));
            context.out << WriteJson(row) << '\n';
        } else {
            for (int c = 1; c <= columns; ++c) {
                if (c > 1)
                    context.out << '\t';
                context.out << CellText(rows.Item(r, c));
            }
            context.out << '\n';
        }
    }
    return 0;
}

} // namespace console
