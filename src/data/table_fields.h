#pragma once
// Field numbers of the tables other than CONTRAT that the library reads or
// writes, one namespace per table. Dates are day numbers; keys are field 0.
// Key layouts that carry data (planning tables, absences) are given with
// their slices; the dictionary names built on them are in dictionaries.h.

namespace data {

namespace civilaidant { // key: helper code (5)
inline constexpr int Nom = 2;
inline constexpr int Prenom = 3;
inline constexpr int Entite = 31;     // ASSOCIATION key, checked against the user's rights
inline constexpr int DateSortie = 36; // empty while the helper works for the association
inline constexpr int TravailleurHandicape = 58; // "1": recognised disabled worker, whose notice is doubled
} // namespace civilaidant

namespace civilaide { // key: beneficiary code (5)
inline constexpr int Nom = 2;
inline constexpr int Prenom = 3;
inline constexpr int Numero = 5; // address: number, street kind (list NATUREVOIE), street,
inline constexpr int NatureVoie = 6;
inline constexpr int Voie = 7;
inline constexpr int CodePostal = 8; // post code, town, telephone
inline constexpr int Ville = 9;
inline constexpr int Telephone = 10;
inline constexpr int DerniereFacture = 16; // last invoiced period "yyyymm"
inline constexpr int Sortie = 43;          // set once the beneficiary left; not offered as employer then
} // namespace civilaide

namespace association { // key: entity code (3)
inline constexpr int Nom = 1;
inline constexpr int SuiviParEtablissement = 25; // 0: follow-up year = calendar year
inline constexpr int Telegestion = 38;           // telemanagement system of the entity
} // namespace association

namespace etablissement { // key: entity code (3) + establishment or employer code
inline constexpr int Libelle = 1;
inline constexpr int DernierePeriodeFacturee = 16;
inline constexpr int MoisCloture = 24; // "mm": closing month of the follow-up year
} // namespace etablissement

namespace periodespaie {                  // one record, key "1"
inline constexpr int PeriodeCourante = 1; // "yyyymm"
inline constexpr int PeriodeSuivante = 2; // "yyyymm"
} // namespace periodespaie

namespace compteur {                            // settings record "999"
inline constexpr int ControlePlanning = 18;     // not empty: check planning incidences at save
inline constexpr int NiveauGestionContrat = 45; // text; empty reads as "0"
} // namespace compteur

namespace constantespaie {                     // record "1"
inline constexpr int PlafondHebdomadaire = 10; // legal weekly hours, x 100
} // namespace constantespaie

namespace tpsparam {                                // record "1"
inline constexpr int InterventionsSansContrat = 19; // "1": allowed
} // namespace tpsparam

namespace listes {                 // records of TABLES: one parameter list each
inline constexpr int Actif = 1;    // must not be empty for the list to be used
inline constexpr int Codes = 2;    // one value per entry
inline constexpr int Libelles = 3; // in step with Codes
inline constexpr int Retire = 5;   // FINCONTRAT: "O" for a reason no longer offered
} // namespace listes

namespace conventioncol { // key: agreement code (2)
inline constexpr int Nom = 1;
} // namespace conventioncol

namespace contratsprev { // key: provident-scheme code (2)
inline constexpr int Libelle = 1;
inline constexpr int Convention = 2; // CONVENTIONCOL key (dictionary ConvColPrev)
} // namespace contratsprev

namespace profil { // key: profile code (3)
inline constexpr int Libelle = 1;
inline constexpr int Rubriques = 3;  // its charge items, one value each
inline constexpr int Mandataire = 4; // "1": profile of agreement "02"
} // namespace profil

namespace rubcharge { // key: charge item code (3)
inline constexpr int Libelle = 1;
inline constexpr int Calcul = 11;
inline constexpr int CalculPatronal = 15;
inline constexpr int Nature = 16; // "08": mutual insurance
inline constexpr int AideADomicile = 28;
inline constexpr int Retiree = 30;
} // namespace rubcharge

namespace activites { // key: entity code (3) + activity code
inline constexpr int Libelle = 1;
inline constexpr int Type = 12; // "M" agreement "02", "P" service provider, ...
} // namespace activites

namespace missionsaidant {        // key: helper code
inline constexpr int DateFin = 3; // one value per mission
inline constexpr int Entite = 13; // in step with DateFin
} // namespace missionsaidant

namespace historindem {                        // key: helper code + provident-scheme code
inline constexpr int Dates = 1;                // first day of each compensated stoppage, latest first
inline constexpr int DatesFin = 2;             // last day, in step with Dates; empty while it runs
inline constexpr int IndemniteJournaliere = 3; // daily allowance x 100, in step
} // namespace historindem

namespace detailcalcul {                  // key: contract key + pay period "yyyymm"
inline constexpr int Etat = 1;            // "P": not invoiced yet
inline constexpr int SalaireBrut = 2;     // x 100
inline constexpr int HeuresPayees = 3;    // x 100
inline constexpr int CongesAcquis = 4;    // paid-leave days earned in the period, x 100
inline constexpr int CongesPris = 5;      // paid-leave days taken in the period, x 100
inline constexpr int IndemniteConges = 6; // paid-leave pay of the period, x 100
} // namespace detailcalcul

namespace eltspartemp {                          // key: beneficiary code (5)
inline constexpr int NumeroEmployeur = 1;        // employer number at the URSSAF
inline constexpr int DeclarationAssociation = 2; // "1": the association declares for the employer
} // namespace eltspartemp

namespace paramtelegestion {
// key: helper code (5), then the beneficiary code (5) for work under
// agreement "02" only, then the ACTIVITES key.
inline constexpr int Pointage = 1;  // "1": visits are clocked in and out
inline constexpr int Mode = 2;      // "M" mobile application, "B" badge at the home, "T" the home's telephone
inline constexpr int Tolerance = 3; // minutes allowed before a late arrival is reported
inline constexpr int Arrondi = 4;   // minutes clocked durations are rounded to (0 = none)
inline constexpr int Badge = 5;     // badge number or telephone number
inline constexpr int DateModif = 6; // day of the last change
inline constexpr int Utilisateur = 7; // who made it
} // namespace paramtelegestion

namespace rubsaisie { // key: pay-entry item code
inline constexpr int Libelle = 1;
inline constexpr int ModeBase = 6;
inline constexpr int PourcentageBase = 7;
inline constexpr int ModeTaux = 8;
inline constexpr int TauxFixe = 9; // x 10000
inline constexpr int ModeMontant = 10;
inline constexpr int MontantFixe = 11; // x 100
inline constexpr int Retiree = 18;     // "1": not offered
} // namespace rubsaisie

namespace tpsaidantindispo {
// key: helper code (1-5), start day on 5 digits (6-10), weekday "0"-"6"
// (11), slot start "hhcc" (12-15: hours and hundredths of an hour).
inline constexpr int DateFin = 1;    // empty while open
inline constexpr int FinCreneau = 2; // "hhcc"
inline constexpr int Recurrente = 5; // "O": recurring
inline constexpr int DebutCreneauPosition = 12, DebutCreneauLongueur = 4;
} // namespace tpsaidantindispo

namespace tpsdetailsinterv {
// key: contract key (1-8), beneficiary code (9-13), start day on 5 digits
// (14-18), activity type (19), sequence (20-21), weekday "0" Monday to
// "6" Sunday (22), start time "hhcc" (23-26).
inline constexpr int DateFin = 1;  // empty while open
inline constexpr int HeureFin = 2; // "hhcc"
inline constexpr int Activite = 3; // activity code (dictionary CodeActInterv)
inline constexpr int JourPosition = 22;
inline constexpr int HeurePosition = 23;
} // namespace tpsdetailsinterv

namespace tpssanscontrat {
// key: the TPSDETAILSINTERV key of the slot kept without contract.
inline constexpr int Contrat = 1;     // contract key the slot was planned under
inline constexpr int Debuts = 2;      // first day of each period without contract
inline constexpr int Fins = 3;        // last day, in step with 2 (empty: open)
inline constexpr int JourNote = 4;    // day the periods were noted
inline constexpr int Utilisateur = 5; // who kept the slot
} // namespace tpssanscontrat

namespace tpsexceptions {
// key: helper code (1-5), start day on 5 digits (6-10), sequence.
inline constexpr int Contrat = 1; // contract key
} // namespace tpsexceptions

namespace tpsmoi {
// key: helper code (5), day (5), sequence (2).
inline constexpr int Libelle = 1;    // what the hours were spent on
inline constexpr int HeureDebut = 2; // "hhcc"
inline constexpr int HeureFin = 3;   // "hhcc"
inline constexpr int Contrat = 4;    // contract key
} // namespace tpsmoi

// Payroll details beside DETAILCALCUL: only their presence is read here.
namespace detailadmin {                // key: contract key + pay period
inline constexpr int HeuresPayees = 1; // x 100
} // namespace detailadmin
namespace detailprest {                   // key: contract key + pay period
inline constexpr int HeuresFacturees = 1; // x 100
} // namespace detailprest
namespace detailinter {          // key: contract key + sequence (2) + pay period
inline constexpr int Heures = 1; // x 100
} // namespace detailinter

namespace opposition {                   // key: contract key + sequence
inline constexpr int Nature = 1;         // "Saisie sur salaire", "Cession"...
inline constexpr int Creancier = 2;
inline constexpr int MontantMensuel = 3; // x 100
inline constexpr int DateDebut = 4;
} // namespace opposition

namespace absencesaidant {
// key: helper code (1-5), two free characters (6-7), start day from
// character 8 to the end.
inline constexpr int DateFin = 2;
inline constexpr int Type = 11; // code of list ABSENCES (dictionary TypeAbs)
inline constexpr int DebutPosition = 8;
} // namespace absencesaidant

namespace organismesocial {    // key: entity code + body code
inline constexpr int Type = 3; // "03": retirement body
} // namespace organismesocial

namespace droitsutilisateur {     // key: user name (see access_rights.h)
inline constexpr int Modules = 1; // module codes; "*" = every other module
inline constexpr int Niveaux = 2; // access level per module, in step with Modules
inline constexpr int Entites = 3; // authorised entity codes; "*" = all
} // namespace droitsutilisateur

} // namespace data
