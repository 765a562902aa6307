#include "commands.h"
#include "console_errors.h"

#include "dba/database.h"
#include "dba/dynarray.h"

#include <array>
#include <optional>

namespace console {

namespace {

// "7", "24.2" or "24.2.1": field, value and subvalue numbers, each from 1.
std::array<int, 3> ParseAddress(const std::string& text) {
    std::array<int, 3> address{0, 0, 0};
    std::size_t start = 0;
    for (int level = 0;; ++level) {
        const std::size_t dot = text.find('.', start);
        const std::string part =
            text.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        const bool valid = level < 3 && !part.empty() && part.size() <= 4 &&
                           part.find_first_not_of("0123456789") == std::string::npos && std::stoi(part) >= 1;
        if (!valid)
            throw UsageError("adresse « " + dba::Shown(text) + " » invalide (attendu : CHAMP, CHAMP.VALEUR ou " +
                                 "CHAMP.VALEUR.SOUS-VALEUR, numéros à partir de 1)",
                             "set");
        address[static_cast<std::size_t>(level)] = std::stoi(part);
        if (dot == std::string::npos)
            return address;
        start = dot + 1;
    }
}

// The command line gives one text: UTF-8 without the record's marks (a
// value or subvalue is addressed as FIELD.VALUE.SUBVALUE instead).
void CheckText(const std::string& text, const std::string& refused) {
    if (std::optional<dba::BadByte> bad = dba::FindBadByte(text, 3))
        throw dba::InvalidValue(refused + " : " + bad->what + " à l'octet " + std::to_string(bad->offset) +
                                (bad->what.find("séparateur") != std::string::npos
                                     ? " (une valeur par commande : adressez-la en CHAMP.VALEUR.SOUS-VALEUR)"
                                     : ""));
}

} // namespace

int RunSet(CommandContext& context) {
    const auto& args = context.args.positional;
    const auto [f, v, s] = ParseAddress(args[2]);
    CheckText(args[1], "Clé refusée");
    CheckText(args[3], "Texte refusé");
    const dba::Database db = dba::Database::Open(context.databasePath);
    const dba::Table table = db.OpenTable(args[0]);
    // Read under the update lock so that a concurrent editor's change is
    // neither overwritten nor lost between our read and our write.
    dba::Record record;
    try {
        record = table.ReadRecordLocked(args[1]);
    } catch (const dba::RecordNotFound&) {
        record = table.NewRecord(args[1]); // the lock is kept for the new key
    }
    try {
        if (s > 0)
            record.SetItem(f, v, s, args[3]);
        else if (v > 0)
            record.SetItem(f, v, args[3]);
        else
            record.SetItem(f, args[3]);
        record.DBWrite();
    } catch (...) {
        try {
            record.Release();
        } catch (...) {
            // The first failure is the one to report; a dead session's lock is reclaimed anyway.
        }
        throw;
    }
    return 0;
}

} // namespace console
