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
        db.CreateTable(data::tables::DOCIMPRIME);
        const dba::Table links = db.OpenTable(registre);
        if (!links.Exists(modele))
            links.NewRecord(modele).DBWrite();
        dba::Record r = db.OpenTable(data::tables::DOCIMPRIME).ReadRecordOrEmpty(cleDocument);
        r.SetItem(1, modele);
        r.Insert(2, -1, impression.jour);
        r.Insert(3, -1, impression.heure.toStdString());
        r.Insert(4, -1, impression.utilisateur.toStdString());
        r.Insert(5, -1, impression.destination.toStdString());
        r.DBWrite();
    });
}

} // namespace documents
