#include "screens/contrat_annuel/frm_contrat_annuel.h"

#include "ui_frm_contrat_annuel.h"

#include "data/contrat_fields.h"
#include "data/numbers.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "dba/errors.h"
#include "ui/events.h"
#include "ui/messages.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QtDebug>
#include <algorithm>

using rules::Hundredths;
namespace suivi = rules::suivi;

namespace {

// Column order of the lists and of the entry line.
enum Colonne { Periode, HresParContrat, HresAbs, HresForfait, HresReel, Difference, DiffCumul, Regul, Solde };
constexpr int NombreColonnes = 9;

// Layout, in twips (1440 an inch): the form follows the screen's resolution.
constexpr int Marge = 120;
constexpr int LargeurPeriode = 1695;
constexpr int LargeurNombre = 1095;
constexpr int LargeurBdv = 255;
constexpr int HauteurLigneSaisie = 330;
constexpr int LargeurBouton = 1215;
constexpr int HauteurBouton = 390;

const QString QuestionQuitterCreation = QStringLiteral("Etes-vous sûr de vouloir quitter cette création ?");
const QString QuestionSupprimerLigne = QStringLiteral("Etes-vous sûr de vouloir supprimer cette ligne ?");
const QString QuestionSupprimerSuivi =
    QStringLiteral("Etes-vous sûr de vouloir supprimer ce suivi de contrat ?");
const QString QuestionEnregistrer =
    QStringLiteral("Voulez-vous enregistrer les modifications apportées à cet article ?");

QFont FixedPitch() {
    QFont font(QStringLiteral("Courier New"), 8);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

dba::Table OpenHandle(data::GlobalState& g, dba::Table& handle, const char* name) {
    return handle.isOpen() ? handle : g.TheDatabase.OpenTable(name);
}

} // namespace

Frm_ContratAnnuel::Frm_ContratAnnuel(data::GlobalState& globals, QWidget* parent)
    : QDialog(parent), ui(new Ui::Frm_ContratAnnuel), g_(globals) {
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    lists_ = {ui->Lst_Periode,     ui->Lst_HresParContrat, ui->Lst_HresAbs,
              ui->Lst_HresForfait, ui->Lst_HresReel,       ui->Lst_Difference,
              ui->Lst_DiffCumul,   ui->Lst_Regul,          ui->Lst_Solde};
    boxes_ = {ui->Txt_HresParContrat, ui->Txt_HresAbs,   ui->Txt_HresForfait, ui->Txt_HresReel,
              ui->Txt_Difference,     ui->Txt_DiffCumul, ui->Txt_Regul,       ui->Txt_Solde};

    const QFont fixed = FixedPitch();
    for (QListWidget* list : lists_) {
        list->setFont(fixed);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        // A figure cut short must not pass for another one.
        list->setTextElideMode(Qt::ElideNone);
    }
    for (QLineEdit* box : boxes_)
        box->setFont(fixed);
    ui->Cbo_Periode->setFont(fixed);
    for (QListWidget* list : lists_)
        if (auto* heading = findChild<QWidget*>(QStringLiteral("Etq_") + list->objectName().mid(4))) {
            QFont small = heading->font();
            small.setPointSize(8);
            heading->setFont(small);
        }
    // A period is chosen from the list, never typed.
    ui->Cbo_Periode->lineEdit()->setReadOnly(true);
    ui->Lst_CopieDiff->hide();

    mnuAide_ = new QMenu(QStringLiteral("Aide"), this);
    mnuAide_->setObjectName(QStringLiteral("Mnu_Aide"));
    QAction* sommaire = mnuAide_->addAction(QStringLiteral("Sommaire"));
    sommaire->setObjectName(QStringLiteral("Mnu_Sommaire"));
    connect(sommaire, &QAction::triggered, this, [this] { Mnu_Sommaire_Click(); });
    ui->Cdr_Periode->installEventFilter(this);

    Vider_Texte();
    Griser_Texte();
    Init_Defilement();
    connectHandlers();
}

Frm_ContratAnnuel::~Frm_ContratAnnuel() = default;

int Frm_ContratAnnuel::Twips(int twips) const {
    return qRound(twips * logicalDpiX() / 1440.0);
}

void Frm_ContratAnnuel::connectHandlers() {
    for (int k = 0; k < NombreColonnes; ++k) {
        ui::onClick(lists_[k], this, [this, k] { Lst_Click(k); });
        ui::onDblClick(lists_[k], this, &Frm_ContratAnnuel::Descendre_Liste);
        // The lists scroll as one (wheel, keyboard, selection).
        connect(lists_[k]->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
            for (QListWidget* other : lists_)
                other->verticalScrollBar()->setValue(value);
        });
    }
    ui::onUpDownChange(ui->Bdv_Detail, this, &Frm_ContratAnnuel::Bdv_Detail_Change);
    ui::onClick(ui->Cmd_Ajouter, this, &Frm_ContratAnnuel::Cmd_Ajouter_Click);
    ui::onClick(ui->Cmd_OK, this, &Frm_ContratAnnuel::Cmd_OK_Click);
    ui::onClick(ui->Cmd_Annuler, this, &Frm_ContratAnnuel::Cmd_Annuler_Click);
    ui::onClick(ui->Cmd_Supprimer, this, &Frm_ContratAnnuel::Cmd_Supprimer_Click);
    ui::onClick(ui->Cmd_Retour, this, &Frm_ContratAnnuel::Cmd_Retour_Click);
    ui::onClick(ui->Opt_EnCours, this, &Frm_ContratAnnuel::Opt_EnCours_Click);
    ui::onClick(ui->Opt_Precedent, this, &Frm_ContratAnnuel::Opt_Precedent_Click);
    ui::onKeyPress(ui->Cbo_Periode->lineEdit(), this, &Frm_ContratAnnuel::Cbo_Periode_KeyPress);
    for (QLineEdit* box : {ui->Txt_HresParContrat, ui->Txt_HresAbs, ui->Txt_HresForfait, ui->Txt_HresReel})
        ui::onKeyPress(box, this, [this, box](int& ascii) { Txt_Unsigned_KeyPress(box, ascii); });
    for (QLineEdit* box : {ui->Txt_Difference, ui->Txt_DiffCumul, ui->Txt_Regul, ui->Txt_Solde}) {
        ui::onKeyPress(box, this, [this, box](int& ascii) { Txt_Signed_KeyPress(box, ascii); });
        if (box != ui->Txt_DiffCumul)
            ui::onLostFocus(box, this, [this, box] { Txt_Signe_LostFocus(box); });
    }
    ui::onLostFocus(ui->Txt_HresParContrat, this, &Frm_ContratAnnuel::Txt_HresParContrat_LostFocus);
    ui::onLostFocus(ui->Txt_HresAbs, this, &Frm_ContratAnnuel::Txt_HresAbs_LostFocus);
    ui::onLostFocus(ui->Txt_HresReel, this, &Frm_ContratAnnuel::Txt_HresReel_LostFocus);
}

