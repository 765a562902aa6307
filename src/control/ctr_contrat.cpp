#include "control/ctr_contrat.h"

#include "data/contrat_fields.h"
#include "data/procedures.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "data/utility_services.h"
#include "editor/editor_opener.h"
#include "ui/busy_cursor.h"
#include "ui/events.h"
#include "ui/messages.h"
#include "ui_ctr_contrat.h"

#include <QDate>
#include <QScrollBar>

using control::ContractLine;
using control::SortOrder;
using control::Validity;

Ctr_Contrat::Ctr_Contrat(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::Ctr_Contrat>()) {
    ui->setupUi(this);
    QFont fixed(QStringLiteral("DejaVu Sans Mono"));
    fixed.setStyleHint(QFont::TypeWriter);
    for (QListWidget* list : DetailLists()) {
        // The lists scroll together through Bdv_Detail, not each on its own.
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setUniformItemSizes(true);
        list->setFrameShape(QFrame::Box);
        // A wheel turned over one list moves the views of all five.
        connect(list->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
            for (QListWidget* other : DetailLists())
                other->verticalScrollBar()->setValue(value);
        });
    }
    ui->Lst_DatDebContrat->setFont(fixed);
    ui->Lst_DatFinContrat->setFont(fixed);
    ui->Lst_Type->setFont(fixed);
    ui->Lst_CodeContrat->setVisible(false);
    // Fifteen lines show at once; the scroll bar appears from the sixteenth.
    const int rowHeight = QFontMetrics(fixed).height() + 4;
    for (QListWidget* list : DetailLists())
        list->setMinimumHeight(rowHeight * 15 + 2 * list->frameWidth());
    ui->Lay_Liste->setColumnStretch(3, 1);
    ui->Lst_DatDebContrat->setFixedWidth(110);
    ui->Lst_DatFinContrat->setFixedWidth(110);
    ui->Lst_Type->setFixedWidth(50);
    connectHandlers();
    setEditorOpener(editor::OuvrirEditeur);
    Effacer_Donnees();
}

Ctr_Contrat::~Ctr_Contrat() {
    // Termination: every handle and record the globals hold is released,
    // and with them this session's record locks.
    data::Liberer_Tables(globals_);
    profile_.reset();
    rights_.reset();
}

QList<QListWidget*> Ctr_Contrat::DetailLists() const {
    return {ui->Lst_CodeContrat, ui->Lst_DatDebContrat, ui->Lst_DatFinContrat, ui->Lst_Type,
            ui->Lst_AidantContrat};
}

void Ctr_Contrat::connectHandlers() {
    ui::onClick(ui->Cmd_Recherche, this, &Ctr_Contrat::Cmd_Recherche_Click);
    ui::onClick(ui->Cmd_OK, this, &Ctr_Contrat::Cmd_OK_Click);
    ui::onClick(ui->Cmd_Retour, this, &Ctr_Contrat::Cmd_Retour_Click);
    ui::onClick(ui->Lst_CodeContrat, this, &Ctr_Contrat::Lst_CodeContrat_Click);
    ui::onClick(ui->Lst_DatDebContrat, this, &Ctr_Contrat::Lst_DatDebContrat_Click);
    ui::onClick(ui->Lst_DatFinContrat, this, &Ctr_Contrat::Lst_DatFinContrat_Click);
    ui::onClick(ui->Lst_AidantContrat, this, &Ctr_Contrat::Lst_AidantContrat_Click);
    ui::onClick(ui->Lst_Type, this, &Ctr_Contrat::Lst_Type_Click);
    ui::onUpDownChange(ui->Bdv_Detail, this, &Ctr_Contrat::Bdv_Detail_Change);
    ui::onDblClick(ui->Lst_DatDebContrat, this, &Ctr_Contrat::Lst_DblClick);
    ui::onDblClick(ui->Lst_DatFinContrat, this, &Ctr_Contrat::Lst_DblClick);
    ui::onDblClick(ui->Lst_AidantContrat, this, &Ctr_Contrat::Lst_DblClick);
    ui::onDblClick(ui->Lst_Type, this, &Ctr_Contrat::Lst_DblClick);
}

void Ctr_Contrat::setDroitsUtilisateur(std::shared_ptr<data::AccessRights> rights) {
    rights_ = std::move(rights);
    profile_.reset();
    if (rights_)
        profile_ = rights_->GetModuleRights("DOSAIDECONTRAT");
}

void Ctr_Contrat::setTheClient(const data::Client& client) {
    globals_.TheClient = client;
}

