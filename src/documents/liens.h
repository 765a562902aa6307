#pragma once
// What was printed, when and by whom. The documents of one model live in
// the table named by the model's key ("00102CONTRAT", "00102AVENANT"), one
// record per document key (contract key, or contract key followed by the
// amendment number); the model's key is registered in LIENCONTRAT or
// LIENAVENANT. After a save the contract editor writes both records back,
// which tells the document editor that the contract changed since.
//   Fields, one value per printing, in step: 1 day, 2 time "hh:mm",
//   3 user, 4 where it went ("imprimante X", "PDF /chemin/contrat.pdf")
#include "dba/database.h"
#include "documents/champs.h"

#include <QString>
#include <string>
#include <vector>

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

// The printings noted for a document, oldest first; none when the model's
// table does not exist yet (nothing of that model was ever printed).
std::vector<Impression> Impressions(const dba::Database& db, const std::string& modele,
                                    const std::string& cleDocument);

} // namespace documents
