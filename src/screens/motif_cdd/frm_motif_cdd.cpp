#include "screens/motif_cdd/frm_motif_cdd.h"

#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "dba/upper_case.h"
#include "editor/table_error.h"
#include "ui/busy_cursor.h"
#include "ui/events.h"
#include "ui/messages.h"
#include "ui_frm_motif_cdd.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QScrollBar>

namespace c = data::contrat;
namespace t = data::tables;

namespace {

constexpr int Entree = 13;

QString Texte(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

Frm_MotifCDD::Frm_MotifCDD(data::GlobalState& globals, const screens::ContexteMotifCDD& editeur,
                           QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Frm_MotifCDD>()), g_(globals), editeur_(editeur) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("Frm_MotifCDD"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // Rows are fixed columns: they only line up in a fixed-pitch font.
    QFont fixe(QStringLiteral("Courier New"), font().pointSize());
    fixe.setStyleHint(QFont::TypeWriter);
    fixe.setFixedPitch(true);
    if (!QFontInfo(fixe).fixedPitch()) {
        fixe = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixe.setPointSize(font().pointSize());
    }
    QListWidget* liste = ui->Lst_AidantRemplace;
    liste->setFont(fixe);
    // Code, name and absence in view; the absence key further right.
    liste->setFixedWidth(liste->fontMetrics().horizontalAdvance(QString(106, QLatin1Char('M'))) +
                         2 * liste->frameWidth() + liste->verticalScrollBar()->sizeHint().width() + 8);
    liste->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ui->Txt_CodeAbs->hide();
    ui->Cmd_MotifsEmbauche->setEnabled(false);

    connectHandlers();

    // Form_Load
    typesAbsence_ = rules::LireListe(Table(t::TABLES).ReadRecordOrEmpty(t::lists::ABSENCES));
    Afficher_Donnees();
    Grise_Liste();
}

Frm_MotifCDD::~Frm_MotifCDD() = default;

void Frm_MotifCDD::connectHandlers() {
    ui::onKeyPress(ui->Txt_CodeAidant, this, &Frm_MotifCDD::Txt_CodeAidant_KeyPress);
    ui::onLostFocus(ui->Txt_CodeAidant, this, &Frm_MotifCDD::Txt_CodeAidant_LostFocus);
    ui::onChange(ui->Txt_CodeAidant, this, &Frm_MotifCDD::Txt_CodeAidant_Change);
    ui::onKeyPress(ui->Cbo_AidantRemplace, this, &Frm_MotifCDD::Cbo_AidantRemplace_KeyPress);
    ui::onClick(ui->Cbo_AidantRemplace, this, &Frm_MotifCDD::Cbo_AidantRemplace_Click);
    ui::onComboChange(ui->Cbo_AidantRemplace, this, &Frm_MotifCDD::Cbo_AidantRemplace_Change);
    ui::onClick(ui->Cbo_Absence, this, &Frm_MotifCDD::Cbo_Absence_Click);
    ui::onComboChange(ui->Cbo_Absence, this, &Frm_MotifCDD::Cbo_Absence_Change);
    ui::onDblClick(ui->Lst_AidantRemplace, this, &Frm_MotifCDD::Lst_AidantRemplace_DblClick);
    ui::onClick(ui->Cmd_AjouterAidant, this, &Frm_MotifCDD::Cmd_AjouterAidant_Click);
    ui::onClick(ui->Cmd_SupprimerAidant, this, &Frm_MotifCDD::Cmd_SupprimerAidant_Click);
    ui::onClick(ui->Cmd_AnnulerAidant, this, &Frm_MotifCDD::Cmd_AnnulerAidant_Click);
    ui::onClick(ui->Cmd_OkAidant, this, &Frm_MotifCDD::Cmd_OkAidant_Click);
    ui::onClick(ui->Cmd_MotifsEmbauche, this, &Frm_MotifCDD::Cmd_MotifsEmbauche_Click);
    ui::onClick(ui->Cmd_OK, this, &Frm_MotifCDD::Cmd_OK_Click);
    ui::onClick(ui->Cmd_Retour, this, &Frm_MotifCDD::Cmd_Retour_Click);
}

dba::Table Frm_MotifCDD::Table(const char* name) {
    if (const dba::Table* handle = g_.Handles.Find(name); handle && handle->isOpen())
        return *handle;
    return g_.TheDatabase.OpenTable(name);
}

QLineEdit* Frm_MotifCDD::Txt_MotifEmbContrat(int index) const {
    return index == 0 ? ui->Txt_MotifEmbContrat_0 : index == 1 ? ui->Txt_MotifEmbContrat_1 : nullptr;
}

// --- Opening ---

void Frm_MotifCDD::setDroitsUtilisateur(std::shared_ptr<data::AccessRights> rights) {
    rights_ = std::move(rights);
    profile_.reset();
    if (rights_)
        profile_ = rights_->GetModuleRights("DOSSIERAIDE");
}

void Frm_MotifCDD::SetEtq_CodeAidant(const QString& code) {
    ui->Etq_CodeAidant->setText(code);
}

void Frm_MotifCDD::SetEtq_NomPrenomAidant(const QString& nom) {
    ui->Etq_NomPrenomAidant->setText(nom);
}

void Frm_MotifCDD::setDatDebContrat(const QString& date) {
    datDebContrat_ = date;
}

void Frm_MotifCDD::setOuvrirMotifsEmbauche(std::function<void()> ouvrir) {
    ouvrirMotifsEmbauche_ = std::move(ouvrir);
    ui->Cmd_MotifsEmbauche->setEnabled(static_cast<bool>(ouvrirMotifsEmbauche_));
}

void Frm_MotifCDD::Init() {
    Appliquer_Droits();
}

void Frm_MotifCDD::Appliquer_Droits() {
    const bool peutModifier = profile_ && profile_->AccessLevel() == data::RightsProfile::FullAccess &&
                              g_.ContractManagementLevel < QLatin1String("3");
    ui->Cmd_OK->setVisible(peutModifier);
}

// --- Display ---

void Frm_MotifCDD::Afficher_Donnees() {
    const dba::Record& r = g_.ContractRecord;
    ui->Txt_MotifEmbContrat_0->setText(Texte(r.Item(c::MotifEmbaucheTexte, 1)));
    ui->Txt_MotifEmbContrat_1->setText(Texte(r.Item(c::MotifEmbaucheTexte, 2)));
    Remplir_Motifs(Texte(r.Item(c::MotifEmbauche)));
    Remplir_ListeAidant();
}

void Frm_MotifCDD::Remplir_Motifs(const QString& codeChoisi) {
    motifs_ = rules::LireListe(Table(t::TABLES).ReadRecordOrEmpty(t::lists::MOTIFEMBAUCHE));
    ui->Cbo_MotifEmbauche->clear();
    ui->Cbo_MotifEmbauche->addItems(rules::LibellesOfferts(motifs_));
    ui->Cbo_MotifEmbauche->setCurrentIndex(rules::IndexDuCode(motifs_, codeChoisi));
}

void Frm_MotifCDD::Remplir_ListeAidant() {
    const dba::Record& r = g_.ContractRecord;
    ui->Lst_AidantRemplace->clear();
    for (int i = 1; i <= r.DCount(c::RemplacesSansCode); ++i) {
        const QString nom = Texte(r.Item(c::RemplacesSansCode, i));
        if (!nom.isEmpty())
            ui->Lst_AidantRemplace->addItem(rules::LigneRemplaceSansCode(nom));
    }
    const int n = r.DCount(c::AidantsRemplaces);
    if (n == 0)
        return;
    const dba::Table aidants = Table(t::CIVILAIDANT);
    const dba::Table absences = Table(t::ABSENCESAIDANT);
    for (int i = 1; i <= n; ++i) {
        const std::string code = r.Item(c::AidantsRemplaces, i);
        if (code.empty())
            continue;
        const dba::Record aidant = aidants.ReadRecordOrEmpty(code);
        const QString nom =
            Texte(aidant.Item(data::civilaidant::Nom) + " " + aidant.Item(data::civilaidant::Prenom));
        const std::string cle = r.Item(c::AbsencesRemplacees, i);
        QString absence;
        if (!cle.empty()) {
            const dba::Record abs = absences.ReadRecordOrEmpty(cle);
            absence = rules::LibelleAbsence(
                rules::LibelleDuCode(typesAbsence_, Texte(abs.Item(data::absencesaidant::Type))), Texte(cle),
                Texte(abs.Item(data::absencesaidant::DateFin)));
        }
        ui->Lst_AidantRemplace->addItem(rules::LigneAidantRemplace(Texte(code), nom, absence, Texte(cle)));
    }
}

// --- Modes ---

void Frm_MotifCDD::Grise_Liste() {
    ui->Cmd_AjouterAidant->setEnabled(true);
    ui->Cmd_OK->setEnabled(true);
    ui->Cmd_Retour->setEnabled(true);
    ui->Lst_AidantRemplace->setEnabled(true);
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui->Cmd_OkAidant, ui->Cmd_SupprimerAidant, ui->Cmd_AnnulerAidant,
                                         ui->Txt_CodeAidant, ui->Cbo_Absence, ui->Cbo_AidantRemplace})
        w->setEnabled(false);
    ui->Txt_CodeAidant->clear();
    ui->Txt_CodeAbs->clear();
    ui->Cbo_AidantRemplace->clear();
    ui->Cbo_AidantRemplace->setEditText(QString());
    ui->Cbo_Absence->clear();
    ui->Cbo_Absence->setEditText(QString());
    aidantsTrouves_ = {};
    absencesTrouvees_ = {};
}

