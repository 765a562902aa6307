#include "screens/siblings/ctr_detail_decompte.h"

#include "data/contrat_fields.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "rules/hours.h"
#include "screens/siblings/decomptes.h"

namespace screens::siblings {

namespace t = data::tables;
namespace dc = data::detailcalcul;

namespace {

QString Etat(const std::string& etat) {
    if (etat == "P")
        return QStringLiteral("Calculé, non facturé");
    if (etat == "F")
        return QStringLiteral("Facturé");
    return QString::fromStdString(etat);
}

rules::Hundredths Centiemes(const std::string& stocke) {
    return rules::ParseStoredHundredths(stocke).value_or(0);
}

QString Texte(rules::Hundredths centiemes) {
    return QString::fromStdString(rules::FormatHundredths(centiemes, ','));
}

} // namespace

void Ctr_DetailDecompte::Init() {
    const dba::Database& db = TheDatabase();
    const std::string cle = cleContrat_.toStdString();
    const dba::ResultList mois = db.SelectRecords(
        "SSELECT " + std::string(t::DETAILCALCUL) + " AVEC @ID = \"" + cle + "]\" PAR-DECR @ID",
        "0 " + std::to_string(dc::Etat) + " " + std::to_string(dc::HeuresPayees) + " " +
            std::to_string(dc::SalaireBrut) + " " + std::to_string(dc::CongesAcquis) + " " +
            std::to_string(dc::CongesPris) + " " + std::to_string(dc::IndemniteConges));
    const dba::Record contrat = db.OpenTable(t::CONTRAT).ReadRecordOrEmpty(cle);

    Contenu c;
    c.entete << LigneAidant() << QStringLiteral("Employeur : %1 %2").arg(codeEmployeur_, nomEmployeur_)
             << QStringLiteral("Contrat n° %1").arg(cleContrat_.mid(5));
    c.colonnes = {QStringLiteral("Période"),     QStringLiteral("État"),      QStringLiteral("Heures payées"),
                  QStringLiteral("Brut"),        QStringLiteral("CP acquis"), QStringLiteral("CP pris"),
                  QStringLiteral("Indemnité CP")};
    c.colonnesChiffres = {2, 3, 4, 5, 6};
    rules::Hundredths acquis = 0, pris = 0, indemnite = 0;
    for (int r = 1; r <= mois.DCount(); ++r) {
        const std::string periode = mois.Item(r, 1).substr(std::min(cle.size(), mois.Item(r, 1).size()));
        acquis += Centiemes(mois.Item(r, 5));
        pris += Centiemes(mois.Item(r, 6));
        indemnite += Centiemes(mois.Item(r, 7));
        c.lignes.push_back({TexteMois(periode), Etat(mois.Item(r, 2)), TexteCentiemes(mois.Item(r, 3)),
                            TexteCentiemes(mois.Item(r, 4)), TexteCentiemes(mois.Item(r, 5)),
                            TexteCentiemes(mois.Item(r, 6)), TexteCentiemes(mois.Item(r, 7))});
    }
    c.vide =
        QStringLiteral("Aucune paie n'a encore été calculée pour ce contrat : le décompte apparaîtra après "
                       "le premier calcul.");
    c.totaux = QStringLiteral("Sur ces %1 mois : %2 jours de congés acquis, %3 jours pris, %4 € d'indemnité.")
                   .arg(mois.DCount())
                   .arg(Texte(acquis), Texte(pris), Texte(indemnite));
    const std::string acquisContrat = contrat.Item(data::contrat::CPAcquis);
    const std::string restants = contrat.Item(data::contrat::CPRestants);
    if (!acquisContrat.empty() || !restants.empty())
        c.totaux += QStringLiteral("\nCompteur du contrat : %1 jours acquis, %2 jours restants.")
                        .arg(TexteCentiemes(acquisContrat.empty() ? "0" : acquisContrat),
                             TexteCentiemes(restants.empty() ? "0" : restants));
    Afficher(c);
}

} // namespace screens::siblings
