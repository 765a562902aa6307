#include "screens/motif_cdd/ouvrir_motif_cdd.h"

#include "rules/fixed_term_reason.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"
#include "ui/modal.h"

#include <exception>

namespace screens {

bool OuvrirMotifCDD(data::GlobalState& g, const std::shared_ptr<data::AccessRights>& droits,
                    const ContexteMotifCDD& contexte, QWidget* editeur,
                    std::function<void()> ouvrirMotifsEmbauche) {
    const rules::ChampsMotif avant = rules::LireChampsMotif(g.ContractRecord);
    std::unique_ptr<Frm_MotifCDD> ecran;
    try {
        ui::BusyCursor sablier(editeur);
        ecran = std::make_unique<Frm_MotifCDD>(g, contexte, editeur);
        ecran->setDroitsUtilisateur(droits);
        ecran->SetEtq_CodeAidant(contexte.codeAidant);
        ecran->SetEtq_NomPrenomAidant(contexte.nomPrenomAidant);
        ecran->setDatDebContrat(contexte.datDebContrat);
        ecran->setOuvrirMotifsEmbauche(std::move(ouvrirMotifsEmbauche));
        ecran->Init();
    } catch (const std::exception& error) {
        ui::messages().Show(
            QStringLiteral("Le motif du contrat à durée déterminée ne peut pas être affiché : ") +
                QString::fromUtf8(error.what()),
            ui::Buttons::Ok, ui::Icon::Exclamation);
        return false;
    }
    ui::modal().Show(*ecran);
    return !rules::MemeContenu(rules::LireChampsMotif(g.ContractRecord), avant);
}

} // namespace screens
