#include "screens/comment_bull/frm_comment_bull.h"

#include "data/contrat_fields.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "ui/events.h"
#include "ui/messages.h"
#include "ui_frm_comment_bull.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

// Twips at 15 to the pixel: the text column leaves room for the scroll bar
// only when there is one.
constexpr int LargeurLibelleAvecBdv = 7215 / 15;
constexpr int LargeurLibelleSansBdv = 7455 / 15;
constexpr int LignesSansBdv = 10;

QString Periode(const QListWidgetItem* item) {
    return item ? item->data(Qt::UserRole).toString() : QString();
}

} // namespace

Frm_CommentBull::Frm_CommentBull(data::GlobalState& globals, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Frm_CommentBull>()), g_(globals) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("Frm_CommentBull"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // The scroll bar beside the lists moves both of them; each list keeps
    // the other at the same height.
    for (QListWidget* list : {ui->Lst_Periode, ui->Lst_Libelle}) {
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setUniformItemSizes(true);
    }
    connect(ui->Lst_Periode->verticalScrollBar(), &QScrollBar::valueChanged,
            ui->Lst_Libelle->verticalScrollBar(), &QScrollBar::setValue);
    connect(ui->Lst_Libelle->verticalScrollBar(), &QScrollBar::valueChanged,
            ui->Lst_Periode->verticalScrollBar(), &QScrollBar::setValue);
    // Ten lines in view: the scroll bar comes with the eleventh.
    ui->Lst_Periode->addItem(QStringLiteral("X"));
    const int hauteurLigne = ui->Lst_Periode->sizeHintForRow(0);
    ui->Lst_Periode->clear();
    for (QListWidget* list : {ui->Lst_Periode, ui->Lst_Libelle})
        list->setFixedHeight(hauteurLigne * LignesSansBdv + 2 * list->frameWidth());
    ui->Bdv_Detail->setMinimum(0);

    mnuAide_ = new QMenu(QStringLiteral("Aide"), this);
    mnuAide_->setObjectName(QStringLiteral("Mnu_Aide"));
    // The help contents are not delivered with the library: the item is inert.
    mnuAide_->addAction(QStringLiteral("Aide ARBELDONE"))->setObjectName(QStringLiteral("Mnu_Sommaire"));

    connectHandlers();

    // Form_Load
    fermetureAutorisee_ = false;
    ViderListes();
    Remplir_Donnees();
    Remplir_Periode();
    FinSaisie();
    copie_ = rules::CopierCommentaires(g_.ContractRecord);
}

Frm_CommentBull::~Frm_CommentBull() = default;

void Frm_CommentBull::connectHandlers() {
    ui::onClick(ui->Lst_Periode, this, &Frm_CommentBull::Lst_Periode_Click);
    ui::onClick(ui->Lst_Libelle, this, &Frm_CommentBull::Lst_Libelle_Click);
    ui::onUpDownChange(ui->Bdv_Detail, this, &Frm_CommentBull::Bdv_Detail_Change);
    ui::onDblClick(ui->Lst_Periode, this, &Frm_CommentBull::Lst_DblClick);
    ui::onDblClick(ui->Lst_Libelle, this, &Frm_CommentBull::Lst_DblClick);
    ui::onClick(ui->Cmd_Ajouter, this, &Frm_CommentBull::Cmd_Ajouter_Click);
    ui::onClick(ui->Cmd_OK, this, &Frm_CommentBull::Cmd_OK_Click);
    ui::onClick(ui->Cmd_Supprimer, this, &Frm_CommentBull::Cmd_Supprimer_Click);
    ui::onClick(ui->Cmd_Annuler, this, &Frm_CommentBull::Cmd_Annuler_Click);
    ui::onClick(ui->Cmd_Sortir, this, &Frm_CommentBull::Cmd_Sortir_Click);
}

// --- Opening ---

void Frm_CommentBull::setDroitsUtilisateur(std::shared_ptr<data::AccessRights> rights) {
    rights_ = std::move(rights);
    profile_.reset();
    if (rights_)
        profile_ = rights_->GetModuleRights("DOSSIERAIDE");
}

void Frm_CommentBull::Init() {
    if (profile_ && profile_->AccessLevel() == data::RightsProfile::FullAccess)
        return;
    ui->Cmd_Ajouter->hide();
    ui->Cmd_OK->hide();
    ui->Cmd_Supprimer->hide();
}

void Frm_CommentBull::ViderListes() {
    ui->Lst_Periode->clear();
    ui->Lst_Libelle->clear();
    MajBdv();
}

void Frm_CommentBull::Remplir_Donnees() {
    for (const auto& ligne : rules::LireCommentaires(g_.ContractRecord))
        InsererLigne(ligne);
    MajBdv();
}

