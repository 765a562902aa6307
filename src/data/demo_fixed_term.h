#pragma once
// Fixed-term contracts of the demo, the reasons they were made and the
// helpers they replace, with their absences; and payslip comments over
// many periods. All of them with one beneficiary, so that every case shows
// from one list:
//
//   49001 BERTHELOT Simone, entity "001", agreement "02", employs
//     49001 GUÉRIN Nathalie    open-ended; off sick since 02/11/2026 (current
//                              absence), paid holidays at Christmas (future)
//     49002 MOREAU Patricia    open-ended; in training (not an absence anyone
//                              covers), maternity leave from January (future)
//     49003 LEBRETON Sophie    open-ended; no current or future absence
//     49004 FAUCHER Amandine   fixed-term "Remplacement d'un salarié absent":
//                              replaces a person known by name only (a name
//                              longer than a row shows), Nathalie Guérin for
//                              two absences and Sophie Lebreton without one
//     49005 PASQUIER Élodie    fixed-term without any reason: its save asks
//                              for one and opens the reason screen
//     49006 ROUSSEL Karine     fixed-term "Accroissement temporaire
//                              d'activité", a payslip comment every month
//                              for a year (the comment list scrolls)
//     49008 VIDAL Monique      left on 30/06/2026 (deleted state), her
//                              contract ended that day
// Codes from 49001 never meet generated ones (helpers from 50001,
// beneficiaries up to 48004).
#include "data/demo_builder.h"

namespace data::demo {

inline constexpr char AideMotifsCDD[] = "49001";
inline constexpr char AidantRemplacant[] = "49004";   // replaces three people
inline constexpr char AidantSansMotif[] = "49005";    // fixed-term without reason
inline constexpr char AidantCommentaires[] = "49006"; // twelve payslip comments

// Writes those records. Draws nothing from the random source: the rest of
// the demo is the same with or without them.
void WriteFixedTermShowcase(Builder& b);

} // namespace data::demo
