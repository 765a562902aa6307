#pragma once
// Why a fixed-term contract was made: the hiring reason (a code of the list
// "MOTIFEMBAUCHE" and two free-text lines) and the helpers the contract's
// helper replaces, each with the absence covered when there is one.
//
// Contract fields: 9 the two text lines, 113 the reason code, 10 the people
// replaced known by name only, 114 the codes of the helpers replaced and 115,
// in step with 114, the keys of their absences (ABSENCESAIDANT).
//
// On screen each replaced helper is one fixed-column row (read in a
// fixed-pitch font):
//   1-5      helper code
//   6-7      two blanks
//   8-45     the helper's name: its first 35 characters, blank-padded to 38
//   46-125   the absence label: its first 60 characters, blank-padded to 80
//   126-     the absence key (nothing without absence)
// A person known by name only is seven blanks followed by the whole name.
#include "dba/database.h"
#include "rules/origine_checks.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace rules {

inline constexpr int LongueurCodeAidant = 5;

// --- Rows of the list of replaced helpers ---

QString LigneAidantRemplace(const QString& code, const QString& nom, const QString& absence,
                            const QString& cleAbsence);
QString LigneRemplaceSansCode(const QString& nom);

// A row read back, blanks trimmed.
struct LigneRemplace {
    QString code;       // empty for a person known by name only
    QString nom;        // as shown (at most 35 characters for a helper with a code)
    QString absence;    // label as shown (at most 60 characters)
    QString cleAbsence; // ABSENCESAIDANT key, empty without absence
    bool operator==(const LigneRemplace&) const = default;
};
LigneRemplace LireLigne(const QString& ligne);

// --- Absences ---

// Day number -> "dd/mm/yy"; empty for an empty or invalid day.
QString DateCourte(const QString& jour);
// "<type> du <start> au <end>": the start day is the absence key from its
// eighth character, the end day field 2 of the absence record.
QString LibelleAbsence(const QString& libelleType, const QString& cleAbsence, const QString& jourFin);

// --- Parameter lists of TABLES (field 1 set when the list is in use,
// field 2 the codes, field 3 the labels) ---

struct ListeParametres {
    bool active = false;
    QStringList codes, libelles;
};
ListeParametres LireListe(const dba::Record& liste);
// The labels offered: one per code, none when the list is not in use.
QStringList LibellesOfferts(const ListeParametres& liste);
// Position of the first entry of that code among the labels offered; -1.
int IndexDuCode(const ListeParametres& liste, const QString& code);
// The label of the first entry of that code, whether the list is offered or
// not; empty when none.
QString LibelleDuCode(const ListeParametres& liste, const QString& code);

// --- Query texts ---

// Helpers whose "NAME First-name" begins with the upper-cased text, not gone
// before the contract's start day (that condition only with a start day).
std::string RequeteAidantsParNom(const QString& texte, const QString& jourDebut);
// The helper's contracts with this beneficiary (agreement "02") or this
// entity (others) running on the start day or beginning later.
std::string RequeteContratsAidant(const QString& code, const QString& convention, const QString& employeur,
                                  const QString& entite, const QString& jourDebut);
// The helper's absences ending on or after the start day, training,
// delegation hours, authorised paid absences and bank holidays aside,
// in the order of their start.
std::string RequeteAbsencesAidant(const QString& code, const QString& jourDebut);

// --- Helper typed by code ---

// The code completed on Enter or on leaving the box ("12" -> "00012"); a
// code of five characters or more stays as typed.
QString CompleterCodeAidant(const QString& saisi);

// What the code look-up found: nullopt when there is no helper of that code.
struct AidantLu {
    QString nom, prenom;
    QString dateSortie; // day number, empty while the helper works
};
// The refusal of the helper found for a code, or none. A code longer than a
// helper code is refused like an unknown one; a helper gone before the
// contract's start is in the deleted state (day numbers compared as texts).
std::optional<Refus> VerifAidantParCode(const QString& code, const std::optional<AidantLu>& aidant,
                                        const QString& jourDebut);
// The message when the helper has no contract with this employer.
QString MessageSansContrat(const QString& convention);

// --- Row check ---

struct SaisieAidant {
    QString code;              // Txt_CodeAidant
    QString nom;               // text of Cbo_AidantRemplace
    QString absence;           // text of Cbo_Absence
    QString codeAidantContrat; // the contract's own helper
    int ligneModifiee = -1;    // index of the row being changed; -1 while creating
};
std::optional<Refus> VerifAidantRemplacant(const SaisieAidant& saisie, const QStringList& lignes);

// --- Fields written back ---

struct ChampsMotif {
    std::string motifTexte;        // 9
    std::string remplacesSansCode; // 10
    std::string motif;             // 113
    std::string aidants;           // 114
    std::string absences;          // 115
    bool operator==(const ChampsMotif&) const = default;
};

// What the screen shows: both text lines, the reason code chosen (empty when
// none) and the rows of the list, in list order. Field 115 keeps one value
// per value of 114, empty for a helper replaced without an absence.
ChampsMotif ConstruireChampsMotif(const QString& ligne1, const QString& ligne2, const QString& codeMotif,
                                  const QStringList& lignes);
ChampsMotif LireChampsMotif(const dba::Record& contrat);
// Same content once empty values at the end of each field are set aside.
bool MemeContenu(const ChampsMotif& a, const ChampsMotif& b);
// Writes the five fields; a field whose content is already that is left as
// it is, so an unchanged contract keeps its exact text.
void EcrireChampsMotif(dba::Record& contrat, const ChampsMotif& champs);

} // namespace rules
