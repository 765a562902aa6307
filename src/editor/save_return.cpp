// Saving the contract (OK), leaving the editor (Retour) and what follows a
// save. The contract is written only over the version this editor opened:
// a contract held or changed by another workstation is never overwritten.
#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "editor/frm_elements_contrat.h"
#include "editor/record_text.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"
#include "ui_frm_elements_contrat.h"

#include <QtDebug>

namespace {

namespace c = data::contrat;
using editor::Onglet;

const QString QuestionEnregistrer =
    QStringLiteral("Voulez-vous enregistrer les modifications apportées à cet article ?");
const QString MessageDateFinCreee = QStringLiteral(
    "Une date de fin de contrat a été créée, veuillez arrêter de travailler sur cet ordinateur et "
    "merci d'appeler ARBELDONE.");
const QString MessageVirementSansRib = QStringLiteral(
    "Vous ne pouvez pas sélectionner le mode de paiment virement\ncar l'aidant ne possède pas de RIB.");
const QString MessageModifieAilleurs = QStringLiteral(
    "Ce contrat a été modifié sur un autre poste depuis son ouverture. Vos modifications ne peuvent pas être "
    "enregistrées : fermez le contrat puis ouvrez-le de nouveau.");

QString MessageVerrouille(const std::string& holder) {
    return QStringLiteral("Ce contrat est en cours de modification sur un autre poste (") +
           QString::fromStdString(holder) + QStringLiteral("). Veuillez réessayer dans quelques instants.");
}

void Signaler(const char* what, const dba::Error& error) {
    ui::messages().Show(QString::fromUtf8(what) + QString::fromStdString(error.what()), ui::Buttons::Ok,
                        ui::Icon::Exclamation);
}

} // namespace

// --- OK ---

void Frm_ElementsContrat::Cmd_OK_Click() {
    // Every stop leaves the editor open as the user left it.
    auto arreter = [this] {
        state_.saveAndPrintPending = false;
        state_.closePermission = 0;
    };
    Verif_Ong1();
    if (state_.tabError[Onglet::Origine])
        return arreter();
    using Procedure = void (Frm_ElementsContrat::*)();
    static constexpr Procedure verifs[] = {nullptr, &Frm_ElementsContrat::Verif_Ong2,
                                           &Frm_ElementsContrat::Verif_Ong3, &Frm_ElementsContrat::Verif_Ong4,
                                           &Frm_ElementsContrat::Verif_Ong5};
    for (int tab = Onglet::Caracteristiques; tab < editor::NombreOnglets; ++tab) {
        if (!state_.tabLoaded[tab])
            continue;
        (this->*verifs[tab])();
        if (state_.tabError[tab])
            return arreter();
    }

    {
        ui::BusyCursor busy(this);
        state_.closePermission = 1;
        state_.refusal = false;
        if (DureeModifiee())
            Verif_NbHeures();
        if (state_.refusal) {
            // The hours refused: the contract is dropped unsaved.
            Vider_Donnees();
            state_.tabLoaded = {};
            hide();
            return;
        }
        VerifContratExist();
        if (overlap_)
            return arreter();

        state_.saveInProgress = true;
        Ecrire_Donnees();
        state_.saveInProgress = false;
        bool erreurOnglet = false;
        for (bool error : state_.tabError)
            erreurOnglet = erreurOnglet || error;
        if (!state_.modificationAllowed || state_.endDateRefused || erreurOnglet || writeRefused_)
            return arreter();
    }
    Maj_Missions();
    Maj_LiensDocuments();
    Fermer();
}

void Frm_ElementsContrat::Ecrire_Donnees() {
    writeRefused_ = false;
    state_.modificationAllowed = true;
    Verif_ModificationPossible();
    if (!state_.modificationAllowed)
        return;
    state_.endDateRefused = false;
    const QString endDate = data::dates::DateToInternal(ui->Txt_DateFinContrat->text());
    if (g_.ContractRecord.Item(c::DateFin) != endDate.toStdString())
        Verif_SuppDateFin();
    if (state_.endDateRefused)
        return;

    Ecrire_Ong1();
    if (state_.tabError[Onglet::Origine])
        return;
    using Procedure = void (Frm_ElementsContrat::*)();
    static constexpr Procedure ecritures[] = {
        nullptr, &Frm_ElementsContrat::Ecrire_Ong2, &Frm_ElementsContrat::Ecrire_Ong3,
        &Frm_ElementsContrat::Ecrire_Ong4, &Frm_ElementsContrat::Ecrire_Ong5};
    for (int tab = Onglet::Caracteristiques; tab < editor::NombreOnglets; ++tab) {
        if (!state_.tabLoaded[tab])
            continue;
        (this->*ecritures[tab])();
        if (state_.tabError[tab])
            return;
    }
    state_.contractNumber = ui->Txt_NumContrat->text();

    if (IncidencesAVerifier() && !Verif_IncidencesPlanning()) {
        state_.tabError[Onglet::FinContrat] = true;
        return;
    }
    if (!EnregistrerContrat()) {
        writeRefused_ = true;
        return;
    }
    // Already written: the warning does not stop what follows a save.
    AvertirDateFinCreee();
}

