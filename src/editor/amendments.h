#pragma once
// The amendment commands of the "Caractéristiques" tab: browsing the
// contract's entries with Bdh_Avenant (the latest first), adding an
// amendment over the one shown, validating it (with the weekly hours
// check), cancelling it, and deleting the last one. Changes are made on the
// contract in memory; they reach the database when the contract is saved.
#include "editor/editor_context.h"

#include <QObject>
#include <functional>
#include <string>

namespace editor {

class OngletCaracteristiques;

class CommandesAvenant : public QObject {
public:
    // `verifNbHeures` runs the weekly hours check and answers whether it
    // refused (the user was told or asked).
    CommandesAvenant(EditorContext& context, OngletCaracteristiques& onglet, std::function<bool()> verifNbHeures);

    void Bdh_Avenant_Change();
    void Cmd_AjoutAvenant_Click();
    void Cmd_OKAvenant_Click();
    void Cmd_AnnulerAvenant_Click();
    void Cmd_SupprAv_Click();
    void Txt_DatEffetContrat_LostFocus();

private:
    // The editor back to browsing: buttons and tabs as before the addition.
    void FinAjout();
    // The contract as the tab would write it now (empty when it cannot).
    std::string Saisie() const;

    EditorContext& ctx;
    OngletCaracteristiques& onglet_;
    std::function<bool()> verifNbHeures_;
    std::string depart_;             // Saisie() when the addition began
    bool impressionContrat_ = false; // Cmd_ImpContrat before the addition
};

} // namespace editor
