// Tab "Caractéristiques": the terms of the contract entry (initial terms or
// amendment) chosen with Bdh_Avenant.
#include "data/contrat_fields.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "editor/combo_text.h"
#include "editor/contract_fields_text.h"
#include "editor/ong2_caracteristiques.h"
#include "editor/table_error.h"
#include "ui_frm_elements_contrat.h"

#include <QScrollBar>

namespace editor {

namespace c = data::contrat;

OngletCaracteristiques::OngletCaracteristiques(EditorContext& context) : OngletContrat(context, Caracteristiques) {}

void OngletCaracteristiques::AfficherControles() {
    ++ctx.state.displays[Caracteristiques];
    const dba::Record& r = ctx.g.ContractRecord;
    ui.Cmd_SupprAv->setEnabled(false);
    const int last = std::max(0, r.DCount(c::NumeroAvenant) - 1);
    ui.Bdh_Avenant->setMaximum(last);
    ui.Bdh_Avenant->setEnabled(true);
    ui.Bdh_Avenant->setValue(last);
    const int n = ui.Bdh_Avenant->value() + 1;

    const QString number = Valeur(r, c::NumeroAvenant, n);
    ui.Txt_AvenantContrat->setText(number.isEmpty() || number == QLatin1String("00") ? QStringLiteral("0")
                                                                                      : number);
    const QString effective = DateValeur(r, c::DateEffet, n);
    ui.Txt_DatEffetContrat->setText(effective.isEmpty() ? DateChamp(r, c::DateDebut) : effective);

    ui.Cbo_QualifContrat->clear();
    try {
        const dba::Record qualifications = ctx.g.Handles.Tables.ReadRecordOrEmpty(data::tables::lists::QUALIF);
        for (int i = 1; !qualifications.Item(data::listes::Codes, i).empty(); ++i)
            ui.Cbo_QualifContrat->addItem(Valeur(qualifications, data::listes::Codes, i));
    } catch (const dba::Error& error) {
        // Without the list the stored qualification is still shown.
        SignalerTableIllisible(data::tables::TABLES, error);
    }
    MettreTexte(ui.Cbo_QualifContrat, Valeur(r, c::Qualification, n));

    MettreTexte(ui.Cbo_CategPCSContrat, Valeur(r, c::CategoriePCS, n));
    ui.Txt_CodPCSContrat->setText(Valeur(r, c::CodePCS, n));
    MettreTexte(ui.Cbo_FoncPCSContrat, Valeur(r, c::FonctionPCS, n));
    if (!r.Item(c::DateDepartGrille, n).empty())
        ui.Txt_DepartGrilContrat->setText(DateValeur(r, c::DateDepartGrille, n));

    ui.Txt_Commentaire->setText(Valeur(r, c::Commentaire1, n));
    ui.Txt_Commentaire2->setText(Valeur(r, c::Commentaire2, n));
    ui.Txt_DateAnciennete->setText(DateChamp(r, c::DateAnciennete));
    Deselectionner(ui.Cbo_QualifContrat);
    Deselectionner(ui.Cbo_FreqWContrat);
}

void OngletCaracteristiques::Verif() {
    CommencerVerif();
}

void OngletCaracteristiques::EcrireDans(dba::Record&) const {
    // The tab is not written back yet: it is shown read-only.
}

} // namespace editor