bool Frm_ElementsContrat::EnregistrerContrat() {
    dba::Record& contract = g_.ContractRecord;
    dba::Record& locked = g_.LockedContractRecord;
    const std::string key = contract.key();
    const dba::Table& table = g_.Handles.Contrat;

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
    auto liberer = [&locked] {
        try {
            locked.Release();
        } catch (const dba::Error& error) {
            qWarning() << "Frm_ElementsContrat: verrou non libéré:" << error.what();
        }
        locked = dba::Record();
    };
    if (!stored || !editor::MemeContenu(locked.Item(), g_.OpeningRecordText)) {
        liberer();
        ui::messages().Show(MessageModifieAilleurs, ui::Buttons::Ok, ui::Icon::Exclamation);
        return false;
    }

    try {
        contract.SetRecord(editor::SansChampsVidesFinaux(contract.Item()));
        contract.DBWriteU();
    } catch (const dba::Error& error) {
        liberer();
        Signaler("Enregistrement impossible : ", error);
        return false;
    }
    liberer();

    try {
        contract.Release();
        contract = table.ReadRecord(key);
        g_.OpeningRecordText = contract.Item();
    } catch (const dba::Error& error) {
        // Written; only the copy on screen could not be refreshed.
        g_.OpeningRecordText = editor::SansChampsVidesFinaux(contract.Item());
        qWarning() << "Frm_ElementsContrat: relecture du contrat impossible:" << error.what();
    }
    return true;
}

bool Frm_ElementsContrat::AvertirDateFinCreee() {
    const dba::Record& r = g_.ContractRecord;
    if (r.Item(c::DateFin).empty() || !r.Item(c::PeriodeDernierBulletin).empty())
        return false;
    ui::messages().Show(MessageDateFinCreee, ui::Buttons::Ok, ui::Icon::Exclamation);
    return true;
}

// --- After a save ---