// --- Layout ---

void Frm_ContratAnnuel::Placer_Colonnes() {
    const bool large = ui->Bdv_Detail->isVisibleTo(this);
    const int m = Twips(Marge);

    ui->Etq_Aidant->setGeometry(m, Twips(180), Twips(600), Twips(285));
    ui->Etq_CodeAidant->setGeometry(m + Twips(660), Twips(180), Twips(840), Twips(285));
    ui->Etq_NomAidant->setGeometry(m + Twips(1560), Twips(180), Twips(4200), Twips(285));

    // Row height of the fixed-pitch lists, from the font in use.
    int row = lists_[0]->sizeHintForRow(0);
    if (row <= 0) {
        lists_[0]->addItem(QStringLiteral("X"));
        row = lists_[0]->sizeHintForRow(0);
        delete lists_[0]->takeItem(0);
    }
    const int frame = lists_[0]->frameWidth();
    const int listTop = Twips(1500);
    const int listHeight = LignesVisibles * row + 2 * frame;
    const int entryTop = listTop + listHeight + Twips(90);

    int x = m;
    for (int k = 0; k < NombreColonnes; ++k) {
        const int twips = k == Periode     ? LargeurPeriode
                          : k == DiffCumul ? (large ? LargeurDiffCumulLarge : LargeurDiffCumul)
                                           : LargeurNombre;
        const int w = Twips(twips);
        auto* heading = findChild<QWidget*>(QStringLiteral("Etq_") + lists_[k]->objectName().mid(4));
        if (heading)
            heading->setGeometry(x, Twips(780), w, Twips(690));
        lists_[k]->setGeometry(x, listTop, w, listHeight);
        QWidget* entry = k == Periode ? static_cast<QWidget*>(ui->Cbo_Periode) : boxes_[k - 1];
        entry->setGeometry(x, entryTop, w, Twips(HauteurLigneSaisie));
        x += w;
    }
    ui->Bdv_Detail->setGeometry(x, listTop, Twips(LargeurBdv), listHeight);

    // The form keeps the width of the widest layout, so it never jumps.
    const int right = m + Twips(LargeurPeriode) + 7 * Twips(LargeurNombre) + Twips(LargeurDiffCumulLarge) +
                      Twips(LargeurBdv);
    ui->Cdr_Periode->setGeometry(right - Twips(3000), Twips(60), Twips(3000), Twips(645));
    ui->Opt_EnCours->setGeometry(Twips(180), Twips(255), Twips(1350), Twips(300));
    ui->Opt_Precedent->setGeometry(Twips(1560), Twips(255), Twips(1350), Twips(300));

    const int buttonsTop = entryTop + Twips(HauteurLigneSaisie) + Twips(300);
    const int bw = Twips(LargeurBouton), bh = Twips(HauteurBouton), gap = Twips(120);
    ui->Cmd_Ajouter->setGeometry(m, buttonsTop, bw, bh);
    ui->Cmd_Supprimer->setGeometry(m + bw + gap, buttonsTop, bw, bh);
    ui->Cmd_Retour->setGeometry(right - bw, buttonsTop, bw, bh);
    ui->Cmd_Annuler->setGeometry(right - 2 * bw - gap, buttonsTop, bw, bh);
    ui->Cmd_OK->setGeometry(right - 3 * bw - 2 * gap, buttonsTop, bw, bh);
    setFixedSize(right + m, buttonsTop + bh + m);
}

