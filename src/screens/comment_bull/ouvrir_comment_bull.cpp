#include "screens/comment_bull/ouvrir_comment_bull.h"

#include "data/contrat_fields.h"
#include "screens/comment_bull/frm_comment_bull.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"
#include "ui/modal.h"

#include <exception>

namespace screens {

bool OuvrirCommentBull(data::GlobalState& g, const std::shared_ptr<data::AccessRights>& droits,
                       QWidget* editeur) {
    const rules::ChampsCommentaires avant = rules::CopierCommentaires(g.ContractRecord);
    std::unique_ptr<Frm_CommentBull> ecran;
    try {
        ui::BusyCursor sablier(editeur);
        ecran = std::make_unique<Frm_CommentBull>(g, editeur);
        ecran->setDroitsUtilisateur(droits);
        ecran->ViderListes();
        if (!g.ContractRecord.Item(data::contrat::PeriodesCommentaire).empty())
            ecran->Remplir_Donnees();
        ecran->Init();
    } catch (const std::exception& error) {
        ui::messages().Show(QStringLiteral("Les commentaires sur bulletins ne peuvent pas être affichés : ") +
                                QString::fromUtf8(error.what()),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
        return false;
    }
    ui::modal().Show(*ecran);
    return !rules::MemesCommentaires(avant, rules::CopierCommentaires(g.ContractRecord));
}

} // namespace screens
