// Saving the contract (OK), leaving the editor (Retour) and what follows a
// save. The contract is written only over the version this editor opened:
// a contract held or changed by another workstation is never overwritten.
#include "editor/save_return.h"

#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "editor/frm_elements_contrat.h"
#include "editor/onglet_contrat.h"
#include "editor/record_text.h"
#include "editor/table_error.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"
#include "ui_frm_elements_contrat.h"

#include <QtDebug>
#include <stdexcept>

namespace {

namespace c = data::contrat;

const QString QuestionEnregistrer =
    QStringLiteral("Voulez-vous enregistrer les modifications apportées à cet article ?");
const QString MessageDateFinCreee = QStringLiteral(
    "Une date de fin de contrat a été créée, veuillez arrêter de travailler sur cet ordinateur et "
    "merci d'appeler ARBELDONE.");
const QString MessageVirementSansRib = QStringLiteral(
    "Vous ne pouvez pas sélectionner le mode de paiment virement\ncar l'aidant ne possède pas de RIB.");
const QString MessagePlanningNonModifiable = QStringLiteral(
    "Le planning ne peut pas être modifié comme annoncé, le contrat n'a pas été enregistré : ");

// A planning change refused inside the contract's write (not a database error).
class PlanningNonModifiable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

const QString MessageModifieAilleurs = QStringLiteral(
    "Ce contrat a été modifié sur un autre poste depuis son ouverture. Vos modifications ne peuvent pas être "
    "enregistrées : fermez le contrat puis ouvrez-le de nouveau.");

QString MessageVerrouille(const std::string& holder) {
    return QStringLiteral("Ce contrat est en cours de modification sur un autre poste (") +
           QString::fromStdString(holder) + QStringLiteral("). Veuillez réessayer dans quelques instants.");
}

// Releases the lock taken on the stored contract, on every way out of the
// write.
class VerrouContrat {
public:
    explicit VerrouContrat(dba::Record& locked) : locked_(locked) {}
    VerrouContrat(const VerrouContrat&) = delete;
    VerrouContrat& operator=(const VerrouContrat&) = delete;
    ~VerrouContrat() {
        try {
            locked_.Release();
        } catch (const dba::Error& error) {
            qWarning() << "Frm_ElementsContrat: verrou non libéré:" << error.what();
        }
        locked_ = dba::Record();
    }

private:
    dba::Record& locked_;
};

void Signaler(const char* what, const dba::Error& error) {
    ui::messages().Show(QString::fromUtf8(what) + QString::fromStdString(error.what()), ui::Buttons::Ok,
                        ui::Icon::Exclamation);
}

} // namespace

