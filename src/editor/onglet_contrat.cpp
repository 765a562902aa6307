#include "editor/onglet_contrat.h"

#include "ui/messages.h"

namespace editor {

void OngletContrat::Afficher() {
    ++ctx.affichage;
    struct Fin {
        int& n;
        ~Fin() { --n; }
    } fin{ctx.affichage};
    AfficherControles();
}

void OngletContrat::CommencerVerif() {
    ++ctx.state.checks[index_];
    ctx.state.tabError[index_] = false;
}

void OngletContrat::Ecrire() {
    ++ctx.state.writes[index_];
    if (ctx.state.checkBeforeWrite)
        Verif();
    if (ctx.NiveauVerrouille() || Erreur())
        return;
    // Built on a copy: a value refused half-way leaves the record as it was.
    dba::Record r = ctx.g.ContractRecord;
    try {
        EcrireDans(r);
        ctx.g.ContractRecord = r;
    } catch (const dba::Error& error) {
        ui::messages().Show(QStringLiteral("Valeur refusée : ") + QString::fromStdString(error.what()),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
        ctx.state.tabError[index_] = true;
    }
}

} // namespace editor
