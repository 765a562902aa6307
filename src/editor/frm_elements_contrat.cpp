#include "editor/frm_elements_contrat.h"

#include "data/contrat_fields.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "editor/activity_query.h"
#include "editor/combo_text.h"
#include "editor/invoicing_guard.h"
#include "editor/level_lock.h"
#include "ui/events.h"
#include "ui/messages.h"
#include "ui_frm_elements_contrat.h"

#include <QAbstractSpinBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTextEdit>
#include <QtDebug>

namespace {

using editor::Onglet;

// Frames on which a right click opens the help menu.
constexpr const char* CadresAide[] = {
    "Cdr_AffectActiv", "Cdr_CongesAnc", "Cdr_CongesPayes", "Cdr_DroitAcquis", "Cdr_DroitEnCours",
    "Cdr_Fonction",    "Cdr_Lissage",   "Cdr_Mutuelle",    "Cdr_PCS",         "Cdr_Preavis",
    "Cdr_RegimePrev",  "Cdr_Salaire",   "Cdr_Type"};

// Buttons that open a side screen.
constexpr const char* BoutonsEcrans[] = {"Cmd_SuiviAnnuel", "Cmd_RubSaisie", "Cmd_MotifCDD",
                                         "Cmd_Comment",     "Cmd_Conges",    "Cmd_DetailEmpl",
                                         "Cmd_QualifPro",   "Cmd_TpsIndem",  "Cmd_Telegestion"};

// Telemanagement systems for which the editor offers the rights screen.
bool TelegestionGeree(const std::string& system) {
    return system == "ZORVELIA" || system == "06";
}

} // namespace

Frm_ElementsContrat::Frm_ElementsContrat(data::GlobalState& globals, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Frm_ElementsContrat>()), g_(globals) {
    ui->setupUi(this);
    ui->Ctr_Edit->setVisible(false);
    ui->Bdh_Avenant->setInvertedControls(true);
    ui->Bdh_Bulletin->setInvertedControls(true);
    // Until the pay tab shows the contract's payment mode, none is chosen
    // (the leaving test reads "Virement bancaire" as a choice).
    ui->Cbo_ModPaieContrat->setCurrentIndex(-1);
    // Likewise no period of work until the working-time tab shows the
    // contract's: a period on screen that the contract does not have reads
    // as a changed working time and would check the hours at every save.
    editor::ViderTexte(ui->Cbo_FreqWContrat);

    mnuAide_ = new QMenu(QStringLiteral("Aide"), this);
    mnuAide_->setObjectName(QStringLiteral("Mnu_Aide"));
    QAction* sommaire = mnuAide_->addAction(QStringLiteral("Aide ARBELDONE"));
    sommaire->setObjectName(QStringLiteral("Mnu_Sommaire"));
    connect(sommaire, &QAction::triggered, this, &Frm_ElementsContrat::Mnu_Sommaire_Click);
    ui->Ong_Contrat->installEventFilter(this);
    for (const char* name : CadresAide)
        Controle(name)->installEventFilter(this);

    for (const char* name : BoutonsEcrans)
        ActiverEcran(static_cast<QPushButton*>(Controle(name)), false);
    connectHandlers();
    InstallerControlesHeuresChevauchement();
    Form_Load();
}

Frm_ElementsContrat::~Frm_ElementsContrat() = default;

