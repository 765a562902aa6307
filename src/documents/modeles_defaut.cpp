#include "documents/modeles_defaut.h"

#include "data/contrat_fields.h"
#include "data/tables.h"

namespace documents {

namespace {

QStringList Paragraphes(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts)
        list << QString::fromUtf8(text);
    return list;
}

// Clauses both contracts share, from the trial period on.
QStringList EssaiEtDuree() {
    return Paragraphes({
        "# Article 2 – Période d'essai",
        "{{?periode_essai}}Le contrat ne devient définitif qu'à l'issue d'une période d'essai de "
        "{{periode_essai}} de travail effectif. Pendant cette période, chacune des parties peut rompre le "
        "contrat sans indemnité, en respectant le délai de prévenance prévu par le code du travail.",
        "{{?periode_essai}}{{?essai_renouvelable}}La période d'essai peut être renouvelée une fois, pour une "
        "durée au plus égale, avec l'accord écrit du salarié donné avant la fin de la première période.",
        "{{!periode_essai}}Les parties conviennent que le contrat ne comporte pas de période d'essai.",
    });
}

// The start of the contract and, for a fixed term, its reason and end.
QStringList Engagement() {
    return Paragraphes({
        "# Article 1 – Engagement",
        "L'employeur engage le salarié par un contrat {{type_contrat}} à compter du {{date_debut}}.",
        "{{?cdd}}Le contrat est conclu pour le motif suivant : {{motif_cdd}}.",
        "{{?cdd}}{{?date_fin}}Il prend fin le {{date_fin}}.",
        "{{?cdd}}{{!date_fin}}Conclu sans terme précis, il prend fin à la réalisation de son objet.",
        "{{?cdd}}{{?duree_minimale}}Sa durée minimale est de {{duree_minimale}}.",
    });
}

QStringList Fin() {
    return Paragraphes({
        "# Article 9 – Fin du contrat",
        "{{!cdd}}Chacune des parties peut mettre fin au contrat dans les conditions prévues par le code du "
        "travail et la convention collective, en respectant le préavis applicable, sauf faute grave ou force "
        "majeure.",
        "{{?cdd}}Le contrat ne peut être rompu avant son terme qu'en cas d'accord des parties, de faute grave, "
        "de force majeure, d'inaptitude constatée par le médecin du travail ou d'embauche du salarié sous "
        "contrat à durée indéterminée.",
    });
}

} // namespace