void Ctr_Contrat::setTheDatabase(const dba::Database& database) {
    globals_.TheDatabase = database;
}

void Ctr_Contrat::Init() {
    if (!profile_)
        throw Ctr_ContratError("Les droits de l'utilisateur n'ont pas été donnés au contrôle des contrats.");
    (void)profile_->AccessLevel();
    if (!globals_.TheDatabase.isOpen())
        throw Ctr_ContratError("Aucune base de données n'a été donnée au contrôle des contrats.");

    data::Ouvrir_Tables(globals_);
    try {
        data::Lire_Parametres(globals_);
    } catch (...) {
        data::Liberer_Tables(globals_);
        throw;
    }
    ui->Etq_CodeAide->setText(code_);
    ui->Etq_NomPrenomAide->setText(nomPrenom_);
    globals_.EndDateEntryLocked = etatSuppAidant_;
    result_ = dba::ResultList();
    globals_.SetDecimalSeparator(data::UtilityServices::Instance().DecimalSeparator());
}

void Ctr_Contrat::Effacer_Donnees() {
    ui->Opt_Actif->setChecked(true);
    ui->Opt_TriAidant->setChecked(true);
    ui->Cdr_Validite->setEnabled(true);
    ui->Cdr_TriContrat->setEnabled(true);
    ClearLists();
    for (QListWidget* list :
         {ui->Lst_DatDebContrat, ui->Lst_DatFinContrat, ui->Lst_AidantContrat, ui->Lst_Type})
        list->setEnabled(false);
    ui->Cmd_Recherche->setEnabled(true);
    ui->Cmd_OK->setEnabled(false);
    SetScrollBar();
}

void Ctr_Contrat::Afficher_Liste() {
    ui->Cdr_Validite->setEnabled(false);
    ui->Cdr_TriContrat->setEnabled(false);
    for (QListWidget* list :
         {ui->Lst_DatDebContrat, ui->Lst_DatFinContrat, ui->Lst_AidantContrat, ui->Lst_Type})
        list->setEnabled(true);
    ui->Cmd_Recherche->setEnabled(false);
    ui->Cmd_OK->setEnabled(true);
}

Validity Ctr_Contrat::SelectedValidity() const {
    if (ui->Opt_Actif->isChecked())
        return Validity::Actifs;
    if (ui->Opt_Historique->isChecked())
        return Validity::Historiques;
    return Validity::Tous;
}

SortOrder Ctr_Contrat::SelectedOrder() const {
    if (ui->Opt_TriCroiss->isChecked())
        return SortOrder::AncienneteCroissante;
    if (ui->Opt_TriDecroiss->isChecked())
        return SortOrder::AncienneteDecroissante;
    return SortOrder::Aidant;
}

void Ctr_Contrat::ClearLists() {
    for (QListWidget* list : DetailLists())
        list->clear();
}

void Ctr_Contrat::Recherche_Contrat() {
    data::AuthorisedList& authorised = profile_->AuthorisedList();
    authorised.InitialiserListe();

    const std::string period = globals_.PayPeriodRecord.Item(data::periodespaie::PeriodeCourante);
    const long long periodStart = control::PeriodStartDay(period);
    const long long today =
        data::UtilityServices::Instance().DateToInternal(QDate::currentDate()).toLongLong();

    dba::SelectQuery query;
    query.SetItem(1, control::BuildSearchQuery(ui->Etq_CodeAide->text().toStdString(), SelectedValidity(),
                                               SelectedOrder(), today, periodStart));
    query.SetItem(2, data::tables::CONTRAT);
    query.SetItem(3, control::SearchFields);
    result_ = globals_.TheDatabase.SelectRecords(query);

    ClearLists();
    if (result_.Item().empty()) {
        SetScrollBar();
        ui::messages().Show(QStringLiteral("Aucun contrat correspondant aux paramètres sélectionnés."),
                            ui::Buttons::Ok, ui::Icon::Information);
        return;
    }

    dba::Table& helpers = globals_.Handles.CivilAidant;
    auto helperOf = [&](const std::string& code) -> std::optional<control::HelperInfo> {
        if (!helpers.Exists(code))
            return std::nullopt;
        globals_.HelperRecord = helpers.ReadRecord(code);
        return control::HelperInfo{
            QString::fromStdString(globals_.HelperRecord.Item(data::civilaidant::Nom)),
            QString::fromStdString(globals_.HelperRecord.Item(data::civilaidant::Prenom)),
            QString::fromStdString(globals_.HelperRecord.Item(data::civilaidant::Entite))};
    };
    auto isAuthorised = [&](const std::string& entity) {
        return profile_->IsAuthorised(entity, 0).value_or(false);
    };
    auto entityOf = [&](const std::string& key) {
        return globals_.Handles.Contrat.ReadRecordOrEmpty(key).Item(data::contrat::EntiteJuridique);
    };
    const std::vector<ContractLine> lines =
        control::BuildContractLines(result_, helperOf, isAuthorised, entityOf);
    for (const ContractLine& line : lines) {
        ui->Lst_CodeContrat->addItem(line.key);
        ui->Lst_DatDebContrat->addItem(line.start);
        ui->Lst_DatFinContrat->addItem(line.end);
        ui->Lst_Type->addItem(line.type);
        ui->Lst_AidantContrat->addItem(line.helper);
    }
    SetScrollBar();
}

