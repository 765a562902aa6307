// Tab "Origine": the identity of the contract.
#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "editor/combo_text.h"
#include "editor/contract_fields_text.h"
#include "editor/frm_elements_contrat.h"
#include "editor/level_lock.h"
#include "rules/start_date_change.h"
#include "ui/messages.h"
#include "ui_frm_elements_contrat.h"

#include <QLineEdit>

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

    // The type's handler runs even when the option was already selected.
    const std::string type = r.Item(c::TypeContrat);
    if (type == c::TypeCDD) {
        if (ui->Opt_Determine->isChecked())
            Opt_Determine_Click();
        else
            ui->Opt_Determine->setChecked(true);
    } else if (type == c::TypeCDI) {
        if (ui->Opt_Indetermine->isChecked())
            Opt_Indetermine_Click();
        else
            ui->Opt_Indetermine->setChecked(true);
    }
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
    auto refuser = [this](const char* message, ui::Icon icon, QWidget* focus) {
        ui::messages().Show(QString::fromUtf8(message), ui::Buttons::Ok, icon);
        FocusOngletOrigine(focus);
        state_.tabError[editor::Origine] = true;
    };
    constexpr char DateIncorrecte[] = "La date saisie est incorrecte, veuillez la ressaisir.";

    if (ui->Txt_ConvColContrat->text().isEmpty())
        return refuser("La convention collective est obligatoire.", ui::Icon::Exclamation,
                       ui->Txt_ConvColContrat);
    if (ui->Txt_AssocContrat->text().isEmpty())
        return refuser("L'entité juridique est obligatoire.", ui::Icon::Exclamation, ui->Txt_AssocContrat);
    if (ui->Txt_EmplEtabContrat->text().isEmpty())
        return refuser("L'employeur est obligatoire.", ui::Icon::Exclamation, ui->Cbo_LibEmplEtabContrat);
    if (ui->Txt_DatDebContrat->text().isEmpty())
        return refuser("La date de début de contrat est obligatoire.", ui::Icon::Exclamation,
                       ui->Txt_DatDebContrat);
    const QString start = data::dates::DateToInternal(ui->Txt_DatDebContrat->text());
    if (start.isEmpty())
        return refuser(DateIncorrecte, ui::Icon::Information, ui->Txt_DatDebContrat);

    const bool fixedTerm = ui->Opt_Determine->isChecked();
    // An actual end date already bounds the contract.
    if (fixedTerm && ui->Txt_DateFinContrat->text().isEmpty()) {
        if (ui->Txt_DatFinContrat->text().isEmpty())
            return refuser("La date de fin présumée est obligatoire pour un CDD.", ui::Icon::Information,
                           ui->Txt_DatFinContrat);
        const QString presumedEnd = data::dates::DateToInternal(ui->Txt_DatFinContrat->text());
        if (presumedEnd.isEmpty())
            return refuser(DateIncorrecte, ui::Icon::Information, ui->Txt_DatFinContrat);
        if (presumedEnd.toLongLong() < start.toLongLong())
            return refuser(
                "La date de fin de contrat présumée doit être supérieure ou égale à la date de début "
                "de contrat.",
                ui::Icon::Information, ui->Txt_DatFinContrat);
    }
    const dba::Record& r = g_.ContractRecord;
    if (fixedTerm && QString::fromStdString(r.Item(c::MotifEmbaucheTexte, 1)).trimmed().isEmpty() &&
        QString::fromStdString(r.Item(c::MotifEmbauche)).trimmed().isEmpty()) {
        // The reason is entered on the fixed-term reason screen, which is not
        // part of the library yet: the message alone stops the save.
        ui::messages().Show(QStringLiteral("La saisie d'un motif d'embauche est obligatoire."),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
        state_.tabError[editor::Origine] = true;
        return;
    }

    rules::StartDateChangeInput change;
    change.newStart = start;
    change.savedStart = state_.savedStartDate;
    change.calculatedPeriod = r.Item(c::PeriodeBulletinCalcule);
    change.contractKey = r.key();
    change.currentPeriod = [this] {
        return g_.Handles.PeriodesPaie.ReadRecordOrEmpty(data::tables::keys::PeriodesPaie)
            .Item(data::periodespaie::PeriodeCourante);
    };
    change.calculationExists = [this](const std::string& key) { return g_.Handles.DetailCalcul.Exists(key); };
    QString refusal;
    try {
        refusal = rules::VerifChangementDebut(change);
    } catch (const dba::Error& error) {
        // Unchecked is not allowed: payroll may already have used the date.
        refusal = QStringLiteral("Contrôle de la date de début impossible : ") +
                  QString::fromStdString(error.what());
    }
    if (!refusal.isEmpty()) {
        ui::messages().Show(refusal, ui::Buttons::Ok, ui::Icon::Exclamation);
        state_.tabError[editor::Origine] = true;
    }
}

