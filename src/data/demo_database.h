#pragma once
// A realistic demo database: four home-help associations of the Loire
// valley, their establishments and activities, beneficiaries and helpers
// with French names and addresses, and contracts of every shape the screens
// show (agreement "02" and others, fixed-term and open-ended, hourly and
// monthly, with amendments, ended, open, deleted, with follow-up rows,
// pay-entry items, payslip comments, replaced helpers, planning).
//
// The same scale and seed always give the same records, whatever the
// compiler or library. Scale 1 gives a few dozen contracts; each unit of
// scale adds about 50 contracts (2000: about 100 000, for benchmarks).
//
// Fields the library never reads are filled only where a person looking at
// the data expects them: the addresses of beneficiaries and helpers
// (CIVILAIDE and CIVILAIDANT fields 5 street number, 6 street kind (code of
// list NATUREVOIE), 7 street name, 8 post code, 9 town, 10 telephone).
#include "dba/database.h"

#include <cstdint>

namespace data {

// Fills an empty database: installs the dictionaries, then writes every
// record in one transaction (nothing is written when anything fails).
// std::invalid_argument when the scale is outside 1..MaxDemoScale or when
// the database already holds contracts.
void BuildDemoDatabase(dba::Database& db, int scale = 1, std::uint32_t seed = 1);

namespace demo {

inline constexpr int MaxDemoScale = 2400; // beneficiary and helper codes stay on 5 digits

// Records every demo holds, whatever the scale and seed.
inline constexpr char AideNombreuxContrats[] = "00001"; // 16+ active contracts: the list scrolls
inline constexpr char AideSansContrat[] = "00002";      // no contract at all
inline constexpr char AideHistorique[] = "00003";       // only ended contracts
inline constexpr char PremierAidant[] = "50001";        // first helper code

// Users of the rights table (besides the operating-system user, who gets
// full rights like "demo").
inline constexpr char UtilisateurDemo[] = "demo";                 // full rights, every entity
inline constexpr char UtilisateurDirection[] = "direction";       // full rights, every entity
inline constexpr char UtilisateurConsultation[] = "consultation"; // read only, every entity
inline constexpr char UtilisateurAntenne[] = "antenne.saumur";    // full rights, entities "002" and "003"

} // namespace demo

} // namespace data