Modele ModeleContratParticulierEmployeur(const std::string& selecteur) {
    Modele m;
    m.cle = CleModele(selecteur, Genre::Contrat);
    m.titre = QStringLiteral("Contrat de travail {{type_contrat}}");
    m.paragraphes = Paragraphes({
        "Entre les soussignés :",
        "{{employeur}}, demeurant {{employeur_adresse}}, ci-après dénommé(e) « l'employeur », qui confie à "
        "{{association}} la gestion administrative de cet emploi en qualité de mandataire,",
        "et {{salarie}}, demeurant {{salarie_adresse}}, ci-après dénommé(e) « le salarié »,",
        "il a été convenu ce qui suit.",
    });
    m.paragraphes << Engagement();
    m.paragraphes << Paragraphes({
        "Le contrat est régi par la convention collective suivante : {{convention}}. Le salarié peut la "
        "consulter auprès de {{association}}.",
    });
    m.paragraphes << EssaiEtDuree();
    m.paragraphes << Paragraphes({
        "# Article 3 – Emploi",
        "Le salarié est engagé en qualité de {{qualification}}.",
        "{{?activites}}Il assure au domicile de l'employeur les activités suivantes : {{activites}}.",
        "{{?nature_contrat}}Nature du contrat : {{nature_contrat}}.",
        "# Article 4 – Lieu de travail",
        "Le travail s'effectue {{lieu_travail}}.",
        "# Article 5 – Durée du travail",
        "La durée du travail est fixée à {{duree_travail}} {{frequence}}. Les horaires sont arrêtés d'un commun "
        "accord ; toute modification durable de la durée du travail fait l'objet d'un avenant.",
        "# Article 6 – Rémunération",
        "{{?taux_horaire}}Le salarié perçoit un salaire horaire brut de {{taux_horaire}}, auquel s'ajoutent les "
        "majorations et indemnités prévues par la convention collective.",
        "{{!taux_horaire}}Le salarié est rémunéré selon la grille de classification de la convention collective, "
        "majorations et indemnités prévues par celle-ci en sus.",
        "{{?mode_paiement}}Le salaire est versé chaque mois {{mode_paiement}} et accompagné d'un bulletin de paie "
        "établi par {{association}} pour le compte de l'employeur.",
        "{{!mode_paiement}}Le salaire est versé chaque mois et accompagné d'un bulletin de paie établi par "
        "{{association}} pour le compte de l'employeur.",
        "# Article 7 – Congés payés",
        "Le salarié acquiert des congés payés dans les conditions prévues par le code du travail et la convention "
        "collective. Les dates de congés sont fixées par l'employeur après avis du salarié, au moins deux mois à "
        "l'avance.",
        "# Article 8 – Protection sociale",
        "Le salarié est affilié aux régimes de retraite complémentaire et de prévoyance prévus par la convention "
        "collective. {{association}} accomplit les déclarations sociales pour le compte de l'employeur.",
    });
    m.paragraphes << Fin();
    m.paragraphes << Paragraphes({
        "# Article 10 – Dispositions diverses",
        "Le salarié informe l'employeur de tout changement de sa situation personnelle utile à la gestion du "
        "contrat. Il est tenu à la discrétion sur tout ce qu'il apprend de la vie privée de l'employeur et de sa "
        "famille.",
        "Un exemplaire du contrat est remis à chacune des parties ; une copie est conservée par {{association}}.",
    });
    return m;
}

Modele ModeleContratAssociation(const std::string& selecteur) {
    Modele m;
    m.cle = CleModele(selecteur, Genre::Contrat);
    m.titre = QStringLiteral("Contrat de travail {{type_contrat}}");
    m.paragraphes = Paragraphes({
        "Entre les soussignés :",
        "{{association}}, pour son établissement « {{etablissement}} », ci-après dénommée « l'employeur », "
        "représentée par sa direction,",
        "et {{salarie}}, demeurant {{salarie_adresse}}, ci-après dénommé(e) « le salarié »,",
        "il a été convenu ce qui suit.",
    });
    m.paragraphes << Engagement();
    m.paragraphes << Paragraphes({
        "Le contrat est régi par la convention collective suivante : {{convention}}, dont un exemplaire est "
        "tenu à la disposition du salarié.",
    });
    m.paragraphes << EssaiEtDuree();
    m.paragraphes << Paragraphes({
        "# Article 3 – Emploi et classification",
        "Le salarié est engagé en qualité de {{qualification}}.",
        "{{?coefficient}}Il est classé au coefficient {{coefficient}} de la grille de la convention collective.",
        "{{?activites}}Il assure les activités suivantes : {{activites}}.",
        "{{?nature_contrat}}Nature du contrat : {{nature_contrat}}.",
        "# Article 4 – Lieu de travail",
        "Le travail s'effectue {{lieu_travail}}. Les temps de déplacement entre deux interventions successives "
        "sont du temps de travail effectif ; les frais de déplacement sont pris en charge selon la convention "
        "collective.",
        "# Article 5 – Durée du travail",
        "La durée du travail est fixée à {{duree_travail}} {{frequence}}. Le planning des interventions est "
        "communiqué au salarié au moins sept jours à l'avance, sauf urgence ; toute modification durable de la "
        "durée du travail fait l'objet d'un avenant.",
        "# Article 6 – Rémunération",
        "{{?taux_horaire}}Le salarié perçoit un salaire horaire brut de {{taux_horaire}}, auquel s'ajoutent les "
        "majorations, primes et indemnités prévues par la convention collective.",
        "{{!taux_horaire}}Le salarié est rémunéré selon la grille de classification de la convention collective "
        "correspondant à son coefficient, majorations, primes et indemnités prévues par celle-ci en sus.",
        "{{?mode_paiement}}Le salaire est versé chaque mois {{mode_paiement}} et accompagné d'un bulletin de "
        "paie.",
        "{{!mode_paiement}}Le salaire est versé chaque mois et accompagné d'un bulletin de paie.",
        "# Article 7 – Congés payés",
        "Le salarié acquiert des congés payés dans les conditions prévues par le code du travail et la convention "
        "collective ; l'ordre des départs est fixé par l'employeur après consultation des salariés.",
        "# Article 8 – Protection sociale",
        "Le salarié est affilié aux régimes de retraite complémentaire, de prévoyance et de complémentaire santé "
        "de l'employeur, dans les conditions de la convention collective.",
    });
    m.paragraphes << Fin();
    m.paragraphes << Paragraphes({
        "# Article 10 – Dispositions diverses",
        "Le salarié respecte le secret professionnel et la discrétion sur la vie privée des personnes "
        "accompagnées. Il informe l'employeur de tout changement de sa situation personnelle utile à la gestion "
        "du contrat.",
        "Un exemplaire du contrat est remis à chacune des parties.",
    });
    return m;
}

