#include "editor/frm_elements_contrat.h"

#include "data/contrat_fields.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "editor/activity_query.h"
#include "editor/amendments.h"
#include "editor/combo_text.h"
#include "editor/editor_context.h"
#include "editor/invoicing_guard.h"
#include "editor/level_lock.h"
#include "editor/ong1_origine.h"
#include "editor/ong2_caracteristiques.h"
#include "editor/ong3_elements_paie.h"
#include "editor/ong4_droits_conges.h"
#include "editor/ong5_fin_contrat.h"
#include "editor/save_return.h"
#include "editor/table_error.h"
#include "ui/events.h"
#include "ui/messages.h"
#include "ui_frm_elements_contrat.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

namespace {

using namespace editor;
namespace t = data::tables;

// Frames on which a right click opens the help menu.
constexpr const char* CadresAide[] = {
    "Cdr_AffectActiv", "Cdr_CongesAnc", "Cdr_CongesPayes", "Cdr_DroitAcquis", "Cdr_DroitEnCours",
    "Cdr_Fonction",    "Cdr_Lissage",   "Cdr_Mutuelle",    "Cdr_PCS",         "Cdr_Preavis",
    "Cdr_RegimePrev",  "Cdr_Salaire",   "Cdr_Type"};

// Telemanagement systems for which the editor offers the rights screen.
bool TelegestionGeree(const std::string& system) {
    return system == "ZORVELIA" || system == "06";
}

QString Nom(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<int>(name.size()));
}

} // namespace

Frm_ElementsContrat::Frm_ElementsContrat(data::GlobalState& globals, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::Frm_ElementsContrat>()) {
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
    ViderTexte(ui->Cbo_FreqWContrat);
    // Until a real amendment is shown there is no amendment to print.
    ui->Cmd_ImpAvenant->setEnabled(false);
    // Enter completes codes and searches names: it never presses a button.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    ctx_ = std::make_unique<EditorContext>(*ui, *this, globals);
    auto origine = std::make_unique<OngletOrigine>(*ctx_);
    origine_ = origine.get();
    auto paie = std::make_unique<OngletElementsPaie>(*ctx_);
    paie_ = paie.get();
    onglets_ = {std::move(origine), std::make_unique<OngletCaracteristiques>(*ctx_), std::move(paie),
                std::make_unique<OngletDroitsConges>(*ctx_), std::make_unique<OngletFinContrat>(*ctx_)};
    std::array<OngletContrat*, NombreOnglets> onglets{};
    for (int tab = 0; tab < NombreOnglets; ++tab)
        onglets[tab] = onglets_[tab].get();
    sauvegarde_ = std::make_unique<SauvegardeContrat>(*ctx_, *this, onglets);
    avenants_ = std::make_unique<CommandesAvenant>(
        *ctx_, static_cast<OngletCaracteristiques&>(*onglets_[Caracteristiques]),
        [this] { return sauvegarde_->Controles().Refuses(rules::SaveCheck::HoursLimit); });

    mnuAide_ = new QMenu(QStringLiteral("Aide"), this);
    mnuAide_->setObjectName(QStringLiteral("Mnu_Aide"));
    // The help contents are not delivered with the library: the item is inert.
    mnuAide_->addAction(QStringLiteral("Aide ARBELDONE"))->setObjectName(QStringLiteral("Mnu_Sommaire"));
    ui->Ong_Contrat->installEventFilter(this);
    for (const char* name : CadresAide)
        findChild<QWidget*>(QString::fromLatin1(name))->installEventFilter(this);

    connect(ui->Ong_Contrat, &QTabWidget::currentChanged, this, [this](int index) {
        const int previous = currentTab_;
        currentTab_ = index;
        Ong_Contrat_Click(previous);
    });
    ui::onClick(ui->Cmd_OK, this, [this] { sauvegarde_->Cmd_OK_Click(); });
    ui::onClick(ui->Cmd_Retour, this, [this] { sauvegarde_->Cmd_Retour_Click(); });
    ui::onClick(ui->Cmd_SupprimerContrat, this, [this] { sauvegarde_->Cmd_SupprimerContrat_Click(); });
    ui::onClick(ui->Cmd_ImpContrat, this, [this] { Cmd_ImpContrat_Click(); });
    ui::onClick(ui->Cmd_ImpAvenant, this, [this] { Cmd_ImpAvenant_Click(); });
    EnregistrerEcransLateraux();
    Form_Load();
}

Frm_ElementsContrat::~Frm_ElementsContrat() = default;

