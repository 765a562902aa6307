#pragma once
// What the tabs of the open contract share: the generated form, the
// browser's globals, the editor's state, the user's rights and the lists
// that several tabs read. Each tab object holds a reference to it; the
// editor owns it.
#include "data/access_rights.h"
#include "data/global_state.h"
#include "editor/editor_state.h"
#include "editor/side_screens.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class Frm_ElementsContrat;
}


namespace editor {

struct EditorContext {
    EditorContext(Ui::Frm_ElementsContrat& form, QDialog& dialog, data::GlobalState& globals)
        : ui(form), dialog(dialog), g(globals), ecrans(dialog) {}

    Ui::Frm_ElementsContrat& ui;
    QDialog& dialog;
    data::GlobalState& g;
    EditorState state;
    std::shared_ptr<data::AccessRights> rights;
    std::optional<data::RightsProfile> profile;
    EcransLateraux ecrans;
    // Above zero while a tab shows the contract: the look-ups then leave
    // the stored codes as they are.
    int affichage = 0;
    // The activities of the contract's entity, status and agreement, read
    // again when one of them changes (the pay tab's activity frame).
    std::function<void()> Gestion_Activite;
    // The lists that follow the agreement (profiles, provident schemes).
    std::function<void()> ConventionChangee;
    // The fixed-term reason screen, where a missing hiring reason is given.
    std::function<void()> OuvrirMotifCDD;

    // Tables and lists read when the editor loads, used by several tabs.
    dba::Table civilAide, pcs, rubCharge;
    dba::Record natureVoie;
    dba::ResultList entityList;      // ASSOCIATION "0 1"
    dba::ResultList agreementList;   // CONVENTIONCOL "0 1 2 12"
    dba::ResultList homeHelpCharges; // RUBCHARGE "0": home-help charge items
    dba::ResultList activityList;    // ACTIVITES "0 1 12"

    // The helper code: 5 characters from position 10 of Etq_Aidant.
    QString CodeAidant() const;
    // The site's contract-management level forbids changing the contract.
    bool NiveauVerrouille() const;
    // The user may save (access level 2).
    bool PeutModifier() const { return profile && profile->MayChangeData(); }
};

} // namespace editor
