#include "screens/siblings/ctr_civil_aide.h"

#include "data/contrat_fields.h"
#include "data/dictionaries.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "screens/siblings/decomptes.h"
#include "screens/siblings/liste_parametres.h"

namespace screens::siblings {

namespace t = data::tables;
namespace ca = data::civilaide;
namespace ct = data::contrat;

namespace {

QString Joindre(const QStringList& parties) {
    QStringList pleines;
    for (const QString& p : parties)
        if (!p.trimmed().isEmpty())
            pleines << p.trimmed();
    return pleines.join(QLatin1Char(' '));
}

} // namespace

void Ctr_CivilAide::Init() {
    const dba::Database& db = TheDatabase();
    const std::string code = codeEmployeur_.toStdString();
    const dba::Table civilAide = db.OpenTable(t::CIVILAIDE);
    Contenu c;
    if (code.empty() || !civilAide.Exists(code)) {
        // An entity's establishment employs the helper: named, nothing more.
        const std::string etablissement =
            code.empty()
                ? std::string()
                : db.OpenTable(t::ETABLISSEMENT).ReadRecordOrEmpty(code).Item(data::etablissement::Libelle);
        c.entete
            << QStringLiteral("Employeur : %1 %2").arg(codeEmployeur_, QString::fromStdString(etablissement));
        c.vide = QStringLiteral("Aucun aidé n'a le code « %1 » : l'employeur de ce contrat n'est pas un "
                                "particulier.")
                     .arg(codeEmployeur_);
        return Afficher(c);
    }
    const dba::Record aide = civilAide.ReadRecord(code);
    const dba::Record elts = db.OpenTable(t::ELTSPARTEMP).ReadRecordOrEmpty(code);
    const ListeParametres voies =
        ListeParametres::Lire(db.OpenTable(t::TABLES).ReadRecordOrEmpty(t::lists::NATUREVOIE));
    const auto champ = [&aide](int f) { return QString::fromStdString(aide.Item(f)); };
    const int voie = voies.Trouver(champ(ca::NatureVoie));

    c.entete << QStringLiteral("Employeur : %1 %2 %3").arg(codeEmployeur_, champ(ca::Nom), champ(ca::Prenom));
    c.fiche = {
        {QStringLiteral("Nom"), champ(ca::Nom)},
        {QStringLiteral("Prénom"), champ(ca::Prenom)},
        {QStringLiteral("Adresse"),
         Joindre({champ(ca::Numero),
                  voie >= 0 ? voies.Valeurs()[static_cast<std::size_t>(voie)].libelle : champ(ca::NatureVoie),
                  champ(ca::Voie)})},
        {QStringLiteral("Commune"), Joindre({champ(ca::CodePostal), champ(ca::Ville)})},
        {QStringLiteral("Téléphone"), champ(ca::Telephone)}};
    const std::string numero = elts.Item(data::eltspartemp::NumeroEmployeur);
    c.fiche.push_back({QStringLiteral("N° d'employeur URSSAF"),
                       numero.empty() ? QStringLiteral("aucun (pas de paramètres d'employeur)")
                                      : QString::fromStdString(numero)});
    if (!numero.empty())
        c.fiche.push_back(
            {QStringLiteral("Déclarations"), elts.Item(data::eltspartemp::DeclarationAssociation) == "1"
                                                 ? QStringLiteral("faites par l'association")
                                                 : QStringLiteral("faites par l'employeur")});
    if (!aide.Item(ca::DerniereFacture).empty())
        c.fiche.push_back(
            {QStringLiteral("Dernier mois facturé"), TexteMois(aide.Item(ca::DerniereFacture))});
    if (!aide.Item(ca::Sortie).empty())
        c.fiche.push_back({QStringLiteral("Sorti(e) du service le"), TexteDate(aide.Item(ca::Sortie))});

    const dba::ResultList contrats = db.SelectRecords(
        "SSELECT " + std::string(t::CONTRAT) + " AVEC " + std::to_string(ct::Employeur) + " = \"" + code +
            "\" AND AVEC " + std::to_string(ct::Supprime) + " <> \"O\" PAR " + std::to_string(ct::DateDebut),
        "0 " + std::string(data::dict::NomAidantContrat) + " " + data::dict::PrenomAidantContrat + " " +
            std::to_string(ct::DateDebut) + " " + std::to_string(ct::DateFin));
    c.titreTableau = QStringLiteral("Contrats de cet employeur");
    c.colonnes = {QStringLiteral("Aidant"), QStringLiteral("Contrat"), QStringLiteral("Début"),
                  QStringLiteral("Fin")};
    for (int r = 1; r <= contrats.DCount(); ++r) {
        const QString cle = QString::fromStdString(contrats.Item(r, 1));
        c.lignes.push_back(
            {Joindre({cle.left(5), QString::fromStdString(contrats.Item(r, 2)),
                      QString::fromStdString(contrats.Item(r, 3))}),
             cle.mid(5), TexteDate(contrats.Item(r, 4)),
             contrats.Item(r, 5).empty() ? QStringLiteral("en cours") : TexteDate(contrats.Item(r, 5))});
    }
    c.vide = QStringLiteral("Aucun contrat n'a cet aidé pour employeur.");
    c.totaux = QStringLiteral("%1 contrat(s).").arg(contrats.DCount());
    Afficher(c);
}

} // namespace screens::siblings