// --- Opening ---

void Frm_ContratAnnuel::SetEtq_CodeAidant(const QString& code) {
    ui->Etq_CodeAidant->setText(code);
}

void Frm_ContratAnnuel::SetEtq_NomAidant(const QString& name) {
    ui->Etq_NomAidant->setText(name);
}

void Frm_ContratAnnuel::SetContrat(const QString& agreement, const QString& entity, const QString& employer) {
    agreement_ = agreement.trimmed();
    entity_ = entity.trimmed();
    employer_ = employer.trimmed();
}

void Frm_ContratAnnuel::Remplir_Periode() {
    namespace c = data::contrat;
    suivi::PeriodChoiceData d;
    d.agreement = agreement_.toStdString();
    d.lastCalculated = g_.ContractRecord.Item(c::PeriodeBulletinCalcule);
    d.lastPayPeriod = g_.ContractRecord.Item(c::DernierePeriodePaie);
    d.currentPayPeriod = g_.PayPeriodRecord.Item(data::periodespaie::PeriodeCourante);
    try {
        const std::string entity = entity_.toStdString();
        if (!entity.empty()) {
            d.entityFollowUp = OpenHandle(g_, g_.Handles.Association, data::tables::ASSOCIATION)
                                   .ReadRecordOrEmpty(entity)
                                   .Item(data::association::SuiviParEtablissement);
            if (d.agreement != c::ConventionParticulierEmployeur)
                d.closingMonth = OpenHandle(g_, g_.Handles.Etablissement, data::tables::ETABLISSEMENT)
                                     .ReadRecordOrEmpty(entity + employer_.toStdString())
                                     .Item(data::etablissement::MoisCloture);
        }
    } catch (const dba::Error& error) {
        // The periods are then offered as for a calendar year.
        qWarning() << "suivi du contrat: lecture de l'entité ou de l'employeur :" << error.what();
    }
    QComboBox* combo = ui->Cbo_Periode;
    combo->clear();
    for (const std::string& code : suivi::OfferedPeriods(d))
        combo->addItem(suivi::PeriodLabel(code));
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
}

void Frm_ContratAnnuel::setDroitsUtilisateur(std::shared_ptr<data::AccessRights> rights) {
    rights_ = std::move(rights);
    profile_.reset();
    if (!rights_)
        return;
    try {
        profile_ = rights_->GetModuleRights("DOSSIERAIDE");
    } catch (const dba::Error& error) {
        // No readable rights: the screen is read only.
        qWarning() << "suivi du contrat: droits illisibles :" << error.what();
    }
}

void Frm_ContratAnnuel::Init() {
    Appliquer_Droits();
}