// --- Loading ---

void Frm_ElementsContrat::Lire(const char* table, const std::function<void()>& read) {
    try {
        read();
    } catch (const dba::Error& error) {
        echecsLecture_ << MessageTableIllisible(table, error);
    }
}

void Frm_ElementsContrat::Form_Load() {
    ctx_->state.activated = false;
    ui->Ong_Contrat->setCurrentIndex(Origine);
    echecsLecture_.clear();
    dba::Database& db = ctx_->g.TheDatabase;
    Lire(t::CIVILAIDE, [&] { ctx_->civilAide = db.OpenTable(t::CIVILAIDE); });
    Lire(t::PCS, [&] { ctx_->pcs = db.OpenTable(t::PCS); });
    Lire(t::RUBCHARGE, [&] { ctx_->rubCharge = db.OpenTable(t::RUBCHARGE); });
    InitElementContrat();
    Lire(t::TABLES, [&] { ctx_->natureVoie = ctx_->g.Handles.Tables.ReadRecordOrEmpty(t::lists::NATUREVOIE); });
    // Carried on with what could be read, and said once: empty lists
    // without a word would look like a site without values.
    if (!echecsLecture_.isEmpty())
        ui::messages().Show(QStringLiteral("Le contrat ne peut pas être affiché entièrement.\n") +
                                echecsLecture_.join(QLatin1Char('\n')),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
    echecsLecture_.clear();
}

void Frm_ElementsContrat::InitElementContrat() {
    Lire(t::TABLES, [&] {
        origine_->ChargerListes();
        paie_->ChargerListes();
        static_cast<OngletFinContrat&>(*onglets_[FinContrat]).ChargerListes();
    });
    // The flag spares a refill while the browser keeps this editor; a new
    // editor (after the browser's "Retour") always fills its own combos.
    if (!ctx_->g.CombosFilled || ctx_->entityList.empty())
        Remplir_CombosElement();
    Lire(t::CONTRAT, [&] { Afficher_Donnees(); });
    Lire(t::ACTIVITES, [&] { RemplirActivites(); });
}

void Frm_ElementsContrat::RemplirActivites() {
    const std::string query = RequeteActivitesChargement(ui->Opt_Administratif->isChecked(),
                                                         ui->Txt_ConvColContrat->text(), ui->Txt_AssocContrat->text());
    ctx_->activityList = ctx_->g.TheDatabase.SelectRecords(query, "0 1 12");
    ui->Cbo_Activite->clear();
    for (int r = 1; r <= ctx_->activityList.DCount(); ++r)
        ui->Cbo_Activite->addItem(QString::fromStdString(ctx_->activityList.Item(r, 2)));
}

void Frm_ElementsContrat::Remplir_CombosElement() {
    dba::Database& db = ctx_->g.TheDatabase;
    auto remplir = [](QComboBox* combo, const dba::ResultList& list) {
        combo->clear();
        for (int r = 1; r <= list.DCount(); ++r)
            combo->addItem(QString::fromStdString(list.Item(r, 2)));
    };
    bool complet = true;
    Lire(t::ASSOCIATION, [&] {
        complet = false;
        ctx_->entityList = db.SelectRecords("SSELECT ASSOCIATION PAR 1", "0 1");
        remplir(ui->Cbo_LibAssocContrat, ctx_->entityList);
        complet = true;
    });
    Lire(t::CONVENTIONCOL, [&] {
        complet = false;
        ctx_->agreementList = db.SelectRecords("SSELECT CONVENTIONCOL PAR 1", "0 1 2 12");
        remplir(ui->Cbo_LibConvColContrat, ctx_->agreementList);
        complet = true;
    });
    paie_->ProfilContrat();
    Lire(t::RUBCHARGE, [&] {
        complet = false;
        ctx_->homeHelpCharges = db.SelectRecords("SSELECT RUBCHARGE AVEC 28 = \"1\" AND AVEC 30 = \"\"", "0");
        complet = true;
    });
    // Lists that could not be read are read again by the next editor.
    ctx_->g.CombosFilled = complet;
}

void Frm_ElementsContrat::Afficher_Donnees() {
    // Everything the editor remembers belongs to one contract: opening the
    // next one starts afresh (the display below sets what it needs).
    ctx_->state = EditorState{};
    ctx_->state.screenOpeningText = ctx_->g.OpeningRecordText;
    if (ctx_->g.EndDateEntryLocked)
        ui->Txt_DateFinContrat->setEnabled(false);

    Afficher_Ong1();
    // The contract's activities give it its activity type, which the save
    // needs whether or not the pay tab is shown.
    paie_->Activites().Gestion_Activite();
    paie_->Activites().AfficherActivites();
    ctx_->state.tabLoaded[FinContrat] = true;
    Afficher_Ong5();
    ui->Cmd_ImpContrat->setEnabled(true);
    NoterTexteOuverture(*onglets_[Origine]);
    NoterTexteOuverture(*onglets_[FinContrat]);
    for (QLabel* label : {ui->Etq_Conges_0, ui->Etq_Conges_1, ui->Etq_Conges_2, ui->Etq_Conges_3})
        label->setVisible(true);
}

void Frm_ElementsContrat::NoterTexteOuverture(OngletContrat& onglet) {
    // A locked level writes nothing back: the opening text is the reference.
    if (ctx_->NiveauVerrouille())
        return;
    dba::Record r = ctx_->g.ContractRecord;
    try {
        r.SetRecord(ctx_->state.screenOpeningText);
        onglet.EcrireDans(r);
        ctx_->state.screenOpeningText = r.Item();
    } catch (const dba::Error&) {
        // A value the record cannot hold is a change the user will be asked about.
    }
}

void Frm_ElementsContrat::SetEtq_Aidant(const QString& caption) {
    ui->Etq_Aidant->setText(caption);
}

void Frm_ElementsContrat::SelectOnglet(int tab) {
    ui->Ong_Contrat->setCurrentIndex(tab);
}

QString Frm_ElementsContrat::Etq_CodeAidant() const {
    return ctx_->CodeAidant();
}

QString Frm_ElementsContrat::Etq_NomPrenomAidant() const {
    return ui->Etq_Aidant->text().mid(15);
}

void Frm_ElementsContrat::setDroitsUtilisateur(std::shared_ptr<data::AccessRights> rights) {
    ctx_->rights = std::move(rights);
    ctx_->profile.reset();
    if (ctx_->rights)
        ctx_->profile = ctx_->rights->GetModuleRights("DOSAIDECONTRAT");
}

void Frm_ElementsContrat::Init() {
    Appliquer_Droits();
    // What follows runs with the editor on screen: the status options
    // reload the activities from now on.
    ctx_->state.activated = true;
    ctx_->state.contractPrinted = false;
    ctx_->state.amendmentPrinted = false;
    bool telegestion = false;
    try {
        const dba::Record entity =
            ctx_->g.Handles.Association.ReadRecordOrEmpty(ui->Txt_AssocContrat->text().toStdString());
        telegestion = TelegestionGeree(entity.Item(data::association::Telegestion));
    } catch (const dba::Error& error) {
        SignalerTableIllisible(t::ASSOCIATION, error);
    }
    ui->Cmd_Telegestion->setVisible(telegestion);
    // Deleting is offered to those who may change the contract.
    ui->Cmd_SupprimerContrat->setVisible(ctx_->PeutModifier() && !ctx_->NiveauVerrouille());
    ctx_->ecrans.Activer(ui->Cmd_Telegestion, telegestion);
}

void Frm_ElementsContrat::Appliquer_Droits() {
    if (!ctx_->PeutModifier()) {
        // Read only: nothing can be saved; "Retour" closes without asking.
        for (std::string_view name : BoutonsEcriture)
            findChild<QWidget*>(Nom(name))->setVisible(false);
        return;
    }
    if (!ctx_->NiveauVerrouille())
        return;
    for (std::string_view name : ControlesVerrouilles) {
        findChild<QWidget*>(Nom(name))->setEnabled(false);
        ctx_->ecrans.Verrouiller(Nom(name));
    }
}

// --- Tabs ---

void Frm_ElementsContrat::Afficher_Ong1() { onglets_[0]->Afficher(); }
void Frm_ElementsContrat::Afficher_Ong2() { onglets_[1]->Afficher(); }
void Frm_ElementsContrat::Afficher_Ong3() { onglets_[2]->Afficher(); }
void Frm_ElementsContrat::Afficher_Ong4() { onglets_[3]->Afficher(); }
void Frm_ElementsContrat::Afficher_Ong5() { onglets_[4]->Afficher(); }
void Frm_ElementsContrat::Verif_Ong1() { onglets_[0]->Verif(); }
void Frm_ElementsContrat::Verif_Ong2() { onglets_[1]->Verif(); }
void Frm_ElementsContrat::Verif_Ong3() { onglets_[2]->Verif(); }
void Frm_ElementsContrat::Verif_Ong4() { onglets_[3]->Verif(); }
void Frm_ElementsContrat::Verif_Ong5() { onglets_[4]->Verif(); }
void Frm_ElementsContrat::Ecrire_Ong1() { onglets_[0]->Ecrire(); }
void Frm_ElementsContrat::Ecrire_Ong2() { onglets_[1]->Ecrire(); }
void Frm_ElementsContrat::Ecrire_Ong3() { onglets_[2]->Ecrire(); }
void Frm_ElementsContrat::Ecrire_Ong4() { onglets_[3]->Ecrire(); }
void Frm_ElementsContrat::Ecrire_Ong5() { onglets_[4]->Ecrire(); }
void Frm_ElementsContrat::Griser_ComboOng1() { origine_->Griser_ComboOng1(); }
void Frm_ElementsContrat::Degriser_ComboOng1() { origine_->Degriser_ComboOng1(); }
void Frm_ElementsContrat::Activer_MotifCDD() { origine_->Activer_MotifCDD(); }
void Frm_ElementsContrat::Remplir_Aide() { origine_->Remplir_Aide(); }

void Frm_ElementsContrat::Ong_Contrat_Click(int previous) {
    EditorState& state = ctx_->state;
    state.saveInProgress = false;
    state.writeFromReturn = false;
    state.bankDetailsMissing = false;
    if (!ui->Txt_DatDebContrat->text().isEmpty())
        origine_->Txt_DatDebContrat_LostFocus();
    const int tab = ui->Ong_Contrat->currentIndex();
    if (tab == FinContrat) {
        // The end of the contract depends on the pay tab's check boxes;
        // showing them does not make that tab one to save.
        if (!state.tabLoaded[ElementsPaie])
            Afficher_Ong3();
        if (GardeFacturationRefuse()) {
            ui->Ong_Contrat->setCurrentIndex(previous);
            return;
        }
    }
    if (tab > Origine && !state.tabLoaded[tab]) {
        onglets_[tab]->Afficher();
        state.tabLoaded[tab] = true;
        NoterTexteOuverture(*onglets_[tab]);
    }
    switch (tab) {
    case Origine:
        for (QComboBox* combo : {ui->Cbo_LibConvColContrat, ui->Cbo_LibAssocContrat, ui->Cbo_LibEmplEtabContrat})
            Deselectionner(combo);
        break;
    case Caracteristiques:
        Deselectionner(ui->Cbo_QualifContrat);
        Deselectionner(ui->Cbo_FreqWContrat);
        break;
    case ElementsPaie:
        paie_->ProfilContrat();
        Deselectionner(ui->Cbo_LibProfilContrat);
        Deselectionner(ui->Cbo_ModPaieContrat);
        break;
    case FinContrat:
        Deselectionner(ui->Cbo_MotifFinContrat);
        break;
    default:
        break;
    }
}

bool Frm_ElementsContrat::GardeFacturationRefuse() {
    GardeFacturationEntree entree;
    entree.paiementParAssociation = ui->Cac_PaieSalContrat->isChecked();
    entree.provisionConges = ui->Cac_ProvCP->isChecked();
    entree.convention = ui->Txt_ConvColContrat->text();
    entree.dernierePeriode = ctx_->g.ContractRecord.Item(data::contrat::DernierePeriodePaie);
    entree.cleContrat = (Etq_CodeAidant() + ui->Txt_NumContrat->text()).toStdString();
    std::string table; // the table being read, to name it if the read fails
    GardeFacturationSources sources;
    sources.periodeFactureeEmployeur = [&] {
        // Under agreement "02" the employer is the beneficiary.
        table = t::CIVILAIDE;
        return ctx_->civilAide.ReadRecordOrEmpty(ui->Txt_EmplEtabContrat->text().toStdString())
            .Item(data::etablissement::DernierePeriodeFacturee);
    };
    sources.etatCalcul = [&](const std::string& key) {
        table = t::DETAILCALCUL;
        return ctx_->g.Handles.DetailCalcul.ReadRecordOrEmpty(key).Item(data::detailcalcul::Etat);
    };
    QString refusal;
    try {
        refusal = GardeFacturation(entree, sources);
    } catch (const dba::Error& error) {
        // An invoice that could not be looked for may be missing: the tab
        // stays closed.
        SignalerTableIllisible(table, error);
        return true;
    }
    if (refusal.isEmpty())
        return false;
    ui::messages().Show(refusal, ui::Buttons::Ok, ui::Icon::Exclamation);
    return true;
}

// --- The save flows: save_return.cpp ---

rules::SaveChecks& Frm_ElementsContrat::ControlesEnregistrement() {
    return sauvegarde_->Controles();
}

const rules::ContractOverlapResult& Frm_ElementsContrat::ResultatChevauchement() const {
    return sauvegarde_->Chevauchement();
}

EditorState& Frm_ElementsContrat::State() {
    return ctx_->state;
}

data::GlobalState& Frm_ElementsContrat::Globals() {
    return ctx_->g;
}

const std::optional<data::RightsProfile>& Frm_ElementsContrat::Profile() const {
    return ctx_->profile;
}

const std::shared_ptr<data::AccessRights>& Frm_ElementsContrat::AccessRightsObject() const {
    return ctx_->rights;
}

// --- Closing ---

bool Frm_ElementsContrat::Form_Unload() {
    if (ctx_->state.closePermission != 1)
        return false;
    ctx_->state.closePermission = 0;
    DesinitElementContrat();
    ctx_->rights.reset();
    ctx_->profile.reset();
    return true;
}

void Frm_ElementsContrat::DesinitElementContrat() {
    ctx_->activityList = {};
    ctx_->entityList = {};
    ctx_->agreementList = {};
    ctx_->homeHelpCharges = {};
    ctx_->natureVoie = dba::Record();
    ctx_->civilAide = ctx_->pcs = ctx_->rubCharge = dba::Table();
    origine_->LibererListes();
    paie_->LibererListes();
    static_cast<OngletFinContrat&>(*onglets_[FinContrat]).LibererListes();
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

// --- Side screens ---

void Frm_ElementsContrat::SetEcranLateral(const QString& button, std::function<void()> open) {
    ctx_->ecrans.Enregistrer(button, std::move(open));
}

// --- Reset ---

void Frm_ElementsContrat::Vider_Donnees() {
    static const QStringList skipped = {"Cbo", "Cmd", "Ong", "Etq", "Bdh", "Ctr", "Cdr"};
    for (QWidget* w : findChildren<QWidget*>()) {
        const QString name = w->objectName();
        const QString prefix = name.left(3);
        if (name.size() < 4 || name[3] != QLatin1Char('_') || skipped.contains(prefix))
            continue;
        if (auto* option = qobject_cast<QAbstractButton*>(w); option && (prefix == "Cac" || prefix == "Opt")) {
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
    for (QWidget* w : std::initializer_list<QWidget*>{ui->Etq_CoefNivContrat, ui->Txt_CoefNivContrat,
                                                      ui->Etq_TauxHorContrat, ui->Txt_TauxHorContrat})
        w->setEnabled(true);
    ui->Lst_ActiviteContrat->clear();
    ui->Lst_RepartActContrat->clear();
    ctx_->state.activityType.clear();
    for (QComboBox* combo : {ui->Cbo_GrilleContrat, ui->Cbo_NatureContrat, ui->Cbo_CategPCSContrat})
        ViderTexte(combo);
    ui->Cbo_FoncPCSContrat->clear();
    for (QComboBox* combo : {ui->Cbo_LibConvColContrat, ui->Cbo_LibAssocContrat, ui->Cbo_LibEmplEtabContrat})
        ViderTexte(combo);
    {
        // Emptying the form chooses no entry to show.
        const QSignalBlocker quiet(ui->Bdh_Avenant);
        ui->Bdh_Avenant->setMaximum(0);
    }
    ui->Txt_TauxHorContrat->clear();
    for (QComboBox* combo :
         {ui->Cbo_FreqWContrat, ui->Cbo_ModPaieContrat, ui->Cbo_MotifFinContrat, ui->Cbo_ChargMutContrat})
        ViderTexte(combo);
    ui->Cbo_Activite->clear();
    ui->Cmd_SupprimerContrat->setVisible(false);
    ViderTexte(ui->Cbo_QualifContrat);
    ui->Txt_CodPCSContrat->clear();
    ui->Txt_CoefNivContrat->clear();
    ui->Txt_DureeWContrat->clear();
    ViderTexte(ui->Cbo_FreqWContrat);
    ui->Txt_PrevContrat->setVisible(true);
    ui->Cbo_LibPrevContrat->setVisible(true);
    ctx_->state.keptProvidentContract.clear();
    ui->Cbo_LibPrevContrat->setCurrentIndex(-1);
    ui->Txt_DateFinValMut->clear();
}