void Frm_CommentBull::Remplir_Periode() {
    const dba::Record periodes =
        g_.Handles.PeriodesPaie.isOpen()
            ? g_.Handles.PeriodesPaie.ReadRecordOrEmpty(data::tables::keys::PeriodesPaie)
            : g_.TheDatabase.OpenTable(data::tables::PERIODESPAIE)
                  .ReadRecordOrEmpty(data::tables::keys::PeriodesPaie);
    ui->Cbo_Periode->clear();
    for (int champ : {data::periodespaie::PeriodeCourante, data::periodespaie::PeriodeSuivante}) {
        const QString periode = QString::fromStdString(periodes.Item(champ));
        ui->Cbo_Periode->addItem(rules::LibellePeriode(periode), periode);
    }
    ui->Cbo_Periode->setCurrentIndex(-1);
}

std::vector<rules::CommentaireBulletin> Frm_CommentBull::Lignes() const {
    std::vector<rules::CommentaireBulletin> out;
    for (int i = 0; i < ui->Lst_Periode->count(); ++i)
        out.push_back({Periode(ui->Lst_Periode->item(i)), ui->Lst_Libelle->item(i)->text()});
    return out;
}

void Frm_CommentBull::InsererLigne(const rules::CommentaireBulletin& ligne) {
    QStringList periodes;
    for (int i = 0; i < ui->Lst_Periode->count(); ++i)
        periodes << Periode(ui->Lst_Periode->item(i));
    const int place = rules::PlaceTriee(periodes, ligne.periode);
    auto* item = new QListWidgetItem(rules::LibellePeriode(ligne.periode));
    item->setData(Qt::UserRole, ligne.periode);
    ui->Lst_Periode->insertItem(place, item);
    ui->Lst_Libelle->insertItem(place, ligne.libelle);
}

void Frm_CommentBull::MajBdv() {
    const int lignes = ui->Lst_Periode->count();
    ui->Bdv_Detail->setMaximum(std::max(0, lignes - 1));
    const bool visible = lignes > LignesSansBdv;
    ui->Bdv_Detail->setVisible(visible);
    ui->Lst_Libelle->setFixedWidth(visible ? LargeurLibelleAvecBdv : LargeurLibelleSansBdv);
}

bool Frm_CommentBull::EnSaisie() const {
    return ui->Txt_Libelle->isEnabled();
}

void Frm_CommentBull::FinSaisie() {
    ui->Cbo_Periode->setCurrentIndex(-1);
    ui->Txt_Libelle->clear();
    ui->Cbo_Periode->setEnabled(false);
    ui->Txt_Libelle->setEnabled(false);
    // A changed line may have shown a period no longer offered.
    if (ui->Cbo_Periode->count() > 2)
        Remplir_Periode();
    creation_ = false;
    ligneModifiee_ = -1;
    ui->Lst_Periode->setEnabled(true);
    ui->Lst_Libelle->setEnabled(true);
    ui->Cmd_Ajouter->setEnabled(true);
    ui->Cmd_Sortir->setEnabled(true);
    ui->Cmd_Supprimer->setEnabled(false);
    MajBdv();
}

void Frm_CommentBull::Fermer() {
    fermetureAutorisee_ = true;
    ViderListes();
    accept();
}

// --- Lists ---

void Frm_CommentBull::Lst_Periode_Click() {
    const int row = ui->Lst_Periode->currentRow();
    if (row >= 0 && ui->Lst_Libelle->currentRow() != row)
        ui->Lst_Libelle->setCurrentRow(row);
}

void Frm_CommentBull::Lst_Libelle_Click() {
    const int row = ui->Lst_Libelle->currentRow();
    if (row < 0)
        return;
    ui->Bdv_Detail->setValue(row);
    if (ui->Lst_Periode->currentRow() != row)
        ui->Lst_Periode->setCurrentRow(row);
}

void Frm_CommentBull::Bdv_Detail_Change() {
    const int value = ui->Bdv_Detail->value();
    if (value == 0 && ui->Lst_Periode->currentRow() < 0)
        return;
    if (value < ui->Lst_Periode->count() && ui->Lst_Periode->currentRow() != value)
        ui->Lst_Periode->setCurrentRow(value);
}

void Frm_CommentBull::Lst_DblClick() {
    const int row = ui->Lst_Periode->currentRow();
    if (row < 0 || EnSaisie())
        return;
    ligneModifiee_ = row;
    creation_ = false;
    const QString periode = Periode(ui->Lst_Periode->item(row));
    int index = ui->Cbo_Periode->findData(periode);
    if (index < 0) {
        // An older period: shown for what it is, it cannot be chosen anyway.
        ui->Cbo_Periode->addItem(ui->Lst_Periode->item(row)->text(), periode);
        index = ui->Cbo_Periode->count() - 1;
    }
    ui->Cbo_Periode->setCurrentIndex(index);
    ui->Txt_Libelle->setText(ui->Lst_Libelle->item(row)->text());
    ui->Lst_Periode->setEnabled(false);
    ui->Lst_Libelle->setEnabled(false);
    ui->Cbo_Periode->setEnabled(false);
    ui->Cmd_Ajouter->setEnabled(false);
    ui->Cmd_Sortir->setEnabled(false);
    ui->Txt_Libelle->setEnabled(true);
    ui->Cmd_Supprimer->setEnabled(true);
    ui->Txt_Libelle->setFocus();
}

