#pragma once
// The directory of the tables the library reads and writes. Names are the
// database's own (upper case), so code and query texts read alike:
//   db.OpenTable(tables::CONTRAT);  "SSELECT " + std::string(tables::CONTRAT) + " ..."
// Field numbers live in contrat_fields.h (CONTRAT) and table_fields.h.
#include <array>
#include <string_view>

namespace data::tables {

// --- Opened once by Ouvrir_Tables, in this order (see procedures.h) ---
inline constexpr char CONTRAT[] = "CONTRAT";             // employment contracts
inline constexpr char ETABLISSEMENT[] = "ETABLISSEMENT"; // employer establishments
inline constexpr char CIVILAIDANT[] = "CIVILAIDANT";     // helpers
inline constexpr char TABLES[] = "TABLES";               // parameter lists, one record per list
inline constexpr char MISSIONSAIDANT[] = "MISSIONSAIDANT";
inline constexpr char CONTRATSPREV[] = "CONTRATSPREV"; // provident schemes
inline constexpr char CONTRATINV[] = "CONTRATINV";
inline constexpr char CONVENTIONCOL[] = "CONVENTIONCOL"; // collective agreements
inline constexpr char PROFIL[] = "PROFIL";               // pay profiles
inline constexpr char RUBCHARGE[] = "RUBCHARGE";         // charge items
inline constexpr char ASSOCIATION[] = "ASSOCIATION";     // legal entities
inline constexpr char ACTIVITESAIDE[] = "ACTIVITESAIDE";
inline constexpr char ACTIVITES[] = "ACTIVITES";
inline constexpr char CIVILAIDE[] = "CIVILAIDE"; // beneficiaries
inline constexpr char HISTORINDEM[] = "HISTORINDEM";
inline constexpr char PERIODESPAIE[] = "PERIODESPAIE"; // pay periods, record "1"
inline constexpr char RIBAIDANT[] = "RIBAIDANT";
inline constexpr char DETAILCALCUL[] = "DETAILCALCUL";
inline constexpr char RUBSAISIE[] = "RUBSAISIE"; // pay-entry item catalogue
inline constexpr char TPSEXCEPTIONS[] = "TPSEXCEPTIONS";
inline constexpr char INFOSAIDANT[] = "INFOSAIDANT";
inline constexpr char GRILLESCC[] = "GRILLESCC"; // career grids

// --- Opened where they are needed ---
inline constexpr char COMPTEUR[] = "COMPTEUR"; // record "999": site settings
inline constexpr char ABSENCESAIDANT[] = "ABSENCESAIDANT";
inline constexpr char AVENANT[] = "AVENANT";
inline constexpr char LIENCONTRAT[] = "LIENCONTRAT";
inline constexpr char LIENAVENANT[] = "LIENAVENANT";
inline constexpr char MODELEDOC[] = "MODELEDOC"; // contract and amendment document models
inline constexpr char CONSTANTESPAIE[] = "CONSTANTESPAIE"; // record "1": payroll constants
inline constexpr char ELTSPARTEMP[] = "ELTSPARTEMP";       // private-employer settings
inline constexpr char DETAILMANDAT[] = "DETAILMANDAT";
inline constexpr char PCS[] = "PCS";
inline constexpr char TPSAIDANTINDISPO[] = "TPSAIDANTINDISPO";
inline constexpr char TPSDETAILSINTERV[] = "TPSDETAILSINTERV";
inline constexpr char TPSPARAM[] = "TPSPARAM"; // record "1": planning parameters
inline constexpr char TPSSANSCONTRAT[] = "TPSSANSCONTRAT";
// Telemanagement settings of a helper (and beneficiary) per activity.
inline constexpr char PARAMTELEGESTION[] = "PARAMTELEGESTION";

// --- Only selected (queries), never opened ---
inline constexpr char DETAILADMIN[] = "DETAILADMIN";
inline constexpr char DETAILINTER[] = "DETAILINTER";
inline constexpr char DETAILPREST[] = "DETAILPREST";
inline constexpr char OPPOSITION[] = "OPPOSITION";
inline constexpr char ORGANISMESOCIAL[] = "ORGANISMESOCIAL";
inline constexpr char TPSMOI[] = "TPSMOI";

// --- The access rights of the users (access_rights.h) ---
inline constexpr char DROITSUTILISATEUR[] = "DROITSUTILISATEUR";

// The tables Ouvrir_Tables opens, in its order.
inline constexpr std::array<std::string_view, 22> OpenedAtInit = {
    CONTRAT,    ETABLISSEMENT, CIVILAIDANT, TABLES,       MISSIONSAIDANT, CONTRATSPREV,
    CONTRATINV, CONVENTIONCOL, PROFIL,      RUBCHARGE,    ASSOCIATION,    ACTIVITESAIDE,
    ACTIVITES,  CIVILAIDE,     HISTORINDEM, PERIODESPAIE, RIBAIDANT,      DETAILCALCUL,
    RUBSAISIE,  TPSEXCEPTIONS, INFOSAIDANT, GRILLESCC};

// Every table of the directory (InstallDictionaries creates the missing ones).
inline constexpr std::array<std::string_view, 44> All = {
    CONTRAT,      ETABLISSEMENT,     CIVILAIDANT,      TABLES,         MISSIONSAIDANT,
    CONTRATSPREV, CONTRATINV,        CONVENTIONCOL,    PROFIL,         RUBCHARGE,
    ASSOCIATION,  ACTIVITESAIDE,     ACTIVITES,        CIVILAIDE,      HISTORINDEM,
    PERIODESPAIE, RIBAIDANT,         DETAILCALCUL,     RUBSAISIE,      TPSEXCEPTIONS,
    INFOSAIDANT,  GRILLESCC,         COMPTEUR,         ABSENCESAIDANT, AVENANT,
    LIENCONTRAT,  LIENAVENANT,       CONSTANTESPAIE,   ELTSPARTEMP,    DETAILMANDAT,
    PCS,          TPSAIDANTINDISPO,  TPSDETAILSINTERV, TPSPARAM,       TPSSANSCONTRAT,
    DETAILADMIN,  DETAILINTER,       DETAILPREST,      OPPOSITION,     ORGANISMESOCIAL,
    TPSMOI,       DROITSUTILISATEUR, PARAMTELEGESTION, MODELEDOC};

// Records of TABLES: one parameter list each (field 2 codes, field 3 labels).
namespace lists {
inline constexpr char ABSENCES[] = "ABSENCES";
inline constexpr char CARTEORANGE[] = "CARTEORANGE";
inline constexpr char FINCONTRAT[] = "FINCONTRAT";
inline constexpr char MOTIFEMBAUCHE[] = "MOTIFEMBAUCHE";
inline constexpr char NATURECONTRAT[] = "NATURECONTRAT";
inline constexpr char NATUREVOIE[] = "NATUREVOIE";
inline constexpr char QUALIF[] = "QUALIF";
} // namespace lists

// Keys of the single-record settings tables.
namespace keys {
inline constexpr char Compteur[] = "999";     // COMPTEUR
inline constexpr char PeriodesPaie[] = "1";   // PERIODESPAIE
inline constexpr char ConstantesPaie[] = "1"; // CONSTANTESPAIE
inline constexpr char TpsParam[] = "1";       // TPSPARAM
} // namespace keys

} // namespace data::tables
