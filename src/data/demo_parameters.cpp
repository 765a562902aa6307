// Settings, parameter lists, catalogues and users of the demo database.
#include "data/demo_builder.h"
#include "data/demo_catalogue.h"
#include "data/demo_database.h"
#include "data/procedures.h"
#include "data/table_fields.h"
#include "data/tables.h"

namespace data::demo {

void WriteSettings(Builder& b) {
    DemoRecord compteur;
    compteur.Set(compteur::ControlePlanning, "1");
    compteur.Set(compteur::NiveauGestionContrat, "0");
    b.Write(tables::COMPTEUR, tables::keys::Compteur, compteur);

    DemoRecord periodes;
    periodes.Set(periodespaie::PeriodeCourante, PeriodeCourante);
    periodes.Set(periodespaie::PeriodeSuivante, PeriodeSuivante);
    b.Write(tables::PERIODESPAIE, tables::keys::PeriodesPaie, periodes);

    DemoRecord constantes;
    constantes.Set(constantespaie::PlafondHebdomadaire, "4800");
    b.Write(tables::CONSTANTESPAIE, tables::keys::ConstantesPaie, constantes);

    DemoRecord tpsparam;
    tpsparam.Set(tpsparam::InterventionsSansContrat, "1");
    b.Write(tables::TPSPARAM, tables::keys::TpsParam, tpsparam);
}

void WriteLists(Builder& b) {
    for (const auto& list : ParameterLists()) {
        DemoRecord r;
        r.Set(listes::Actif, list.title);
        bool anyWithdrawn = false;
        for (const auto& entry : list.entries) {
            r.Add(listes::Codes, entry.code);
            r.Add(listes::Libelles, entry.label);
            anyWithdrawn = anyWithdrawn || entry.withdrawn;
        }
        if (anyWithdrawn)
            for (const auto& entry : list.entries)
                r.Add(listes::Retire, entry.withdrawn ? "O" : "");
        b.Write(tables::TABLES, list.name, r);
    }
}

void WriteCatalogues(Builder& b) {
    for (const auto& a : Agreements()) {
        DemoRecord r;
        r.Set(conventioncol::Nom, a.name);
        r.Set(2, a.paidLeaveDays);
        r.Set(12, a.seniorityLeaveDays);
        b.Write(tables::CONVENTIONCOL, a.code, r);
    }
    for (const auto& p : PcsEntries()) {
        DemoRecord r;
        r.Set(1, p.label);
        b.Write(tables::PCS, p.code, r);
    }
    for (const auto& p : Profiles()) {
        DemoRecord r;
        r.Set(profil::Libelle, p.label);
        r.Set(2, p.agreement);
        r.SetValues(3, p.chargeItems);
        r.Set(profil::Mandataire, p.kind);
        b.Write(tables::PROFIL, p.code, r);
    }
    for (const auto& c : ChargeItems()) {
        DemoRecord r;
        r.Set(rubcharge::Libelle, c.label);
        r.Set(rubcharge::Calcul, c.calcul);
        r.Set(rubcharge::CalculPatronal, c.calculPatronal);
        r.Set(rubcharge::Nature, c.nature);
        r.Set(rubcharge::AideADomicile, c.homeHelp);
        r.Set(rubcharge::Retiree, c.withdrawn);
        b.Write(tables::RUBCHARGE, c.code, r);
    }
    for (const auto& p : PayEntryItems()) {
        DemoRecord r;
        r.Set(rubsaisie::Libelle, p.label);
        r.Set(rubsaisie::ModeBase, p.baseMode);
        r.Set(rubsaisie::PourcentageBase, p.percentage);
        r.Set(rubsaisie::ModeTaux, p.rateMode);
        r.Set(rubsaisie::TauxFixe, p.fixedRate);
        r.Set(rubsaisie::ModeMontant, p.amountMode);
        r.Set(rubsaisie::MontantFixe, p.fixedAmount);
        r.Set(rubsaisie::Retiree, p.withdrawn ? "1" : "0");
        b.Write(tables::RUBSAISIE, p.code, r);
    }
    for (const auto& s : ProvidentSchemes()) {
        DemoRecord r;
        r.Set(contratsprev::Libelle, s.label);
        r.Set(contratsprev::Convention, s.agreement);
        b.Write(tables::CONTRATSPREV, s.code, r);
    }
    for (const auto& g : Grids()) {
        DemoRecord r;
        r.Set(1, g.name);
        r.Set(2, g.agreement);
        r.Set(7, g.baseCoefficient);
        r.Set(8, g.withdrawn ? "1" : "0");
        b.Write(tables::GRILLESCC, g.key, r);
    }
}

namespace {

void WriteUser(Builder& b, const std::string& user, int contractLevel, int beneficiaryLevel,
               const std::vector<std::string>& entities) {
    DemoRecord r;
    r.SetValues(droitsutilisateur::Modules, {"DOSAIDECONTRAT", "DOSSIERAIDE", "*"});
    r.SetValues(droitsutilisateur::Niveaux, {std::to_string(contractLevel), std::to_string(beneficiaryLevel),
                                             std::to_string(beneficiaryLevel)});
    r.SetValues(droitsutilisateur::Entites, entities);
    b.Write(tables::DROITSUTILISATEUR, user, r);
}

} // namespace

void WriteUsers(Builder& b) {
    const std::vector<std::string> all = {"*"};
    WriteUser(b, UtilisateurDemo, 2, 2, all);
    WriteUser(b, UtilisateurDirection, 2, 2, all);
    WriteUser(b, UtilisateurConsultation, 1, 1, all);
    WriteUser(b, UtilisateurAntenne, 2, 2, {"002", "003"});
    // Whoever builds the demo may open it under their own account.
    const std::string self = Lire_NomUtilisateur().toStdString();
    if (!self.empty() && self != UtilisateurDemo && self != UtilisateurDirection &&
        self != UtilisateurConsultation && self != UtilisateurAntenne)
        WriteUser(b, self, 2, 2, all);
}

} // namespace data::demo