void Frm_ContratAnnuel::Appliquer_Droits() {
    const bool full = profile_ && profile_->AccessLevel() == data::RightsProfile::FullAccess;
    ui->Cmd_Ajouter->setVisible(full);
    ui->Cmd_Supprimer->setVisible(full);
    ui->Cmd_OK->setVisible(full);
}

// --- Reading, showing, snapshot ---

QString Frm_ContratAnnuel::Format(Hundredths amount, bool isSigned) const {
    return suivi::FormatHours(amount, isSigned, g_.DecimalSeparator);
}

void Frm_ContratAnnuel::Afficher_Lignes() {
    Vider_Liste();
    ui->Lst_CopieDiff->clear();
    const auto totals = suivi::Accumulate(rows_);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const suivi::Row& r = rows_[i];
        const QString texts[NombreColonnes] = {
            suivi::PeriodLabel(r.period),       Format(r.contracted, false), Format(r.absence, false),
            Format(r.FlatRate(), false),        Format(r.actual, false),     Format(r.difference, true),
            Format(totals[i].cumulative, true), Format(r.adjustment, true),  Format(totals[i].balance, true)};
        for (int k = 0; k < NombreColonnes; ++k)
            lists_[k]->addItem(texts[k]);
        ui->Lst_CopieDiff->addItem(texts[Difference]);
    }
}

void Frm_ContratAnnuel::Lecture_EnCours() {
    previousShown_ = false;
    rows_ = suivi::ReadYear(g_.ContractRecord, suivi::CurrentYear);
    Afficher_Lignes();
    Init_Defilement();
    if (!rows_.empty())
        RemplirTable();
}

void Frm_ContratAnnuel::Lecture_Precedent() {
    previousShown_ = true;
    rows_ = suivi::ReadYear(g_.ContractRecord, suivi::PreviousYear);
    Afficher_Lignes();
    Init_Defilement();
}

void Frm_ContratAnnuel::RemplirTable() {
    snapshot_ = suivi::TakeSnapshot(g_.ContractRecord, rows_.size());
    noSnapshot_ = false;
}

void Frm_ContratAnnuel::DonneesOriginales() {
    Vider_Liste();
    suivi::Restore(g_.ContractRecord, snapshot_);
}

void Frm_ContratAnnuel::Init_Defilement() {
    QScrollBar* bar = ui->Bdv_Detail;
    const QSignalBlocker blocker(bar);
    const int maximum = static_cast<int>(rows_.size()) - 1;
    bar->setRange(0, std::max(0, maximum));
    bar->setVisible(maximum >= LignesVisibles);
    Placer_Colonnes();
}

// --- Entry line and lists ---

void Frm_ContratAnnuel::Vider_Liste() {
    for (QListWidget* list : lists_)
        list->clear();
}

void Frm_ContratAnnuel::Vider_Texte() {
    ui->Cbo_Periode->setCurrentIndex(-1);
    ui->Cbo_Periode->setEditText(QString());
    for (QLineEdit* box : boxes_)
        box->clear();
    ui->Txt_Difference->setEnabled(false);
    ui->Txt_Regul->setEnabled(false);
    ui->Cmd_Annuler->setEnabled(false);
    ui->Cmd_Retour->setEnabled(true);
}

void Frm_ContratAnnuel::Griser_Liste() {
    for (QListWidget* list : lists_)
        list->setEnabled(false);
    ui->Cbo_Periode->setEnabled(true);
    for (QLineEdit* box : boxes_)
        box->setEnabled(true);
}

void Frm_ContratAnnuel::Griser_Texte() {
    for (QListWidget* list : lists_)
        list->setEnabled(true);
    ui->Cbo_Periode->setEnabled(false);
    for (QLineEdit* box : boxes_)
        box->setEnabled(false);
}

void Frm_ContratAnnuel::Deselectionner() {
    for (QListWidget* list : lists_) {
        list->setCurrentRow(-1);
        list->clearSelection();
    }
    selectedRow_ = -1;
}

void Frm_ContratAnnuel::Lst_Click(int column) {
    const int row = lists_[column]->currentRow();
    if (row < 0)
        return;
    QListWidget* next = lists_[(column + 1) % NombreColonnes];
    if (next->currentRow() != row)
        next->setCurrentRow(row);
    if (column == DiffCumul)
        ui->Bdv_Detail->setValue(row);
}