void Frm_ElementsContrat::Ecrire_Ong1() {
    ++state_.writes[editor::Origine];
    if (state_.checkBeforeWrite)
        Verif_Ong1();
    if (editor::NiveauVerrouille(g_.ContractManagementLevel) || state_.tabError[editor::Origine])
        return;
    // Built on a copy: a value refused half-way leaves the record as it was.
    dba::Record r = g_.ContractRecord;
    auto texte = [](const QLineEdit* edit) { return edit->text().toStdString(); };
    try {
        r.SetItem(c::DateFinPresumee, "");
        const std::string agreement = texte(ui->Txt_ConvColContrat);
        r.SetItem(c::ConventionCollective, agreement);
        r.SetItem(c::EntiteJuridique, texte(ui->Txt_AssocContrat));
        r.SetItem(c::Employeur, agreement == c::ConventionParticulierEmployeur
                                    ? texte(ui->Txt_EmplEtabContrat)
                                    : texte(ui->Txt_AssocContrat) + texte(ui->Txt_EmplEtabContrat));
        if (ui->Opt_Determine->isChecked())
            r.SetItem(c::TypeContrat, c::TypeCDD);
        else if (ui->Opt_Indetermine->isChecked())
            r.SetItem(c::TypeContrat, c::TypeCDI);
        if (ui->Opt_Horaire->isChecked())
            r.SetItem(c::ModeSalaire, c::SalaireHoraire);
        else if (ui->Opt_Mensuel->isChecked())
            r.SetItem(c::ModeSalaire, c::SalaireMensuel);
        if (ui->Opt_Production->isChecked())
            r.SetItem(c::Statut, c::StatutProduction);
        else if (ui->Opt_Administratif->isChecked())
            r.SetItem(c::Statut, c::StatutAdministratif);

        const QString start = data::dates::DateToInternal(ui->Txt_DatDebContrat->text());
        r.SetItem(c::DateDebut, start.toStdString());
        if (start != state_.savedStartDate) {
            // The first terms and a grid start that followed the start date
            // move with it.
            r.SetItem(c::DateEffet, 1, start.toStdString());
            const std::string gridStart = r.Item(c::DateDepartGrille, 1);
            if (!gridStart.empty() && gridStart == state_.savedStartDate.toStdString())
                r.SetItem(c::DateDepartGrille, 1, start.toStdString());
        }
        r.SetItem(c::PeriodeEssai, texte(ui->Txt_PerEssaiContrat));
        r.SetItem(c::EssaiRenouvelable, ui->Cac_RenouvEssaiContrat->isChecked() ? "1" : "0");

        r.SetItem(c::Nature, "");
        const QString nature = ui->Cbo_NatureContrat->currentText();
        for (int i = 1; i <= natureContrat_.DCount(data::listes::Codes); ++i)
            if (editor::Valeur(natureContrat_, data::listes::Libelles, i) == nature) {
                r.SetItem(c::Nature, natureContrat_.Item(data::listes::Codes, i));
                break;
            }

        if (ui->Opt_Indetermine->isChecked()) {
            ui->Txt_DatFinContrat->clear();
            r.SetItem(c::DateFinPresumee, "");
        }
        if (!ui->Txt_DatFinContrat->text().isEmpty())
            r.SetItem(c::DateFinPresumee,
                      data::dates::DateToInternal(ui->Txt_DatFinContrat->text()).toStdString());
        r.SetItem(c::DureeMinimale, texte(ui->Txt_DureeMinContrat));
        g_.ContractRecord = r;
    } catch (const dba::Error& error) {
        // A value the record cannot hold: nothing of this tab may be saved.
        ui::messages().Show(QStringLiteral("Valeur refusée : ") + QString::fromStdString(error.what()),
                            ui::Buttons::Ok, ui::Icon::Exclamation);
        state_.tabError[editor::Origine] = true;
    }
}
