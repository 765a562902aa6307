#include "screens/siblings/ctr_abs_aidant.h"

#include "data/dates.h"
#include "data/dictionaries.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "screens/siblings/decomptes.h"
#include "screens/siblings/liste_parametres.h"

#include <algorithm>

namespace screens::siblings {

namespace t = data::tables;

namespace {
const QString CongesPayes = QStringLiteral("01"); // list ABSENCES
}

void Ctr_AbsAidant::Init() {
    const dba::Database& db = TheDatabase();
    const ListeParametres types =
        ListeParametres::Lire(db.OpenTable(t::TABLES).ReadRecordOrEmpty(t::lists::ABSENCES));
    const dba::ResultList absences =
        db.SelectRecords("SSELECT " + std::string(t::ABSENCESAIDANT) + " AVEC @ID = \"" +
                             CodeAidant().toStdString() + "]\" PAR-DECR " + data::dict::DebAbsAidant,
                         "0 " + std::to_string(data::absencesaidant::DateFin) + " " + data::dict::TypeAbs);

    const QDate aujourdhui = QDate::currentDate();
    const PeriodeReference annee = PeriodeReferenceDe(aujourdhui);
    int joursCongesPayes = 0;
    Contenu c;
    c.entete << LigneAidant();
    c.colonnes = {QStringLiteral("Du"), QStringLiteral("Au"), QStringLiteral("Jours ouvrables"),
                  QStringLiteral("Type d'absence")};
    c.colonnesChiffres = {2};
    for (int r = 1; r <= absences.DCount(); ++r) {
        const std::string cle = absences.Item(r, 1);
        const std::string debut = cle.size() >= data::absencesaidant::DebutPosition
                                      ? cle.substr(data::absencesaidant::DebutPosition - 1)
                                      : std::string();
        const QDate du = data::dates::FromDayNumber(QString::fromStdString(debut).toLongLong());
        const std::string finStockee = absences.Item(r, 2);
        const QDate au = finStockee.empty()
                             ? QDate()
                             : data::dates::FromDayNumber(QString::fromStdString(finStockee).toLongLong());
        const QString type = QString::fromStdString(absences.Item(r, 3));
        const int index = types.Trouver(type);
        if (type == CongesPayes)
            joursCongesPayes += JoursOuvrables(std::max(du, annee.debut),
                                               std::min(au.isValid() ? au : aujourdhui, annee.fin));
        c.lignes.push_back({TexteDate(debut),
                            au.isValid() ? TexteDate(finStockee) : QStringLiteral("en cours"),
                            au.isValid() ? QString::number(JoursOuvrables(du, au)) : QString(),
                            index >= 0 ? types.Valeurs()[static_cast<std::size_t>(index)].libelle : type});
    }
    c.vide = QStringLiteral("Aucune période de congés ni d'absence n'est enregistrée pour cet aidant.");
    c.totaux = QStringLiteral("Congés payés de l'année du %1 au %2 : %3 jours ouvrables.")
                   .arg(annee.debut.toString(QStringLiteral("dd/MM/yyyy")),
                        annee.fin.toString(QStringLiteral("dd/MM/yyyy")))
                   .arg(joursCongesPayes);
    Afficher(c);
}

} // namespace screens::siblings
