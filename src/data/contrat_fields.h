#pragma once
// Field numbers of a CONTRAT record, grouped by subject. Stored forms:
// dates are day numbers (dates.h), pay periods "yyyymm", hours and days
// x 100, coefficients and hourly rates x 1000 unless said otherwise.
//
// Key: helper code (5 characters) followed by the contract number (3).
#include <array>
#include <string>
#include <string_view>

namespace data::contrat {

// --- Key ---
inline constexpr int Cle = 0;
inline constexpr int LongueurCodeAidant = 5;
inline constexpr int LongueurNumero = 3;
inline constexpr int LongueurCle = LongueurCodeAidant + LongueurNumero;

// Helper code: the first 5 characters of a contract key.
inline std::string CodeAidant(std::string_view cle) {
    return std::string(cle.substr(0, LongueurCodeAidant));
}
// Contract number: characters 6 to 8 of the key.
inline std::string NumeroContrat(std::string_view cle) {
    return cle.size() > LongueurCodeAidant ? std::string(cle.substr(LongueurCodeAidant, LongueurNumero))
                                           : std::string();
}

// --- Identity and origin (tab "Origine") ---
inline constexpr int ConventionCollective = 1; // CONVENTIONCOL key; "02": the beneficiary employs
inline constexpr int EntiteJuridique = 2;      // ASSOCIATION key
inline constexpr int Employeur = 3;            // "02": CIVILAIDE key (5); else entity + establishment (3 + 3)
inline constexpr int TypeContrat = 4;          // "D" fixed-term, "I" open-ended
inline constexpr int ModeSalaire = 5;          // "H" hourly, "M" monthly
inline constexpr int Statut = 6;               // "P" production, "A" administrative
inline constexpr int DateDebut = 7;
inline constexpr int DateFin = 8;            // empty = open-ended
inline constexpr int PeriodeEssai = 11;      // days, as typed
inline constexpr int EssaiRenouvelable = 12; // 1 or 0
inline constexpr int Nature = 13;            // code of list NATURECONTRAT
inline constexpr int DateFinPresumee = 60;
inline constexpr int DureeMinimale = 62;
inline constexpr int Supprime = 65; // "O": deleted, hidden from every list

inline constexpr char ConventionParticulierEmployeur[] = "02";
inline constexpr char TypeCDD[] = "D";
inline constexpr char TypeCDI[] = "I";
inline constexpr char SalaireHoraire[] = "H";
inline constexpr char SalaireMensuel[] = "M";
inline constexpr char StatutProduction[] = "P";
inline constexpr char StatutAdministratif[] = "A";
inline constexpr char MarqueSupprime[] = "O";

// --- Pay periods ("yyyymm") ---
inline constexpr int PeriodeBulletinCalcule = 63; // set once a payslip is calculated; locks the start date
inline constexpr int DernierePeriodePaie = 81;

// --- Terms (tab "Caractéristiques"). Amendment fields hold one value per
// contract entry: value 1 the initial terms, value n amendment n - 1. ---
inline constexpr int NumeroAvenant = 14; // "00", "01", ...
inline constexpr int DateEffet = 15;
inline constexpr int Qualification = 16; // label of list QUALIF
inline constexpr int CodePCS = 17;       // PCS key
inline constexpr int CategoriePCS = 18;  // label
inline constexpr int FonctionPCS = 19;   // label
inline constexpr int Grille = 20;        // career grid code
inline constexpr int DateDepartGrille = 21;
inline constexpr int Coefficient = 22; // x 1000
inline constexpr int TauxHoraire = 23; // x 1000
inline constexpr int DureeTravail = 24;
inline constexpr int FrequenceTravail = 25; // 1 weekly, 2 fortnightly, 3 monthly, 4 yearly
inline constexpr int Lissage = 68;          // modulation agreement, 1 or 0
inline constexpr int HeuresModulation = 69; // "C" both, "L" pay positive hours only, "S" neither
inline constexpr int Commentaire1 = 111;
inline constexpr int Commentaire2 = 112;
// Not amendment fields:
inline constexpr int JoursSuspensionGrille = 70;
inline constexpr int DateAnciennete = 97;
inline constexpr int JoursSuspensionAnciennete = 144;

// Every amendment field (values in step, one per contract entry). The
// number of entries is the number of values of NumeroAvenant.
inline constexpr std::array<int, 28> ChampsAvenant = {14,  15,  16,  17,  18,  19,  20,  21,  22,  23,
                                                      24,  25,  68,  69,  82,  108, 111, 112, 120, 121,
                                                      122, 123, 124, 125, 126, 127, 128, 133};

// --- Pay elements (tab "Elements de paie") ---
inline constexpr int Profil = 26;                 // PROFIL key (3)
inline constexpr int ModePaiement = 27;           // 1 transfer, 2 cheque, 3 cash
inline constexpr int PaiementParAssociation = 28; // 0 or 1
inline constexpr int Prevoyance = 29;             // CONTRATSPREV key (2)
inline constexpr int MarqueOngletPaie = 30;       // "B" once the tab was written
inline constexpr int CongesPayesAuMois = 31;      // 0 or 1
inline constexpr int MutuellePartSalariale = 32;  // x 100
inline constexpr int MutuellePartPatronale = 33;  // x 100
inline constexpr int CarteOrange = 35;            // code of list CARTEORANGE
inline constexpr int Activites = 36;              // ACTIVITES keys, one value per activity
inline constexpr int RepartitionActivites = 37;   // x 100, in step with 36
inline constexpr int RubriqueChargeMutuelle = 61; // RUBCHARGE key (3)
inline constexpr int Profil2 = 64;                // second PROFIL key, may be empty
inline constexpr int PlafondSecuIndividuel = 66;  // x 100, empty when none
inline constexpr int ProvisionConges = 94;        // 0 or 1
inline constexpr int MotifDispense = 147;         // 0 none, 1..6 position in the fixed list
inline constexpr int DateFinValiditeDispense = 148;

// --- Leave counters (tab "Droits aux congés"), all x 100 except 40 ---
inline constexpr int CPAcquis = 38;
inline constexpr int CPRestants = 39;
inline constexpr int CFAcquis = 40; // whole days, as typed
inline constexpr int CFRestants = 41;
inline constexpr int JourOuvrableHeures = 42;
inline constexpr int JourOuvrableMontant = 43;
inline constexpr int CPEnCoursJours = 44;
inline constexpr int CPEnCoursHeures = 45;
inline constexpr int CPEnCoursMontant = 46;
inline constexpr int CAncienneteAcquis = 47;
inline constexpr int CAncienneteRestants = 48;
inline constexpr int JoursAnticipation = 83;
inline constexpr int ProvisionCP = 85;
inline constexpr int ProvisionEnCours = 86;

// --- End of contract (tab "Fin du contrat"; DateFin is field 8) ---
inline constexpr int MotifFin = 49; // code of list FINCONTRAT
inline constexpr int DateNotification = 50;
inline constexpr int DernierJourTravaille = 51;
inline constexpr int PrimePrecarite = 52; // 1 or 0
inline constexpr int PreavisPayeDebut = 53;
inline constexpr int PreavisPayeFin = 54;
inline constexpr int PreavisEffectueDebut = 55;
inline constexpr int PreavisEffectueFin = 56;
inline constexpr int MotifNonVersement = 57;
inline constexpr int PeriodeDernierBulletin = 58; // "yyyymm"
inline constexpr int Observations = 59;           // values 1 and 2
inline constexpr int OrganismeRetraite = 84;
inline constexpr int DateFinReelle = 96;
inline constexpr int ComplementMotif = 98;
inline constexpr int DateSignatureRupture = 129;
inline constexpr int PreavisNonEffectueDebut = 130;
inline constexpr int PreavisNonEffectueFin = 131;
inline constexpr int CalculIndemniteLicenciement = 132; // "1", "0" or empty

// --- Annual follow-up of hours: one value per period, x 100 ---
namespace suivi {
// Current year (the only one written).
inline constexpr int Periode = 76; // "yyyymm"
inline constexpr int HeuresContrat = 77;
inline constexpr int HeuresAbsence = 78;
inline constexpr int HeuresReelles = 79;
inline constexpr int Difference = 80;       // signed
inline constexpr int RegulModulation = 100; // signed
// Previous year (read only).
inline constexpr int PrecPeriode = 71;
inline constexpr int PrecHeuresContrat = 72;
inline constexpr int PrecHeuresAbsence = 73;
inline constexpr int PrecHeuresReelles = 74;
inline constexpr int PrecDifference = 75;
inline constexpr int PrecRegulModulation = 99;
} // namespace suivi

// --- Payslip comments: value i of both fields is one comment ---
inline constexpr int PeriodesCommentaire = 87; // "yyyymm"
inline constexpr int TextesCommentaire = 88;

// --- Pay-entry items: value i of the five fields is one item ---
inline constexpr int RubSaisieCode = 89;     // RUBSAISIE key
inline constexpr int RubSaisieBase = 90;     // x 100
inline constexpr int RubSaisieTaux = 91;     // x 10000
inline constexpr int RubSaisieMontant = 92;  // x 100
inline constexpr int RubSaisieActivite = 93; // ACTIVITES key, empty for administrative contracts

// --- Fixed-term reason and replaced helpers ---
inline constexpr int MotifEmbaucheTexte = 9;   // values 1 and 2: two free-text lines
inline constexpr int RemplacesSansCode = 10;   // one value per person replaced, name only
inline constexpr int MotifEmbauche = 113;      // code of list MOTIFEMBAUCHE
inline constexpr int AidantsRemplaces = 114;   // helper codes
inline constexpr int AbsencesRemplacees = 115; // ABSENCESAIDANT keys, in step with 114

} // namespace data::contrat
