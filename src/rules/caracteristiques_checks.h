#pragma once
// The terms of a contract entry (initial terms or amendment) as the
// "Caractéristiques" tab shows and checks them: the checks before a save,
// in the order the user meets them, and the exact conversions between the
// stored scaled integers and the decimal texts typed on screen.
#include "rules/origine_checks.h"
#include "rules/pay_entry_amounts.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace rules {

// Stored forms: coefficient and hourly rate x 1000, durations and
// suspension days x 100.
inline constexpr int DecimalesCoefficient = 3;
inline constexpr int DecimalesTaux = 3;
inline constexpr int DecimalesDuree = 2;
inline constexpr int DecimalesJours = 2;

// A stored scaled integer as the screen shows it: at least `minimum`
// decimals, more only when the stored value has them, so that reading the
// text back gives the stored value exactly ("3500" -> "35,00", "10505" at 3
// decimals -> "10,505", "274000" -> "274" with minimum 0). Empty stays
// empty; a stored text that is not a whole number is shown as it is.
QString AfficherEchelle(const std::string& stored, int decimals, int minimum, const QString& separator);
// A typed decimal (separator "," or ".") as a scaled integer text; nullopt
// when the text is not a number. Empty text is not a number either.
std::optional<std::string> SaisieEchelle(const QString& typed, int decimals);
// The number typed rewritten in the screen's form (the leaving rule of the
// numeric boxes); nullopt when it is not a number.
std::optional<QString> NormaliserSaisie(const QString& typed, int decimals, int minimum, const QString& separator);

// The two hour check boxes of the modulation agreement.
struct HeuresModulation {
    bool paiementPositives = false; // Cac_PaiementHeuresPos
    bool retraitNegatives = false;  // Cac_RetraitHeuresNeg
    bool operator==(const HeuresModulation&) const = default;
};
// "C" both, "L" payment of positive hours only, anything else neither.
HeuresModulation LireHeuresModulation(const std::string& code);
// "C" whenever the withdrawal is checked, "L" for the payment alone, "S"
// for neither.
std::string CodeHeuresModulation(const HeuresModulation& heures);

// The reference date beside a suspension: `depart` ("dd/mm/yyyy") or, when
// empty, `debutContrat`, moved by the whole days of `joursSuspension` (as
// typed). Empty when the days are empty, zero or not a number, or when no
// date is known.
QString DateReference(const QString& depart, const QString& debutContrat, const QString& joursSuspension);

// The values of the tab as shown, and what the reference tables say of
// them (read by the caller before the check).
struct CaracteristiquesSaisie {
    QString dateEffet;     // Txt_DatEffetContrat
    QString qualification; // Cbo_QualifContrat
    QString categorie;     // Cbo_CategPCSContrat
    QString fonction;      // Cbo_FoncPCSContrat
    QString codePCS;       // Txt_CodPCSContrat
    QString duree;         // Txt_DureeWContrat
    QString frequence;     // Cbo_FreqWContrat
    QString grille;        // Cbo_GrilleContrat (the grid's name)
    QString coefficient;   // Txt_CoefNivContrat
    QString taux;          // Txt_TauxHorContrat
    QString joursSusp;     // Txt_JourSusp
    QString joursSuspAnc;  // Txt_JourSuspAnc
    bool cadreLissageVisible = false; // Cdr_Lissage
    bool lissage = false;             // Cac_Lissage
    bool mensuel = false;             // Opt_Mensuel
    bool production = false;          // Opt_Production
    QString libelleCategoriePCS;      // PCS field 1 of the first two characters of the code
    QString libelleFonctionPCS;       // PCS field 1 of the code
    QStringList grilles;              // names of the agreement's career grids
};

inline constexpr char MessageDateEffetObligatoire[] = "La date d'effet de l'avenant est obligatoire.";
// A figure typed that is not a number, refused when the box is left and
// again at the save.
inline constexpr char MessageDureeNonNombre[] = "La durée de travail saisie n'est pas un nombre.";
inline constexpr char MessageCoefficientNonNombre[] = "Le coefficient saisi n'est pas un nombre.";
inline constexpr char MessageTauxNonNombre[] = "Le taux horaire saisi n'est pas un nombre.";
inline constexpr char MessageJoursNonNombre[] = "Le nombre de jours de suspension saisi n'est pas un nombre.";

// The first refusal, or none.
std::optional<Refus> VerifCaracteristiques(const CaracteristiquesSaisie& saisie);

} // namespace rules
