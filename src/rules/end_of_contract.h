#pragma once
// The end of a contract: which fields each end reason asks for, the checks
// made when the end is saved, the last payslip period and the notice.
#include "rules/origine_checks.h"

#include <QDate>
#include <QString>
#include <array>
#include <optional>
#include <string>

namespace rules {

// --- End reasons ---

inline constexpr char MotifRuptureConventionnelle[] = "43";
// Dismissals and the like: the dismissal indemnity may be calculated.
bool MotifAvecIndemnite(const QString& code);
// Reasons after which a notice is owed and computed.
bool MotifAvecPreavis(const QString& code);

// What the end-reason combo drives when a reason is chosen.
struct ChampsDuMotif {
    bool signature = false; // Txt_DateSignConvCol enabled, its label shown
    bool indemnite = false; // Cac_CalcIndLic shown and checked
    // Cac_PrecaLibContrat of a fixed-term contract; unchanged otherwise.
    std::optional<bool> primePrecarite;
};
ChampsDuMotif ChampsSelonMotif(const QString& code, bool contratDetermine);

// --- Last payslip period ---

// "yyyymm" -> "mars 2026"; empty for anything else.
QString PeriodeEnLettres(const std::string& period);
// "mars 2026" -> "202603"; empty when the text is not a month and a year.
std::string PeriodeDepuisLettres(const QString& text);

// The months a last payslip may be for: one step per month from the month
// of the contract start to the month of its end, the last step being the
// month of the end. A start after the end, or no start, leaves the end
// month alone.
struct PlageBulletin {
    int pas = 0;   // the up-down's maximum; its minimum is 0
    QDate premier; // first day of the month of step 0
    std::string Periode(int step) const;
    // The step of `period`, kept within the range.
    int Pas(const std::string& period) const;
};
PlageBulletin PlageDernierBulletin(const QDate& start, const QDate& end);

// --- Checks at save ---

struct PreavisSaisi {
    bool coche = false;
    QString debut, fin; // "dd/mm/yyyy"
    QString controleDebut, controleFin;
};

struct FinContratSaisie {
    QString dateDebut;        // Txt_DatDebContrat
    QString dateFin;          // Txt_DateFinContrat
    QString dateNotification; // Txt_DatNotifContrat
    QString motif;            // Cbo_MotifFinContrat, as shown
    bool signatureActive = false; // Txt_DateSignConvCol enabled
    QString dateSignature;
    QString dateFinReelle;    // Txt_FinReelle
    bool indetermine = false; // Opt_Indetermine
    QString dernierJour;      // Txt_DernJrWContrat
    QString dernierBulletin;  // Txt_DernBullContrat, "mmmm yyyy"
    std::array<PreavisSaisi, 3> preavis; // paid, worked, neither
    QString organismeRetraite; // Cbo_OrgRetraite, as shown
    QString convention;        // Txt_ConvColContrat
};

struct ResultatVerifFin {
    std::optional<Refus> refus;
    // No last payslip period was given: the screen sets it to the month of
    // the end date.
    bool periodeParDefaut = false;
};

// The first refusal, in the order the user meets the boxes.
ResultatVerifFin VerifFinContrat(const FinContratSaisie& saisie);

// --- Notice ---

struct PreavisEntree {
    QString motif;            // end reason code
    QDate notification;
    QDate anciennete;         // seniority date, already moved by the suspension days
    QString convention;       // collective agreement code
    QChar categorie;          // 'A' to 'I', or null when the classification gives none
    bool cadre = false;       // managerial PCS code
    bool preavisDouble = false;
};

struct Preavis {
    bool applicable = false; // false: the reason owes no notice; the end date takes the notification date
    int mois = 0, jours = 0;
    QDate fin;               // invalid when no notice
};

// Whole years and months of seniority at `on`, months borrowed from the
// year when the day of the month is not reached yet.
std::pair<int, int> Anciennete(const QDate& since, const QDate& on);
Preavis CalculPreavis(const PreavisEntree& entree);
// The classification gives the category: the last word of the
// qualification when it is one letter "A" to "I".
QChar CategorieSalarie(const QString& qualification);
bool CodePCSCadre(const QString& code);

} // namespace rules
