#pragma once
// One tab of the contract editor: it displays the contract record on its
// controls, checks what they hold and writes it back. The editor calls the
// three through Afficher_OngN, Verif_OngN and Ecrire_OngN.
#include "dba/database.h"
#include "editor/editor_context.h"

#include <QObject>

class QLineEdit;

namespace editor {

class OngletContrat : public QObject {
public:
    OngletContrat(EditorContext& context, int index) : ctx(context), ui(context.ui), index_(index) {}

    // Shows the contract record on the tab's controls.
    void Afficher();
    // Sets the tab's error flag when a value is refused (the user was told).
    virtual void Verif() = 0;
    // Runs the check first when a save from "Retour" asks for it, then
    // writes the controls into ContractRecord; the record is left as it was
    // when a value is refused.
    virtual void Ecrire();
    // What Ecrire puts into `record`, from the controls alone: no message,
    // no change on screen. Also gives the record as the screen represents
    // it when the contract was opened.
    virtual void EcrireDans(dba::Record& record) const = 0;

    // Completes and checks the date typed in `box` (the one date rule of
    // every date box); false when the focus went back to it.
    bool ControleDate(QLineEdit* box);

    int Index() const { return index_; }
    bool Erreur() const { return ctx.state.tabError[index_]; }

protected:
    // What Afficher shows; the look-ups sleep meanwhile.
    virtual void AfficherControles() = 0;
    // The counters the host and the tests read, and the error flag cleared.
    void CommencerVerif();

    EditorContext& ctx;
    Ui::Frm_ElementsContrat& ui;

private:
    int index_;
};

} // namespace editor