namespace editor {

SauvegardeContrat::SauvegardeContrat(EditorContext& context, Frm_ElementsContrat& editor,
                                     std::array<OngletContrat*, NombreOnglets> onglets)
    : ctx(context), editor_(editor), onglets_(onglets) {
    InstallerControlesHeuresChevauchement();
    InstallerGardes();
    checks_.Install(rules::SaveCheck::PlanningIncidences,
                    [this] { return !incidences_.Verif_IncidencesPlanning(); });
}

// --- OK ---

void SauvegardeContrat::Cmd_OK_Click() {
    // Every stop leaves the editor open as the user left it and drops a
    // pending print: nothing was saved to print.
    auto arreter = [this] { ctx.state.saveAndPrintPending = false; };
    for (OngletContrat* onglet : onglets_) {
        if (onglet->Index() != Origine && !ctx.state.tabLoaded[onglet->Index()])
            continue;
        onglet->Verif();
        if (onglet->Erreur())
            return arreter();
    }

    {
        ui::BusyCursor busy(&ctx.dialog);
        ctx.state.closePermission = 1;
        ctx.state.refusal = false;
        if (DureeModifiee())
            Verif_NbHeures();
        if (ctx.state.refusal) {
            // The hours refused: the contract is dropped unsaved.
            arreter();
            editor_.Vider_Donnees();
            ctx.state.tabLoaded = {};
            ctx.dialog.hide();
            return;
        }
        VerifContratExist();
        if (overlap_)
            return arreter();

        ctx.state.saveInProgress = true;
        Ecrire_Donnees();
        ctx.state.saveInProgress = false;
        bool erreurOnglet = false;
        for (bool error : ctx.state.tabError)
            erreurOnglet = erreurOnglet || error;
        if (!ctx.state.modificationAllowed || ctx.state.endDateRefused || erreurOnglet || writeRefused_)
            return arreter();
    }
    Maj_Missions();
    Maj_LiensDocuments();
    Fermer();
}

void SauvegardeContrat::Ecrire_Donnees() {
    writeRefused_ = false;
    ctx.state.modificationAllowed = true;
    Verif_ModificationPossible();
    if (!ctx.state.modificationAllowed)
        return;
    ctx.state.endDateRefused = false;
    const QString endDate = data::dates::DateToInternal(ctx.ui.Txt_DateFinContrat->text());
    if (ctx.g.ContractRecord.Item(c::DateFin) != endDate.toStdString())
        Verif_SuppDateFin();
    if (ctx.state.endDateRefused)
        return;

    for (OngletContrat* onglet : onglets_) {
        if (onglet->Index() != Origine && !ctx.state.tabLoaded[onglet->Index()])
            continue;
        onglet->Ecrire();
        if (onglet->Erreur())
            return;
    }
    ctx.state.contractNumber = ctx.ui.Txt_NumContrat->text();

    if (IncidencesAVerifier() && !Verif_IncidencesPlanning()) {
        ctx.state.tabError[FinContrat] = true;
        return;
    }
    const bool written = EnregistrerContrat();
    incidences_.Oublier();
    if (!written) {
        writeRefused_ = true;
        return;
    }
    // Already written: the warning does not stop what follows a save.
    AvertirDateFinCreee();
}

bool SauvegardeContrat::EnregistrerContrat() {
    return EcrireSurVersionOuverte(ctx.g.ContractRecord, [this] { incidences_.AppliquerChoix(); });
}

bool SauvegardeContrat::EcrireSurVersionOuverte(dba::Record& record, const std::function<void()>& aussi) {
    dba::Record& contract = ctx.g.ContractRecord;
    dba::Record& locked = ctx.g.LockedContractRecord;
    const std::string key = contract.key();
    const dba::Table& table = ctx.g.Handles.Contrat;

    // Under the lock, the stored contract must still be the one opened.
    bool stored = true;
    try {
        try {
            locked = table.ReadRecordLocked(key);
        } catch (const dba::RecordNotFound&) {
            stored = false; // removed meanwhile; the lock is held all the same
            locked = table.NewRecord(key);
        }
    } catch (const dba::RecordLocked& error) {
        locked = dba::Record();
        ui::messages().Show(MessageVerrouille(error.holder()), ui::Buttons::Ok, ui::Icon::Exclamation);
        return false;
    } catch (const dba::Error& error) {
        locked = dba::Record();
        Signaler("Enregistrement impossible : ", error);
        return false;
    }
    {
        const VerrouContrat verrou(locked);
        if (!stored || !MemeContenu(locked.Item(), ctx.g.OpeningRecordText)) {
            ui::messages().Show(MessageModifieAilleurs, ui::Buttons::Ok, ui::Icon::Exclamation);
            return false;
        }
        // The contract and what goes with it (the planning) land together or not at all.
        try {
            ctx.g.TheDatabase.Transaction([&] {
                record.SetRecord(SansChampsVidesFinaux(record.Item()));
                record.DBWriteU();
                if (aussi) {
                    try {
                        aussi();
                    } catch (const dba::Error&) {
                        throw;
                    } catch (const std::exception& error) {
                        throw PlanningNonModifiable(error.what());
                    }
                }
            });
        } catch (const PlanningNonModifiable& error) {
            ui::messages().Show(MessagePlanningNonModifiable + QString::fromUtf8(error.what()) +
                                    QStringLiteral("."),
                                ui::Buttons::Ok, ui::Icon::Exclamation);
            return false;
        } catch (const dba::Error& error) {
            Signaler("Enregistrement impossible : ", error);
            return false;
        }
    }

    try {
        record.Release();
        contract.Release();
        contract = table.ReadRecord(key);
        ctx.g.OpeningRecordText = contract.Item();
    } catch (const dba::Error& error) {
        // Written; only the copy on screen could not be refreshed.
        contract.SetRecord(SansChampsVidesFinaux(record.Item()));
        ctx.g.OpeningRecordText = contract.Item();
        qWarning() << "Frm_ElementsContrat: relecture du contrat impossible:" << error.what();
    }
    ctx.state.screenOpeningText = ctx.g.OpeningRecordText;
    return true;
}

bool SauvegardeContrat::AvertirDateFinCreee() {
    const dba::Record& r = ctx.g.ContractRecord;
    if (r.Item(c::DateFin).empty() || !r.Item(c::PeriodeDernierBulletin).empty())
        return false;
    ui::messages().Show(MessageDateFinCreee, ui::Buttons::Ok, ui::Icon::Exclamation);
    return true;
}

// --- After a save ---

void SauvegardeContrat::Maj_Missions() {
    const QString endText = ctx.ui.Txt_DateFinContrat->text().trimmed();
    if (ctx.state.activityType != QLatin1String("I") || endText.isEmpty())
        return;
    const std::string end = data::dates::DateToInternal(endText).toStdString();
    if (end.empty())
        return;
    const std::string helper = c::CodeAidant(ctx.g.ContractRecord.key());
    const std::string entity = ctx.ui.Txt_AssocContrat->text().toStdString();
    dba::Record missions;
    try {
        missions = ctx.g.Handles.MissionsAidant.ReadRecordLocked(helper);
    } catch (const dba::RecordNotFound&) {
        ctx.g.Handles.MissionsAidant.NewRecord(helper).Release();
        return;
    } catch (const dba::Error& error) {
        Signaler("Missions de l'aidant non mises à jour : ", error);
        return;
    }
    namespace m = data::missionsaidant;
    try {
        // A mission of the entity may not outlast the contract.
        int i = 1;
        do {
            if (missions.Item(m::Entite, i) == entity) {
                const std::string missionEnd = missions.Item(m::DateFin, i);
                if (missionEnd.empty() || std::stoll(missionEnd) > std::stoll(end))
                    missions.SetItem(m::DateFin, i, end);
            }
            ++i;
        } while (!missions.Item(m::Entite, i).empty());
        missions.DBWriteU();
    } catch (const std::exception& error) {
        qWarning() << "Frm_ElementsContrat: missions de l'aidant non mises à jour:" << error.what();
    }
    missions.Release();
}

void SauvegardeContrat::Maj_LiensDocuments() {
    const std::string prefix =
        (ctx.ui.Txt_AssocContrat->text() + ctx.ui.Txt_ConvColContrat->text()).toStdString();
    if (!ctx.state.contractPrinted) {
        Toucher_LienDocument(data::tables::LIENCONTRAT, prefix + "CONTRAT",
                             c::CodeAidant(ctx.g.ContractRecord.key()) +
                                 ctx.state.contractNumber.toStdString());
        ctx.state.contractNumber.clear();
    } else if (!ctx.state.amendmentPrinted && !ctx.state.amendmentDocumentKey.Item(1).empty()) {
        Toucher_LienDocument(data::tables::LIENAVENANT, prefix + "AVENANT",
                             ctx.state.amendmentDocumentKey.Item(1));
    }
}

// The document editor regenerates a document whose records were written
// after it was printed; writing them back marks the contract as changed.
void SauvegardeContrat::Toucher_LienDocument(const std::string& linkTable, const std::string& table,
                                             const std::string& key) {
    auto toucher = [](const dba::Table& t, const std::string& recordKey) {
        dba::Record r;
        try {
            r = t.ReadRecordLocked(recordKey);
        } catch (const dba::RecordNotFound&) {
            r = t.NewRecord(recordKey);
        }
        r.DBWriteU();
        r.Release();
    };
    try {
        toucher(ctx.g.TheDatabase.OpenTable(linkTable), table);
    } catch (const dba::Error& error) {
        qWarning() << "Frm_ElementsContrat: lien de document" << linkTable.c_str()
                   << "non mis à jour:" << error.what();
    }
    try {
        toucher(ctx.g.TheDatabase.OpenTable(table), key);
    } catch (const dba::TableNotFound&) {
        // The entity has no documents of this kind.
    } catch (const dba::Error& error) {
        qWarning() << "Frm_ElementsContrat: document" << table.c_str() << "non mis à jour:" << error.what();
    }
}

// --- Retour ---

void SauvegardeContrat::Cmd_Retour_Click() {
    {
        // Every change on screen goes into the record to compare it with the
        // contract as the screen showed it; a failed earlier check must not
        // hide a change.
        ui::BusyCursor busy(&ctx.dialog);
        ctx.state.tabError = {};
        for (OngletContrat* onglet : onglets_)
            if (onglet->Index() == Origine || ctx.state.tabLoaded[onglet->Index()])
                onglet->Ecrire();
    }
    if (!ctx.PeutModifier())
        return Fermer();
    if (MemeContenu(ctx.g.ContractRecord.Item(), ctx.state.screenOpeningText)) {
        if (!VirementSansRib())
            Fermer();
        return;
    }
    ui::messages().Beep();
    switch (ui::messages().Show(QuestionEnregistrer, ui::Buttons::YesNoCancel, ui::Icon::Question)) {
    case ui::Answer::Yes:
        break;
    case ui::Answer::No:
        if (!VirementSansRib())
            Fermer();
        return;
    default:
        return;
    }

    // Saved from here without the overlap check; each tab checks itself
    // before writing.
    struct Marqueurs {
        EditorState& s;
        ~Marqueurs() {
            s.checkBeforeWrite = false;
            s.writeFromReturn = false;
        }
    } marqueurs{ctx.state};
    ctx.state.checkBeforeWrite = true;
    ctx.state.modificationAllowed = true;
    ctx.state.refusal = false;
    if (DureeModifiee())
        Verif_NbHeures();
    if (ctx.state.refusal)
        return;
    Verif_ModificationPossible();
    if (!ctx.state.modificationAllowed)
        return;
    ctx.state.endDateRefused = false;
    Verif_SuppDateFin();
    if (ctx.state.endDateRefused)
        return;

    for (OngletContrat* onglet : onglets_) {
        const int tab = onglet->Index();
        if (tab != Origine && !ctx.state.tabLoaded[tab])
            continue;
        if (tab == ElementsPaie) {
            ctx.state.writeFromReturn = true;
            ctx.state.bankDetailsMissing = false;
        }
        onglet->Ecrire();
        if (onglet->Erreur())
            return;
        if (tab == ElementsPaie && ctx.state.bankDetailsMissing) {
            ui::messages().Show(MessageVirementSansRib, ui::Buttons::Ok, ui::Icon::Exclamation);
            ctx.ui.Cbo_ModPaieContrat->setFocus();
            return;
        }
    }
    if (IncidencesAVerifier() && !Verif_IncidencesPlanning())
        return;
    const bool written = EnregistrerContrat();
    incidences_.Oublier();
    if (!written)
        return;
    overlap_ = false;
    if (AvertirDateFinCreee())
        return;
    if (!ctx.state.amendmentDocumentKey.Item(1).empty()) {
        const std::string prefix =
            (ctx.ui.Txt_AssocContrat->text() + ctx.ui.Txt_ConvColContrat->text()).toStdString();
        Toucher_LienDocument(data::tables::LIENAVENANT, prefix + "AVENANT",
                             ctx.state.amendmentDocumentKey.Item(1));
    }
    Fermer();
}

bool SauvegardeContrat::VirementSansRib() {
    QComboBox* mode = ctx.ui.Cbo_ModPaieContrat;
    if (mode->count() == 0 || mode->currentText().isEmpty() || mode->currentText() != mode->itemText(0))
        return false;
    try {
        if (ctx.g.Handles.RibAidant.Exists(c::CodeAidant(ctx.g.ContractRecord.key())))
            return false;
        ui::messages().Show(MessageVirementSansRib, ui::Buttons::Ok, ui::Icon::Exclamation);
    } catch (const dba::Error& error) {
        // Unchecked is not "has bank details": the transfer could not be paid.
        SignalerTableIllisible(data::tables::RIBAIDANT, error);
    }
    mode->setFocus();
    return true;
}

void SauvegardeContrat::Fermer() {
    // The editor itself lets the window go; the close box alone never does.
    ctx.state.closePermission = 1;
    editor_.Vider_Donnees();
    try {
        ctx.g.ContractRecord.Release();
    } catch (const dba::Error& error) {
        qWarning() << "Frm_ElementsContrat: verrou du contrat non libéré:" << error.what();
    }
    ctx.state.tabLoaded = {};
    ctx.dialog.hide();
}

// --- Rule checks at their places in the save flows ---

bool SauvegardeContrat::DureeModifiee() const {
    const QString duration = ctx.ui.Txt_DureeWContrat->text();
    const QString frequency = ctx.ui.Cbo_FreqWContrat->currentText();
    if (!duration.isEmpty() && !frequency.isEmpty() && ctx.state.amendmentTabChanged)
        return true;
    return duration + frequency != ctx.state.savedDuration;
}

void SauvegardeContrat::Verif_NbHeures() {
    ctx.state.refusal = checks_.Refuses(rules::SaveCheck::HoursLimit);
}

void SauvegardeContrat::VerifContratExist() {
    overlap_ = checks_.Refuses(rules::SaveCheck::ContractOverlap);
}

void SauvegardeContrat::Verif_ModificationPossible() {
    if (checks_.Refuses(rules::SaveCheck::ModificationPossible))
        ctx.state.modificationAllowed = false;
}

void SauvegardeContrat::Verif_SuppDateFin() {
    if (checks_.Refuses(rules::SaveCheck::EndDateRemoval))
        ctx.state.endDateRefused = true;
}

bool SauvegardeContrat::Verif_IncidencesPlanning() {
    return !checks_.Refuses(rules::SaveCheck::PlanningIncidences);
}

bool SauvegardeContrat::IncidencesAVerifier() const {
    return ctx.g.PlanningCheck &&
           (ctx.ui.Txt_DernJrWContrat->text().trimmed() != ctx.state.savedLastWorkingDay ||
            QString::fromStdString(ctx.g.ContractRecord.Item(c::DateDebut)) != ctx.state.savedStartDate);
}

} // namespace editor
