#include "documents/modeles.h"

#include "data/tables.h"

namespace documents {

namespace {
constexpr int Titre = 1, Paragraphes = 2, DateModif = 3, Utilisateur = 4;
}

std::string CleModele(const std::string& selecteur, Genre genre) {
    return selecteur + (genre == Genre::Contrat ? "CONTRAT" : "AVENANT");
}

std::optional<Modele> LireModele(const dba::Database& db, const std::string& selecteur, Genre genre) {
    const std::string cle = CleModele(selecteur, genre);
    dba::Record r;
    try {
        r = db.OpenTable(data::tables::MODELEDOC).ReadRecord(cle);
    } catch (const dba::TableNotFound&) {
        return std::nullopt;
    } catch (const dba::RecordNotFound&) {
        return std::nullopt;
    }
    Modele modele;
    modele.cle = cle;
    modele.titre = QString::fromStdString(r.Item(Titre));
    for (int v = 1; v <= r.DCount(Paragraphes); ++v)
        modele.paragraphes << QString::fromStdString(r.Item(Paragraphes, v));
    return modele;
}

void EcrireModele(dba::Database& db, const Modele& modele, const std::string& day, const std::string& user) {
    db.CreateTable(data::tables::MODELEDOC);
    dba::Record r = db.OpenTable(data::tables::MODELEDOC).NewRecord(modele.cle);
    r.SetItem(Titre, modele.titre.toStdString());
    int v = 1;
    for (const QString& paragraphe : modele.paragraphes)
        r.SetItem(Paragraphes, v++, paragraphe.toStdString());
    r.SetItem(DateModif, day);
    r.SetItem(Utilisateur, user);
    r.DBWrite();
}

} // namespace documents
