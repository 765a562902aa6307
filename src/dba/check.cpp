// Consistency check of a whole database: the file itself, every record's
// text, the numeric key stores and every index against its records.
#include "dba/database.h"

#include "dba/dynarray.h"
#include "dba/errors.h"
#include "dba/index.h"
#include "dba/session.h"

#include <set>

namespace dba {

namespace {

std::vector<std::string> CheckRecords(Session& s, const std::string& table) {
    std::vector<std::string> problems;
    std::set<std::string> numericKeys;
    {
        Statement scan = s.Sql("SELECT key, rec FROM " + QuoteName(table));
        while (scan.Step()) {
            std::string key(scan.Text(0));
            std::string_view text = scan.Text(1);
            bool keyOk = !key.empty() && IsValidText(key) &&
                         key.find_first_of(std::string{FM, VM, SM}) == std::string::npos;
            if (!keyOk)
                problems.push_back("Table " + table + " : clé incorrecte « " + Shown(key) + " »");
            if (std::optional<BadByte> bad = FindBadByte(text, 0))
                problems.push_back("Table " + table + " : enregistrement " + Shown(key) + " : " + bad->what +
                                   " à l'octet " + std::to_string(bad->offset));
            if (NumericValue(key))
                numericKeys.insert(key);
        }
    }
    Statement numbers = s.Sql("SELECT num, key FROM " + QuoteName(KeyNumberStore(table)));
    while (numbers.Step()) {
        std::string key(numbers.Text(1));
        auto value = NumericValue(key);
        if (!numericKeys.erase(key) || !value || *value != numbers.Real(0))
            problems.push_back("Table " + table + " : clé numérique « " + key + " » sans enregistrement");
    }
    for (const std::string& key : numericKeys)
        problems.push_back("Table " + table + " : clé numérique « " + key + " » absente");
    return problems;
}

} // namespace

std::vector<std::string> Database::Check() const {
    if (!session_)
        throw StorageError("Base non ouverte");
    Session& s = *session_;
    std::vector<std::string> problems;
    s.Read([&] {
        problems = s.storage().IntegrityProblems();
        if (!problems.empty()) {
            // Reading the records would only stop at the damage: the file's
            // own problems are the answer, and it takes no more writes.
            s.storage().NoteDamage();
            return;
        }
        const Schema& schema = s.schema();
        for (const auto& [name, table] : schema.tables) {
            for (std::string& p : CheckRecords(s, name))
                problems.push_back(std::move(p));
            for (const IndexDecl& index : table.indexes)
                for (std::string& p : CheckIndex(s, name, index))
                    problems.push_back(std::move(p));
        }
    });
    return problems;
}

} // namespace dba
