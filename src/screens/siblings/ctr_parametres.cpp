#include "screens/siblings/ctr_parametres.h"

#include "data/table_fields.h"
#include "data/tables.h"
#include "ui/events.h"
#include "ui/messages.h"
#include "ui_ctr_parametres.h"

#include <QHeaderView>
#include <QItemSelectionModel>

namespace screens::siblings {

namespace t = data::tables;

Ctr_Parametres::Ctr_Parametres(QWidget* parent) : SiblingControl(parent), ui(new Ui::Ctr_Parametres) {
    ui->setupUi(this);
    ui->Lst_Valeurs->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    connect(ui->Lst_Valeurs, &QTableWidget::currentCellChanged, this,
            [this](int ligne) { Lst_Valeurs_Click(ligne); });
    ui::onClick(ui->Cmd_Ajouter, this, &Ctr_Parametres::Cmd_Ajouter_Click);
    ui::onClick(ui->Cmd_Modifier, this, &Ctr_Parametres::Cmd_Modifier_Click);
    ui::onClick(ui->Cmd_Supprimer, this, &Ctr_Parametres::Cmd_Supprimer_Click);
    ui::onClick(ui->Cmd_OK, this, &Ctr_Parametres::Cmd_OK_Click);
    ui::onClick(ui->Cmd_Annuler, this, &Ctr_Parametres::Cmd_Annuler_Click);
}

Ctr_Parametres::~Ctr_Parametres() = default;

void Ctr_Parametres::Init() {
    lectureSeule_ =
        !DroitsUtilisateur() || !DroitsUtilisateur()->GetModuleRights(module_.toStdString()).MayChangeData();
    Relire(TheDatabase().OpenTable(t::TABLES).ReadRecordOrEmpty(cle_.toStdString()));
    ui->Cdr_Saisie->setVisible(!lectureSeule_);
    ui->Etq_Consultation->setVisible(lectureSeule_);
    ui->Cmd_OK->setVisible(!lectureSeule_);
    ui->Cmd_Annuler->setText(lectureSeule_ ? QStringLiteral("Retour") : QStringLiteral("Annuler"));
    if (lectureSeule_)
        ui->Cmd_Annuler->setFocus();
    else
        ui->Txt_Code->setFocus();
}

void Ctr_Parametres::Relire(const dba::Record& record) {
    lu_ = record.Item();
    liste_ = ListeParametres::Lire(record);
    modifiee_ = false;
    const std::string titre = record.Item(data::listes::Actif);
    ui->Etq_Titre->setText(titre.empty() ? cle_ : QString::fromStdString(titre));
    Afficher(-1);
}

void Ctr_Parametres::Afficher(int ligne) {
    const auto& valeurs = liste_.Valeurs();
    QSignalBlocker bloque(ui->Lst_Valeurs);
    ui->Lst_Valeurs->setRowCount(static_cast<int>(valeurs.size()));
    for (int r = 0; r < static_cast<int>(valeurs.size()); ++r) {
        const ValeurParametre& v = valeurs[static_cast<std::size_t>(r)];
        const QString suffixe = v.retire == QLatin1String("O") ? QStringLiteral(" (retiré)") : QString();
        ui->Lst_Valeurs->setItem(r, 0, new QTableWidgetItem(v.code));
        ui->Lst_Valeurs->setItem(r, 1, new QTableWidgetItem(v.libelle + suffixe));
    }
    if (ligne >= 0) {
        ui->Lst_Valeurs->setCurrentCell(ligne, 0);
        ui->Lst_Valeurs->scrollToItem(ui->Lst_Valeurs->item(ligne, 0));
    } else {
        ui->Lst_Valeurs->setCurrentCell(-1, -1);
        ui->Lst_Valeurs->clearSelection();
    }
    Lst_Valeurs_Click(ligne);
}

void Ctr_Parametres::Lst_Valeurs_Click(int ligne) {
    const auto& valeurs = liste_.Valeurs();
    const bool choisie = ligne >= 0 && ligne < static_cast<int>(valeurs.size());
    ui->Txt_Code->setText(choisie ? valeurs[static_cast<std::size_t>(ligne)].code : QString());
    ui->Txt_Libelle->setText(choisie ? valeurs[static_cast<std::size_t>(ligne)].libelle : QString());
    ui->Cmd_Modifier->setEnabled(choisie);
    ui->Cmd_Supprimer->setEnabled(choisie);
}

int Ctr_Parametres::LigneChoisie() const {
    const int ligne = ui->Lst_Valeurs->currentRow();
    return ui->Lst_Valeurs->selectionModel()->isRowSelected(ligne, {}) ? ligne : -1;
}

void Ctr_Parametres::Refuser(const QString& refus) {
    ui::messages().Show(refus, ui::Buttons::Ok, ui::Icon::Exclamation);
    ui->Txt_Code->setFocus();
}

std::optional<std::pair<int, QString>> Ctr_Parametres::Usages(int index) {
    const auto usage = UsageDe(cle_.toStdString());
    if (!usage || index < 0 || index >= static_cast<int>(liste_.Valeurs().size()))
        return std::pair<int, QString>{0, QString()};
    try {
        const int n =
            CompterUsages(TheDatabase(), *usage, liste_.Valeurs()[static_cast<std::size_t>(index)].code);
        return std::pair<int, QString>{n, TexteUsages(*usage, n)};
    } catch (const dba::Error& error) {
        ui::messages().Show(QStringLiteral("L'utilisation de cette valeur ne peut pas être vérifiée : ") +
                                QString::fromUtf8(error.what()),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
        return std::nullopt;
    }
}

void Ctr_Parametres::Cmd_Ajouter_Click() {
    if (lectureSeule_)
        return;
    if (const QString refus = liste_.Ajouter(ui->Txt_Code->text(), ui->Txt_Libelle->text()); !refus.isEmpty())
        return Refuser(refus);
    modifiee_ = true;
    Afficher(static_cast<int>(liste_.Valeurs().size()) - 1);
}

void Ctr_Parametres::Cmd_Modifier_Click() {
    const int ligne = LigneChoisie();
    if (lectureSeule_ || ligne < 0)
        return;
    const QString code = ui->Txt_Code->text().trimmed();
    std::pair<int, QString> usages{0, QString()};
    // Only a new code needs the records that use the old one.
    if (code != liste_.Valeurs()[static_cast<std::size_t>(ligne)].code) {
        const auto compte = Usages(ligne);
        if (!compte)
            return;
        usages = *compte;
    }
    if (const QString refus =
            liste_.Modifier(ligne, code, ui->Txt_Libelle->text(), usages.first, usages.second);
        !refus.isEmpty())
        return Refuser(refus);
    modifiee_ = true;
    Afficher(ligne);
}

void Ctr_Parametres::Cmd_Supprimer_Click() {
    const int ligne = LigneChoisie();
    if (lectureSeule_ || ligne < 0)
        return;
    const QString code = liste_.Valeurs()[static_cast<std::size_t>(ligne)].code;
    if (ui::messages().Show(QStringLiteral("Voulez-vous supprimer la valeur « %1 » de la liste ?").arg(code),
                            ui::Buttons::YesNo, ui::Icon::Question,
                            ui::DefaultButton::Second) != ui::Answer::Yes)
        return;
    const auto usages = Usages(ligne);
    if (!usages)
        return;
    if (const QString refus = liste_.Supprimer(ligne, usages->first, usages->second); !refus.isEmpty())
        return Refuser(refus);
    modifiee_ = true;
    Afficher(-1);
}

// A code typed but never added would be lost without a word by OK.
bool Ctr_Parametres::ValeurEnAttente() {
    const QString code = ui->Txt_Code->text().trimmed();
    if (code.isEmpty() || liste_.Trouver(code) >= 0)
        return false;
    const ui::Answer reponse = ui::messages().Show(
        QStringLiteral("La valeur « %1 » n'a pas été ajoutée à la liste. Voulez-vous l'ajouter ?").arg(code),
        ui::Buttons::YesNoCancel, ui::Icon::Question);
    if (reponse == ui::Answer::Cancel)
        return true;
    if (reponse == ui::Answer::Yes) {
        const int avant = static_cast<int>(liste_.Valeurs().size());
        Cmd_Ajouter_Click();
        return static_cast<int>(liste_.Valeurs().size()) == avant;
    }
    return false;
}

void Ctr_Parametres::Cmd_OK_Click() {
    if (lectureSeule_)
        return Sortir();
    if (ValeurEnAttente())
        return;
    if (modifiee_ && !Enregistrer())
        return;
    Sortir();
}

bool Ctr_Parametres::Enregistrer() {
    dba::Record r;
    try {
        const dba::Table table = TheDatabase().OpenTable(t::TABLES);
        const std::string cle = cle_.toStdString();
        try {
            r = table.ReadRecordLocked(cle);
        } catch (const dba::RecordNotFound&) {
            r = table.NewRecord(cle); // the lock is held for the new record
        }
        if (r.Item() != lu_) {
            r.Release();
            ui::messages().Show(
                QStringLiteral("La liste a été modifiée sur un autre poste pendant votre saisie : "
                               "vos changements ne sont pas enregistrés. La liste est relue, "
                               "vous pouvez les refaire."),
                ui::Buttons::Ok, ui::Icon::Exclamation);
            Relire(r);
            return false;
        }
        liste_.Ecrire(r, cle_);
        r.DBWrite();
        enregistree_ = true;
        modifiee_ = false;
        return true;
    } catch (const dba::RecordLocked& error) {
        ui::messages().Show(
            QStringLiteral("La liste est en cours de modification par %1 : vos changements ne "
                           "sont pas enregistrés. Réessayez dans un instant.")
                .arg(QString::fromStdString(error.holder())),
            ui::Buttons::Ok, ui::Icon::Exclamation);
    } catch (const dba::Error& error) {
        if (r.hasTable()) {
            try {
                r.Release();
            } catch (const dba::Error&) {
                // The failure said below is the one that matters.
            }
        }
        ui::messages().Show(QStringLiteral("La liste n'a pas pu être enregistrée : ") +
                                QString::fromUtf8(error.what()),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
    }
    return false;
}

void Ctr_Parametres::Cmd_Annuler_Click() {
    if (modifiee_ &&
        ui::messages().Show(
            QStringLiteral("Les changements de la liste ne seront pas enregistrés. Voulez-vous "
                           "quitter ?"),
            ui::Buttons::YesNo, ui::Icon::Question, ui::DefaultButton::Second) != ui::Answer::Yes)
        return;
    Sortir();
}

} // namespace screens::siblings
