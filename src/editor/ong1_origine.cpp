// Tab "Origine": display, check and write of the contract's identity.
#include "editor/ong1_origine.h"

#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "editor/combo_text.h"
#include "editor/contract_fields_text.h"
#include "editor/table_error.h"
#include "rules/origine_checks.h"
#include "ui/messages.h"
#include "ui_frm_elements_contrat.h"

#include <QLineEdit>

namespace editor {

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

// Selects `option`; its handler runs even when it was already selected.
template <class Handler> void Choisir(QAbstractButton* option, Handler handler) {
    if (option->isChecked())
        handler();
    else
        option->setChecked(true);
}

} // namespace

OngletOrigine::OngletOrigine(EditorContext& context) : OngletContrat(context, Origine) {
    connecter();
}

void OngletOrigine::ChargerListes() {
    natureContrat_ = ctx.g.Handles.Tables.ReadRecordOrEmpty(data::tables::lists::NATURECONTRAT);
}

void OngletOrigine::LibererListes() {
    natureContrat_ = dba::Record();
    employeurs_.clear();
}

void OngletOrigine::AfficherControles() {
    ++ctx.state.displays[Origine];
    const dba::Record& r = ctx.g.ContractRecord;
    ui.Txt_NumContrat->setText(QString::fromStdString(c::NumeroContrat(r.key())));

    const QString agreement = Champ(r, c::ConventionCollective);
    const bool beneficiaryEmploys = agreement == QLatin1String(c::ConventionParticulierEmployeur);
    MettreTexte(ui.Cbo_LibConvColContrat, LibelleDe(ctx.agreementList, agreement));
    ui.Txt_ConvColContrat->setText(agreement);

    const QString entity = Champ(r, c::EntiteJuridique);
    MettreTexte(ui.Cbo_LibAssocContrat, LibelleDe(ctx.entityList, entity));
    ui.Txt_AssocContrat->setText(entity);
    entiteVue_ = entity;

    // The code comes from the contract; only its name needs a read, and a
    // failed read leaves the name empty, never the code.
    const std::string employer = r.Item(c::Employeur);
    if (beneficiaryEmploys) {
        ui.Txt_EmplEtabContrat->setText(QString::fromStdString(employer));
        try {
            const dba::Record person = ctx.civilAide.ReadRecordOrEmpty(employer);
            MettreTexte(ui.Cbo_LibEmplEtabContrat,
                        QString::fromStdString(person.Item(data::civilaide::Nom) + " " +
                                               person.Item(data::civilaide::Prenom)));
        } catch (const dba::Error& error) {
            ViderTexte(ui.Cbo_LibEmplEtabContrat);
            SignalerTableIllisible(data::tables::CIVILAIDE, error);
        }
    } else {
        const std::string establishment = employer.size() > 3 ? employer.substr(3, 3) : std::string();
        ui.Txt_EmplEtabContrat->setText(QString::fromStdString(establishment));
        try {
            // Sites key their establishments by the establishment code alone
            // or by entity and establishment together.
            dba::Record record = ctx.g.Handles.Etablissement.ReadRecordOrEmpty(establishment);
            if (record.Item().empty())
                record = ctx.g.Handles.Etablissement.ReadRecordOrEmpty(employer);
            MettreTexte(ui.Cbo_LibEmplEtabContrat,
                        QString::fromStdString(record.Item(data::etablissement::Libelle)));
        } catch (const dba::Error& error) {
            ViderTexte(ui.Cbo_LibEmplEtabContrat);
            SignalerTableIllisible(data::tables::ETABLISSEMENT, error);
        }
    }

    const std::string type = r.Item(c::TypeContrat);
    if (type == c::TypeCDD)
        Choisir(ui.Opt_Determine, [this] { Opt_Determine_Click(); });
    else if (type == c::TypeCDI)
        Choisir(ui.Opt_Indetermine, [this] { Opt_Indetermine_Click(); });
    const std::string salary = r.Item(c::ModeSalaire);
    if (salary == c::SalaireHoraire)
        ui.Opt_Horaire->setChecked(true);
    else if (salary == c::SalaireMensuel)
        ui.Opt_Mensuel->setChecked(true);
    const std::string status = r.Item(c::Statut);
    if (status == c::StatutProduction)
        ui.Opt_Production->setChecked(true);
    else if (status == c::StatutAdministratif)
        ui.Opt_Administratif->setChecked(true);

    ui.Txt_DatDebContrat->setText(DateChamp(r, c::DateDebut));
    ctx.state.savedStartDate = Champ(r, c::DateDebut);
    if (!r.Item(c::DateFinPresumee).empty())
        ui.Txt_DatFinContrat->setText(DateChamp(r, c::DateFinPresumee));

    ui.Txt_PerEssaiContrat->setText(Champ(r, c::PeriodeEssai));
    const std::string renewable = r.Item(c::EssaiRenouvelable);
    ui.Cac_RenouvEssaiContrat->setChecked(!renewable.empty() && renewable != "0");

    QString nature;
    const std::string natureCode = r.Item(c::Nature);
    for (int i = 1; i <= natureContrat_.DCount(data::listes::Codes); ++i)
        if (natureContrat_.Item(data::listes::Codes, i) == natureCode) {
            nature = Valeur(natureContrat_, data::listes::Libelles, i);
            break;
        }
    MettreTexte(ui.Cbo_NatureContrat, nature);
    ui.Txt_DureeMinContrat->setText(Champ(r, c::DureeMinimale));

    // Agreement, entity and employer of an existing contract are fixed.
    for (QWidget* w : {static_cast<QWidget*>(ui.Txt_ConvColContrat), static_cast<QWidget*>(ui.Cbo_LibConvColContrat),
                       static_cast<QWidget*>(ui.Txt_AssocContrat), static_cast<QWidget*>(ui.Cbo_LibAssocContrat),
                       static_cast<QWidget*>(ui.Txt_EmplEtabContrat),
                       static_cast<QWidget*>(ui.Cbo_LibEmplEtabContrat)})
        w->setEnabled(false);
    // Once a payslip is calculated the start date can no longer move.
    ui.Txt_DatDebContrat->setEnabled(r.Item(c::PeriodeBulletinCalcule).empty());
    Deselectionner(ui.Cbo_LibConvColContrat);
    Deselectionner(ui.Cbo_LibAssocContrat);
    Deselectionner(ui.Cbo_LibEmplEtabContrat);
}