Modele ModeleAvenant(const std::string& selecteur) {
    Modele m;
    m.cle = CleModele(selecteur, Genre::Avenant);
    m.titre = QStringLiteral("Avenant n° {{numero_avenant}} au contrat de travail");
    m.paragraphes = Paragraphes({
        "Entre les soussignés :",
        "{{?employeur_adresse}}{{employeur}}, demeurant {{employeur_adresse}}, ci-après dénommé(e) "
        "« l'employeur »,",
        "{{!employeur_adresse}}{{employeur}}, ci-après dénommé(e) « l'employeur »,",
        "et {{salarie}}, demeurant {{salarie_adresse}}, ci-après dénommé(e) « le salarié »,",
        "il est convenu de modifier comme suit le contrat de travail n° {{numero_contrat}}, {{type_contrat}}, "
        "conclu à compter du {{date_debut}}.",
        "# Article 1 – Objet de l'avenant",
        "À compter du {{date_effet}}, les conditions d'emploi du salarié sont modifiées ainsi :",
        "- {{modifications}}",
        "# Article 2 – Conditions d'emploi à compter du {{date_effet}}",
        "- Qualification : {{qualification}}",
        "{{?coefficient}}- Coefficient : {{coefficient}}",
        "{{?duree_travail}}- Durée du travail : {{duree_travail}} {{frequence}}",
        "{{?taux_horaire}}- Salaire horaire brut : {{taux_horaire}}",
        "# Article 3 – Autres clauses",
        "Toutes les autres clauses du contrat de travail demeurent inchangées.",
        "Un exemplaire du présent avenant est remis à chacune des parties ; une copie est conservée par "
        "{{association}}.",
    });
    return m;
}

int InstallerModelesDefaut(dba::Database& db, const std::string& day) {
    const dba::ResultList entities = db.SelectRecords(std::string("SSELECT ") + data::tables::ASSOCIATION);
    const dba::ResultList agreements = db.SelectRecords(std::string("SSELECT ") + data::tables::CONVENTIONCOL);
    db.CreateTable(data::tables::MODELEDOC);
    const dba::Table models = db.OpenTable(data::tables::MODELEDOC);
    int written = 0;
    for (int e = 1; e <= entities.DCount(); ++e) {
        for (int a = 1; a <= agreements.DCount(); ++a) {
            const std::string agreement = agreements.Item(a);
            const std::string selecteur = entities.Item(e) + agreement;
            const bool particulier = agreement == data::contrat::ConventionParticulierEmployeur;
            for (const Modele& m : {particulier ? ModeleContratParticulierEmployeur(selecteur)
                                                : ModeleContratAssociation(selecteur),
                                    ModeleAvenant(selecteur)}) {
                if (models.Exists(m.cle))
                    continue;
                EcrireModele(db, m, day, "ARBELDONE");
                ++written;
            }
        }
    }
    return written;
}

} // namespace documents
