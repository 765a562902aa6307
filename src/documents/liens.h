#pragma once
// What was printed, when and by whom. Every document printed or saved is
// noted in DOCIMPRIME under its document key (contract key, or contract key
// followed by the amendment number), and its model's key ("00102CONTRAT",
// "00102AVENANT") is registered in LIENCONTRAT or LIENAVENANT, the records
// the contract editor also writes back after a save.
//   DOCIMPRIME fields: 1 model key; then one value per printing, in step:
//   2 day, 3 time "hh:mm", 4 user, 5 where it went ("imprimante X",
//   "PDF /chemin/contrat.pdf")
#include "dba/database.h"
#include "documents/champs.h"

#include <QString>
#include <string>

namespace documents {

struct Impression {
    std::string jour; // day number
    QString heure;    // "hh:mm"
    QString utilisateur;
    QString destination;
};

// In one transaction; dba::Error propagates (the caller tells the user).
void NoterImpression(dba::Database& db, const std::string& selecteur, Genre genre, const std::string& cleDocument,
                     const Impression& impression);

} // namespace documents