void OngletOrigine::Verif() {
    CommencerVerif();
    const dba::Record& r = ctx.g.ContractRecord;
    rules::OrigineSaisie saisie;
    saisie.convention = ui.Txt_ConvColContrat->text();
    saisie.entite = ui.Txt_AssocContrat->text();
    saisie.employeur = ui.Txt_EmplEtabContrat->text();
    saisie.dateDebut = ui.Txt_DatDebContrat->text();
    saisie.dateFinPresumee = ui.Txt_DatFinContrat->text();
    saisie.dateFinReelle = ui.Txt_DateFinContrat->text();
    saisie.determine = ui.Opt_Determine->isChecked();
    saisie.motifTexte = Valeur(r, c::MotifEmbaucheTexte, 1);
    saisie.motifCode = Champ(r, c::MotifEmbauche);

    rules::StartDateChangeInput& change = saisie.changementDebut;
    change.savedStart = ctx.state.savedStartDate;
    change.calculatedPeriod = r.Item(c::PeriodeBulletinCalcule);
    change.contractKey = r.key();
    change.currentPeriod = [this] {
        return ctx.g.Handles.PeriodesPaie.ReadRecordOrEmpty(data::tables::keys::PeriodesPaie)
            .Item(data::periodespaie::PeriodeCourante);
    };
    change.calculationExists = [this](const std::string& key) { return ctx.g.Handles.DetailCalcul.Exists(key); };

    const std::optional<rules::Refus> refus = rules::VerifOrigine(std::move(saisie));
    if (!refus)
        return;
    ui::messages().Show(refus->message, ui::Buttons::Ok, refus->icon);
    // The hiring reason is entered on the fixed-term reason screen, opened
    // here; the save stops all the same and OK saves once it is given.
    if (refus->motifEmbauche && ctx.OuvrirMotifCDD)
        ctx.OuvrirMotifCDD();
    if (!refus->focus.isEmpty())
        Focus(ctx.dialog.findChild<QWidget*>(refus->focus));
    ctx.state.tabError[Origine] = true;
}

