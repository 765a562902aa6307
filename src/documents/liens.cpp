#include "documents/liens.h"

#include "data/tables.h"
#include "documents/modeles.h"

namespace documents {

void NoterImpression(dba::Database& db, const std::string& selecteur, Genre genre, const std::string& cleDocument,
                     const Impression& impression) {
    const std::string table = CleModele(selecteur, genre);
    const char* registre = genre == Genre::Contrat ? data::tables::LIENCONTRAT : data::tables::LIENAVENANT;
    db.Transaction([&] {
        db.CreateTable(registre);
        db.CreateTable(table);
        const dba::Table links = db.OpenTable(registre);
        if (!links.Exists(table))
            links.NewRecord(table).DBWrite();
        const dba::Table printed = db.OpenTable(table);
        dba::Record r = printed.ReadRecordOrEmpty(cleDocument);
        r.Insert(1, -1, impression.jour);
        r.Insert(2, -1, impression.heure.toStdString());
        r.Insert(3, -1, impression.utilisateur.toStdString());
        r.Insert(4, -1, impression.destination.toStdString());
        r.DBWrite();
    });
}

} // namespace documents