void Frm_ElementsContrat::Maj_Missions() {
    const QString endText = ui->Txt_DateFinContrat->text().trimmed();
    if (state_.activityType != QLatin1String("I") || endText.isEmpty())
        return;
    const std::string end = data::dates::DateToInternal(endText).toStdString();
    if (end.empty())
        return;
    const std::string helper = c::CodeAidant(g_.ContractRecord.key());
    const std::string entity = ui->Txt_AssocContrat->text().toStdString();
    dba::Record missions;
    try {
        missions = g_.Handles.MissionsAidant.ReadRecordLocked(helper);
    } catch (const dba::RecordNotFound&) {
        g_.Handles.MissionsAidant.NewRecord(helper).Release();
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

void Frm_ElementsContrat::Maj_LiensDocuments() {
    const std::string prefix = (ui->Txt_AssocContrat->text() + ui->Txt_ConvColContrat->text()).toStdString();
    if (!state_.contractPrinted) {
        Toucher_LienDocument(data::tables::LIENCONTRAT, prefix + "CONTRAT",
                             c::CodeAidant(g_.ContractRecord.key()) + state_.contractNumber.toStdString());
        state_.contractNumber.clear();
    } else if (!state_.amendmentPrinted && !state_.amendmentDocumentKey.Item(1).empty()) {
        Toucher_LienDocument(data::tables::LIENAVENANT, prefix + "AVENANT",
                             state_.amendmentDocumentKey.Item(1));
    }
}

// The document editor regenerates a document whose records were written
// after it was printed; writing them back marks the contract as changed.
void Frm_ElementsContrat::Toucher_LienDocument(const std::string& linkTable, const std::string& table,
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
        toucher(g_.TheDatabase.OpenTable(linkTable), table);
    } catch (const dba::Error& error) {
        qWarning() << "Frm_ElementsContrat: lien de document" << linkTable.c_str()
                   << "non mis à jour:" << error.what();
    }
    try {
        toucher(g_.TheDatabase.OpenTable(table), key);
    } catch (const dba::TableNotFound&) {
        // The entity has no documents of this kind.
    } catch (const dba::Error& error) {
        qWarning() << "Frm_ElementsContrat: document" << table.c_str() << "non mis à jour:" << error.what();
    }
}

// --- Retour ---

void Frm_ElementsContrat::Cmd_Retour_Click() {
    {
        // Every change on screen goes into the record to compare it with the
        // opened one; a failed earlier check must not hide a change.
        ui::BusyCursor busy(this);
        state_.tabError = {};
        Ecrire_Ong1();
        if (state_.tabLoaded[Onglet::Caracteristiques])
            Ecrire_Ong2();
        if (state_.tabLoaded[Onglet::ElementsPaie])
            Ecrire_Ong3();
        if (state_.tabLoaded[Onglet::DroitsConges])
            Ecrire_Ong4();
        if (state_.tabLoaded[Onglet::FinContrat])
            Ecrire_Ong5();
    }
    if (!profile_ || !profile_->MayChangeData())
        return Fermer();
    if (editor::MemeContenu(g_.ContractRecord.Item(), g_.OpeningRecordText)) {
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
        editor::EditorState& s;
        ~Marqueurs() {
            s.checkBeforeWrite = false;
            s.writeFromReturn = false;
        }
    } marqueurs{state_};
    state_.checkBeforeWrite = true;
    state_.modificationAllowed = true;
    state_.refusal = false;
    if (DureeModifiee())
        Verif_NbHeures();
    if (state_.refusal)
        return;
    Verif_ModificationPossible();
    if (!state_.modificationAllowed)
        return;
    state_.endDateRefused = false;
    Verif_SuppDateFin();
    if (state_.endDateRefused)
        return;

    Ecrire_Ong1();
    if (state_.tabError[Onglet::Origine])
        return;
    if (state_.tabLoaded[Onglet::Caracteristiques]) {
        Ecrire_Ong2();
        if (state_.tabError[Onglet::Caracteristiques])
            return;
    }
    state_.writeFromReturn = true;
    if (state_.tabLoaded[Onglet::ElementsPaie]) {
        state_.bankDetailsMissing = false;
        Ecrire_Ong3();
        if (state_.tabError[Onglet::ElementsPaie])
            return;
        if (state_.bankDetailsMissing) {
            ui::messages().Show(MessageVirementSansRib, ui::Buttons::Ok, ui::Icon::Exclamation);
            ui->Cbo_ModPaieContrat->setFocus();
            return;
        }
    }
    if (state_.tabLoaded[Onglet::DroitsConges]) {
        Ecrire_Ong4();
        if (state_.tabError[Onglet::DroitsConges])
            return;
    }
    if (state_.tabLoaded[Onglet::FinContrat]) {
        Ecrire_Ong5();
        if (state_.tabError[Onglet::FinContrat])
            return;
    }
    if (IncidencesAVerifier() && !Verif_IncidencesPlanning())
        return;
    if (!EnregistrerContrat())
        return;
    overlap_ = false;
    if (AvertirDateFinCreee())
        return;
    if (!state_.amendmentDocumentKey.Item(1).empty()) {
        const std::string prefix =
            (ui->Txt_AssocContrat->text() + ui->Txt_ConvColContrat->text()).toStdString();
        Toucher_LienDocument(data::tables::LIENAVENANT, prefix + "AVENANT",
                             state_.amendmentDocumentKey.Item(1));
    }
    Fermer();
}

bool Frm_ElementsContrat::VirementSansRib() {
    QComboBox* mode = ui->Cbo_ModPaieContrat;
    if (mode->count() == 0 || mode->currentText().isEmpty() || mode->currentText() != mode->itemText(0))
        return false;
    bool ribExists = true;
    try {
        ribExists = g_.Handles.RibAidant.Exists(c::CodeAidant(g_.ContractRecord.key()));
    } catch (const dba::Error& error) {
        qWarning() << "Frm_ElementsContrat: RIB de l'aidant illisible:" << error.what();
    }
    if (ribExists)
        return false;
    ui::messages().Show(MessageVirementSansRib, ui::Buttons::Ok, ui::Icon::Exclamation);
    mode->setFocus();
    return true;
}

void Frm_ElementsContrat::Fermer() {
    // The editor itself lets the window go; the close box alone never does.
    state_.closePermission = 1;
    Vider_Donnees();
    try {
        g_.ContractRecord.Release();
    } catch (const dba::Error& error) {
        qWarning() << "Frm_ElementsContrat: verrou du contrat non libéré:" << error.what();
    }
    state_.tabLoaded = {};
    hide();
}

// --- Rule checks at their places in the save flows ---

bool Frm_ElementsContrat::DureeModifiee() const {
    const QString duration = ui->Txt_DureeWContrat->text();
    const QString frequency = ui->Cbo_FreqWContrat->currentText();
    if (!duration.isEmpty() && !frequency.isEmpty() && state_.amendmentTabChanged)
        return true;
    return duration + frequency != state_.savedDuration;
}

void Frm_ElementsContrat::Verif_NbHeures() {
    state_.refusal = saveChecks_.Refuses(rules::SaveCheck::HoursLimit);
}

void Frm_ElementsContrat::VerifContratExist() {
    overlap_ = saveChecks_.Refuses(rules::SaveCheck::ContractOverlap);
}

void Frm_ElementsContrat::Verif_ModificationPossible() {
    if (saveChecks_.Refuses(rules::SaveCheck::ModificationPossible))
        state_.modificationAllowed = false;
}

void Frm_ElementsContrat::Verif_SuppDateFin() {
    if (saveChecks_.Refuses(rules::SaveCheck::EndDateRemoval))
        state_.endDateRefused = true;
}

bool Frm_ElementsContrat::Verif_IncidencesPlanning() {
    return !saveChecks_.Refuses(rules::SaveCheck::PlanningIncidences);
}

bool Frm_ElementsContrat::IncidencesAVerifier() const {
    return g_.PlanningCheck &&
           (ui->Txt_DernJrWContrat->text().trimmed() != state_.savedLastWorkingDay ||
            QString::fromStdString(g_.ContractRecord.Item(c::DateDebut)) != state_.savedStartDate);
}
