#pragma once
// The telemanagement settings of a helper for each activity of a contract
// (table PARAMTELEGESTION): whether visits are clocked, how, the lateness
// tolerance and the rounding of clocked durations, the badge or telephone
// used. Under agreement "02" ("M" work) the settings also name the
// beneficiary, at whose home the visits are clocked.
#include "dba/database.h"

#include <QString>
#include <vector>

namespace screens::siblings {

struct ModeTelegestion {
    const char* code;
    const char* libelle;
};
// In the order the screen offers them; the first one is the default.
const std::vector<ModeTelegestion>& ModesTelegestion();
// Rounding choices in minutes (0: none).
const std::vector<int>& ArrondisTelegestion();

struct ReglageTelegestion {
    QString activite; // ACTIVITES key
    QString libelle;
    bool pointage = true;
    QString mode = QStringLiteral("M");
    int tolerance = 10; // minutes
    int arrondi = 0;    // minutes
    QString badge;
    QString dateModif; // day number of the last write, empty when never written
    QString utilisateur;

    bool MemesValeurs(const ReglageTelegestion& autre) const {
        return pointage == autre.pointage && mode == autre.mode && tolerance == autre.tolerance &&
               arrondi == autre.arrondi && badge == autre.badge;
    }
};

// The activity keys of `strAct`: codes appended as stored, with or without
// separators (blanks, ";" or ","). Each code is matched against the keys
// of the entity's activities, the longest first; a run that matches none
// is kept as one unknown code up to the next known one.
std::vector<QString> DecouperActivites(const QString& strAct, std::vector<QString> connues);

// The PARAMTELEGESTION key: helper code, the beneficiary code under type
// "M", the activity key.
std::string CleTelegestion(const QString& codeAidant, const QString& typeAct, const QString& codeAide,
                           const QString& activite);

// The setting stored in `record`; defaults when the record is empty.
ReglageTelegestion LireReglage(const dba::Record& record, const QString& activite, const QString& libelle);
void EcrireReglage(const ReglageTelegestion& reglage, dba::Record& record, const QString& jour,
                   const QString& utilisateur);

// Why the setting cannot be written (a badge or telephone missing for the
// modes that need one), or empty.
QString RefusReglage(const ReglageTelegestion& reglage);

} // namespace screens::siblings
