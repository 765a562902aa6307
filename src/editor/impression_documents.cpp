// Printing the contract or the amendment shown: the contract is saved
// first (OK), and only a save that went through is printed, by the
// document editor control Ctr_Edit.
#include "editor/editor_context.h"
#include "editor/frm_elements_contrat.h"
#include "editor/save_return.h"
#include "screens/ctr_edit/ctr_edit.h"
#include "ui_frm_elements_contrat.h"

void Frm_ElementsContrat::Cmd_ImpContrat_Click() {
    ImprimerDocument(false);
}

void Frm_ElementsContrat::Cmd_ImpAvenant_Click() {
    ImprimerDocument(true);
}

void Frm_ElementsContrat::ImprimerDocument(bool avenant) {
    editor::EditorState& state = ctx_->state;
    // The save empties the screen: what selects the document is read first.
    const QString entite = ui->Txt_AssocContrat->text();
    const QString convention = ui->Txt_ConvColContrat->text();
    const QString numeroAvenant = ui->Txt_AvenantContrat->text();
    bool& imprime = avenant ? state.amendmentPrinted : state.contractPrinted;

    if (ctx_->PeutModifier()) {
        state.saveAndPrintPending = true;
        imprime = true;
        sauvegarde_->Cmd_OK_Click();
        const bool enregistre = state.saveAndPrintPending;
        state.saveAndPrintPending = false;
        imprime = false;
        if (!enregistre)
            return; // the save stopped and said why: nothing to print
    }
    // A user who may not change the contract prints it as it is stored.

    std::string cle = ctx_->g.ContractRecord.key();
    if (avenant)
        cle += numeroAvenant.toStdString();
    screens::Ctr_Edit& edit = *ui->Ctr_Edit;
    edit.setTheDatabase(ctx_->g.TheDatabase);
    edit.setTheClient(ctx_->g.TheClient);
    edit.setDroitsUtilisateur(ctx_->rights);
    edit.setW_CleDocument(QString::fromStdString(cle));
    edit.setW_Modele(entite + convention);
    edit.setW_Option(QString());
    edit.setW_Retour(&retourDocument_);
    edit.Executer();
}