void Frm_MotifCDD::Degrise_Liste() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui->Cmd_OkAidant, ui->Cmd_AnnulerAidant, ui->Txt_CodeAidant,
                                         ui->Cbo_Absence, ui->Cbo_AidantRemplace})
        w->setEnabled(true);
    ui->Cmd_SupprimerAidant->setEnabled(!creation_);
    for (QWidget* w : std::initializer_list<QWidget*>{ui->Cmd_AjouterAidant, ui->Cmd_OK, ui->Cmd_Retour,
                                                      ui->Lst_AidantRemplace})
        w->setEnabled(false);
}

// --- Helper by code ---

QString Frm_MotifCDD::JourDebut() const {
    return data::dates::DateToInternal(datDebContrat_);
}

void Frm_MotifCDD::Refuser(const rules::Refus& refus) {
    ui::messages().Show(refus.message, ui::Buttons::Ok, refus.icon);
    if (auto* focus = findChild<QWidget*>(refus.focus))
        focus->setFocus();
}

void Frm_MotifCDD::Txt_CodeAidant_KeyPress(int& ascii) {
    if (ascii != Entree)
        return;
    ascii = 0;
    const QString code = rules::CompleterCodeAidant(ui->Txt_CodeAidant->text());
    if (code.size() > rules::LongueurCodeAidant) {
        const auto refus = rules::VerifAidantParCode(code, std::nullopt, JourDebut());
        ui->Txt_CodeAidant->clear();
        Refuser(*refus);
        return;
    }
    ui->Txt_CodeAidant->setText(code);
}

