#include "documents/liens.h"

#include "data/tables.h"
#include "documents/modeles.h"

namespace documents {

void NoterImpression(dba::Database& db, const std::string& selecteur, Genre genre, const std::string& cleDocument,
                     const Impression& impression) {
    const std::string modele = CleModele(selecteur, genre);
    const char* registre = genre == Genre::Contrat ? data::tables::LIENCONTRAT : data::tables::LIENAVENANT;
    db.Transaction([&] {
        db.CreateTable(registre);
        db.CreateTable(modele);
        const dba::Table links = db.OpenTable(registre);
        if (!links.Exists(modele))
            links.NewRecord(modele).DBWrite();
        dba::Record r = db.OpenTable(modele).ReadRecordOrEmpty(cleDocument);
        r.Insert(1, -1, impression.jour);
        r.Insert(2, -1, impression.heure.toStdString());
        r.Insert(3, -1, impression.utilisateur.toStdString());
        r.Insert(4, -1, impression.destination.toStdString());
        r.DBWrite();
    });
}

std::vector<Impression> Impressions(const dba::Database& db, const std::string& modele,
                                    const std::string& cleDocument) {
    std::vector<Impression> out;
    dba::Record r;
    try {
        r = db.OpenTable(modele).ReadRecordOrEmpty(cleDocument);
    } catch (const dba::TableNotFound&) {
        return out;
    }
    for (int n = 1; n <= r.DCount(1); ++n)
        out.push_back({r.Item(1, n), QString::fromStdString(r.Item(2, n)), QString::fromStdString(r.Item(3, n)),
                       QString::fromStdString(r.Item(4, n))});
    return out;
}

} // namespace documents
