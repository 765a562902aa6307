#include "screens/siblings/ctr_par_ind_zorvelia.h"

#include "data/dates.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "screens/siblings/decomptes.h"
#include "ui/events.h"
#include "ui/messages.h"
#include "ui_ctr_par_ind_zorvelia.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <algorithm>
#include <initializer_list>

namespace screens::siblings {

namespace t = data::tables;

namespace {

QString Nom(const dba::Database& db, const char* table, const QString& code) {
    if (code.isEmpty())
        return {};
    const dba::Record r = db.OpenTable(table).ReadRecordOrEmpty(code.toStdString());
    return QString::fromStdString(r.Item(data::civilaide::Nom) + " " + r.Item(data::civilaide::Prenom))
        .trimmed();
}

QString Etat(const ReglageTelegestion& r) {
    if (r.dateModif.isEmpty())
        return QStringLiteral("jamais (valeurs par défaut)");
    return QStringLiteral("%1 (%2)").arg(TexteDate(r.dateModif.toStdString()), r.utilisateur);
}

} // namespace

Ctr_ParIndZorvelia::Ctr_ParIndZorvelia(QWidget* parent)
    : SiblingControl(parent), ui(new Ui::Ctr_ParIndZorvelia) {
    ui->setupUi(this);
    ui::onClick(ui->Cmd_OK, this, &Ctr_ParIndZorvelia::Cmd_OK_Click);
    ui::onClick(ui->Cmd_Annuler, this, &Ctr_ParIndZorvelia::Cmd_Annuler_Click);
}

Ctr_ParIndZorvelia::~Ctr_ParIndZorvelia() = default;

QString Ctr_ParIndZorvelia::Entete() const {
    const dba::Database& db = TheDatabase();
    const dba::Record entite = db.OpenTable(t::ASSOCIATION).ReadRecordOrEmpty(codeAsso_.toStdString());
    QStringList lignes;
    QString ligneEntite = QStringLiteral("Entité : %1 %2")
                              .arg(codeAsso_, QString::fromStdString(entite.Item(data::association::Nom)));
    if (!entite.Item(data::association::Telegestion).empty())
        ligneEntite += QStringLiteral(" (télégestion %1)")
                           .arg(QString::fromStdString(entite.Item(data::association::Telegestion)));
    lignes << ligneEntite
           << QStringLiteral("Aidant : %1 %2").arg(codeAidant_, Nom(db, t::CIVILAIDANT, codeAidant_));
    if (typeAct_ == QLatin1String("M"))
        lignes << QStringLiteral("Aidé : %1 %2").arg(codeAide_, Nom(db, t::CIVILAIDE, codeAide_));
    return lignes.join(QLatin1Char('\n'));
}

void Ctr_ParIndZorvelia::Init() {
    const dba::Database& db = TheDatabase();
    const dba::ResultList activites = db.SelectRecords(
        "SSELECT " + std::string(t::ACTIVITES) + " AVEC 0 = \"" + codeAsso_.toStdString() + "]\"", "0 1");
    std::vector<QString> connues;
    for (int r = 1; r <= activites.DCount(); ++r)
        connues.push_back(QString::fromStdString(activites.Item(r, 1)));
    const dba::Table table = db.OpenTable(t::PARAMTELEGESTION);

    lus_.clear();
    textesLus_.clear();
    for (const QString& activite : DecouperActivites(strAct_, connues)) {
        QString libelle = QStringLiteral("Activité inconnue (%1)").arg(activite);
        for (int r = 1; r <= activites.DCount(); ++r)
            if (QString::fromStdString(activites.Item(r, 1)) == activite)
                libelle = QString::fromStdString(activites.Item(r, 2));
        const dba::Record record =
            table.ReadRecordOrEmpty(CleTelegestion(codeAidant_, typeAct_, codeAide_, activite));
        lus_.push_back(LireReglage(record, activite, libelle));
        textesLus_.push_back(record.Item());
    }

    ui->Etq_Entete->setText(Entete());
    while (QLayoutItem* item = ui->Lay_Lignes->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    lignes_.clear();
    const QStringList titres = {QStringLiteral("Activité"),
                                QStringLiteral("Pointage"),
                                QStringLiteral("Mode"),
                                QStringLiteral("Tolérance de retard"),
                                QStringLiteral("Arrondi"),
                                QStringLiteral("Badge / téléphone"),
                                QStringLiteral("Dernière modification")};
    for (int col = 0; col < titres.size(); ++col) {
        auto* titre = new QLabel(titres[col]);
        titre->setStyleSheet(QStringLiteral("font-weight: bold;"));
        ui->Lay_Lignes->addWidget(titre, 0, col);
    }
    for (int i = 0; i < static_cast<int>(lus_.size()); ++i)
        AjouterLigne(i, lus_[static_cast<std::size_t>(i)]);
    ui->Lay_Lignes->setRowStretch(static_cast<int>(lus_.size()) + 1, 1);
    ui->Lay_Lignes->setColumnStretch(0, 1);
    ui->Cdr_Activites->setVisible(!lus_.empty());
    ui->Etq_Vide->setVisible(lus_.empty());
    ui->Cmd_OK->setEnabled(!lus_.empty());
}

void Ctr_ParIndZorvelia::AjouterLigne(int index, const ReglageTelegestion& r) {
    const QString suffixe = QStringLiteral("_%1").arg(index);
    Ligne l{new QCheckBox(QStringLiteral("Oui")),
            new QComboBox,
            new QSpinBox,
            new QComboBox,
            new QLineEdit,
            new QLabel(Etat(r))};
    l.pointage->setObjectName(QStringLiteral("Cac_Pointage") + suffixe);
    l.mode->setObjectName(QStringLiteral("Cbo_Mode") + suffixe);
    l.tolerance->setObjectName(QStringLiteral("Txt_Tolerance") + suffixe);
    l.arrondi->setObjectName(QStringLiteral("Cbo_Arrondi") + suffixe);
    l.badge->setObjectName(QStringLiteral("Txt_Badge") + suffixe);
    l.etat->setObjectName(QStringLiteral("Etq_Etat") + suffixe);
    for (const ModeTelegestion& m : ModesTelegestion())
        l.mode->addItem(QString::fromUtf8(m.libelle), QString::fromLatin1(m.code));
    for (int minutes : ArrondisTelegestion())
        l.arrondi->addItem(minutes ? QStringLiteral("%1 min").arg(minutes) : QStringLiteral("aucun"),
                           minutes);
    l.tolerance->setRange(0, 60);
    l.tolerance->setSuffix(QStringLiteral(" min"));
    l.badge->setMaxLength(20);

    l.pointage->setChecked(r.pointage);
    l.mode->setCurrentIndex(std::max(0, l.mode->findData(r.mode)));
    l.tolerance->setValue(r.tolerance);
    l.arrondi->setCurrentIndex(std::max(0, l.arrondi->findData(r.arrondi)));
    l.badge->setText(r.badge);
    const auto suivre = [l] {
        for (QWidget* w : std::initializer_list<QWidget*>{l.mode, l.tolerance, l.arrondi, l.badge})
            w->setEnabled(l.pointage->isChecked());
    };
    suivre();
    connect(l.pointage, &QCheckBox::toggled, this, suivre);

    const int ligne = index + 1;
    ui->Lay_Lignes->addWidget(new QLabel(r.libelle), ligne, 0);
    ui->Lay_Lignes->addWidget(l.pointage, ligne, 1);
    ui->Lay_Lignes->addWidget(l.mode, ligne, 2);
    ui->Lay_Lignes->addWidget(l.tolerance, ligne, 3);
    ui->Lay_Lignes->addWidget(l.arrondi, ligne, 4);
    ui->Lay_Lignes->addWidget(l.badge, ligne, 5);
    ui->Lay_Lignes->addWidget(l.etat, ligne, 6);
    lignes_.push_back(l);
}

std::vector<ReglageTelegestion> Ctr_ParIndZorvelia::Reglages() const {
    std::vector<ReglageTelegestion> reglages = lus_;
    for (std::size_t i = 0; i < lignes_.size(); ++i) {
        const Ligne& l = lignes_[i];
        ReglageTelegestion& r = reglages[i];
        r.pointage = l.pointage->isChecked();
        r.mode = l.mode->currentData().toString();
        r.tolerance = l.tolerance->value();
        r.arrondi = l.arrondi->currentData().toInt();
        r.badge = l.badge->text().trimmed();
    }
    return reglages;
}

std::vector<int> Ctr_ParIndZorvelia::LignesChangees() const {
    const std::vector<ReglageTelegestion> reglages = Reglages();
    std::vector<int> changees;
    for (std::size_t i = 0; i < reglages.size(); ++i)
        if (!reglages[i].MemesValeurs(lus_[i]))
            changees.push_back(static_cast<int>(i));
    return changees;
}

void Ctr_ParIndZorvelia::Cmd_OK_Click() {
    const std::vector<ReglageTelegestion> reglages = Reglages();
    for (std::size_t i = 0; i < reglages.size(); ++i)
        if (const QString refus = RefusReglage(reglages[i]); !refus.isEmpty()) {
            ui::messages().Show(refus, ui::Buttons::Ok, ui::Icon::Exclamation);
            lignes_[i].badge->setFocus();
            return;
        }
    const std::vector<int> changees = LignesChangees();
    if (!changees.empty() && !Enregistrer(changees))
        return;
    Sortir();
}

bool Ctr_ParIndZorvelia::Enregistrer(const std::vector<int>& lignes) {
    const std::vector<ReglageTelegestion> reglages = Reglages();
    std::vector<dba::Record> verrouilles;
    const auto liberer = [&verrouilles] {
        for (dba::Record& r : verrouilles) {
            try {
                r.Release();
            } catch (const dba::Error&) {
                // The failure reported to the user is the one that stopped the write.
            }
        }
    };
    try {
        const dba::Table table = TheDatabase().OpenTable(t::PARAMTELEGESTION);
        bool changeAilleurs = false;
        for (int i : lignes) {
            const std::string cle = CleTelegestion(codeAidant_, typeAct_, codeAide_,
                                                   reglages[static_cast<std::size_t>(i)].activite);
            try {
                verrouilles.push_back(table.ReadRecordLocked(cle));
            } catch (const dba::RecordNotFound&) {
                verrouilles.push_back(table.NewRecord(cle)); // the lock is held for the new record
            }
            changeAilleurs =
                changeAilleurs || verrouilles.back().Item() != textesLus_[static_cast<std::size_t>(i)];
        }
        if (changeAilleurs) {
            liberer();
            ui::messages().Show(
                QStringLiteral("Les paramètres de télégestion ont été modifiés sur un autre poste "
                               "pendant votre saisie : vos changements ne sont pas enregistrés. "
                               "Les paramètres sont relus, vous pouvez les refaire."),
                ui::Buttons::Ok, ui::Icon::Exclamation);
            Init();
            return false;
        }
        const QString jour = data::dates::DateToInternal(QDate::currentDate());
        TheDatabase().Transaction([&] {
            for (std::size_t n = 0; n < lignes.size(); ++n) {
                EcrireReglage(reglages[static_cast<std::size_t>(lignes[n])], verrouilles[n], jour,
                              TheClient().UserName());
                verrouilles[n].DBWrite();
            }
        });
        enregistre_ = true;
        return true;
    } catch (const dba::RecordLocked& error) {
        liberer();
        ui::messages().Show(
            QStringLiteral("Les paramètres de télégestion sont en cours de modification par %1 : "
                           "vos changements ne sont pas enregistrés. Réessayez dans un instant.")
                .arg(QString::fromStdString(error.holder())),
            ui::Buttons::Ok, ui::Icon::Exclamation);
    } catch (const dba::Error& error) {
        liberer();
        ui::messages().Show(QStringLiteral("Les paramètres de télégestion n'ont pas pu être enregistrés : ") +
                                QString::fromUtf8(error.what()),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
    }
    return false;
}

void Ctr_ParIndZorvelia::Cmd_Annuler_Click() {
    if (!LignesChangees().empty() &&
        ui::messages().Show(QStringLiteral("Les changements des paramètres de télégestion ne seront pas "
                                           "enregistrés. Voulez-vous quitter ?"),
                            ui::Buttons::YesNo, ui::Icon::Question,
                            ui::DefaultButton::Second) != ui::Answer::Yes)
        return;
    Sortir();
}

} // namespace screens::siblings
