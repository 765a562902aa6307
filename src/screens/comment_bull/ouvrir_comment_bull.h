#pragma once
// How the contract editor opens the payslip comments of the contract it
// shows (button Cmd_Comment):
//
//   screens::OuvrirCommentBull(g, rights, this);
//
// The screen reads and writes g.ContractRecord (fields 87 and 88); the
// editor saves the contract as usual.
#include "data/access_rights.h"
#include "data/global_state.h"

#include <memory>

class QWidget;

namespace screens {

// With the hourglass pointer on `editeur` (disabled meanwhile): loads the
// screen on g.ContractRecord, hands it the rights object (module
// "DOSSIERAIDE"), clears its lists and, when the contract has comments,
// fills them again, initialises it; then shows it modally through
// ui::modal(). True when fields 87 or 88 of g.ContractRecord changed. A
// database error while loading is shown and the screen does not open
// (false).
bool OuvrirCommentBull(data::GlobalState& g, const std::shared_ptr<data::AccessRights>& droits,
                       QWidget* editeur);

} // namespace screens
