#pragma once
// How the contract editor opens the fixed-term reason of the contract it
// shows, from its button Cmd_MotifCDD and when its save check finds a
// fixed-term contract without a hiring reason:
//
//   screens::ContexteMotifCDD contexte{Etq_CodeAidant(), Etq_NomPrenomAidant(),
//                                      ui->Txt_DatDebContrat->text(), ui->Txt_ConvColContrat->text(),
//                                      ui->Txt_EmplEtabContrat->text(), ui->Txt_AssocContrat->text()};
//   screens::OuvrirMotifCDD(g, rights, contexte, this, ouvrirMotifsEmbauche);
//
// The screen reads and writes g.ContractRecord (fields 9, 10, 113, 114,
// 115); the editor saves the contract as usual.
#include "data/access_rights.h"
#include "data/global_state.h"
#include "screens/motif_cdd/frm_motif_cdd.h"

#include <functional>
#include <memory>

class QWidget;

namespace screens {

// With the hourglass pointer on `editeur` (disabled meanwhile): loads the
// screen on g.ContractRecord, hands it the rights object (module
// "DOSSIERAIDE"), the helper's code and name, the start date, and the
// opener of the hiring-reason list's screen; initialises it; then shows it
// modally through ui::modal().
//
// `ouvrirMotifsEmbauche` shows, modally, the parameter-table control on the
// list "MOTIFEMBAUCHE" (TheCle "MOTIFEMBAUCHE", W_Droits "MOTIFS EMBAUCHE",
// the same rights object) and returns when the user leaves it; the screen
// then reads the list again. Without it, the screen's "Motifs contrats CDD"
// button is disabled.
//
// True when one of the five fields of g.ContractRecord changed. A database
// error while loading is shown and the screen does not open (false).
bool OuvrirMotifCDD(data::GlobalState& g, const std::shared_ptr<data::AccessRights>& droits,
                    const ContexteMotifCDD& contexte, QWidget* editeur,
                    std::function<void()> ouvrirMotifsEmbauche = {});

} // namespace screens
