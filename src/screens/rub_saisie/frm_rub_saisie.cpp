#include "screens/rub_saisie/frm_rub_saisie.h"

#include "data/numbers.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "rules/code_entry.h"
#include "ui/events.h"
#include "ui/messages.h"
#include "ui_frm_rub_saisie.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QScrollBar>

namespace col = rules::catalogue_column;

namespace {

constexpr int LongueurCode = 3;
constexpr int LignesVisibles = 15;
// Width of the activity column, without and with the scroll bar beside it.
constexpr int LargeurActivite = 169;
constexpr int LargeurActiviteDefilement = 185;

QString Texte(const QListWidget* list, int row) {
    const QListWidgetItem* item = list->item(row);
    return item ? item->text() : QString();
}

} // namespace

long long& Frm_RubSaisie::DerniereBaseSaisie() {
    static long long last = 0;
    return last;
}

Frm_RubSaisie::Frm_RubSaisie(data::GlobalState& globals, bool administratif, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Frm_RubSaisie>()), g_(globals), administratif_(administratif) {
    ui->setupUi(this);
    QFont fixe(QStringLiteral("DejaVu Sans Mono"));
    fixe.setStyleHint(QFont::TypeWriter);
    for (QListWidget* list : ListesVisibles()) {
        list->setFont(fixe);
        // The lists scroll together through Bdv_Detail, not each on its own.
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setUniformItemSizes(true);
        connect(list->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
            for (QListWidget* other : ListesVisibles())
                other->verticalScrollBar()->setValue(value);
        });
    }
    ui->Lst_CodeActSelect->setVisible(false);
    ui->Lst_CodeAct->setVisible(false);
    ui->Cbo_LibRub->setCompleter(nullptr);
    AjusterLargeurs();
    connectHandlers();

    // Form_Load
    rubSaisie_ = g_.TheDatabase.OpenTable(data::tables::RUBSAISIE);
    copie_ = rules::CopyPayEntryFields(g_.ContractRecord);
    Remplir_RubSaisie();
    Afficher_Donnees();
    Vider_Texte();
    Degriser_Liste();
    InitBdvDetail();
}

Frm_RubSaisie::~Frm_RubSaisie() = default;

QList<QListWidget*> Frm_RubSaisie::ListesVisibles() const {
    return {ui->Lst_Code, ui->Lst_LibRub, ui->Lst_Base, ui->Lst_Taux, ui->Lst_Montant, ui->Lst_Activite};
}

QList<QListWidget*> Frm_RubSaisie::ToutesListes() const {
    return ListesVisibles() << ui->Lst_CodeActSelect;
}

QList<QWidget*> Frm_RubSaisie::ChampsSaisie() const {
    return {ui->Txt_Code, ui->Cbo_LibRub, ui->Txt_Base, ui->Txt_Taux, ui->Txt_Montant, ui->Cbo_Activite};
}

void Frm_RubSaisie::AjusterLargeurs() {
    const QFontMetrics fm(ui->Lst_Code->font());
    const int rowHeight = fm.height() + 4;
    const int chiffre = fm.horizontalAdvance(QLatin1Char('0'));
    const int marge = 2 * ui->Lst_Code->frameWidth() + 10;
    // Characters of each column: code, label, "-99999,99", "999,9999", "-99999,99".
    const std::pair<QListWidget*, QWidget*> colonnes[] = {{ui->Lst_Code, ui->Txt_Code},
                                                          {ui->Lst_LibRub, ui->Cbo_LibRub},
                                                          {ui->Lst_Base, ui->Txt_Base},
                                                          {ui->Lst_Taux, ui->Txt_Taux},
                                                          {ui->Lst_Montant, ui->Txt_Montant}};
    const int caracteres[] = {5, 34, 9, 8, 9};
    for (int i = 0; i < 5; ++i) {
        const int width = chiffre * caracteres[i] + marge;
        colonnes[i].first->setFixedWidth(width);
        colonnes[i].second->setFixedWidth(width);
    }
    for (QListWidget* list : ListesVisibles())
        list->setFixedHeight(rowHeight * LignesVisibles + 2 * list->frameWidth());
    ui->Bdv_Detail->setFixedHeight(ui->Lst_Code->height());
    for (QComboBox* combo : {ui->Cbo_LibRub, ui->Cbo_Activite}) {
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(4);
    }
    ui->Lst_Activite->setFixedWidth(LargeurActivite);
    ui->Cbo_Activite->setFixedWidth(LargeurActivite);
}

