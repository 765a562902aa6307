#pragma once
// The planning incidences of a change of the contract's dates, at their
// place in the save flows: the interventions the new dates leave outside
// the contract are listed, the user chooses in "Incidences planning", and
// once the contract is written the planning is changed as announced.
//
// The planning is changed in the transaction that writes the contract: a
// save refused (another workstation changed the contract) leaves the
// planning as it was, and a planning that cannot be changed as announced
// (changed meanwhile on another workstation) leaves the contract unsaved.
#include "editor/editor_context.h"
#include "rules/planning_incidences.h"
#include "screens/anomalies_ajout/frm_anomalies_ajoutgraph.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace editor {

class IncidencesPlanning {
public:
    explicit IncidencesPlanning(EditorContext& context) : ctx(context) {}

    // Lists the incidences and asks the user; true when the save goes on,
    // false for "Retour au contrat sans modiffication" (or when the planning
    // cannot be read: the user was told).
    bool Verif_IncidencesPlanning();
    // Inside the contract's write: the interventions listed are stopped,
    // removed or kept without contract as the user chose. Throws when a
    // listed slot changed since it was listed, or on a database error (the
    // caller's transaction then undoes the contract's write too).
    void AppliquerChoix();
    // After the save, written or not: the listed slots' saved list is dropped.
    void Oublier();

private:
    std::vector<rules::Intervention> Verif_InterventionsHorsContrat(const rules::PerimetrePlanning& p,
                                                                    long long debut);
    std::vector<rules::Intervention> Interventions(const std::string& query);
    void Arreter(const rules::Devenir& d);
    void NoterSansContrat(const rules::Devenir& d);
    // The slot is still as it was listed.
    void VerifierInchange(const rules::Intervention& i) const;

    EditorContext& ctx;
    std::optional<screens::ChoixIncidences> choix_;
    std::vector<rules::Devenir> devenirs_;
    std::vector<std::string> requetes_; // the queries that listed them
    std::set<std::string> clesListees_; // the slots listed
    std::string cleContrat_;
    std::string liste_; // saved list of the slots listed, until they are dealt with
};

} // namespace editor
