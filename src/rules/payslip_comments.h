#pragma once
// The comments printed on the payslips of one contract: at most one text per
// pay period, kept in ascending period order. They live in the contract
// record (field 87 the periods "yyyymm", field 88 the texts, value i of one
// belonging to value i of the other).
#include "dba/database.h"
#include "rules/origine_checks.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

namespace rules {

struct CommentaireBulletin {
    QString periode; // "yyyymm"
    QString libelle;
    bool operator==(const CommentaireBulletin&) const = default;
};

// The comments of the contract, value by value, up to the first empty
// period.
std::vector<CommentaireBulletin> LireCommentaires(const dba::Record& contrat);

// "202602" -> "FÉVRIER 2026"; empty for a text that is no period.
QString LibellePeriode(const QString& periode);

// Where a comment of `periode` goes among the periods of the list, in list
// order: before the first later one, else at the end.
int PlaceTriee(const QStringList& periodesListe, const QString& periode);

// The line being entered, before it joins the list. `creation`: a new line
// (a changed line keeps its period, which is already in the list).
std::optional<Refus> VerifCommentaire(bool creation, const QString& periode, const QString& libelle,
                                      const QStringList& periodesListe);

// Fields 87 and 88 as whole texts.
struct ChampsCommentaires {
    std::string periodes, libelles;
    bool operator==(const ChampsCommentaires&) const = default;
};
ChampsCommentaires CopierCommentaires(const dba::Record& contrat);
// The fields that hold exactly these lines.
ChampsCommentaires ChampsDe(const std::vector<CommentaireBulletin>& lignes);
// The same comments, whatever their order, once empty values at the end
// are set aside.
bool MemesCommentaires(const ChampsCommentaires& a, const ChampsCommentaires& b);
// Writes both fields into the record; a field whose content is already that
// is left as it is, so an unchanged contract keeps its exact text.
void EcrireCommentaires(dba::Record& contrat, const ChampsCommentaires& champs);

// A multi-valued field's text without its empty values at the end.
std::string SansValeursVidesFinales(const std::string& champ);

} // namespace rules