void Frm_RubSaisie::connectHandlers() {
    ui::onChange(ui->Txt_Code, this, &Frm_RubSaisie::Txt_Code_Change);
    ui::onKeyPress(ui->Txt_Code, this, &Frm_RubSaisie::Txt_Code_KeyPress);
    ui::onLostFocus(ui->Txt_Code, this, &Frm_RubSaisie::Txt_Code_LostFocus);
    ui::onClick(ui->Cbo_LibRub, this, &Frm_RubSaisie::Cbo_LibRub_Click);
    ui::onComboChange(ui->Cbo_LibRub, this, &Frm_RubSaisie::Cbo_LibRub_Change);
    ui::onKeyPress(ui->Txt_Base, this, &Frm_RubSaisie::Txt_Base_KeyPress);
    ui::onKeyPress(ui->Txt_Taux, this, &Frm_RubSaisie::Txt_Taux_KeyPress);
    ui::onKeyPress(ui->Txt_Montant, this, &Frm_RubSaisie::Txt_Montant_KeyPress);
    ui::onLostFocus(ui->Txt_Base, this, &Frm_RubSaisie::Txt_Base_LostFocus);
    ui::onLostFocus(ui->Txt_Taux, this, &Frm_RubSaisie::Txt_Taux_LostFocus);
    ui::onLostFocus(ui->Txt_Montant, this, &Frm_RubSaisie::Txt_Montant_LostFocus);
    ui::onClick(ui->Lst_Code, this, &Frm_RubSaisie::Lst_Code_Click);
    ui::onClick(ui->Lst_LibRub, this, &Frm_RubSaisie::Lst_LibRub_Click);
    ui::onClick(ui->Lst_Base, this, &Frm_RubSaisie::Lst_Base_Click);
    ui::onClick(ui->Lst_Taux, this, &Frm_RubSaisie::Lst_Taux_Click);
    ui::onClick(ui->Lst_Montant, this, &Frm_RubSaisie::Lst_Montant_Click);
    ui::onClick(ui->Lst_Activite, this, &Frm_RubSaisie::Lst_Activite_Click);
    ui::onUpDownChange(ui->Bdv_Detail, this, &Frm_RubSaisie::Bdv_Detail_Change);
    for (QListWidget* list : ListesVisibles())
        ui::onDblClick(list, this, [this, list] {
            ui->Lst_Code->setCurrentRow(list->currentRow());
            Descendre_Liste();
        });
    ui::onClick(ui->Cmd_Ajouter, this, &Frm_RubSaisie::Cmd_Ajouter_Click);
    ui::onClick(ui->Cmd_Supprimer, this, &Frm_RubSaisie::Cmd_Supprimer_Click);
    ui::onClick(ui->Cmd_OK, this, &Frm_RubSaisie::Cmd_OK_Click);
    ui::onClick(ui->Cmd_Annuler, this, &Frm_RubSaisie::Cmd_Annuler_Click);
    ui::onClick(ui->Cmd_Retour, this, &Frm_RubSaisie::Cmd_Retour_Click);
}

// --- Opening ---

void Frm_RubSaisie::setDroitsUtilisateur(std::shared_ptr<data::AccessRights> rights) {
    rights_ = std::move(rights);
    profile_.reset();
    if (rights_)
        profile_ = rights_->GetModuleRights("DOSSIERAIDE");
}

