#include "data/demo_catalogue.h"

#include "data/tables.h"

#include <stdexcept>

namespace data::demo {

const std::vector<ParameterList>& ParameterLists() {
    using namespace tables::lists;
    static const std::vector<ParameterList> lists = {
        {NATURECONTRAT,
         "Nature des contrats",
         {{"01", "Contrat à temps plein"},
          {"02", "Contrat à temps partiel"},
          {"03", "Contrat d'apprentissage"},
          {"04", "Contrat de professionnalisation"},
          {"05", "Contrat unique d'insertion"},
          {"06", "Contrat de travail intermittent"}}},
        {CARTEORANGE,
         "Zones de carte orange",
         {{"0", "Sans titre de transport"},
          {"1", "Zones 1-2"},
          {"2", "Zones 1-3"},
          {"3", "Zones 1-4"},
          {"4", "Zones 1-5"},
          {"5", "Abonnement réseau urbain"}}},
        {FINCONTRAT,
         "Motifs de fin de contrat",
         {{"11", "Licenciement suite à liquidation judiciaire ou redressement judiciaire"},
          {"12", "Licenciement suite à fermeture définitive de l'établissement"},
          {"14", "Licenciement pour motif économique"},
          {"15", "Licenciement pour fin de chantier", true},
          {"20", "Licenciement pour autre motif"},
          {"26", "Rupture dans le cadre d'un contrat de sécurisation professionnelle", true},
          {"31", "Fin de contrat à durée déterminée"},
          {"32", "Fin de mission d'intérim", true},
          {"33", "Rupture anticipée du CDD pour faute grave"},
          {"34", "Fin de période d'essai à l'initiative de l'employeur"},
          {"35", "Fin de période d'essai à l'initiative du salarié"},
          {"36", "Rupture anticipée du CDD à l'initiative de l'employeur"},
          {"37", "Rupture anticipée du CDD à l'initiative du salarié"},
          {"38", "Mise à la retraite par l'employeur"},
          {"39", "Départ à la retraite à l'initiative du salarié"},
          {"43", "Rupture conventionnelle"},
          {"59", "Démission"},
          {"65", "Décès de l'employeur"},
          {"66", "Décès du salarié"},
          {"91", "Licenciement pour inaptitude d'origine non professionnelle"},
          {"92", "Licenciement pour inaptitude d'origine professionnelle"},
          {"93", "Licenciement suite à l'entrée en établissement de l'employeur"},
          {"99", "Ancien motif : fin de prise en charge APA", true}}},
        {MOTIFEMBAUCHE,
         "Motifs d'embauche en CDD",
         {{"01", "Remplacement d'un salarié absent"},
          {"02", "Accroissement temporaire d'activité"},
          {"03", "Emploi à caractère saisonnier"},
          {"04", "Remplacement d'un salarié passé à temps partiel"},
          {"05", "Attente de l'entrée en service d'un salarié recruté en CDI"},
          {"06", "Contrat aidé (insertion)"}}},
        {NATUREVOIE,
         "Nature des voies",
         {{"RUE", "Rue"},
          {"AV", "Avenue"},
          {"BD", "Boulevard"},
          {"CHE", "Chemin"},
          {"IMP", "Impasse"},
          {"PL", "Place"},
          {"ALL", "Allée"},
          {"RTE", "Route"},
          {"QUAI", "Quai"},
          {"LD", "Lieu-dit"},
          {"SQ", "Square"},
          {"CRS", "Cours"}}},
        // Contracts store the qualification as written in field 2.
        {QUALIF,
         "Qualifications professionnelles",
         {{"Aide à domicile", "Agent à domicile, sans diplôme du secteur"},
          {"Assistant(e) de vie A", "Assistant de vie de niveau A (particulier employeur)"},
          {"Assistant(e) de vie B", "Assistant de vie de niveau B (particulier employeur)"},
          {"Assistant(e) de vie C", "Assistant de vie dépendance (particulier employeur)"},
          {"Employé(e) familial(e)", "Employé familial polyvalent"},
          {"Garde de nuit", "Présence responsable de nuit"},
          {"Auxiliaire de vie sociale", "Titulaire du DEAVS ou du DEAES"},
          {"Aide-soignant(e)", "Titulaire du DEAS (SSIAD)"},
          {"Secrétaire administrative", "Personnel administratif"},
          {"Responsable de secteur", "Encadrement intermédiaire"}}},
        {ABSENCES,
         "Types d'absences",
         {{"01", "Congés payés"},
          {"02", "Maladie"},
          {"03", "Accident du travail"},
          {"04", "Congé maternité"},
          {"05", "Congé parental"},
          {"06", "Congé sans solde"},
          {"10", "Absence injustifiée"},
          {"18", "Formation"},
          {"19", "Heures de délégation"},
          {"20", "Absence autorisée payée"},
          {"21", "Jour férié chômé"}}},
    };
    return lists;
}

const ParameterList& List(const std::string& name) {
    for (const auto& list : ParameterLists())
        if (list.name == name)
            return list;
    throw std::logic_error("liste de démonstration inconnue : " + name);
}

const std::vector<Agreement>& Agreements() {
    static const std::vector<Agreement> agreements = {
        {"01", "Convention collective de l'aide à domicile en milieu rural", "1", "1"},
        {"02", "Convention collective nationale des salariés du particulier employeur", "2", "2"},
        {"05", "Convention collective des établissements privés d'hospitalisation, de soins et de cure", "1",
         "2"},
        {"06",
         "Convention collective de la branche de l'aide, de l'accompagnement, des soins et des services à "
         "domicile",
         "2", "1"},
    };
    return agreements;
}

const std::vector<Pcs>& PcsEntries() {
    static const std::vector<Pcs> entries = {
        {"43", "Professions intermédiaires de la santé et du travail social"},
        {"52", "Employés civils et agents de service de la fonction publique"},
        {"54", "Employés administratifs d'entreprise"},
        {"56", "Personnels des services directs aux particuliers"},
        {"431f", "Infirmiers en soins généraux, salariés"},
        {"434d", "Éducateurs spécialisés"},
        {"525d", "Agents de service hospitaliers"},
        {"526a", "Aides-soignants"},
        {"542a", "Secrétaires"},
        {"543d", "Employés administratifs divers d'entreprises"},
        {"563a", "Assistantes maternelles, gardiennes d'enfants, familles d'accueil"},
        {"563b", "Aides à domicile, aides ménagères, travailleuses familiales"},
        {"563c", "Employés de maison et personnels de ménage chez des particuliers"},
        {"564b", "Employés des services divers"},
    };
    return entries;
}

const std::vector<Profile>& Profiles() {
    static const std::vector<Profile> profiles = {
        {"101", "Mandataire - salarié horaire", "02", {"121", "200", "210"}, "1"},
        {"102", "Mandataire - salarié mensualisé", "02", {"200", "210"}, "1"},
        {"103", "Mandataire - garde de nuit", "02", {"200", "210"}, "1"},
        {"104", "Mandataire - employé familial", "02", {"121", "200"}, "1"},
        {"201", "Prestataire - intervenant à domicile", "01", {"100", "110", "120"}, "0"},
        {"202", "Prestataire - auxiliaire de vie", "06", {"100", "110", "120"}, "0"},
        {"203", "Prestataire - mensualisé sans exonération", "06", {"100", "110"}, "0"},
        {"204", "SSIAD - aide-soignant", "05", {"100", "110"}, "0"},
        {"205", "Administratif - personnel de bureau", "06", {"100", "110"}, "2"},
        {"206", "Administratif - encadrement", "01", {"100", "110"}, "2"},
        {"207", "Prestataire rural - mensualisé", "01", {"100", "110"}, "0"},
    };
    return profiles;
}

const std::vector<ChargeItem>& ChargeItems() {
    static const std::vector<ChargeItem> items = {
        {"100", "Maladie, maternité, invalidité, décès", "Taux", "Taux", "01", "", ""},
        {"110", "Assurance vieillesse plafonnée", "Taux", "Taux", "01", "", ""},
        {"120", "Exonération aide à domicile (prestataire)", "Taux", "Taux", "01", "1", ""},
        {"121", "Exonération aide à domicile (particulier employeur)", "Taux", "Taux", "01", "1", ""},
        {"122", "Exonération aide à domicile (ancien barème)", "Taux", "Taux", "01", "1", "O"},
        {"200", "Retraite complémentaire IRCEM", "Taux", "Taux", "02", "", ""},
        {"210", "Prévoyance IRCEM", "Taux", "Taux", "03", "", ""},
        {"300", "Mutuelle Harmonie - forfait isolé", "Montant", "Montant", "08", "", ""},
        {"301", "Mutuelle MGEN - part patronale forfaitaire", "Taux", "Montant", "08", "", ""},
        {"302", "Mutuelle Malakoff - forfait famille", "Montant", "Taux", "08", "", ""},
        {"303", "Mutuelle Apréva - ancienne formule", "Montant", "Montant", "08", "", "O"},
        {"304", "Mutuelle Apréva - cotisation au taux", "Taux", "Taux", "08", "", ""},
    };
    return items;
}

const std::vector<PayEntryItem>& PayEntryItems() {
    // base mode, percentage, rate mode, fixed rate (x 10000), amount mode, fixed amount (x 100)
    static const std::vector<PayEntryItem> items = {
        {"010", "Heures complémentaires", "0", "", "0", "", "2", ""},
        {"020", "Heures majorées dimanche et jours fériés", "1", "125", "0", "", "2", ""},
        {"030", "Indemnité kilométrique", "0", "", "1", "3500", "2", ""},
        {"040", "Prime exceptionnelle", "2", "", "2", "", "0", ""},
        {"050", "Indemnité de repas", "3", "", "3", "", "1", "550"},
        {"060", "Remboursement frais de transport", "4", "", "2", "", "0", ""},
        {"070", "Acompte sur salaire", "3", "", "2", "", "0", "", true},
        {"080", "Heures de présence de nuit", "0", "", "4", "112500", "2", ""},
        {"090", "Retenue pour absence non rémunérée", "0", "", "0", "", "2", ""},
        {"100", "Indemnité d'entretien", "2", "", "2", "", "1", "365"},
    };
    return items;
}

const std::vector<ProvidentScheme>& ProvidentSchemes() {
    static const std::vector<ProvidentScheme> schemes = {
        {"01", "IRCEM Prévoyance - salariés du particulier employeur", "02"},
        {"02", "IRCEM Prévoyance - garanties renforcées", "02"},
        {"03", "Humanis Prévoyance - aide à domicile rurale", "01"},
        {"04", "Mutex Prévoyance - branche de l'aide à domicile", "06"},
        {"05", "AG2R Prévoyance - cadres de la branche", "06"},
        {"06", "Chorum Prévoyance - établissements de soins", "05"},
    };
    return schemes;
}

const std::vector<Grid>& Grids() {
    static const std::vector<Grid> grids = {
        {"0101", "Catégorie A - agent à domicile", "01", "274000"},
        {"0102", "Catégorie C - auxiliaire de vie sociale", "01", "315000"},
        {"0501", "Aide-soignant - grille hospitalière", "05", "347000"},
        {"0601", "Emploi A - agent à domicile", "06", "270000"},
        {"0602", "Emploi B - employé à domicile", "06", "286000"},
        {"0603", "Emploi C - auxiliaire de vie sociale", "06", "318000"},
        {"0604", "Emploi D - secrétaire", "06", "292000"},
        {"0609", "Ancienne grille (avant avenant 43)", "06", "260000", true},
    };
    return grids;
}

} // namespace data::demo
