// Tab "Origine": the identity of the contract.
#include "data/contrat_fields.h"
#include "data/table_fields.h"
#include "editor/combo_text.h"
#include "editor/contract_fields_text.h"
#include "editor/frm_elements_contrat.h"
#include "ui_frm_elements_contrat.h"

namespace {

namespace c = data::contrat;

// Column 2 of the row whose column 1 is `code`; empty when none.
QString LibelleDe(const dba::ResultList& list, const QString& code) {
    const std::string wanted = code.toStdString();
    for (int r = 1; r <= list.DCount(); ++r)
        if (list.Item(r, 1) == wanted)
            return QString::fromStdString(list.Item(r, 2));
    return {};
}

} // namespace

void Frm_ElementsContrat::Afficher_Ong1() {
    ++state_.displays[editor::Origine];
    const dba::Record& r = g_.ContractRecord;
    ui->Txt_NumContrat->setText(QString::fromStdString(c::NumeroContrat(r.key())));

    const QString agreement = editor::Champ(r, c::ConventionCollective);
    const bool beneficiaryEmploys = agreement == QLatin1String(c::ConventionParticulierEmployeur);
    editor::MettreTexte(ui->Cbo_LibConvColContrat, LibelleDe(agreementList_, agreement));
    ui->Txt_ConvColContrat->setText(agreement);

    const QString entity = editor::Champ(r, c::EntiteJuridique);
    editor::MettreTexte(ui->Cbo_LibAssocContrat, LibelleDe(entityList_, entity));
    ui->Txt_AssocContrat->setText(entity);

    const std::string employer = r.Item(c::Employeur);
    try {
        if (beneficiaryEmploys) {
            const dba::Record person = civilAide_.ReadRecordOrEmpty(employer);
            editor::MettreTexte(ui->Cbo_LibEmplEtabContrat,
                                QString::fromStdString(person.Item(data::civilaide::Nom) + " " +
                                                       person.Item(data::civilaide::Prenom)));
            ui->Txt_EmplEtabContrat->setText(QString::fromStdString(employer));
        } else {
            const std::string establishment = employer.size() > 3 ? employer.substr(3, 3) : std::string();
            // Sites key their establishments by the establishment code alone
            // or by entity and establishment together.
            dba::Record record = g_.Handles.Etablissement.ReadRecordOrEmpty(establishment);
            if (record.Item().empty())
                record = g_.Handles.Etablissement.ReadRecordOrEmpty(employer);
            editor::MettreTexte(ui->Cbo_LibEmplEtabContrat,
                                QString::fromStdString(record.Item(data::etablissement::Libelle)));
            ui->Txt_EmplEtabContrat->setText(QString::fromStdString(establishment));
        }
    } catch (const dba::Error&) {
        // An unreadable employer leaves its boxes as they are.
    }

    const std::string type = r.Item(c::TypeContrat);
    if (type == c::TypeCDD)
        ui->Opt_Determine->setChecked(true);
    else if (type == c::TypeCDI)
        ui->Opt_Indetermine->setChecked(true);
    const std::string salary = r.Item(c::ModeSalaire);
    if (salary == c::SalaireHoraire)
        ui->Opt_Horaire->setChecked(true);
    else if (salary == c::SalaireMensuel)
        ui->Opt_Mensuel->setChecked(true);
    const std::string status = r.Item(c::Statut);
    if (status == c::StatutProduction)
        ui->Opt_Production->setChecked(true);
    else if (status == c::StatutAdministratif)
        ui->Opt_Administratif->setChecked(true);

    ui->Txt_DatDebContrat->setText(editor::DateChamp(r, c::DateDebut));
    state_.savedStartDate = editor::Champ(r, c::DateDebut);
    if (!r.Item(c::DateFinPresumee).empty())
        ui->Txt_DatFinContrat->setText(editor::DateChamp(r, c::DateFinPresumee));

    ui->Txt_PerEssaiContrat->setText(editor::Champ(r, c::PeriodeEssai));
    const std::string renewable = r.Item(c::EssaiRenouvelable);
    ui->Cac_RenouvEssaiContrat->setChecked(!renewable.empty() && renewable != "0");

    QString nature;
    const std::string natureCode = r.Item(c::Nature);
    for (int i = 1; i <= natureContrat_.DCount(data::listes::Codes); ++i)
        if (natureContrat_.Item(data::listes::Codes, i) == natureCode) {
            nature = editor::Valeur(natureContrat_, data::listes::Libelles, i);
            break;
        }
    editor::MettreTexte(ui->Cbo_NatureContrat, nature);
    ui->Txt_DureeMinContrat->setText(editor::Champ(r, c::DureeMinimale));

    // Agreement, entity and employer of an existing contract are fixed.
    for (QWidget* w :
         {static_cast<QWidget*>(ui->Txt_ConvColContrat), static_cast<QWidget*>(ui->Cbo_LibConvColContrat),
          static_cast<QWidget*>(ui->Txt_AssocContrat), static_cast<QWidget*>(ui->Cbo_LibAssocContrat),
          static_cast<QWidget*>(ui->Txt_EmplEtabContrat), static_cast<QWidget*>(ui->Cbo_LibEmplEtabContrat)})
        w->setEnabled(false);
    // Once a payslip is calculated the start date can no longer move.
    ui->Txt_DatDebContrat->setEnabled(r.Item(c::PeriodeBulletinCalcule).empty());
    editor::Deselectionner(ui->Cbo_LibConvColContrat);
    editor::Deselectionner(ui->Cbo_LibAssocContrat);
    editor::Deselectionner(ui->Cbo_LibEmplEtabContrat);
}

void Frm_ElementsContrat::Verif_Ong1() {
    ++state_.checks[editor::Origine];
    state_.tabError[editor::Origine] = false;
}

void Frm_ElementsContrat::Ecrire_Ong1() {
    ++state_.writes[editor::Origine];
    if (state_.checkBeforeWrite)
        Verif_Ong1();
}