void Frm_RubSaisie::Init() {
    Appliquer_Droits();
}

void Frm_RubSaisie::Appliquer_Droits() {
    const bool ecriture = profile_ && profile_->AccessLevel() == data::RightsProfile::FullAccess;
    ui->Cmd_Ajouter->setVisible(ecriture);
    ui->Cmd_OK->setVisible(ecriture);
    ui->Cmd_Supprimer->setVisible(ecriture);
}

void Frm_RubSaisie::AjouterActivite(const QString& code, const QString& libelle) {
    ui->Cbo_Activite->addItem(libelle);
    ui->Lst_CodeAct->addItem(code);
    ui->Cbo_Activite->setCurrentIndex(-1);
}

void Frm_RubSaisie::SetEtq_Aidant(const QString& caption) {
    ui->Etq_Aidant->setText(caption);
}

void Frm_RubSaisie::ViderListes() {
    for (QListWidget* list : ListesVisibles())
        list->clear();
}

void Frm_RubSaisie::Remplir_RubSaisie() {
    catalogue_ = g_.TheDatabase.SelectRecords(rules::CatalogueQuery(), rules::CatalogueFields);
    ui->Cbo_LibRub->clear();
    for (int r = 1; r <= catalogue_.DCount(); ++r)
        ui->Cbo_LibRub->addItem(QString::fromStdString(catalogue_.Item(r, col::Libelle)));
    ui->Cbo_LibRub->setCurrentIndex(-1);
}

std::string Frm_RubSaisie::Catalogue(int row, int column) const {
    return catalogue_.Item(row, column);
}

QString Frm_RubSaisie::LibelleActivite(const std::string& code) {
    if (code.empty())
        return {};
    dba::Table activites = g_.Handles.Activites;
    if (!activites.isOpen())
        activites = g_.TheDatabase.OpenTable(data::tables::ACTIVITES);
    return QString::fromStdString(activites.ReadRecordOrEmpty(code).Item(data::activites::Libelle));
}

void Frm_RubSaisie::Afficher_Donnees() {
    for (QListWidget* list : ToutesListes())
        list->clear();
    const QString& sep = g_.DecimalSeparator;
    for (const rules::PayEntryItem& item : rules::ReadPayEntryItems(g_.ContractRecord)) {
        ui->Lst_Code->addItem(QString::fromStdString(item.code));
        ui->Lst_LibRub->addItem(
            QString::fromStdString(rubSaisie_.ReadRecordOrEmpty(item.code).Item(data::rubsaisie::Libelle)));
        ui->Lst_Base->addItem(rules::FormatBase(item.base, sep));
        ui->Lst_Taux->addItem(rules::FormatRate(item.rate, sep));
        ui->Lst_Montant->addItem(rules::FormatAmount(item.amount, sep));
        if (administratif_) {
            ui->Lst_Activite->addItem(QString());
            ui->Lst_CodeActSelect->addItem(QString());
        } else {
            ui->Lst_Activite->addItem(LibelleActivite(item.activity));
            ui->Lst_CodeActSelect->addItem(QString::fromStdString(item.activity));
        }
    }
}

void Frm_RubSaisie::InitBdvDetail() {
    const int lignes = ui->Lst_Code->count();
    ui->Bdv_Detail->setMinimum(0);
    ui->Bdv_Detail->setMaximum(std::max(0, lignes - 1));
    const bool defilement = lignes > LignesVisibles;
    ui->Bdv_Detail->setVisible(defilement);
    const int largeur = defilement ? LargeurActiviteDefilement : LargeurActivite;
    ui->Lst_Activite->setFixedWidth(largeur);
    ui->Cbo_Activite->setFixedWidth(largeur);
}

// --- Entry line ---

void Frm_RubSaisie::Griser_Liste() {
    for (QListWidget* list : ListesVisibles())
        list->setEnabled(false);
    for (QWidget* field : ChampsSaisie())
        field->setEnabled(true);
}

