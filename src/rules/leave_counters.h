#pragma once
// The leave counters of a contract: days, hours and amounts kept as exact
// hundredths, the worked-day value derived from the working-day value, the
// checks made when a counter box is left and when the contract is saved.
#include "rules/origine_checks.h"

#include <QString>
#include <optional>
#include <string>

namespace rules {

// A stored counter (hundredths, "-150") shown with two decimals and the
// separator ("-1,50"). Empty or unreadable text reads as 0, as payroll
// reads it.
QString CentiemesEnTexte(const std::string& stored, const QString& separator);
// A whole number of days shown without decimals ("1200" -> "12"), with
// them otherwise.
QString JoursEnTexte(const std::string& stored, const QString& separator);
// A box's text as hundredths; nullopt when it is not a number.
std::optional<long long> TexteEnCentiemes(const QString& text);

// A worked day is six fifths of a working day, to the hundredth, a tie
// going to the even hundredth: 7,00 -> 8,40; 12,34 -> 14,81. Empty when the
// working-day value is empty or not a number.
QString JourOuvre(const QString& jourOuvrable, const QString& separator);

// The boxes the save checks read, as shown.
struct CompteursSaisie {
    QString cpAcquis;      // Txt_CPConsoAcqContrat
    QString cpRestants;    // Txt_CPRestConsoContrat
    QString cfAcquis;      // Txt_CFConsoAcqContrat (whole days, as typed)
    QString cfRestants;    // Txt_CFRestConsoContrat
    QString cpEnCours;     // Txt_CPCoursJContrat
    QString caAcquis;      // Txt_CAncAcqContrat
    QString caRestants;    // Txt_CAncRestContrat
    QString separator = QStringLiteral(",");
};

// The first counter refused when the contract is saved, or none. Boxes
// that are not numbers read as 0; empty boxes were set to "0" before.
std::optional<Refus> VerifDroitsConges(const CompteursSaisie& saisie);

// A counter box that is left: whole or half days only. `control` is the
// box's name; `enCours` is Txt_CPCoursJContrat, which the days taken in
// advance may not exceed. The message to show (the box is then emptied),
// or none; an empty box or a box that is not a number is left alone.
std::optional<QString> ControleCompteurJours(const QString& control, const QString& text, const QString& enCours);

} // namespace rules
