#pragma once
// What the contract editor remembers while a contract is open. Everything
// here goes back to its initial value when the editor is initialised for a
// contract (Frm_ElementsContrat::Init), so nothing leaks from one contract
// to the next.
#include "dba/result_list.h"

#include <QString>
#include <array>
#include <map>
#include <string>

namespace editor {

// Tabs of Ong_Contrat, by index.
enum Onglet : int { Origine = 0, Caracteristiques = 1, ElementsPaie = 2, DroitsConges = 3, FinContrat = 4 };
inline constexpr int NombreOnglets = 5;

struct EditorState {
    // One per tab, index 0 to 4: set by the tab's check or write procedure
    // to stop a save, cleared when they pass.
    std::array<bool, NombreOnglets> tabError{};
    // Tabs 2 to 5 (indexes 1 to 4) once displayed from the contract record;
    // a tab never displayed is neither checked nor written. Index 0 is
    // unused: the first tab is always displayed.
    std::array<bool, NombreOnglets> tabLoaded{};

    bool refusal = false;             // hours check refused the save
    bool modificationAllowed = false; // cleared when the contract may not be rewritten
    bool endDateRefused = false;
    bool amendmentTabChanged = false; // an amendment is being added
    bool saveAndPrintPending = false;
    bool contractPrinted = false;
    bool amendmentPrinted = false;
    bool checkBeforeWrite = false; // each write procedure runs its tab's check first
    // Save markers, cleared on every tab selection.
    bool saveInProgress = false;
    bool writeFromReturn = false;
    bool bankDetailsMissing = false;

    int closePermission = 0; // the window may close only at 1
    bool activated = false;

    // The contract as the screen represents it when it was opened: the
    // opening text passed through the write of every tab displayed. "Retour"
    // asks to save only when the record differs from it, that is when the
    // user changed something.
    std::string screenOpeningText;

    QString savedDuration;       // Txt_DureeWContrat + Cbo_FreqWContrat as displayed
    QString savedLastWorkingDay; // Txt_DernJrWContrat as displayed
    QString savedStartDate;      // field 7 (day number) as displayed
    QString contractNumber;      // Txt_NumContrat as saved
    QString activityType;        // type of the contract's first activity
    QString keptPaymentMode;     // Cbo_ModPaieContrat as displayed
    QString keptProvidentContract;

    // Helper code + contract number + amendment number of an amendment
    // validated while the editor is open (Item 1 only).
    dba::SelectQuery amendmentDocumentKey;
    // Amendments validated since the editor opened, by document key.
    std::map<std::string, bool> validatedAmendments;

    // How often each tab procedure ran (index 0 = tab 1). Lets the host and
    // the tests see which tabs a save went through.
    std::array<int, NombreOnglets> displays{};
    std::array<int, NombreOnglets> checks{};
    std::array<int, NombreOnglets> writes{};
};

} // namespace editor