void OngletOrigine::Ecrire() {
    OngletContrat::Ecrire();
    // What the record now says of an open-ended contract: no presumed end.
    if (!Erreur() && !ctx.NiveauVerrouille() && ui.Opt_Indetermine->isChecked())
        ui.Txt_DatFinContrat->clear();
}

void OngletOrigine::EcrireDans(dba::Record& r) const {
    auto texte = [](const QLineEdit* edit) { return edit->text().toStdString(); };
    r.SetItem(c::DateFinPresumee, "");
    const std::string agreement = texte(ui.Txt_ConvColContrat);
    r.SetItem(c::ConventionCollective, agreement);
    r.SetItem(c::EntiteJuridique, texte(ui.Txt_AssocContrat));
    r.SetItem(c::Employeur, agreement == c::ConventionParticulierEmployeur
                                ? texte(ui.Txt_EmplEtabContrat)
                                : texte(ui.Txt_AssocContrat) + texte(ui.Txt_EmplEtabContrat));
    if (ui.Opt_Determine->isChecked())
        r.SetItem(c::TypeContrat, c::TypeCDD);
    else if (ui.Opt_Indetermine->isChecked())
        r.SetItem(c::TypeContrat, c::TypeCDI);
    if (ui.Opt_Horaire->isChecked())
        r.SetItem(c::ModeSalaire, c::SalaireHoraire);
    else if (ui.Opt_Mensuel->isChecked())
        r.SetItem(c::ModeSalaire, c::SalaireMensuel);
    if (ui.Opt_Production->isChecked())
        r.SetItem(c::Statut, c::StatutProduction);
    else if (ui.Opt_Administratif->isChecked())
        r.SetItem(c::Statut, c::StatutAdministratif);

    const QString start = data::dates::DateToInternal(ui.Txt_DatDebContrat->text());
    r.SetItem(c::DateDebut, start.toStdString());
    if (start != ctx.state.savedStartDate) {
        // The first terms and a grid start that followed the start date
        // move with it.
        r.SetItem(c::DateEffet, 1, start.toStdString());
        const std::string gridStart = r.Item(c::DateDepartGrille, 1);
        if (!gridStart.empty() && gridStart == ctx.state.savedStartDate.toStdString())
            r.SetItem(c::DateDepartGrille, 1, start.toStdString());
    }
    r.SetItem(c::PeriodeEssai, texte(ui.Txt_PerEssaiContrat));
    r.SetItem(c::EssaiRenouvelable, ui.Cac_RenouvEssaiContrat->isChecked() ? "1" : "0");

    r.SetItem(c::Nature, "");
    const QString nature = ui.Cbo_NatureContrat->currentText();
    for (int i = 1; i <= natureContrat_.DCount(data::listes::Codes); ++i)
        if (Valeur(natureContrat_, data::listes::Libelles, i) == nature) {
            r.SetItem(c::Nature, natureContrat_.Item(data::listes::Codes, i));
            break;
        }

    // An open-ended contract has no presumed end, whatever the box shows.
    if (!ui.Opt_Indetermine->isChecked() && !ui.Txt_DatFinContrat->text().isEmpty())
        r.SetItem(c::DateFinPresumee, data::dates::DateToInternal(ui.Txt_DatFinContrat->text()).toStdString());
    r.SetItem(c::DureeMinimale, texte(ui.Txt_DureeMinContrat));
}

} // namespace editor
