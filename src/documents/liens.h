#pragma once
// What was printed, when and by whom: every document printed or saved is
// noted in the document table of its entity and agreement (named like its
// model: "00102CONTRAT", "00102AVENANT"), under the document key, and that
// table is registered in LIENCONTRAT or LIENAVENANT. The contract editor
// writes the same records back after a save (the after-save updates), so
// the records exist for every contract saved since documents were printed.
//   fields, one value per printing, in step: 1 day, 2 time "hh:mm",
//   3 user, 4 where it went ("imprimante X", "PDF /chemin/contrat.pdf")
#include "dba/database.h"
#include "documents/champs.h"

#include <QString>
#include <string>

namespace documents {

struct Impression {
    std::string jour;  // day number
    QString heure;     // "hh:mm"
    QString utilisateur;
    QString destination;
};

// dba::Error propagates (the caller tells the user).
void NoterImpression(dba::Database& db, const std::string& selecteur, Genre genre, const std::string& cleDocument,
                     const Impression& impression);

} // namespace documents
