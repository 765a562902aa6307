#include "screens/siblings/liste_parametres.h"

#include "data/contrat_fields.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "dba/dynarray.h"

namespace screens::siblings {

namespace t = data::tables;
namespace l = data::listes;

std::optional<UsageListe> UsageDe(const std::string& liste) {
    struct Entree {
        const char* liste;
        UsageListe usage;
    };
    static const Entree usages[] = {
        {t::lists::QUALIF, {t::CONTRAT, data::contrat::Qualification, "contrat", "contrats"}},
        {t::lists::MOTIFEMBAUCHE, {t::CONTRAT, data::contrat::MotifEmbauche, "contrat", "contrats"}},
        {t::lists::NATURECONTRAT, {t::CONTRAT, data::contrat::Nature, "contrat", "contrats"}},
        {t::lists::CARTEORANGE, {t::CONTRAT, data::contrat::CarteOrange, "contrat", "contrats"}},
        {t::lists::FINCONTRAT, {t::CONTRAT, data::contrat::MotifFin, "contrat", "contrats"}},
        {t::lists::ABSENCES, {t::ABSENCESAIDANT, data::absencesaidant::Type, "absence", "absences"}},
    };
    for (const Entree& e : usages)
        if (liste == e.liste)
            return e.usage;
    return std::nullopt;
}

int CompterUsages(const dba::Database& db, const UsageListe& usage, const QString& code) {
    const std::string texte = code.toStdString();
    const std::string champ = std::to_string(usage.field);
    // The query narrows the records; the exact test is ours, since the
    // query language reads "[" and "]" at the ends of a value as patterns
    // and compares numbers by value ("02" = "2").
    const dba::ResultList lignes = db.SelectRecords(
        "SELECT " + std::string(usage.table) + " AVEC " + champ + " = \"" + texte + "\"", "0 " + champ);
    int usages = 0;
    for (int r = 1; r <= lignes.DCount(); ++r)
        for (const std::string& valeur : dba::Split(lignes.Item(r, 2), dba::VM))
            if (valeur == texte) {
                ++usages;
                break;
            }
    return usages;
}

QString TexteUsages(const UsageListe& usage, int usages) {
    return QStringLiteral("utilisé par %1 %2")
        .arg(usages)
        .arg(QString::fromUtf8(usages > 1 ? usage.pluriel : usage.singulier));
}

ListeParametres ListeParametres::Lire(const dba::Record& record) {
    ListeParametres liste;
    const int n = record.DCount(l::Codes);
    for (int v = 1; v <= n; ++v)
        liste.valeurs_.push_back({QString::fromStdString(record.Item(l::Codes, v)),
                                  QString::fromStdString(record.Item(l::Libelles, v)),
                                  QString::fromStdString(record.Item(l::Retire, v))});
    return liste;
}

void ListeParametres::Ecrire(dba::Record& record, const QString& titre) const {
    std::vector<std::string> codes, libelles, retraits;
    bool retrait = false;
    for (const ValeurParametre& v : valeurs_) {
        codes.push_back(v.code.toStdString());
        libelles.push_back(v.libelle.toStdString());
        retraits.push_back(v.retire.toStdString());
        retrait = retrait || !v.retire.isEmpty();
    }
    if (record.Item(l::Actif).empty())
        record.SetItem(l::Actif, titre.toStdString());
    record.SetItem(l::Codes, dba::Join(codes, dba::VM));
    record.SetItem(l::Libelles, dba::Join(libelles, dba::VM));
    record.SetItem(l::Retire, retrait ? dba::Join(retraits, dba::VM) : std::string());
}

int ListeParametres::Trouver(const QString& code) const {
    for (std::size_t i = 0; i < valeurs_.size(); ++i)
        if (valeurs_[i].code == code)
            return static_cast<int>(i);
    return -1;
}

QString ListeParametres::RefusCode(const QString& code, int sauf) const {
    if (code.isEmpty())
        return QStringLiteral("Vous devez saisir un code.");
    // A double quote would end the value inside the queries that look the
    // code up.
    if (code.contains(QLatin1Char('"')))
        return QStringLiteral("Un code ne peut pas contenir de guillemets (\").");
    const int existant = Trouver(code);
    if (existant >= 0 && existant != sauf)
        return QStringLiteral("Le code « %1 » existe déjà dans la liste.").arg(code);
    return {};
}

QString ListeParametres::Ajouter(const QString& code, const QString& libelle) {
    const QString c = code.trimmed();
    if (QString refus = RefusCode(c, -1); !refus.isEmpty())
        return refus;
    const QString lib = libelle.trimmed();
    valeurs_.push_back({c, lib.isEmpty() ? c : lib, QString()});
    return {};
}

QString ListeParametres::Modifier(int index, const QString& code, const QString& libelle, int usages,
                                  const QString& texteUsages) {
    if (index < 0 || index >= static_cast<int>(valeurs_.size()))
        return QStringLiteral("Choisissez d'abord dans la liste la valeur à modifier.");
    ValeurParametre& v = valeurs_[static_cast<std::size_t>(index)];
    const QString c = code.trimmed();
    if (QString refus = RefusCode(c, index); !refus.isEmpty())
        return refus;
    if (c != v.code && usages > 0)
        return QStringLiteral("Le code « %1 » est %2 : il ne peut pas être changé. Vous pouvez en modifier "
                              "le libellé, ou ajouter une nouvelle valeur.")
            .arg(v.code, texteUsages);
    const QString lib = libelle.trimmed();
    v.code = c;
    v.libelle = lib.isEmpty() ? c : lib;
    return {};
}

QString ListeParametres::Supprimer(int index, int usages, const QString& texteUsages) {
    if (index < 0 || index >= static_cast<int>(valeurs_.size()))
        return QStringLiteral("Choisissez d'abord dans la liste la valeur à supprimer.");
    if (usages > 0)
        return QStringLiteral("Le code « %1 » est %2 : il ne peut pas être supprimé.")
            .arg(valeurs_[static_cast<std::size_t>(index)].code, texteUsages);
    valeurs_.erase(valeurs_.begin() + index);
    return {};
}

} // namespace screens::siblings
