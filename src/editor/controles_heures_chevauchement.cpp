// The weekly hours limit (Verif_NbHeures) and the overlapping contract
// check (VerifContratExist) on the values the editor shows. The rules
// decide; here the controls are read, the user is told or asked, and the
// focus goes where the rule points.
#include "editor/save_return.h"
#include "rules/hours_limit.h"
#include "ui/messages.h"
#include "ui_frm_elements_contrat.h"

#include <QPointer>
#include <QTabWidget>
#include <exception>

namespace {

// A check that could not read the database has checked nothing: the save
// stops rather than going on unchecked.
void SignalerControleImpossible(const char* what, const std::exception& error) {
    ui::messages().Show(QString::fromUtf8(what) + QString::fromUtf8(error.what()), ui::Buttons::Ok,
                        ui::Icon::Exclamation);
}

// Brings the control's tab to the front and gives it the focus. Queued: the
// save runs with the form disabled, and a disabled form takes no focus.
void FocaliserApresEnregistrement(QTabWidget* tabs, QWidget* control) {
    if (!control)
        return;
    QMetaObject::invokeMethod(
        tabs,
        [tabs = QPointer<QTabWidget>(tabs), control = QPointer<QWidget>(control)] {
            if (!tabs || !control)
                return;
            for (int tab = 0; tab < tabs->count(); ++tab) {
                if (tabs->widget(tab)->isAncestorOf(control)) {
                    tabs->setCurrentIndex(tab);
                    break;
                }
            }
            // The tab change may have been refused (invoicing guard), and a
            // locked date takes no focus.
            if (control->isVisible())
                control->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
}

} // namespace

namespace editor {

void SauvegardeContrat::InstallerControlesHeuresChevauchement() {
    checks_.Install(rules::SaveCheck::HoursLimit, [this] { return ControleNbHeures(); });
    checks_.Install(rules::SaveCheck::ContractOverlap, [this] { return ControleContratExist(); });
}

bool SauvegardeContrat::ControleNbHeures() {
    const rules::HoursLimitInput input{ctx.CodeAidant(),
                                       ctx.ui.Txt_NumContrat->text(),
                                       ctx.ui.Txt_DatEffetContrat->text(),
                                       ctx.ui.Txt_DatDebContrat->text(),
                                       ctx.ui.Txt_DureeWContrat->text(),
                                       ctx.ui.Cbo_FreqWContrat->currentText()};
    rules::HoursLimitResult result;
    try {
        result = rules::CheckHoursLimit(input, ctx.g.TheDatabase);
    } catch (const std::exception& error) {
        SignalerControleImpossible("Contrôle des heures de travail impossible : ", error);
        return true;
    }
    switch (result.outcome) {
    case rules::HoursLimitResult::Outcome::Pass:
        return false;
    case rules::HoursLimitResult::Outcome::Refuse:
        ui::messages().Show(result.message, ui::Buttons::Ok, ui::Icon::Exclamation);
        return true;
    case rules::HoursLimitResult::Outcome::Ask:
        return rules::RefusalAfterAnswer(ui::messages().Show(result.message, ui::Buttons::YesNo,
                                                             ui::Icon::Exclamation) == ui::Answer::Yes);
    }
    return true;
}

bool SauvegardeContrat::ControleContratExist() {
    const rules::ContractOverlapInput input{ctx.CodeAidant(),
                                            ctx.ui.Txt_NumContrat->text(),
                                            ctx.ui.Txt_ConvColContrat->text(),
                                            ctx.ui.Txt_AssocContrat->text(),
                                            ctx.ui.Txt_EmplEtabContrat->text(),
                                            ctx.ui.Txt_DatDebContrat->text(),
                                            ctx.ui.Txt_DateFinContrat->text()};
    overlapResult_ = rules::ContractOverlapResult{};
    try {
        overlapResult_ = rules::CheckContractOverlap(input, ctx.g.TheDatabase);
    } catch (const std::exception& error) {
        SignalerControleImpossible("Contrôle des contrats existants impossible : ", error);
        return true;
    }
    if (!overlapResult_.overlap)
        return false;
    ui::messages().Show(overlapResult_.message, ui::Buttons::Ok, ui::Icon::Exclamation);
    FocaliserApresEnregistrement(ctx.ui.Ong_Contrat, ctx.dialog.findChild<QWidget*>(overlapResult_.focus));
    return true;
}

} // namespace editor
