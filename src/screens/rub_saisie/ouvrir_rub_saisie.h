#pragma once
// How the contract editor opens the pay-entry items of the contract it
// shows (button Cmd_RubSaisie):
//
//   screens::OuvrirRubSaisie(g, rights, "50001", "MARTIN Jeanne",
//                            ui->Opt_Administratif->isChecked(), activites, this);
//
// The screen reads and writes g.ContractRecord (fields 89 to 93); the
// editor saves the contract as usual.
#include "data/access_rights.h"
#include "data/global_state.h"

#include <QString>
#include <memory>
#include <vector>

class QWidget;

namespace screens {

// One activity of the contract, in the order of the editor's list.
struct ActiviteContrat {
    QString code;    // ACTIVITES key
    QString libelle; // its label (field 1)
};

// The header of the screen: helper, contract number (characters 6 to 8 of
// the contract key) and status.
QString EnteteRubSaisie(const QString& codeAidant, const QString& nomAidant, const std::string& cleContrat,
                        bool administratif);

// With the hourglass pointer on `editeur` (disabled meanwhile): loads the
// screen on g.ContractRecord, empties its lists when the contract has no
// item, hands it the rights object (module "DOSSIERAIDE"), initialises it,
// adds the contract's activities and the header; then shows it modally
// through ui::modal(). True when the contract's items (fields 89 to 93 of
// g.ContractRecord) changed. A database error while loading is shown and
// the screen does not open (false).
bool OuvrirRubSaisie(data::GlobalState& g, const std::shared_ptr<data::AccessRights>& droits,
                     const QString& codeAidant, const QString& nomAidant, bool administratif,
                     const std::vector<ActiviteContrat>& activites, QWidget* editeur);

} // namespace screens
