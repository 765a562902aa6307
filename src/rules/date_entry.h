#pragma once
// Date boxes: what a key typed into one becomes, and the check made when
// the user leaves it. The same rule serves every date box of the screens;
// each form only gathers the text and shows the outcome.
#include <QDate>
#include <QString>

namespace rules {

// Backspace (8) and the digits pass; any other character becomes "/", so
// "12.03.2004" is typed as "12/03/2004".
int FiltreToucheDate(int ascii);

inline constexpr char MessageDateErronee[] = "Erreur de saisie dans la date, veuillez la ressaisir.";

struct DateEntry {
    QString text;         // what the box shows afterwards: the completed date, or the text as typed
    QString stored;       // the day number of the date; empty when there is none
    bool refocus = false; // the box keeps the focus: the text is not a date
    QString message;      // shown (exclamation) before the focus goes back; may be empty
};

// The box is left holding `typed`. An empty box is left alone. Otherwise
// the text is completed ("1/3" -> "01/03/<year of today>"); a text that
// gives no date keeps the focus without a word (the user sees it was not
// taken), a completed text that still cannot be stored is refused with
// MessageDateErronee.
DateEntry ControleDate(const QString& typed, const QDate& today);

// The end-of-contract dates that may not come before the contract start
// (Txt_DernJrWContrat, Txt_FinReelle, Txt_DatNotifContrat): the message
// when `date` ("dd/mm/yyyy") is before `start`, empty otherwise (other
// boxes, or a date that is not one).
QString DateAvantDebut(const QString& box, const QString& date, const QString& start);

} // namespace rules
