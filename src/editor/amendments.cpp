#include "editor/amendments.h"

#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "editor/ong2_caracteristiques.h"
#include "editor/table_error.h"
#include "rules/amendments.h"
#include "ui/events.h"
#include "ui/messages.h"
#include "ui_frm_elements_contrat.h"

#include <QSignalBlocker>

namespace editor {

namespace {

namespace c = data::contrat;
namespace t = data::tables;

constexpr int AutresOnglets[] = {Origine, ElementsPaie, DroitsConges, FinContrat};

} // namespace

CommandesAvenant::CommandesAvenant(EditorContext& context, OngletCaracteristiques& onglet,
                                   std::function<bool()> verifNbHeures)
    : ctx(context), onglet_(onglet), verifNbHeures_(std::move(verifNbHeures)) {
    Ui::Frm_ElementsContrat& ui = ctx.ui;
    ui::onUpDownChange(ui.Bdh_Avenant, this, &CommandesAvenant::Bdh_Avenant_Change);
    ui::onClick(ui.Cmd_AjoutAvenant, this, &CommandesAvenant::Cmd_AjoutAvenant_Click);
    ui::onClick(ui.Cmd_OKAvenant, this, &CommandesAvenant::Cmd_OKAvenant_Click);
    ui::onClick(ui.Cmd_AnnulerAvenant, this, &CommandesAvenant::Cmd_AnnulerAvenant_Click);
    ui::onClick(ui.Cmd_SupprAv, this, &CommandesAvenant::Cmd_SupprAv_Click);
    ui::onLostFocus(ui.Txt_DatEffetContrat, this, &CommandesAvenant::Txt_DatEffetContrat_LostFocus);
}

void CommandesAvenant::Bdh_Avenant_Change() {
    // The display itself moves the up-down: that is no choice of the user.
    if (ctx.affichage > 0)
        return;
    onglet_.Vider_Ong2();
    onglet_.GarderSelection();
    onglet_.Afficher();
}

void CommandesAvenant::Cmd_AjoutAvenant_Click() {
    Ui::Frm_ElementsContrat& ui = ctx.ui;
    const dba::Record& r = ctx.g.ContractRecord;
    ui.Txt_AvenantContrat->setText(rules::NumeroAvenantSuivant(r.Item(c::NumeroAvenant, r.DCount(c::NumeroAvenant))));
    ctx.state.amendmentTabChanged = true;

    ui.Cmd_OKAvenant->setEnabled(true);
    ui.Cmd_AnnulerAvenant->setEnabled(true);
    impressionContrat_ = ui.Cmd_ImpContrat->isEnabled();
    for (QWidget* w : {static_cast<QWidget*>(ui.Cmd_ImpAvenant), static_cast<QWidget*>(ui.Cmd_AjoutAvenant),
                       static_cast<QWidget*>(ui.Cmd_OK), static_cast<QWidget*>(ui.Cmd_Retour),
                       static_cast<QWidget*>(ui.Cmd_ImpContrat), static_cast<QWidget*>(ui.Cmd_SupprAv),
                       static_cast<QWidget*>(ui.Bdh_Avenant)})
        w->setEnabled(false);
    for (int tab : AutresOnglets)
        ui.Ong_Contrat->setTabEnabled(tab, false);

    // The other terms stay as shown: the new amendment starts from them.
    ui.Txt_DatEffetContrat->clear();
    ui.Txt_DatEffetContrat->setEnabled(true);
    onglet_.Focus(ui.Txt_DatEffetContrat);
    depart_ = Saisie();
}

std::string CommandesAvenant::Saisie() const {
    dba::Record copy = ctx.g.ContractRecord;
    try {
        onglet_.EcrireDans(copy);
    } catch (const dba::Error&) {
        // A value the record cannot hold is a change.
        return {};
    }
    return copy.Item();
}

void CommandesAvenant::Txt_DatEffetContrat_LostFocus() {
    Ui::Frm_ElementsContrat& ui = ctx.ui;
    if (!onglet_.ControleDate(ui.Txt_DatEffetContrat) || ui.Txt_DatEffetContrat->text().size() != 10)
        return;
    const dba::Record& r = ctx.g.ContractRecord;
    // The entry before the one typed: the last one for a new amendment.
    const int n = ctx.state.amendmentTabChanged ? r.DCount(c::NumeroAvenant) + 1 : ui.Bdh_Avenant->value() + 1;
    const std::string previous = n > 1 ? r.Item(c::DateEffet, n - 1) : std::string();
    const rules::SortieDateEffet sortie = rules::ControleDateEffet(
        data::dates::DateToInternal(ui.Txt_DatEffetContrat->text()).toStdString(),
        data::dates::DateToInternal(ui.Txt_DatDebContrat->text()).toStdString(), previous);
    if (sortie.message.isEmpty())
        return;
    ui::messages().Show(sortie.message, ui::Buttons::Ok, ui::Icon::Exclamation);
    if (sortie.vider)
        ui.Txt_DatEffetContrat->clear();
}

void CommandesAvenant::Cmd_OKAvenant_Click() {
    Ui::Frm_ElementsContrat& ui = ctx.ui;
    const dba::Record& r = ctx.g.ContractRecord;
    if (const std::optional<rules::Refus> refus = rules::VerifValidationAvenant(
            ui.Txt_DatEffetContrat->text(), r.Item(c::DateEffet, r.DCount(c::DateEffet)))) {
        ui::messages().Show(refus->message, ui::Buttons::Ok, refus->icon);
        onglet_.Focus(ui.Txt_DatEffetContrat);
        return;
    }
    // The new terms are checked as the save would check them: a refused
    // value stays open for correction rather than waiting for the save.
    onglet_.Verif();
    if (onglet_.Erreur())
        return;
    if (ctx.state.amendmentTabChanged) {
        ctx.state.refusal = verifNbHeures_ && verifNbHeures_();
        if (ctx.state.refusal) {
            Cmd_AnnulerAvenant_Click();
            ctx.state.refusal = false;
            return;
        }
    }
    onglet_.Ecrire();
    if (onglet_.Erreur()) {
        // Nothing appended: the amendment is still being typed.
        ctx.state.amendmentTabChanged = true;
        return;
    }

    const int count = ctx.g.ContractRecord.DCount(c::NumeroAvenant);
    {
        const QSignalBlocker quiet(ui.Bdh_Avenant);
        ui.Bdh_Avenant->setMaximum(count - 1);
        ui.Bdh_Avenant->setValue(count - 1);
    }
    const std::string key = c::CodeAidant(ctx.g.ContractRecord.key()) + ui.Txt_NumContrat->text().toStdString() +
                            ctx.g.ContractRecord.Item(c::NumeroAvenant, count);
    ctx.state.amendmentDocumentKey.SetItem(1, key);
    ctx.state.validatedAmendments[key] = true;
    FinAjout();
}

void CommandesAvenant::Cmd_AnnulerAvenant_Click() {
    if (!ctx.state.refusal) {
        if (!ctx.state.amendmentTabChanged)
            return;
        if (Saisie() != depart_) {
            ui::messages().Beep();
            if (ui::messages().Show(QStringLiteral("Etes-vous sûr de vouloir quitter cette création ?"),
                                    ui::Buttons::YesNo, ui::Icon::Exclamation) != ui::Answer::Yes)
                return;
        }
    }
    ctx.state.amendmentTabChanged = false;
    FinAjout();
}

void CommandesAvenant::FinAjout() {
    Ui::Frm_ElementsContrat& ui = ctx.ui;
    onglet_.Vider_Ong2();
    onglet_.GarderSelection();
    onglet_.Afficher();
    ui.Cmd_OKAvenant->setEnabled(false);
    ui.Cmd_AnnulerAvenant->setEnabled(false);
    for (QWidget* w : {static_cast<QWidget*>(ui.Cmd_AjoutAvenant), static_cast<QWidget*>(ui.Cmd_OK),
                       static_cast<QWidget*>(ui.Cmd_Retour), static_cast<QWidget*>(ui.Bdh_Avenant)})
        w->setEnabled(true);
    ui.Cmd_ImpContrat->setEnabled(impressionContrat_);
    for (int tab : AutresOnglets)
        ui.Ong_Contrat->setTabEnabled(tab, true);
}

void CommandesAvenant::Cmd_SupprAv_Click() {
    Ui::Frm_ElementsContrat& ui = ctx.ui;
    dba::Record& r = ctx.g.ContractRecord;
    const int n = r.DCount(c::NumeroAvenant);
    if (n < 2)
        return; // the initial terms are never deleted

    rules::SuppressionAvenantEntree entree;
    entree.cleContrat = c::CodeAidant(r.key()) + ui.Txt_NumContrat->text().toStdString();
    entree.dateEffet = r.Item(c::DateEffet, n);
    entree.particulierEmployeur = ui.Txt_ConvColContrat->text() == QLatin1String(c::ConventionParticulierEmployeur);
    entree.administratif = ui.Opt_Administratif->isChecked();
    std::optional<QString> refus;
    std::string table;
    try {
        table = t::PERIODESPAIE;
        entree.periodeCourante = ctx.g.Handles.PeriodesPaie.ReadRecordOrEmpty(t::keys::PeriodesPaie)
                                     .Item(data::periodespaie::PeriodeCourante);
        refus = rules::VerifSuppressionAvenant(entree, [&](const char* name, const std::string& key) {
            table = name;
            try {
                return ctx.g.TheDatabase.OpenTable(name).Exists(key);
            } catch (const dba::TableNotFound&) {
                return false; // no work of that kind on this site
            }
        });
    } catch (const dba::Error& error) {
        // Pay work that could not be looked for may exist: nothing is deleted.
        SignalerTableIllisible(table, error);
        return;
    }
    if (refus) {
        ui::messages().Show(*refus, ui::Buttons::Ok, ui::Icon::Exclamation);
        return;
    }
    if (ui::messages().Show(QStringLiteral("Etes-vous sûr de vouloir supprimer cet avenant ?"), ui::Buttons::YesNo,
                            ui::Icon::Exclamation) != ui::Answer::Yes)
        return;

    const std::string key = entree.cleContrat + r.Item(c::NumeroAvenant, n);
    rules::SupprimerEntree(r, n);
    // An amendment validated then deleted has no document to link.
    ctx.state.validatedAmendments.erase(key);
    if (ctx.state.amendmentDocumentKey.Item(1) == key)
        ctx.state.amendmentDocumentKey.SetItem(1, "");
    onglet_.Vider_Ong2();
    onglet_.Afficher();
}

} // namespace editor