void Ctr_Contrat::SetScrollBar() {
    const int lines = ui->Lst_DatDebContrat->count();
    ui->Bdv_Detail->setValue(0);
    ui->Bdv_Detail->setMinimum(0);
    ui->Bdv_Detail->setMaximum(control::ScrollMaximum(lines));
    ui->Bdv_Detail->setVisible(control::ScrollBarVisible(lines));
}

void Ctr_Contrat::Appel_Contrat() {
    // Every failure on the way leaves the list as it is: the user can try
    // again or choose another line.
    const int line = ui->Lst_CodeContrat->currentRow();
    if (line < 0)
        return;
    const std::string key = ui->Lst_CodeContrat->item(line)->text().toStdString();
    try {
        globals_.ContractRecord = globals_.Handles.Contrat.ReadRecord(key);
        globals_.OpeningRecordText = globals_.ContractRecord.Item();
    } catch (const dba::Error& error) {
        ui::messages().Show(QString::fromStdString(error.what()), ui::Buttons::Ok, ui::Icon::Exclamation);
        return;
    }
    if (!editorOpener_)
        return;
    editorOpener_(*this);
    {
        ui::BusyCursor busy(this);
        Recherche_Contrat();
    }
}

// --- Handlers ---

void Ctr_Contrat::Cmd_Recherche_Click() {
    Afficher_Liste();
    ui::BusyCursor busy(this);
    Recherche_Contrat();
}

void Ctr_Contrat::Cmd_OK_Click() {
    Effacer_Donnees();
}

void Ctr_Contrat::Cmd_Retour_Click() {
    if (editor_) {
        editor_->close();
        delete editor_.data();
    }
    globals_.CombosFilled = false;
    sortir_ = true;
    // The host's form is the widget the control was placed on; a control
    // shown on its own closes itself.
    if (QWidget* host = parentWidget())
        host->close();
    else
        close();
}

void Ctr_Contrat::Lst_CodeContrat_Click() {
    ui->Lst_DatDebContrat->setCurrentRow(ui->Lst_CodeContrat->currentRow());
}

void Ctr_Contrat::Lst_DatDebContrat_Click() {
    const int row = ui->Lst_DatDebContrat->currentRow();
    ui->Lst_DatFinContrat->setCurrentRow(row);
    ui->Lst_Type->setCurrentRow(row);
}

void Ctr_Contrat::Lst_DatFinContrat_Click() {
    const int row = ui->Lst_DatFinContrat->currentRow();
    ui->Lst_AidantContrat->setCurrentRow(row);
    ui->Lst_Type->setCurrentRow(row);
}

void Ctr_Contrat::Lst_AidantContrat_Click() {
    const int row = ui->Lst_AidantContrat->currentRow();
    ui->Lst_CodeContrat->setCurrentRow(row);
    ui->Lst_Type->setCurrentRow(row);
    ui->Bdv_Detail->setValue(ui->Lst_CodeContrat->currentRow());
}

void Ctr_Contrat::Lst_Type_Click() {
    const int row = ui->Lst_Type->currentRow();
    ui->Lst_DatDebContrat->setCurrentRow(row);
    ui->Lst_DatFinContrat->setCurrentRow(row);
    ui->Lst_AidantContrat->setCurrentRow(row);
}

void Ctr_Contrat::Bdv_Detail_Change() {
    const int value = ui->Bdv_Detail->value();
    if (value != 0 || ui->Lst_DatDebContrat->currentRow() >= 0)
        ui->Lst_DatDebContrat->setCurrentRow(value);
}

void Ctr_Contrat::Lst_DblClick() {
    Appel_Contrat();
}
