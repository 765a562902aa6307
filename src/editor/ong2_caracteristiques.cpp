// Tab "Caractéristiques": the terms of the contract entry (initial terms or
// amendment) chosen with Bdh_Avenant.
#include "data/contrat_fields.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "editor/combo_text.h"
#include "editor/contract_fields_text.h"
#include "editor/frm_elements_contrat.h"
#include "ui_frm_elements_contrat.h"

#include <QScrollBar>

namespace c = data::contrat;

void Frm_ElementsContrat::Afficher_Ong2() {
    ++state_.displays[editor::Caracteristiques];
    const dba::Record& r = g_.ContractRecord;
    ui->Cmd_SupprAv->setEnabled(false);
    const int last = std::max(0, r.DCount(c::NumeroAvenant) - 1);
    ui->Bdh_Avenant->setMaximum(last);
    ui->Bdh_Avenant->setEnabled(true);
    ui->Bdh_Avenant->setValue(last);
    const int n = ui->Bdh_Avenant->value() + 1;

    const QString number = editor::Valeur(r, c::NumeroAvenant, n);
    ui->Txt_AvenantContrat->setText(number.isEmpty() || number == QLatin1String("00") ? QStringLiteral("0")
                                                                                      : number);
    const QString effective = editor::DateValeur(r, c::DateEffet, n);
    ui->Txt_DatEffetContrat->setText(effective.isEmpty() ? editor::DateChamp(r, c::DateDebut) : effective);

    ui->Cbo_QualifContrat->clear();
    try {
        const dba::Record qualifications = g_.Handles.Tables.ReadRecordOrEmpty(data::tables::lists::QUALIF);
        for (int i = 1; !qualifications.Item(data::listes::Codes, i).empty(); ++i)
            ui->Cbo_QualifContrat->addItem(editor::Valeur(qualifications, data::listes::Codes, i));
    } catch (const dba::Error&) {
        // Without the list the stored qualification is still shown.
    }
    editor::MettreTexte(ui->Cbo_QualifContrat, editor::Valeur(r, c::Qualification, n));

    editor::MettreTexte(ui->Cbo_CategPCSContrat, editor::Valeur(r, c::CategoriePCS, n));
    ui->Txt_CodPCSContrat->setText(editor::Valeur(r, c::CodePCS, n));
    editor::MettreTexte(ui->Cbo_FoncPCSContrat, editor::Valeur(r, c::FonctionPCS, n));
    if (!r.Item(c::DateDepartGrille, n).empty())
        ui->Txt_DepartGrilContrat->setText(editor::DateValeur(r, c::DateDepartGrille, n));

    ui->Txt_Commentaire->setText(editor::Valeur(r, c::Commentaire1, n));
    ui->Txt_Commentaire2->setText(editor::Valeur(r, c::Commentaire2, n));
    ui->Txt_DateAnciennete->setText(editor::DateChamp(r, c::DateAnciennete));
    editor::Deselectionner(ui->Cbo_QualifContrat);
    editor::Deselectionner(ui->Cbo_FreqWContrat);
}

void Frm_ElementsContrat::Verif_Ong2() {
    ++state_.checks[editor::Caracteristiques];
    state_.tabError[editor::Caracteristiques] = false;
}

void Frm_ElementsContrat::Ecrire_Ong2() {
    ++state_.writes[editor::Caracteristiques];
    if (state_.checkBeforeWrite)
        Verif_Ong2();
}