void Frm_RubSaisie::Degriser_Liste() {
    for (QListWidget* list : ListesVisibles())
        list->setEnabled(true);
    for (QWidget* field : ChampsSaisie())
        field->setEnabled(false);
}

void Frm_RubSaisie::Vider_Texte() {
    ui->Txt_Code->clear();
    ui->Cbo_LibRub->setCurrentIndex(-1);
    ui->Cbo_LibRub->clearEditText();
    ui->Txt_Base->clear();
    ui->Txt_Taux->clear();
    ui->Txt_Montant->clear();
    ui->Cbo_Activite->setCurrentIndex(-1);
    ligneCatalogue_ = 0;
    baseCalculee_.clear();
}

QString Frm_RubSaisie::Formater(QLineEdit* box, rules::Scaled value) const {
    const QString& sep = g_.DecimalSeparator;
    if (box == ui->Txt_Taux)
        return rules::FormatRate(value, sep).trimmed();
    if (box == ui->Txt_Base)
        return rules::FormatBase(value, sep).trimmed();
    return rules::FormatAmount(value, sep).trimmed();
}

void Frm_RubSaisie::AppliquerModes(int row) {
    const rules::EntryBoxSettings s = rules::SettingsForModes(
        Catalogue(row, col::ModeBase), Catalogue(row, col::ModeTaux), Catalogue(row, col::ModeMontant),
        Catalogue(row, col::TauxFixe), Catalogue(row, col::MontantFixe));
    auto apply = [this](QLineEdit* box, const rules::EntryBoxSetting& setting) {
        box->setEnabled(setting.enabled);
        if (setting.clear)
            box->clear();
        if (setting.value)
            box->setText(setting.formatted ? Formater(box, *setting.value) : QStringLiteral("0"));
    };
    apply(ui->Txt_Base, s.base);
    apply(ui->Txt_Taux, s.rate);
    apply(ui->Txt_Montant, s.amount);
    using F = rules::EntryBoxSettings::Focus;
    switch (s.focus) {
    case F::Base:
        ui->Txt_Base->setFocus();
        break;
    case F::Rate:
        ui->Txt_Taux->setFocus();
        break;
    case F::Amount:
        ui->Txt_Montant->setFocus();
        break;
    case F::None:
        break;
    }
}

void Frm_RubSaisie::Txt_Code_Change() {
    const QString code = ui->Txt_Code->text();
    ligneCatalogue_ = 0;
    // A code shorter than its length is still being typed: it is looked up
    // once whole (typed, or completed with zeros on Enter or on leaving).
    if (code.size() < LongueurCode)
        return;
    const int row = rules::FindCatalogueRow(catalogue_, code.toStdString());
    if (row == 0) {
        ui::messages().Show(QStringLiteral("Cette rubrique de saisie n'existe pas."), ui::Buttons::Ok,
                            ui::Icon::Exclamation);
        ui->Txt_Code->clear();
        ui->Txt_Code->setFocus();
        return;
    }
    ligneCatalogue_ = row;
    ui->Cbo_LibRub->setCurrentIndex(row - 1);
    AppliquerModes(row);
}

void Frm_RubSaisie::Txt_Code_KeyPress(int& ascii) {
    if (ascii == '\r') {
        const QString code = ui->Txt_Code->text();
        if (!code.isEmpty())
            ui->Txt_Code->setText(rules::CompleterCode(code, LongueurCode));
    }
}

void Frm_RubSaisie::Txt_Code_LostFocus() {
    const QString code = ui->Txt_Code->text();
    if (!code.isEmpty())
        ui->Txt_Code->setText(rules::CompleterCode(code, LongueurCode));
}

void Frm_RubSaisie::Cbo_LibRub_Click() {
    const int index = ui->Cbo_LibRub->currentIndex();
    if (index >= 0)
        ui->Txt_Code->setText(QString::fromStdString(Catalogue(index + 1, col::Code)));
}