QWidget* Frm_ElementsContrat::Controle(std::string_view name) const {
    return findChild<QWidget*>(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
}

void Frm_ElementsContrat::connectHandlers() {
    connect(ui->Ong_Contrat, &QTabWidget::currentChanged, this, [this](int index) {
        const int previous = currentTab_;
        currentTab_ = index;
        Ong_Contrat_Click(previous);
    });
    ui::onClick(ui->Cmd_OK, this, &Frm_ElementsContrat::Cmd_OK_Click);
    ui::onClick(ui->Cmd_Retour, this, &Frm_ElementsContrat::Cmd_Retour_Click);
    connectOng1Handlers();
}

// --- Loading ---

void Frm_ElementsContrat::Form_Load() {
    state_.activated = false;
    ui->Ong_Contrat->setCurrentIndex(Onglet::Origine);
    try {
        civilAide_ = g_.TheDatabase.OpenTable(data::tables::CIVILAIDE);
        pcs_ = g_.TheDatabase.OpenTable(data::tables::PCS);
        rubCharge_ = g_.TheDatabase.OpenTable(data::tables::RUBCHARGE);
        InitElementContrat();
        natureVoie_ = g_.Handles.Tables.ReadRecordOrEmpty(data::tables::lists::NATUREVOIE);
    } catch (const dba::Error& error) {
        qWarning() << "Frm_ElementsContrat: chargement incomplet:" << error.what();
    }
    loaded_ = true;
}

void Frm_ElementsContrat::InitElementContrat() {
    const dba::Table& lists = g_.Handles.Tables;
    natureContrat_ = lists.ReadRecordOrEmpty(data::tables::lists::NATURECONTRAT);
    carteOrange_ = lists.ReadRecordOrEmpty(data::tables::lists::CARTEORANGE);
    finContrat_ = lists.ReadRecordOrEmpty(data::tables::lists::FINCONTRAT);
    // The flag spares a refill while the browser keeps this editor; a new
    // editor (after the browser's "Retour") always fills its own combos.
    if (!g_.CombosFilled || entityList_.empty())
        Remplir_CombosElement();
    Afficher_Donnees();
    RemplirActivites();
}

void Frm_ElementsContrat::RemplirActivites() {
    const std::string query = editor::RequeteActivitesChargement(
        ui->Opt_Administratif->isChecked(), ui->Txt_ConvColContrat->text(), ui->Txt_AssocContrat->text());
    activityList_ = g_.TheDatabase.SelectRecords(query, "0 1 12");
    ui->Cbo_Activite->clear();
    for (int r = 1; r <= activityList_.DCount(); ++r)
        ui->Cbo_Activite->addItem(QString::fromStdString(activityList_.Item(r, 2)));
}

void Frm_ElementsContrat::Remplir_CombosElement() {
    entityList_ = g_.TheDatabase.SelectRecords("SSELECT ASSOCIATION PAR 1", "0 1");
    ui->Cbo_LibAssocContrat->clear();
    for (int r = 1; r <= entityList_.DCount(); ++r)
        ui->Cbo_LibAssocContrat->addItem(QString::fromStdString(entityList_.Item(r, 2)));

    agreementList_ = g_.TheDatabase.SelectRecords("SSELECT CONVENTIONCOL PAR 1", "0 1 2 12");
    ui->Cbo_LibConvColContrat->clear();
    for (int r = 1; r <= agreementList_.DCount(); ++r)
        ui->Cbo_LibConvColContrat->addItem(QString::fromStdString(agreementList_.Item(r, 2)));

    homeHelpCharges_ =
        g_.TheDatabase.SelectRecords("SSELECT RUBCHARGE AVEC 28 = \"1\" AND AVEC 30 = \"\"", "0");
    homeHelpChargeCount_ = homeHelpCharges_.DCount();
    g_.CombosFilled = true;
}

void Frm_ElementsContrat::Afficher_Donnees() {
    // Everything the editor remembers belongs to one contract: opening the
    // next one starts afresh (the display below sets what it needs).
    state_ = editor::EditorState{};
    if (g_.EndDateEntryLocked)
        ui->Txt_DateFinContrat->setEnabled(false);
    state_.amendmentDocumentKey = dba::SelectQuery{};

    Afficher_Ong1();
    state_.tabLoaded[Onglet::Caracteristiques] = false;
    state_.tabLoaded[Onglet::ElementsPaie] = false;
    state_.tabLoaded[Onglet::DroitsConges] = false;
    state_.tabLoaded[Onglet::FinContrat] = true;
    Afficher_Ong5();
    ui->Cmd_ImpContrat->setEnabled(true);
    for (QLabel* label : {ui->Etq_Conges_0, ui->Etq_Conges_1, ui->Etq_Conges_2, ui->Etq_Conges_3})
        label->setVisible(true);
}

void Frm_ElementsContrat::SetEtq_Aidant(const QString& caption) {
    ui->Etq_Aidant->setText(caption);
}

void Frm_ElementsContrat::SelectOnglet(int tab) {
    ui->Ong_Contrat->setCurrentIndex(tab);
}

QString Frm_ElementsContrat::Etq_CodeAidant() const {
    return ui->Etq_Aidant->text().mid(9, 5);
}

QString Frm_ElementsContrat::Etq_NomPrenomAidant() const {
    return ui->Etq_Aidant->text().mid(15);
}

void Frm_ElementsContrat::setDroitsUtilisateur(std::shared_ptr<data::AccessRights> rights) {
    rights_ = std::move(rights);
    profile_.reset();
    if (rights_)
        profile_ = rights_->GetModuleRights("DOSAIDECONTRAT");
}

void Frm_ElementsContrat::Init() {
    Appliquer_Droits();
    state_.contractPrinted = false;
    state_.amendmentPrinted = false;
    const dba::Record entity =
        g_.Handles.Association.ReadRecordOrEmpty(ui->Txt_AssocContrat->text().toStdString());
    const bool telegestion = TelegestionGeree(entity.Item(data::association::Telegestion));
    ui->Cmd_Telegestion->setVisible(telegestion);
    ActiverEcran(ui->Cmd_Telegestion, telegestion);
    ProtegerOngletsSansEcriture();
}

bool Frm_ElementsContrat::InputBlocker::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

void Frm_ElementsContrat::ProtegerOngletsSansEcriture() {
    // These tabs display the contract, but saving does not write them back
    // yet: a value typed there would be dropped without a word. They are
    // shown read-only until their write procedures exist, so what the user
    // sees is always what is stored. Enabled states are left to the rights.
    for (QWidget* page :
         {ui->Ong_Caracteristiques, ui->Ong_ElementsPaie, ui->Ong_DroitsConges, ui->Ong_FinContrat}) {
        for (QLineEdit* edit : page->findChildren<QLineEdit*>())
            edit->setReadOnly(true);
        for (QAbstractSpinBox* spin : page->findChildren<QAbstractSpinBox*>())
            spin->setReadOnly(true);
        for (QPlainTextEdit* text : page->findChildren<QPlainTextEdit*>())
            text->setReadOnly(true);
        for (QTextEdit* text : page->findChildren<QTextEdit*>())
            text->setReadOnly(true);
        // Choices that have no read-only mode ignore the mouse and the
        // keyboard; buttons that would change the contract are disabled.
        for (QComboBox* combo : page->findChildren<QComboBox*>()) {
            combo->installEventFilter(&inputBlocker_);
            combo->setFocusPolicy(Qt::NoFocus);
        }
        for (QAbstractButton* button : page->findChildren<QAbstractButton*>()) {
            if (qobject_cast<QPushButton*>(button)) {
                button->setEnabled(false);
            } else {
                button->installEventFilter(&inputBlocker_);
                button->setFocusPolicy(Qt::NoFocus);
            }
        }
    }
}

void Frm_ElementsContrat::Appliquer_Droits() {
    if (!profile_ || !profile_->MayChangeData()) {
        // Read only: nothing can be saved; "Retour" closes without asking.
        for (std::string_view name : editor::BoutonsEcriture)
            Controle(name)->setVisible(false);
        return;
    }
    if (!editor::NiveauVerrouille(g_.ContractManagementLevel))
        return;
    for (std::string_view name : editor::ControlesVerrouilles)
        Controle(name)->setEnabled(false);
}

// --- Tabs ---

void Frm_ElementsContrat::Ong_Contrat_Click(int previous) {
    state_.saveInProgress = false;
    state_.writeFromReturn = false;
    state_.bankDetailsMissing = false;
    if (!ui->Txt_DatDebContrat->text().isEmpty())
        Txt_DatDebContrat_LostFocus();
    auto& loaded = state_.tabLoaded;
    switch (ui->Ong_Contrat->currentIndex()) {
    case Onglet::Origine:
        editor::Deselectionner(ui->Cbo_LibConvColContrat);
        editor::Deselectionner(ui->Cbo_LibAssocContrat);
        editor::Deselectionner(ui->Cbo_LibEmplEtabContrat);
        break;
    case Onglet::Caracteristiques:
        if (!loaded[Onglet::Caracteristiques])
            Afficher_Ong2();
        loaded[Onglet::Caracteristiques] = true;
        editor::Deselectionner(ui->Cbo_QualifContrat);
        editor::Deselectionner(ui->Cbo_FreqWContrat);
        break;
    case Onglet::ElementsPaie:
        if (!loaded[Onglet::ElementsPaie])
            Afficher_Ong3();
        loaded[Onglet::ElementsPaie] = true;
        editor::Deselectionner(ui->Cbo_LibProfilContrat);
        editor::Deselectionner(ui->Cbo_ModPaieContrat);
        break;
    case Onglet::DroitsConges:
        if (!loaded[Onglet::DroitsConges])
            Afficher_Ong4();
        loaded[Onglet::DroitsConges] = true;
        break;
    case Onglet::FinContrat:
        // The end of the contract depends on the pay tab's check boxes;
        // showing them does not make that tab one to save.
        if (!loaded[Onglet::ElementsPaie])
            Afficher_Ong3();
        if (GardeFacturationRefuse()) {
            ui->Ong_Contrat->setCurrentIndex(previous);
            return;
        }
        if (!loaded[Onglet::FinContrat])
            Afficher_Ong5();
        loaded[Onglet::FinContrat] = true;
        editor::Deselectionner(ui->Cbo_MotifFinContrat);
        break;
    default:
        break;
    }
}

bool Frm_ElementsContrat::GardeFacturationRefuse() {
    editor::GardeFacturationEntree entree;
    entree.paiementParAssociation = ui->Cac_PaieSalContrat->isChecked();
    entree.provisionConges = ui->Cac_ProvCP->isChecked();
    entree.convention = ui->Txt_ConvColContrat->text();
    entree.dernierePeriode = g_.ContractRecord.Item(data::contrat::DernierePeriodePaie);
    entree.cleContrat = (Etq_CodeAidant() + ui->Txt_NumContrat->text()).toStdString();
    editor::GardeFacturationSources sources;
    sources.periodeFactureeEmployeur = [this] {
        // Under agreement "02" the employer is the beneficiary.
        return civilAide_.ReadRecordOrEmpty(ui->Txt_EmplEtabContrat->text().toStdString())
            .Item(data::etablissement::DernierePeriodeFacturee);
    };
    sources.etatCalcul = [this](const std::string& key) {
        return g_.Handles.DetailCalcul.ReadRecordOrEmpty(key).Item(data::detailcalcul::Etat);
    };
    QString refusal;
    try {
        refusal = editor::GardeFacturation(entree, sources);
    } catch (const dba::Error& error) {
        qWarning() << "Frm_ElementsContrat: contrôle de facturation impossible:" << error.what();
    }
    if (refusal.isEmpty())
        return false;
    ui::messages().Show(refusal, ui::Buttons::Ok, ui::Icon::Exclamation);
    return true;
}

// --- Leaving: save_return.cpp ---

bool Frm_ElementsContrat::Form_Unload() {
    if (state_.closePermission != 1)
        return false;
    state_.closePermission = 0;
    DesinitElementContrat();
    loaded_ = false;
    rights_.reset();
    profile_.reset();
    return true;
}

void Frm_ElementsContrat::DesinitElementContrat() {
    activityList_ = {};
    entityList_ = {};
    agreementList_ = {};
    homeHelpCharges_ = {};
    homeHelpChargeCount_ = 0;
    natureContrat_ = carteOrange_ = finContrat_ = natureVoie_ = dba::Record();
    civilAide_ = pcs_ = rubCharge_ = dba::Table();
}

void Frm_ElementsContrat::closeEvent(QCloseEvent* event) {
    if (Form_Unload())
        event->accept();
    else
        event->ignore();
}

void Frm_ElementsContrat::reject() {
    // Escape comes here: it closes no more than the close box does.
    if (Form_Unload())
        QDialog::reject();
}

// --- Help menu ---

void Frm_ElementsContrat::mousePressEvent(QMouseEvent* event) {
    Aide_MouseDown(event);
    QDialog::mousePressEvent(event);
}

bool Frm_ElementsContrat::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            Aide_MouseDown(mouse);
            return true; // one menu, not one per frame it crosses
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Frm_ElementsContrat::Aide_MouseDown(QMouseEvent* event) {
    if (event->button() != Qt::RightButton)
        return;
    mnuAide_->setEnabled(true);
    mnuAide_->actions().first()->setEnabled(true);
    mnuAide_->popup(event->globalPosition().toPoint());
}

void Frm_ElementsContrat::Mnu_Sommaire_Click() {
    // The help contents are not delivered with the library.
}

// --- Side screens ---

void Frm_ElementsContrat::SetEcranLateral(const QString& button, std::function<void()> open) {
    auto* control = findChild<QPushButton*>(button);
    if (!control)
        return;
    sideScreens_[button] = std::move(open);
    connect(control, &QPushButton::clicked, this, [this, button] {
        if (auto it = sideScreens_.find(button); it != sideScreens_.end() && it->second)
            it->second();
    });
    control->setEnabled(true);
}

void Frm_ElementsContrat::ActiverEcran(QPushButton* button, bool enabled) {
    button->setEnabled(enabled && sideScreens_.count(button->objectName()) > 0);
}

// --- Reset ---

void Frm_ElementsContrat::Vider_Donnees() {
    static const QStringList skipped = {"Cbo", "Cmd", "Ong", "Etq", "Bdh", "Ctr", "Cdr"};
    for (QWidget* w : findChildren<QWidget*>()) {
        const QString name = w->objectName();
        const QString prefix = name.left(3);
        if (name.size() < 4 || name[3] != QLatin1Char('_') || skipped.contains(prefix))
            continue;
        if (auto* option = qobject_cast<QAbstractButton*>(w);
            option && (prefix == "Cac" || prefix == "Opt")) {
            // An exclusive option cannot be unselected by itself.
            const bool exclusive = option->autoExclusive();
            option->setAutoExclusive(false);
            option->setChecked(false);
            option->setAutoExclusive(exclusive);
        } else if (auto* edit = qobject_cast<QLineEdit*>(w); edit && prefix == "Txt") {
            edit->setText(name == QLatin1String("Txt_TauxHorContrat") ? QStringLiteral("0") : QString());
        }
    }
    ui->Opt_Horaire->setChecked(true);
    ui->Opt_Production->setChecked(true);
    ui->Etq_DepartGrilContrat->setEnabled(false);
    ui->Txt_DepartGrilContrat->setEnabled(false);
    for (QWidget* w :
         {static_cast<QWidget*>(ui->Etq_CoefNivContrat), static_cast<QWidget*>(ui->Txt_CoefNivContrat),
          static_cast<QWidget*>(ui->Etq_TauxHorContrat), static_cast<QWidget*>(ui->Txt_TauxHorContrat)})
        w->setEnabled(true);
    ui->Lst_ActiviteContrat->clear();
    ui->Lst_RepartActContrat->clear();
    state_.activityType.clear();
    for (QComboBox* combo : {ui->Cbo_GrilleContrat, ui->Cbo_NatureContrat, ui->Cbo_CategPCSContrat})
        editor::ViderTexte(combo);
    ui->Cbo_FoncPCSContrat->clear();
    for (QComboBox* combo : {ui->Cbo_LibConvColContrat, ui->Cbo_LibAssocContrat, ui->Cbo_LibEmplEtabContrat})
        editor::ViderTexte(combo);
    ui->Bdh_Avenant->setMaximum(0);
    ui->Txt_TauxHorContrat->clear();
    for (QComboBox* combo :
         {ui->Cbo_FreqWContrat, ui->Cbo_ModPaieContrat, ui->Cbo_MotifFinContrat, ui->Cbo_ChargMutContrat})
        editor::ViderTexte(combo);
    ui->Cbo_Activite->clear();
    ui->Cmd_SupprimerContrat->setVisible(false);
    editor::ViderTexte(ui->Cbo_QualifContrat);
    ui->Txt_CodPCSContrat->clear();
    ui->Txt_CoefNivContrat->clear();
    ui->Txt_DureeWContrat->clear();
    editor::ViderTexte(ui->Cbo_FreqWContrat);
    ui->Txt_PrevContrat->setVisible(true);
    ui->Cbo_LibPrevContrat->setVisible(true);
    state_.keptProvidentContract.clear();
    ui->Cbo_LibPrevContrat->setCurrentIndex(-1);
    ui->Txt_DateFinValMut->clear();
}