void Frm_ContratAnnuel::Bdv_Detail_Change() {
    if (!rows_.empty())
        ui->Lst_Periode->setCurrentRow(ui->Bdv_Detail->value());
}

void Frm_ContratAnnuel::Descendre_Liste() {
    const int row = ui->Lst_Periode->currentRow();
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    selectedRow_ = row;
    ui->Opt_EnCours->setEnabled(false);
    ui->Opt_Precedent->setEnabled(false);
    ui->Cbo_Periode->setEditText(lists_[Periode]->item(row)->text());
    for (int k = 1; k < NombreColonnes; ++k)
        boxes_[k - 1]->setText(lists_[k]->item(row)->text().trimmed());
    if (previousShown_)
        return;
    ui->Txt_Regul->setEnabled(true);
    ui->Txt_Difference->setEnabled(true);
    ui->Txt_Difference->setFocus();
    ui->Txt_Solde->setEnabled(false);
    ui->Txt_DiffCumul->setEnabled(false);
    ui->Txt_HresForfait->setEnabled(false);
    ui->Cmd_Ajouter->setEnabled(false);
    ui->Cmd_Annuler->setEnabled(true);
    ui->Cmd_Retour->setEnabled(false);
}

// --- Buttons ---

void Frm_ContratAnnuel::Cmd_Ajouter_Click() {
    ui->Cmd_Ajouter->setEnabled(false);
    ui->Opt_EnCours->setEnabled(false);
    ui->Opt_Precedent->setEnabled(false);
    ui->Cmd_Retour->setEnabled(false);
    ui->Cmd_Supprimer->setEnabled(false);
    ui->Cmd_OK->setEnabled(true);
    ui->Cmd_Annuler->setEnabled(true);
    Griser_Liste();
    ui->Cbo_Periode->setFocus();
    for (QLineEdit* box : {ui->Txt_HresAbs, ui->Txt_HresForfait, ui->Txt_HresReel, ui->Txt_Difference,
                           ui->Txt_DiffCumul, ui->Txt_Regul, ui->Txt_Solde})
        box->setEnabled(false);
    creating_ = true;
}

bool Frm_ContratAnnuel::Recherche_Periode() {
    const auto result = suivi::AddPeriod(rows_, ui->Cbo_Periode->currentText(),
                                         ui->Txt_HresParContrat->text(), ui->Txt_Regul->text());
    switch (result.refusal) {
    case suivi::AddRefusal::Missing:
        ui::messages().Show(QString::fromUtf8(suivi::MessageObligatoires), ui::Buttons::Ok,
                            ui::Icon::Exclamation);
        return false;
    case suivi::AddRefusal::Duplicate:
        ui::messages().Show(QString::fromUtf8(suivi::MessageExisteDeja), ui::Buttons::Ok,
                            ui::Icon::Exclamation);
        ui->Cbo_Periode->setCurrentIndex(-1);
        ui->Cbo_Periode->setEditText(QString());
        ui->Cbo_Periode->setFocus();
        return false;
    case suivi::AddRefusal::None:
        break;
    }
    const suivi::Row& added = rows_[result.index];
    ui->Txt_HresAbs->setText(QStringLiteral("0"));
    ui->Txt_HresForfait->setText(Format(added.contracted, false).trimmed());
    ui->Txt_HresReel->setText(Format(added.contracted, false).trimmed());
    ui->Txt_Difference->setText(QStringLiteral("0"));
    ui->Txt_DiffCumul->setText(QStringLiteral("0"));
    ui->Txt_Solde->setText(QStringLiteral("0"));
    // The new row's cumulative difference and balance follow from the rows
    // before it at once, like every row after it.
    Afficher_Lignes();
    return true;
}

void Frm_ContratAnnuel::Modifier_Ligne() {
    if (selectedRow_ < 0 || selectedRow_ >= static_cast<int>(rows_.size()))
        return;
    suivi::Row& r = rows_[static_cast<std::size_t>(selectedRow_)];
    r.contracted = suivi::HoursOrZero(ui->Txt_HresParContrat->text());
    r.absence = suivi::HoursOrZero(ui->Txt_HresAbs->text());
    r.actual = suivi::HoursOrZero(ui->Txt_HresReel->text());
    r.difference = suivi::HoursOrZero(ui->Txt_Difference->text());
    r.adjustment = suivi::HoursOrZero(ui->Txt_Regul->text());
    Afficher_Lignes();
}

