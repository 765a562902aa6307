#include "commands.h"

#include "dba/database.h"

#include <iostream>

namespace console {

int RunCheck(CommandContext& context) {
    const dba::Database db = dba::Database::Open(context.databasePath);
    const std::vector<std::string> problems = db.Check();
    for (const auto& problem : problems)
        context.out << problem << '\n';
    if (problems.empty()) {
        context.out << "base cohérente\n";
        return 0;
    }
    std::cerr << "arbel-db: " << problems.size() << " problème(s) trouvé(s)\n";
    // Damage of the file itself: the engine now refuses to write to it.
    if (const std::optional<std::string> refusal = db.WriteRefusal())
        std::cerr << "arbel-db: " << *refusal << "\n";
    return 1;
}

} // namespace console