void Frm_MotifCDD::Txt_CodeAidant_LostFocus() {
    const QString typed = ui->Txt_CodeAidant->text();
    if (typed.size() > rules::LongueurCodeAidant) {
        // No helper code is that long: refused like an unknown code rather
        // than cut to a code that may be someone else's.
        const auto refus = rules::VerifAidantParCode(typed, std::nullopt, JourDebut());
        ui->Txt_CodeAidant->clear();
        Refuser(*refus);
        return;
    }
    if (!typed.isEmpty() && typed.size() < rules::LongueurCodeAidant)
        ui->Txt_CodeAidant->setText(rules::CompleterCodeAidant(typed));
}

void Frm_MotifCDD::Txt_CodeAidant_Change() {
    const QString code = ui->Txt_CodeAidant->text();
    if (code.size() != rules::LongueurCodeAidant) {
        ui->Cbo_AidantRemplace->setEditText(QString());
        return;
    }
    std::optional<rules::AidantLu> aidant;
    try {
        const dba::Record r = Table(t::CIVILAIDANT).ReadRecord(code.toStdString());
        aidant =
            rules::AidantLu{Texte(r.Item(data::civilaidant::Nom)), Texte(r.Item(data::civilaidant::Prenom)),
                            Texte(r.Item(data::civilaidant::DateSortie))};
    } catch (const dba::RecordNotFound&) {
    } catch (const dba::Error& error) {
        editor::SignalerTableIllisible(t::CIVILAIDANT, error);
        ui->Txt_CodeAidant->clear();
        return;
    }
    if (const auto refus = rules::VerifAidantParCode(code, aidant, JourDebut())) {
        ui::messages().Show(refus->message, ui::Buttons::Ok, refus->icon);
        ui->Txt_CodeAidant->clear();
        ui->Txt_CodeAidant->setFocus();
        return;
    }
    if (ui->Cbo_AidantRemplace->currentText().isEmpty())
        ui->Cbo_AidantRemplace->setEditText(aidant->nom + QLatin1Char(' ') + aidant->prenom);

    dba::ResultList contrats;
    try {
        contrats = g_.TheDatabase.SelectRecords(rules::RequeteContratsAidant(code, editeur_.convention,
                                                                             editeur_.employeur,
                                                                             editeur_.entite, JourDebut()),
                                                "0");
    } catch (const dba::Error& error) {
        editor::SignalerTableIllisible(t::CONTRAT, error);
        ui->Txt_CodeAidant->clear();
        return;
    }
    if (contrats.empty()) {
        ui::messages().Show(rules::MessageSansContrat(editeur_.convention), ui::Buttons::Ok,
                            ui::Icon::Exclamation);
        ui->Txt_CodeAidant->clear();
        return;
    }
    Recherche_AbsAidant(code, datDebContrat_);
}

