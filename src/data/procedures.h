#pragma once
// Procedures every screen of the library shares.
#include "data/global_state.h"

#include <QString>

namespace data {

// Opens every table the screens keep open, in the order of
// tables::OpenedAtInit, into `g.Handles`, then reads record "1" of
// PERIODESPAIE into `g.PayPeriodRecord`. A missing table raises
// dba::TableNotFound and a missing pay-period record dba::RecordNotFound;
// either way nothing stays open (the handles are released).
void Ouvrir_Tables(GlobalState& g);

// Empties every current-record slot and every table handle.
void Liberer_Tables(GlobalState& g);

// Reads the site settings (COMPTEUR "999") into `g`: the contract-management
// level is field 45, "0" when empty; the planning check is on when field 18
// is not empty. A missing record raises dba::RecordNotFound.
void Lire_Parametres(GlobalState& g);

// The operating-system user name (account of the effective user, else
// $USER / $LOGNAME), whole whatever its length; empty when unknown.
QString Lire_NomUtilisateur();

// `number` rounded to n decimals (halves away from zero) and written with
// the workstation's decimal separator: 3.5, 2 -> "3,50". With n = 0 the
// number is written without separator: 3.5, 0 -> "4".
QString Format_Decimales(double number, int n);
QString Format_Decimales(double number, int n, const QString& decimalSeparator);

// Blanks before a number typed or formatted. When `mayBeNegative` and the
// text holds "-": "-" followed by the text from its second character with
// its leading blanks removed ("-  12" -> "-12"); otherwise the text with
// its leading blanks removed.
QString Nettoyer_Signe(const QString& text, bool mayBeNegative);

} // namespace data
