#pragma once
// A parameter list of table TABLES as a user edits it: its values (code
// field 2, label field 3 and the withdrawn mark field 5, in step) and the
// checks on adding, renaming and removing one. Plain data, no window: the
// parameter-table control shows the messages these return.
#include "dba/database.h"

#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace screens::siblings {

struct ValeurParametre {
    QString code;
    QString libelle;
    QString retire; // field 5 as stored ("O" = no longer offered); kept through renames
};

// Where the codes of a list are stored once chosen, so that a value still
// in use is neither removed nor given another code.
struct UsageListe {
    const char* table;
    int field;
    const char* singulier; // "contrat"
    const char* pluriel;   // "contrats"
};
// nullopt for a list this library does not know the use of (any value may go).
std::optional<UsageListe> UsageDe(const std::string& liste);

// Records of `usage.table` whose field holds exactly `code` (any value).
int CompterUsages(const dba::Database& db, const UsageListe& usage, const QString& code);

// "utilisé par 1 contrat", "utilisé par 3 contrats".
QString TexteUsages(const UsageListe& usage, int usages);

class ListeParametres {
public:
    static ListeParametres Lire(const dba::Record& record);
    // Rewrites fields 2, 3 and (when any value is withdrawn) 5 of `record`;
    // every other field is kept. A list without title gets `titre`.
    void Ecrire(dba::Record& record, const QString& titre) const;

    const std::vector<ValeurParametre>& Valeurs() const { return valeurs_; }
    // Index of the value whose code is exactly `code`, or -1.
    int Trouver(const QString& code) const;

    // Each returns the refusal to show, or an empty text when done. Codes
    // and labels are taken without the blanks around them; an empty label
    // takes the code, so a list shown by its labels never offers a blank.
    // `usages`: how many records use the value's present code.
    QString Ajouter(const QString& code, const QString& libelle);
    QString Modifier(int index, const QString& code, const QString& libelle, int usages,
                     const QString& texteUsages);
    QString Supprimer(int index, int usages, const QString& texteUsages);

private:
    QString RefusCode(const QString& code, int sauf) const;
    std::vector<ValeurParametre> valeurs_;
};

} // namespace screens::siblings