// --- Helper by name ---

void Frm_MotifCDD::Cbo_AidantRemplace_KeyPress(int& ascii) {
    if (ascii != Entree)
        return;
    ascii = 0;
    Recherche_Aidant();
}

void Frm_MotifCDD::Recherche_Aidant() {
    const QString texte = ui->Cbo_AidantRemplace->currentText();
    if (texte.isEmpty()) {
        ui::messages().Show(
            QStringLiteral("La saisie d'au moins un caractère est nécessaire pour la recherche."),
            ui::Buttons::Ok, ui::Icon::Exclamation);
        return;
    }
    try {
        ui::BusyCursor sablier(this);
        aidantsTrouves_ =
            g_.TheDatabase.SelectRecords(rules::RequeteAidantsParNom(texte, JourDebut()), "0 2 3 36");
    } catch (const dba::QuerySyntaxError&) {
        // A name the query cannot carry (a double quote) finds nobody.
        aidantsTrouves_ = {};
    } catch (const dba::Error& error) {
        aidantsTrouves_ = {};
        editor::SignalerTableIllisible(t::CIVILAIDANT, error);
        return;
    }
    ui->Cbo_AidantRemplace->clear();
    for (int row = 1; row <= aidantsTrouves_.DCount(); ++row)
        ui->Cbo_AidantRemplace->addItem(
            Texte(aidantsTrouves_.Item(row, 2) + " " + aidantsTrouves_.Item(row, 3)));
    ui->Cbo_AidantRemplace->setCurrentIndex(-1);
    ui->Cbo_AidantRemplace->setEditText(texte);
    if (aidantsTrouves_.empty())
        ui::messages().Show(QStringLiteral("Aucun aidant commencant par ") +
                                Texte(dba::UpperCase(texte.toStdString())) + QStringLiteral("."),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
}

void Frm_MotifCDD::Cbo_AidantRemplace_Click() {
    const int row = ui->Cbo_AidantRemplace->currentIndex() + 1;
    if (row < 1)
        return;
    ui->Txt_CodeAidant->setText(Texte(aidantsTrouves_.Item(row, 1)));
    if (ui->Txt_CodeAidant->text().isEmpty())
        ui->Cbo_AidantRemplace->setCurrentIndex(-1);
}

void Frm_MotifCDD::Cbo_AidantRemplace_Change() {
    if (!ui->Cbo_AidantRemplace->currentText().isEmpty())
        return;
    ui->Txt_CodeAidant->clear();
    ui->Cbo_Absence->clear();
    ui->Cbo_Absence->setEditText(QString());
}

// --- Absences ---

void Frm_MotifCDD::Recherche_AbsAidant(const QString& code, const QString& date) {
    ui->Cbo_Absence->clear();
    ui->Cbo_Absence->setEditText(QString());
    try {
        absencesTrouvees_ = g_.TheDatabase.SelectRecords(
            rules::RequeteAbsencesAidant(code, data::dates::DateToInternal(date)), "0 2 11");
    } catch (const dba::Error& error) {
        absencesTrouvees_ = {};
        editor::SignalerTableIllisible(t::ABSENCESAIDANT, error);
        return;
    }
    for (int row = 1; row <= absencesTrouvees_.DCount(); ++row)
        ui->Cbo_Absence->addItem(rules::LibelleAbsence(
            rules::LibelleDuCode(typesAbsence_, Texte(absencesTrouvees_.Item(row, 3))),
            Texte(absencesTrouvees_.Item(row, 1)), Texte(absencesTrouvees_.Item(row, 2))));
    ui->Cbo_Absence->setCurrentIndex(-1);
    if (absencesTrouvees_.empty())
        ui::messages().Show(QStringLiteral("Aucune absence en cours ou à venir pour l'aidant ") +
                                ui->Cbo_AidantRemplace->currentText() + QStringLiteral("."),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
}

void Frm_MotifCDD::Cbo_Absence_Click() {
    const int row = ui->Cbo_Absence->currentIndex() + 1;
    if (row < 1)
        return;
    ui->Txt_CodeAbs->setText(Texte(absencesTrouvees_.Item(row, 1)));
    if (ui->Txt_CodeAbs->text().isEmpty())
        ui->Cbo_Absence->setCurrentIndex(-1);
}

void Frm_MotifCDD::Cbo_Absence_Change() {
    if (ui->Cbo_Absence->currentText().isEmpty())
        ui->Txt_CodeAbs->clear();
}

// --- Rows ---

QStringList Frm_MotifCDD::Lignes() const {
    QStringList out;
    for (int i = 0; i < ui->Lst_AidantRemplace->count(); ++i)
        out << ui->Lst_AidantRemplace->item(i)->text();
    return out;
}

bool Frm_MotifCDD::Verif_AidantRemplacant() {
    rules::SaisieAidant saisie;
    saisie.code = ui->Txt_CodeAidant->text();
    saisie.nom = ui->Cbo_AidantRemplace->currentText();
    saisie.absence = ui->Cbo_Absence->currentText();
    saisie.codeAidantContrat = ui->Etq_CodeAidant->text();
    saisie.ligneModifiee = creation_ ? -1 : ligneModifiee_;
    if (const auto refus = rules::VerifAidantRemplacant(saisie, Lignes())) {
        ui::messages().Show(refus->message, ui::Buttons::Ok, refus->icon);
        return false;
    }
    return true;
}

void Frm_MotifCDD::Lst_AidantRemplace_DblClick() {
    const int row = ui->Lst_AidantRemplace->currentRow();
    if (row < 0)
        return;
    creation_ = false;
    ligneModifiee_ = row;
    Degrise_Liste();
    const QString ligne = ui->Lst_AidantRemplace->item(row)->text();
    const rules::LigneRemplace lue = rules::LireLigne(ligne);
    if (!lue.code.isEmpty()) {
        ui->Txt_CodeAidant->setText(lue.code);
        ui->Cbo_AidantRemplace->setEditText(lue.nom);
        ui->Cbo_Absence->setEditText(lue.absence);
        ui->Txt_CodeAbs->setText(lue.cleAbsence);
    } else {
        // Known by name only: such a row can be deleted, not changed.
        ui->Cbo_AidantRemplace->setEditText(lue.nom);
        ui->Cbo_Absence->setEnabled(false);
        ui->Cmd_OkAidant->setEnabled(false);
        ui->Cmd_AnnulerAidant->setEnabled(true);
    }
    // Only the absence of an existing row can change.
    ui->Lst_AidantRemplace->setEnabled(false);
    ui->Txt_CodeAidant->setEnabled(false);
    ui->Cbo_AidantRemplace->setEnabled(false);
    ui->Cmd_SupprimerAidant->setEnabled(true);
}

void Frm_MotifCDD::Cmd_AjouterAidant_Click() {
    creation_ = true;
    ligneModifiee_ = -1;
    Degrise_Liste();
    ui->Cmd_SupprimerAidant->setEnabled(false);
    ui->Txt_CodeAidant->setFocus();
}

void Frm_MotifCDD::Cmd_OkAidant_Click() {
    if (!Verif_AidantRemplacant())
        return;
    const QString ligne =
        rules::LigneAidantRemplace(ui->Txt_CodeAidant->text(), ui->Cbo_AidantRemplace->currentText(),
                                   ui->Cbo_Absence->currentText(), ui->Txt_CodeAbs->text());
    if (!creation_ && ligneModifiee_ >= 0 && ligneModifiee_ < ui->Lst_AidantRemplace->count()) {
        delete ui->Lst_AidantRemplace->takeItem(ligneModifiee_);
        ui->Lst_AidantRemplace->insertItem(ligneModifiee_, ligne);
    } else {
        ui->Lst_AidantRemplace->addItem(ligne);
    }
    Grise_Liste();
    ui->Lst_AidantRemplace->setEnabled(true);
}

void Frm_MotifCDD::Cmd_AnnulerAidant_Click() {
    if (creation_ && ui::messages().Show(QStringLiteral("Etes-vous sûr de vouloir quitter cette création ?"),
                                         ui::Buttons::YesNo, ui::Icon::Question) != ui::Answer::Yes)
        return;
    creation_ = false;
    Grise_Liste();
    ui->Lst_AidantRemplace->setEnabled(true);
}

void Frm_MotifCDD::Cmd_SupprimerAidant_Click() {
    const ui::Answer answer =
        ui::messages().Show(QStringLiteral("Etes-vous sûr de vouloir supprimer cette ligne ?"),
                            ui::Buttons::YesNo, ui::Icon::Exclamation);
    const int row = ligneModifiee_ >= 0 ? ligneModifiee_ : ui->Lst_AidantRemplace->currentRow();
    if (answer == ui::Answer::Yes && row >= 0 && row < ui->Lst_AidantRemplace->count())
        delete ui->Lst_AidantRemplace->takeItem(row);
    Grise_Liste();
    creation_ = false;
    ligneModifiee_ = -1;
    ui->Lst_AidantRemplace->setEnabled(true);
}

// --- Hiring reasons ---

QString Frm_MotifCDD::CodeMotifChoisi() const {
    const int index = ui->Cbo_MotifEmbauche->currentIndex();
    return index < 0 ? QString() : motifs_.codes.value(index);
}

void Frm_MotifCDD::Cmd_MotifsEmbauche_Click() {
    if (!ouvrirMotifsEmbauche_)
        return;
    // The reason chosen on screen stays chosen if the list still has it.
    const QString choisi = CodeMotifChoisi();
    ouvrirMotifsEmbauche_();
    try {
        Remplir_Motifs(choisi);
    } catch (const dba::Error& error) {
        editor::SignalerTableIllisible(t::TABLES, error);
    }
}

// --- Writing and closing ---

rules::ChampsMotif Frm_MotifCDD::Verif_TabDyn() const {
    return rules::ConstruireChampsMotif(ui->Txt_MotifEmbContrat_0->text(), ui->Txt_MotifEmbContrat_1->text(),
                                        CodeMotifChoisi(), Lignes());
}

void Frm_MotifCDD::MAJ_TabDyn() {
    rules::EcrireChampsMotif(g_.ContractRecord, Verif_TabDyn());
}

void Frm_MotifCDD::Ecrire_Donnees() {
    MAJ_TabDyn();
}

void Frm_MotifCDD::Fermer() {
    fermetureAutorisee_ = 1;
    accept();
}

void Frm_MotifCDD::Cmd_OK_Click() {
    if (ui->Cbo_MotifEmbauche->currentText().isEmpty() && ui->Txt_MotifEmbContrat_0->text().isEmpty()) {
        ui::messages().Show(QStringLiteral("La saisie d'un motif d'embauche est obligatoire."),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
        ui->Txt_MotifEmbContrat_0->setFocus();
        return;
    }
    Ecrire_Donnees();
    Fermer();
}

void Frm_MotifCDD::Cmd_Retour_Click() {
    if (rules::MemeContenu(Verif_TabDyn(), rules::LireChampsMotif(g_.ContractRecord))) {
        Fermer();
        return;
    }
    ui::Answer answer = ui::Answer::No;
    const bool peutEnregistrer = profile_ && profile_->AccessLevel() == data::RightsProfile::FullAccess &&
                                 g_.ContractManagementLevel < QLatin1String("3");
    if (peutEnregistrer) {
        ui::messages().Beep();
        answer = ui::messages().Show(
            QStringLiteral("Voulez-vous enregistrer les modifications apportées à cet article ?"),
            ui::Buttons::YesNoCancel, ui::Icon::Exclamation);
    }
    if (answer == ui::Answer::Cancel)
        return;
    if (answer == ui::Answer::Yes)
        MAJ_TabDyn();
    Fermer();
}

void Frm_MotifCDD::closeEvent(QCloseEvent* event) {
    if (fermetureAutorisee_ == 1)
        event->accept();
    else
        event->ignore();
}

void Frm_MotifCDD::reject() {
    // Escape closes no more than the close box does.
    if (fermetureAutorisee_ == 1)
        QDialog::reject();
}