void Frm_RubSaisie::Cbo_LibRub_Change() {
    if (ui->Cbo_LibRub->currentText().isEmpty())
        ui->Txt_Code->clear();
}

namespace {

// The text a key would be typed into: the selection is replaced by the key.
QString TexteSansSelection(const QLineEdit* box) {
    QString text = box->text();
    if (box->hasSelectedText())
        text.remove(box->selectionStart(), box->selectedText().size());
    return text;
}

} // namespace

void Frm_RubSaisie::Txt_Base_KeyPress(int& ascii) {
    ascii =
        data::numbers::FilterNumericKey(ascii, true, g_.DecimalSeparator, TexteSansSelection(ui->Txt_Base));
}

void Frm_RubSaisie::Txt_Taux_KeyPress(int& ascii) {
    ascii =
        data::numbers::FilterNumericKey(ascii, false, g_.DecimalSeparator, TexteSansSelection(ui->Txt_Taux));
}

void Frm_RubSaisie::Txt_Montant_KeyPress(int& ascii) {
    ascii = data::numbers::FilterNumericKey(ascii, true, g_.DecimalSeparator,
                                            TexteSansSelection(ui->Txt_Montant));
}

bool Frm_RubSaisie::ControlerNombre(QLineEdit* box, int decimals) {
    const QString text = box->text().trimmed();
    if (text.isEmpty())
        return true;
    if (auto refusal = rules::NumericEntryRefusal(text, g_.DecimalSeparator)) {
        ui::messages().Show(*refusal, ui::Buttons::Ok, ui::Icon::Information);
        box->setFocus();
        return false;
    }
    box->setText(Formater(box, *rules::ParseScaled(text, decimals)));
    return true;
}

void Frm_RubSaisie::Txt_Base_LostFocus() {
    if (ControlerNombre(ui->Txt_Base, rules::BaseDecimals))
        Calcul_Base();
}

void Frm_RubSaisie::Txt_Taux_LostFocus() {
    ControlerNombre(ui->Txt_Taux, rules::RateDecimals);
}

void Frm_RubSaisie::Txt_Montant_LostFocus() {
    ControlerNombre(ui->Txt_Montant, rules::AmountDecimals);
}

void Frm_RubSaisie::Calcul_Base() {
    const QString text = ui->Txt_Base->text().trimmed();
    const auto base = rules::ParseScaled(text, rules::BaseDecimals);
    if (!base)
        return;
    // The base this screen computed is not a new entry: taking it again
    // would apply the percentage twice.
    if (text != baseCalculee_)
        DerniereBaseSaisie() = rules::WholeBaseEntry(*base);
    if (creation_ && ligneCatalogue_ > 0 && Catalogue(ligneCatalogue_, col::ModeBase) == "1") {
        const rules::Scaled computed =
            rules::BaseFromPercentage(Catalogue(ligneCatalogue_, col::Pourcentage), DerniereBaseSaisie());
        baseCalculee_ = Formater(ui->Txt_Base, computed);
        ui->Txt_Base->setText(baseCalculee_);
    }
}

// --- Lists ---

void Frm_RubSaisie::Lst_Code_Click() {
    ui->Lst_LibRub->setCurrentRow(ui->Lst_Code->currentRow());
}

void Frm_RubSaisie::Lst_LibRub_Click() {
    ui->Lst_Base->setCurrentRow(ui->Lst_LibRub->currentRow());
}

void Frm_RubSaisie::Lst_Base_Click() {
    ui->Lst_Taux->setCurrentRow(ui->Lst_Base->currentRow());
}

void Frm_RubSaisie::Lst_Taux_Click() {
    ui->Lst_Montant->setCurrentRow(ui->Lst_Taux->currentRow());
}

void Frm_RubSaisie::Lst_Montant_Click() {
    ui->Lst_Activite->setCurrentRow(ui->Lst_Montant->currentRow());
}

