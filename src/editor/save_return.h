#pragma once
#include <functional>
// Saving the contract (OK), leaving the editor (Retour) and what follows a
// save. The contract is written only over the version the editor opened:
// a contract held or changed by another workstation is never overwritten.
#include "editor/editor_context.h"
#include "editor/planning_incidences.h"
#include "rules/contract_guards.h"
#include "rules/contract_overlap.h"
#include "rules/save_checks.h"

#include <array>
#include <string>

class Frm_ElementsContrat;

namespace editor {

class OngletContrat;

class SauvegardeContrat {
public:
    // `onglets` in tab order, the first always checked and written, the
    // others once displayed.
    SauvegardeContrat(EditorContext& context, Frm_ElementsContrat& editor,
                      std::array<OngletContrat*, NombreOnglets> onglets);

    void Cmd_OK_Click();
    void Cmd_Retour_Click();
    // Marks the contract deleted, when no payroll or planning work and no
    // opposition forbid it and the user confirms (save_guards.cpp).
    void Cmd_SupprimerContrat_Click();

    rules::SaveChecks& Controles() { return checks_; }
    const rules::ContractOverlapResult& Chevauchement() const { return overlapResult_; }

private:
    void Ecrire_Donnees();
    // Writes ContractRecord over the stored contract unless another
    // workstation holds it or changed it since it was opened; reads it back.
    // False when nothing was written (the user was told why).
    bool EnregistrerContrat();
    // Writes `record` over the stored contract under the same conditions,
    // then reads the contract back into ContractRecord.
    // `aussi` runs in the same transaction as the write (the planning
    // changes of a change of dates); when it throws, nothing is written.
    bool EcrireSurVersionOuverte(dba::Record& record, const std::function<void()>& aussi = {});
    // The end-date warning after a write; true when it was shown.
    bool AvertirDateFinCreee();
    void Maj_Missions();
    void Maj_LiensDocuments();
    void Toucher_LienDocument(const std::string& linkTable, const std::string& table, const std::string& key);
    // Bank transfer chosen for a helper without bank details (or whose bank
    // details cannot be read): says so, focuses the payment mode, answers true.
    bool VirementSansRib();
    void Fermer();

    // The rule checks at their places in the save flows.
    bool DureeModifiee() const;
    void Verif_NbHeures();
    void VerifContratExist();
    void Verif_ModificationPossible();
    void Verif_SuppDateFin();
    bool Verif_IncidencesPlanning();
    bool IncidencesAVerifier() const;
    // The hours and overlap rules on the values shown
    // (controles_heures_chevauchement.cpp): each tells the user and answers
    // true when the save must stop.
    void InstallerControlesHeuresChevauchement();
    bool ControleNbHeures();
    bool ControleContratExist();
    // The payroll guards (save_guards.cpp).
    void InstallerGardes();
    rules::ContratGarde Garde() const;
    bool ControleModificationPossible();
    bool ControleSuppDateFin();
    bool Verif_SuppressionPlanning();

    EditorContext& ctx;
    Frm_ElementsContrat& editor_;
    std::array<OngletContrat*, NombreOnglets> onglets_;
    rules::SaveChecks checks_;
    IncidencesPlanning incidences_{ctx};
    rules::ContractOverlapResult overlapResult_;
    bool overlap_ = false;      // VerifContratExist found another contract on the same dates
    bool writeRefused_ = false; // the last write stored nothing
};

} // namespace editor