void Frm_ContratAnnuel::Cmd_OK_Click() {
    if (!ui->Cbo_Periode->currentText().isEmpty() || creating_) {
        if (creating_) {
            if (!Recherche_Periode())
                return;
        } else {
            Modifier_Ligne();
            ui->Cbo_Periode->setEditText(QString());
        }
        Vider_Texte();
        Griser_Texte();
        ui->Opt_EnCours->setEnabled(true);
        ui->Opt_Precedent->setEnabled(true);
        Deselectionner();
    } else {
        if (!previousShown_)
            suivi::WriteCurrentYear(g_.ContractRecord, rows_);
        Fermer();
    }
    creating_ = false;
    ui->Cmd_Ajouter->setEnabled(true);
    ui->Cmd_Supprimer->setEnabled(true);
    Init_Defilement();
}

void Frm_ContratAnnuel::Cmd_Annuler_Click() {
    if (creating_ && ui::messages().Show(QuestionQuitterCreation, ui::Buttons::YesNo,
                                         ui::Icon::Exclamation) == ui::Answer::No)
        return;
    Griser_Texte();
    Vider_Texte();
    creating_ = false;
    Deselectionner();
    ui->Cmd_Ajouter->setEnabled(true);
    ui->Cmd_Supprimer->setEnabled(true);
    ui->Opt_EnCours->setEnabled(true);
    ui->Opt_Precedent->setEnabled(true);
}

void Frm_ContratAnnuel::Cmd_Supprimer_Click() {
    const auto ask = [](const QString& question) {
        return ui::messages().Show(question, ui::Buttons::YesNo, ui::Icon::Exclamation,
                                   ui::DefaultButton::Second) == ui::Answer::Yes;
    };
    if (!ui->Cbo_Periode->currentText().isEmpty()) {
        ui->Opt_EnCours->setEnabled(false);
        ui->Opt_Precedent->setEnabled(false);
        if (ask(QuestionSupprimerLigne) && selectedRow_ >= 0 &&
            selectedRow_ < static_cast<int>(rows_.size())) {
            suivi::DeletePeriod(g_.ContractRecord, static_cast<std::size_t>(selectedRow_));
            rows_.erase(rows_.begin() + selectedRow_);
            Afficher_Lignes();
            Vider_Texte();
            Griser_Texte();
            selectedRow_ = -1;
            Init_Defilement();
        }
    } else if (!rows_.empty()) {
        ui->Opt_EnCours->setEnabled(false);
        ui->Opt_Precedent->setEnabled(false);
        if (ask(QuestionSupprimerSuivi)) {
            suivi::DeleteFollowUp(g_.ContractRecord);
            rows_.clear();
            Vider_Liste();
            ui->Lst_CopieDiff->clear();
            Init_Defilement();
        }
    } else {
        return;
    }
    ui->Cmd_Ajouter->setEnabled(true);
    ui->Opt_EnCours->setEnabled(true);
    ui->Opt_Precedent->setEnabled(true);
}

void Frm_ContratAnnuel::Cmd_Retour_Click() {
    bool changes = false;
    if (previousShown_) {
        // The previous year is never changed here; what may have changed is
        // the current year, by deletions made before switching.
        changes = !noSnapshot_ && suivi::TakeSnapshot(g_.ContractRecord, 0).fields != snapshot_.fields;
    } else {
        changes = suivi::HasChanges(g_.ContractRecord, rows_, noSnapshot_ ? 0 : snapshot_.rows);
    }
    if (changes) {
        ui::messages().Beep();
        switch (ui::messages().Show(QuestionEnregistrer, ui::Buttons::YesNoCancel, ui::Icon::Exclamation)) {
        case ui::Answer::Yes:
            if (!previousShown_)
                suivi::WriteCurrentYear(g_.ContractRecord, rows_);
            break;
        case ui::Answer::No:
            if (!noSnapshot_)
                DonneesOriginales();
            break;
        default:
            return;
        }
    }
    Fermer();
}

void Frm_ContratAnnuel::Fermer() {
    closePermission_ = true;
    accept();
}

void Frm_ContratAnnuel::Opt_EnCours_Click() {
    Lecture_EnCours();
    ui->Cmd_Ajouter->setEnabled(true);
    ui->Cmd_Supprimer->setEnabled(true);
    ui->Cmd_OK->setEnabled(true);
    Griser_Texte();
    ui->Txt_Difference->setEnabled(true);
}