void Frm_RubSaisie::Lst_Activite_Click() {
    const int row = ui->Lst_Activite->currentRow();
    ui->Lst_Code->setCurrentRow(row);
    if (row >= 0)
        ui->Bdv_Detail->setValue(row);
}

void Frm_RubSaisie::Bdv_Detail_Change() {
    const int value = ui->Bdv_Detail->value();
    if (value < ui->Lst_Code->count())
        ui->Lst_Code->setCurrentRow(value);
}

void Frm_RubSaisie::SupprimerLigne(int row) {
    for (QListWidget* list : ToutesListes())
        delete list->takeItem(row);
}

void Frm_RubSaisie::Descendre_Liste() {
    const int row = ui->Lst_Code->currentRow();
    if (row < 0)
        return;
    const QString code = Texte(ui->Lst_Code, row);
    // An item withdrawn from the catalogue since it was given can only go.
    if (rules::FindCatalogueRow(catalogue_, code.toStdString()) == 0) {
        SupprimerLigne(row);
        InitBdvDetail();
        return;
    }
    Griser_Liste();
    ligneChargee_ = row;
    ui->Txt_Code->setText(code);
    ui->Txt_Base->setText(Texte(ui->Lst_Base, row).trimmed());
    ui->Txt_Taux->setText(Texte(ui->Lst_Taux, row).trimmed());
    ui->Txt_Montant->setText(Texte(ui->Lst_Montant, row).trimmed());
    if (administratif_) {
        ui->Cbo_Activite->setCurrentIndex(-1);
        ui->Cbo_Activite->setEnabled(false);
    } else {
        const QString activite = Texte(ui->Lst_CodeActSelect, row);
        int index = -1;
        for (int i = 0; i < ui->Lst_CodeAct->count() && !activite.isEmpty(); ++i)
            if (Texte(ui->Lst_CodeAct, i) == activite)
                index = i;
        ui->Cbo_Activite->setCurrentIndex(index);
    }
}

void Frm_RubSaisie::Monter_Liste() {
    const int row = ligneChargee_;
    if (row < 0 || row >= ui->Lst_Code->count())
        return;
    ui->Lst_Code->item(row)->setText(ui->Txt_Code->text());
    ui->Lst_LibRub->item(row)->setText(QString::fromStdString(Catalogue(ligneCatalogue_, col::Libelle)));
    const QString& sep = g_.DecimalSeparator;
    ui->Lst_Base->item(row)->setText(
        rules::FormatBase(rules::ParseScaled(ui->Txt_Base->text(), rules::BaseDecimals).value_or(0), sep));
    ui->Lst_Taux->item(row)->setText(
        rules::FormatRate(rules::ParseScaled(ui->Txt_Taux->text(), rules::RateDecimals).value_or(0), sep));
    ui->Lst_Montant->item(row)->setText(rules::FormatAmount(
        rules::ParseScaled(ui->Txt_Montant->text(), rules::AmountDecimals).value_or(0), sep));
    const int activite = administratif_ ? -1 : ui->Cbo_Activite->currentIndex();
    ui->Lst_Activite->item(row)->setText(activite >= 0 ? ui->Cbo_Activite->currentText() : QString());
    ui->Lst_CodeActSelect->item(row)->setText(Texte(ui->Lst_CodeAct, activite));
}

// --- Commands ---

void Frm_RubSaisie::Cmd_Ajouter_Click() {
    creation_ = true;
    ligneChargee_ = -1;
    Griser_Liste();
    if (ui->Cbo_Activite->count() == 1)
        ui->Cbo_Activite->setCurrentIndex(0);
    if (administratif_) {
        ui->Cbo_Activite->setCurrentIndex(-1);
        ui->Cbo_Activite->setEnabled(false);
    }
    ui->Txt_Code->setFocus();
    ui->Cmd_Supprimer->setEnabled(false);
    ui->Cmd_Ajouter->setEnabled(false);
    ui->Cmd_Retour->setEnabled(false);
}

