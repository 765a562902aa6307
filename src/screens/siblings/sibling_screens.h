#pragma once
// How the contract editor (and the fixed-term reason screen) open the
// suite's sibling screens. Each function takes the values the opening
// screen hands the control, in the order it hands them, prepares the form
// with the hourglass on `parent` (disabled meanwhile), calls the control's
// Init, then shows the form modally through ui::modal(). A database error
// while preparing is shown and the form does not open.
//
//   screens::OuvrirQualifPro(g.TheClient, g.TheDatabase, "QUALIF", "DOSAIDECONTRAT", rights, this);
//   // then read record "QUALIF" of TABLES again to refill Cbo_QualifContrat
#include "data/access_rights.h"
#include "data/client.h"
#include "dba/database.h"

#include <QString>
#include <memory>

class QWidget;

namespace screens {

using Droits = std::shared_ptr<data::AccessRights>;

// "Détail employeur": the civil status of the contract's employer.
void OuvrirCivilAide(const dba::Database& db, const data::Client& client, const Droits& droits,
                     const QString& codeEmployeur, QWidget* parent);

// "Détail décompte": the settlement detail of contract `codeContrat`
// (helper code + contract number).
void OuvrirDetailDecompte(const dba::Database& db, const data::Client& client, const Droits& droits,
                          const QString& codeAidant, const QString& nomPrenom, const QString& codeEmployeur,
                          const QString& nomEmployeur, const QString& codeContrat, const QString& numMotif,
                          QWidget* parent);

// The helper's leave and absence periods.
void OuvrirPeriodeConges(const dba::Database& db, const data::Client& client, const Droits& droits,
                         const QString& codeAidant, const QString& nomPrenom, QWidget* parent);

// "Temps d'indemnisation": the compensated work stoppages of key
// `cleIndemnisation` (helper code + provident-scheme code), days counted
// from `dateDebut` (a pay period "yyyymm", a day number or "dd/mm/yyyy").
void OuvrirTpsIndem(const dba::Database& db, const data::Client& client, const Droits& droits,
                    const QString& codeAidant, const QString& nomPrenom, const QString& dateDebut,
                    const QString& cleIndemnisation, QWidget* parent);

// "Ajouter Qualification": the parameter list `cle` ("QUALIF") for the
// rights of module `moduleDroits` ("DOSAIDECONTRAT"). True when the user
// wrote the list; the caller reads it again in any case.
bool OuvrirQualifPro(const data::Client& client, const dba::Database& db, const QString& cle,
                     const QString& moduleDroits, const Droits& droits, QWidget* parent);

// "Motifs contrats CDD": the parameter list `cle` ("MOTIFEMBAUCHE") for the
// rights of module `moduleDroits` ("MOTIFS EMBAUCHE"). True when written.
bool OuvrirMotifsEmbauche(const dba::Database& db, const data::Client& client, const QString& cle,
                          const QString& moduleDroits, const Droits& droits, QWidget* parent);

// "Droits télégestion": the settings of the activities `strAct` (their
// codes appended), `typeAct` "M" under agreement "02" else "P", shown
// under `legende` (see LegendeTelegestion). True when settings were written.
bool OuvrirParamTelegestion(const dba::Database& db, const data::Client& client, const QString& codeAsso,
                            const QString& codeAide, const QString& codeAidant, const QString& typeAct,
                            const QString& strAct, const QString& legende, QWidget* parent);

// "Télégestion ZORVELIA : paramétrages pour l'aidant 50001 MARTIN Jeanne",
// followed under agreement "02" by " / pour l'aidé 00001 DURAND Paul".
QString LegendeTelegestion(const QString& codeAidant, const QString& nomAidant, bool convention02,
                           const QString& codeAide, const QString& nomAide);

} // namespace screens
