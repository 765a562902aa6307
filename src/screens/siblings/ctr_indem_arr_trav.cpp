#include "screens/siblings/ctr_indem_arr_trav.h"

#include "data/dates.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "rules/hours.h"
#include "screens/siblings/decomptes.h"

namespace screens::siblings {

namespace t = data::tables;
namespace hi = data::historindem;

void Ctr_IndemArrTrav::Init() {
    const dba::Database& db = TheDatabase();
    const QString regime = cle_.mid(CodeAidant().size());
    const dba::Record historique = db.OpenTable(t::HISTORINDEM).ReadRecordOrEmpty(cle_.toStdString());
    const std::string libelleRegime = regime.isEmpty() ? std::string()
                                                       : db.OpenTable(t::CONTRATSPREV)
                                                             .ReadRecordOrEmpty(regime.toStdString())
                                                             .Item(data::contratsprev::Libelle);
    const std::optional<QDate> depuis = LireDateDebut(dateDebut_);
    const QDate aujourdhui = QDate::currentDate();

    Contenu c;
    c.entete << LigneAidant();
    c.entete << (regime.isEmpty() ? QStringLiteral("Régime de prévoyance : aucun")
                                  : QStringLiteral("Régime de prévoyance : %1 %2")
                                        .arg(regime, QString::fromStdString(libelleRegime)));
    if (depuis)
        c.entete
            << QStringLiteral("Décompte depuis le %1").arg(depuis->toString(QStringLiteral("dd/MM/yyyy")));
    c.colonnes = {QStringLiteral("Arrêt du"), QStringLiteral("Au"), QStringLiteral("Jours"),
                  QStringLiteral("Indemnité journalière"), QStringLiteral("Montant")};
    c.colonnesChiffres = {2, 3, 4};
    long long joursDepuis = 0;
    for (int v = 1; v <= historique.DCount(hi::Dates); ++v) {
        const std::string debut = historique.Item(hi::Dates, v);
        const std::string fin = historique.Item(hi::DatesFin, v);
        const QDate du = data::dates::FromDayNumber(QString::fromStdString(debut).toLongLong());
        const QDate au =
            fin.empty() ? QDate() : data::dates::FromDayNumber(QString::fromStdString(fin).toLongLong());
        const int jours = JoursIndemnises(du, au, QDate(), aujourdhui);
        joursDepuis += JoursIndemnises(du, au, depuis.value_or(QDate()), aujourdhui);
        const std::string journaliere = historique.Item(hi::IndemniteJournaliere, v);
        const auto parJour = rules::ParseStoredHundredths(journaliere);
        c.lignes.push_back(
            {TexteDate(debut), fin.empty() ? QStringLiteral("en cours") : TexteDate(fin),
             QString::number(jours), TexteCentiemes(journaliere),
             parJour ? QString::fromStdString(rules::FormatHundredths(*parJour * jours, ',')) : QString()});
    }
    c.vide =
        regime.isEmpty()
            ? QStringLiteral("Le contrat n'a pas de régime de prévoyance : aucune indemnisation d'arrêt de "
                             "travail n'est suivie.")
            : QStringLiteral(
                  "Aucun arrêt de travail indemnisé n'est enregistré pour cet aidant sur ce régime "
                  "de prévoyance.");
    c.totaux = depuis ? QStringLiteral("Jours indemnisés depuis le %1 : %2.")
                            .arg(depuis->toString(QStringLiteral("dd/MM/yyyy")))
                            .arg(joursDepuis)
                      : QStringLiteral("Jours indemnisés : %1.").arg(joursDepuis);
    Afficher(c);
}

} // namespace screens::siblings