void Frm_RubSaisie::Cmd_OK_Click() {
    if (!ui->Txt_Code->isEnabled()) {
        Ecrire_Rubriques();
        Fermer(QDialog::Accepted);
        return;
    }
    ligneCatalogue_ = rules::FindCatalogueRow(catalogue_, ui->Txt_Code->text().toStdString());
    rules::EntryToCheck entry;
    entry.codeOffered = ligneCatalogue_ > 0;
    entry.baseEnabled = ui->Txt_Base->isEnabled();
    entry.base = ui->Txt_Base->text();
    entry.rateEnabled = ui->Txt_Taux->isEnabled();
    entry.rate = ui->Txt_Taux->text();
    entry.amountEnabled = ui->Txt_Montant->isEnabled();
    entry.amount = ui->Txt_Montant->text();
    entry.production = !administratif_;
    entry.activity = ui->Cbo_Activite->currentText();
    if (auto refusal = rules::CheckEntry(entry)) {
        ui::messages().Show(refusal->message, ui::Buttons::Ok, ui::Icon::Exclamation);
        switch (refusal->focus) {
        case rules::EntryField::Code:
            ui->Txt_Code->setFocus();
            break;
        case rules::EntryField::Libelle:
            ui->Cbo_LibRub->setCurrentIndex(-1);
            ui->Cbo_LibRub->clearEditText();
            ui->Cbo_LibRub->setFocus();
            break;
        case rules::EntryField::Base:
            ui->Txt_Base->setFocus();
            break;
        case rules::EntryField::Rate:
            ui->Txt_Taux->setFocus();
            break;
        case rules::EntryField::Amount:
            ui->Txt_Montant->setFocus();
            break;
        case rules::EntryField::Activity:
            ui->Cbo_Activite->setFocus();
            break;
        }
        return;
    }
    // A number the user could confirm without leaving its box.
    for (QLineEdit* box : {ui->Txt_Base, ui->Txt_Taux, ui->Txt_Montant}) {
        if (!box->isEnabled())
            continue;
        if (auto refusal = rules::NumericEntryRefusal(box->text(), g_.DecimalSeparator)) {
            ui::messages().Show(*refusal, ui::Buttons::Ok, ui::Icon::Information);
            box->setFocus();
            return;
        }
    }

    if (creation_)
        Calcul_Base();
    // The amount of a computed item always follows the base and rate shown,
    // when the line is changed as well as when it is created.
    if (Catalogue(ligneCatalogue_, col::ModeMontant) == "2") {
        const rules::Scaled base = rules::ParseScaled(ui->Txt_Base->text(), rules::BaseDecimals).value_or(0);
        const rules::Scaled rate = rules::ParseScaled(ui->Txt_Taux->text(), rules::RateDecimals).value_or(0);
        ui->Txt_Montant->setText(Formater(ui->Txt_Montant, rules::AmountFromBaseAndRate(base, rate)));
    }

    if (creation_) {
        const QString& sep = g_.DecimalSeparator;
        ui->Lst_Code->addItem(ui->Txt_Code->text());
        ui->Lst_LibRub->addItem(QString::fromStdString(Catalogue(ligneCatalogue_, col::Libelle)));
        ui->Lst_Base->addItem(rules::FormatBase(
            rules::ParseScaled(ui->Txt_Base->text(), rules::BaseDecimals).value_or(0), sep));
        ui->Lst_Taux->addItem(rules::FormatRate(
            rules::ParseScaled(ui->Txt_Taux->text(), rules::RateDecimals).value_or(0), sep));
        ui->Lst_Montant->addItem(rules::FormatAmount(
            rules::ParseScaled(ui->Txt_Montant->text(), rules::AmountDecimals).value_or(0), sep));
        if (administratif_) {
            ui->Lst_Activite->addItem(QString());
            ui->Lst_CodeActSelect->addItem(QString());
        } else {
            ui->Lst_Activite->addItem(ui->Cbo_Activite->currentText());
            ui->Lst_CodeActSelect->addItem(Texte(ui->Lst_CodeAct, ui->Cbo_Activite->currentIndex()));
        }
    } else {
        Monter_Liste();
    }

    creation_ = false;
    ligneChargee_ = -1;
    Vider_Texte();
    Degriser_Liste();
    ui->Cmd_Supprimer->setEnabled(true);
    ui->Cmd_Ajouter->setEnabled(true);
    ui->Cmd_Retour->setEnabled(true);
    InitBdvDetail();
}