void Frm_ContratAnnuel::Opt_Precedent_Click() {
    Lecture_Precedent();
    ui->Cmd_Ajouter->setEnabled(false);
    ui->Cmd_Supprimer->setEnabled(false);
    ui->Cmd_OK->setEnabled(false);
    Griser_Liste();
    ui->Cbo_Periode->setEnabled(false);
    for (QLineEdit* box : boxes_)
        box->setEnabled(false);
}

// --- Entry checks ---

void Frm_ContratAnnuel::Cbo_Periode_KeyPress(int& ascii) {
    ascii = 0;
}

void Frm_ContratAnnuel::Txt_Unsigned_KeyPress(QLineEdit* box, int& ascii) {
    ascii = data::numbers::FilterNumericKey(ascii, false, g_.DecimalSeparator, box->text());
}

void Frm_ContratAnnuel::Txt_Signed_KeyPress(QLineEdit* box, int& ascii) {
    ascii = suivi::FilterSignedKey(ascii, box->text(), box->cursorPosition(), box->selectionStart(),
                                   static_cast<int>(box->selectedText().size()), g_.DecimalSeparator);
}

Hundredths Frm_ContratAnnuel::ZeroIfEmpty(QLineEdit* box) const {
    if (box->text().trimmed().isEmpty())
        box->setText(QStringLiteral("0"));
    return suivi::HoursOrZero(box->text());
}

void Frm_ContratAnnuel::Txt_HresParContrat_LostFocus() {
    const Hundredths contracted = ZeroIfEmpty(ui->Txt_HresParContrat);
    const Hundredths absence = ZeroIfEmpty(ui->Txt_HresAbs);
    const Hundredths adjustment = ZeroIfEmpty(ui->Txt_Regul);
    ui->Txt_HresForfait->setText(Format(contracted - absence, false).trimmed());
    ui->Txt_Regul->setText(Format(adjustment, true).trimmed());
}

void Frm_ContratAnnuel::Txt_HresAbs_LostFocus() {
    if (ui->Txt_HresAbs->text().trimmed().isEmpty() && ui->Txt_HresParContrat->text().trimmed().isEmpty())
        return;
    const Hundredths absence = ZeroIfEmpty(ui->Txt_HresAbs);
    const Hundredths flat = suivi::HoursOrZero(ui->Txt_HresParContrat->text()) - absence;
    const Hundredths actual = ZeroIfEmpty(ui->Txt_HresReel);
    ui->Txt_HresForfait->setText(Format(flat, false).trimmed());
    ui->Txt_Difference->setText(Format(actual - flat, true).trimmed());
}

void Frm_ContratAnnuel::Txt_HresReel_LostFocus() {
    if (ui->Txt_HresReel->text().trimmed().isEmpty() && ui->Txt_HresForfait->text().trimmed().isEmpty())
        return;
    const Hundredths actual = ZeroIfEmpty(ui->Txt_HresReel);
    const Hundredths flat = suivi::HoursOrZero(ui->Txt_HresForfait->text());
    ui->Txt_Difference->setText(Format(actual - flat, true).trimmed());
}

void Frm_ContratAnnuel::Txt_Signe_LostFocus(QLineEdit* box) {
    box->setText(Format(ZeroIfEmpty(box), true).trimmed());
}

// --- Closing and help ---

void Frm_ContratAnnuel::closeEvent(QCloseEvent* event) {
    if (!closePermission_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void Frm_ContratAnnuel::reject() {
    // Escape is no way out: only OK and Retour end the screen.
    if (closePermission_)
        QDialog::reject();
}

void Frm_ContratAnnuel::done(int result) {
    if (!closePermission_)
        return;
    profile_.reset();
    rights_.reset();
    QDialog::done(result);
}

void Frm_ContratAnnuel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        mnuAide_->setEnabled(true);
        mnuAide_->actions().first()->setEnabled(true);
        mnuAide_->popup(event->globalPosition().toPoint());
        return;
    }
    QDialog::mousePressEvent(event);
}

bool Frm_ContratAnnuel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->Cdr_Periode && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            mousePressEvent(mouse);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Frm_ContratAnnuel::Mnu_Sommaire_Click() {
    // The help contents are not delivered with the library.
}
