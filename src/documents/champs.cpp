#include "documents/champs.h"

namespace documents {

const std::vector<Champ>& ChampsContrat() {
    static const std::vector<Champ> champs = {
        {"association", "le nom de l'association"},
        {"convention", "la convention collective"},
        {"employeur", "le nom de l'employeur"},
        {"employeur_adresse", "l'adresse de l'employeur"},
        {"etablissement", "l'établissement employeur"},
        {"salarie", "le nom du salarié"},
        {"salarie_adresse", "l'adresse du salarié"},
        {"numero_contrat", "le numéro du contrat"},
        {"type_contrat", "le type de contrat"},
        {"cdd", "le type de contrat"},
        {"nature_contrat", "la nature du contrat"},
        {"date_debut", "la date de début du contrat"},
        {"date_fin", "la date de fin du contrat"},
        {"motif_cdd", "le motif du contrat à durée déterminée"},
        {"duree_minimale", "la durée minimale du contrat"},
        {"periode_essai", "la période d'essai"},
        {"essai_renouvelable", "le renouvellement de la période d'essai"},
        {"qualification", "la qualification"},
        {"code_pcs", "le code PCS"},
        {"fonction_pcs", "la fonction PCS"},
        {"coefficient", "le coefficient"},
        {"duree_travail", "la durée du travail"},
        {"frequence", "la période de la durée du travail"},
        {"taux_horaire", "le taux horaire"},
        {"mode_salaire", "le mode de rémunération"},
        {"lieu_travail", "le lieu de travail"},
        {"activites", "les activités du contrat"},
        {"mode_paiement", "le mode de paiement du salaire"},
        {"date_du_jour", "la date du jour"},
    };
    return champs;
}

const std::vector<Champ>& ChampsAvenant() {
    static const std::vector<Champ> champs = [] {
        std::vector<Champ> all = ChampsContrat();
        all.push_back({"numero_avenant", "le numéro de l'avenant"});
        all.push_back({"date_effet", "la date d'effet de l'avenant"});
        all.push_back({"modifications", "les modifications apportées par l'avenant"});
        return all;
    }();
    return champs;
}

const std::vector<Champ>& Champs(Genre genre) {
    return genre == Genre::Contrat ? ChampsContrat() : ChampsAvenant();
}

const Champ* TrouverChamp(Genre genre, const QString& nom) {
    for (const Champ& champ : Champs(genre))
        if (nom == QLatin1String(champ.nom))
            return &champ;
    return nullptr;
}

QString NomGenre(Genre genre) {
    return genre == Genre::Contrat ? QStringLiteral("contrat de travail")
                                   : QStringLiteral("avenant au contrat de travail");
}

} // namespace documents