void Frm_RubSaisie::Cmd_Supprimer_Click() {
    const int row = ui->Lst_Code->currentRow();
    if (row < 0)
        return;
    const ui::Answer answer =
        ui::messages().Show(QStringLiteral("Etes-vous sûr de vouloir supprimer cette ligne ?"),
                            ui::Buttons::YesNo, ui::Icon::Exclamation);
    if (answer == ui::Answer::Yes)
        SupprimerLigne(row);
    ligneChargee_ = -1;
    Degriser_Liste();
    Vider_Texte();
    ui->Cmd_Ajouter->setEnabled(true);
    ui->Cmd_Retour->setEnabled(true);
    InitBdvDetail();
}

void Frm_RubSaisie::Cmd_Annuler_Click() {
    if (creation_ && ui::messages().Show(QStringLiteral("Etes-vous sûr de vouloir quitter cette création ?"),
                                         ui::Buttons::YesNo, ui::Icon::Exclamation) == ui::Answer::No)
        return;
    if (creation_ || ligneChargee_ >= 0 || ui->Txt_Code->isEnabled()) {
        creation_ = false;
        ligneChargee_ = -1;
        Vider_Texte();
        Degriser_Liste();
        ui->Cmd_Supprimer->setEnabled(true);
        ui->Cmd_Ajouter->setEnabled(true);
        ui->Cmd_Retour->setEnabled(true);
        return;
    }
    ViderListes();
    Fermer(QDialog::Rejected);
}

void Frm_RubSaisie::Cmd_Retour_Click() {
    Ecrire_Rubriques();
    if (rules::CopyPayEntryFields(g_.ContractRecord) != copie_) {
        ui::messages().Beep();
        const ui::Answer answer = ui::messages().Show(
            QStringLiteral("Voulez-vous enregistrer les modifications apportées à cet article ?"),
            ui::Buttons::YesNoCancel, ui::Icon::Exclamation);
        if (answer == ui::Answer::No)
            rules::RestorePayEntryFields(g_.ContractRecord, copie_);
    }
    Fermer(QDialog::Accepted);
}

void Frm_RubSaisie::Ecrire_Rubriques() {
    std::vector<rules::PayEntryItem> items;
    for (int i = 0; i < ui->Lst_Code->count(); ++i) {
        rules::PayEntryItem item;
        item.code = Texte(ui->Lst_Code, i).toStdString();
        if (item.code.empty())
            break;
        item.base = rules::ParseScaled(Texte(ui->Lst_Base, i), rules::BaseDecimals).value_or(0);
        item.rate = rules::ParseScaled(Texte(ui->Lst_Taux, i), rules::RateDecimals).value_or(0);
        item.amount = rules::ParseScaled(Texte(ui->Lst_Montant, i), rules::AmountDecimals).value_or(0);
        item.activity = Texte(ui->Lst_CodeActSelect, i).toStdString();
        items.push_back(std::move(item));
    }
    rules::WritePayEntryItems(g_.ContractRecord, items);
}

// --- Closing ---

void Frm_RubSaisie::Fermer(int result) {
    fermetureAutorisee_ = true;
    done(result);
}

void Frm_RubSaisie::closeEvent(QCloseEvent* event) {
    if (fermetureAutorisee_)
        event->accept();
    else
        event->ignore();
}

void Frm_RubSaisie::reject() {
    // Escape and the close box: only the screen's own commands close it.
    if (fermetureAutorisee_)
        QDialog::reject();
}
