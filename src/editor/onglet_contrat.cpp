#include "editor/onglet_contrat.h"

#include "rules/date_entry.h"
#include "ui/messages.h"

#include <QDate>
#include <QLineEdit>

namespace editor {

void OngletContrat::Afficher() {
    ++ctx.affichage;
    struct Fin {
        int& n;
        ~Fin() { --n; }
    } fin{ctx.affichage};
    AfficherControles();
}

bool OngletContrat::ControleDate(QLineEdit* box) {
    const rules::DateEntry entry = rules::ControleDate(box->text(), QDate::currentDate());
    if (entry.text != box->text())
        box->setText(entry.text);
    if (!entry.message.isEmpty())
        ui::messages().Show(entry.message, ui::Buttons::Ok, ui::Icon::Exclamation);
    if (entry.refocus)
        box->setFocus();
    return !entry.refocus;
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