// --- Buttons ---

void Frm_CommentBull::Cmd_Ajouter_Click() {
    creation_ = true;
    ligneModifiee_ = -1;
    ui->Cmd_Ajouter->setEnabled(false);
    ui->Cmd_Supprimer->setEnabled(false);
    ui->Cmd_Sortir->setEnabled(false);
    ui->Lst_Periode->setEnabled(false);
    ui->Lst_Libelle->setEnabled(false);
    ui->Cbo_Periode->setEnabled(true);
    ui->Txt_Libelle->setEnabled(true);
    ui->Cbo_Periode->setFocus();
}

void Frm_CommentBull::Cmd_OK_Click() {
    if (!EnSaisie()) {
        rules::EcrireCommentaires(g_.ContractRecord, rules::ChampsDe(Lignes()));
        Fermer();
        return;
    }
    const QString periode = ui->Cbo_Periode->currentData().toString();
    const QString libelle = ui->Txt_Libelle->text();
    QStringList periodes;
    for (const auto& ligne : Lignes())
        periodes << ligne.periode;
    if (const auto refus = rules::VerifCommentaire(creation_, periode, libelle, periodes)) {
        ui::messages().Show(refus->message, ui::Buttons::Ok, refus->icon);
        if (auto* focus = findChild<QWidget*>(refus->focus))
            focus->setFocus();
        return;
    }
    if (!creation_ && ligneModifiee_ >= 0) {
        delete ui->Lst_Periode->takeItem(ligneModifiee_);
        delete ui->Lst_Libelle->takeItem(ligneModifiee_);
    }
    InsererLigne({periode, libelle});
    FinSaisie();
}

void Frm_CommentBull::Cmd_Supprimer_Click() {
    const ui::Answer answer =
        ui::messages().Show(QStringLiteral("Etes-vous sûr de vouloir supprimer cette ligne ?"),
                            ui::Buttons::YesNo, ui::Icon::Exclamation);
    const int row = ligneModifiee_ >= 0 ? ligneModifiee_ : ui->Lst_Periode->currentRow();
    if (answer == ui::Answer::Yes && row >= 0 && row < ui->Lst_Periode->count()) {
        delete ui->Lst_Periode->takeItem(row);
        delete ui->Lst_Libelle->takeItem(row);
    }
    FinSaisie();
}

void Frm_CommentBull::Cmd_Annuler_Click() {
    if (creation_) {
        const ui::Answer answer =
            ui::messages().Show(QStringLiteral("Etes-vous sûr de vouloir quitter cette création ?"),
                                ui::Buttons::YesNo, ui::Icon::Exclamation);
        if (answer == ui::Answer::Yes)
            FinSaisie();
        return;
    }
    if (EnSaisie()) {
        FinSaisie();
        return;
    }
    // Leaves without touching the contract.
    Fermer();
}

void Frm_CommentBull::Cmd_Sortir_Click() {
    const rules::ChampsCommentaires nouveaux = rules::ChampsDe(Lignes());
    if (rules::MemesCommentaires(nouveaux, copie_)) {
        Fermer();
        return;
    }
    ui::Answer answer = ui::Answer::No;
    if (profile_ && profile_->AccessLevel() == data::RightsProfile::FullAccess) {
        ui::messages().Beep();
        answer = ui::messages().Show(
            QStringLiteral("Voulez-vous enregistrer les modifications apportées à cet article ?"),
            ui::Buttons::YesNoCancel, ui::Icon::Exclamation);
    }
    if (answer == ui::Answer::Cancel)
        return;
    // The contract is only touched once the answer is known: a Cancel
    // followed by "Annuler" leaves it as it was.
    rules::EcrireCommentaires(g_.ContractRecord, answer == ui::Answer::Yes ? nouveaux : copie_);
    Fermer();
}

// --- Closing and help ---

void Frm_CommentBull::closeEvent(QCloseEvent* event) {
    if (fermetureAutorisee_)
        event->accept();
    else
        event->ignore();
}

void Frm_CommentBull::reject() {
    // Escape closes no more than the close box does.
    if (fermetureAutorisee_)
        QDialog::reject();
}

void Frm_CommentBull::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        mnuAide_->setEnabled(true);
        mnuAide_->actions().first()->setEnabled(true);
        mnuAide_->popup(event->globalPosition().toPoint());
    }
    QDialog::mousePressEvent(event);
}
