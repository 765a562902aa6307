#pragma once
// How the contract editor opens the annual follow-up ("Suivi Contrat").
#include "data/access_rights.h"
#include "data/global_state.h"

#include <QString>
#include <memory>

class QWidget;

namespace screens {

// What the editor shows that the follow-up needs, read when the button is
// pressed (the values typed, not yet written into ContractRecord).
struct ContratAnnuelContexte {
    QString codeAidant; // the editor's helper code (Etq_CodeAidant())
    QString nomAidant;  // the editor's helper name (Etq_NomPrenomAidant())
    QString convention; // Txt_ConvColContrat
    QString entite;     // Txt_AssocContrat
    QString employeur;  // Txt_EmplEtabContrat
};

// Loads Frm_ContratAnnuel on `g.ContractRecord`, names the helper, fills
// the periods that may be added, reads the current year, hands it
// `rights`, initialises it and shows it modally through ui::modal(). The
// screen changes ContractRecord only; the editor saves the contract.
// Nothing escapes: a failure on the way is logged and the screen still
// opens, or, when it cannot even be built, nothing happens.
void OuvrirContratAnnuel(data::GlobalState& g, const ContratAnnuelContexte& contexte,
                         std::shared_ptr<data::AccessRights> rights, QWidget* parent = nullptr);

} // namespace screens
