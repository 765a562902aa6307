#include "documents/donnees.h"

#include "data/contrat_fields.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "documents/french_format.h"

namespace documents {

namespace {

namespace c = data::contrat;
namespace t = data::tables;

const int ChampsTermes[] = {c::Qualification, c::CodePCS, c::Coefficient, c::TauxHoraire,
                            c::DureeTravail,  c::FrequenceTravail, c::Lissage};

QString Q(const std::string& text) {
    return QString::fromStdString(text).trimmed();
}

// Reads records of the tables a document needs, naming the table when the
// database cannot give it.
class Lecteur {
public:
    explicit Lecteur(const dba::Database& db) : db_(db) {}

    dba::Record Lire(const char* table, const std::string& key) {
        table_ = table;
        return db_.OpenTable(table).ReadRecordOrEmpty(key);
    }
    // The label of `code` in the parameter list `list` of TABLES.
    QString Libelle(const char* list, const std::string& code) {
        if (code.empty())
            return {};
        const dba::Record r = Lire(t::TABLES, list);
        for (int v = 1; v <= r.DCount(data::listes::Codes); ++v)
            if (r.Item(data::listes::Codes, v) == code)
                return Q(r.Item(data::listes::Libelles, v));
        return {};
    }
    const char* Table() const { return table_; }

private:
    const dba::Database& db_;
    const char* table_ = "";
};

QString NomPrenom(const dba::Record& r, int nom, int prenom) {
    const QString first = Q(r.Item(prenom));
    const QString last = Q(r.Item(nom));
    return first.isEmpty() ? last : last.isEmpty() ? first : first + QLatin1Char(' ') + last;
}

// "12 bis rue des Lilas, 37000 Tours"; empty when the street is unknown.
QString Adresse(Lecteur& lecteur, const dba::Record& r) {
    namespace a = data::civilaide; // the helpers' records use the same fields
    QStringList rue;
    for (const QString& part : {Q(r.Item(a::Numero)), lecteur.Libelle(t::lists::NATUREVOIE, r.Item(a::NatureVoie)),
                                Q(r.Item(a::Voie))})
        if (!part.isEmpty())
            rue << part;
    if (Q(r.Item(a::Voie)).isEmpty())
        return {};
    QString ville = (Q(r.Item(a::CodePostal)) + QLatin1Char(' ') + Q(r.Item(a::Ville))).trimmed();
    return ville.isEmpty() ? rue.join(QLatin1Char(' ')) : rue.join(QLatin1Char(' ')) + QStringLiteral(", ") + ville;
}

QString Frequence(const std::string& code) {
    if (code == "1")
        return QStringLiteral("par semaine");
    if (code == "2")
        return QStringLiteral("par quatorzaine");
    if (code == "3")
        return QStringLiteral("par mois");
    if (code == "4")
        return QStringLiteral("par an");
    return {};
}

QString Duree(const std::string& hours, const std::string& period) {
    const auto h = LireEntierStocke(hours);
    const QString frequence = Frequence(period);
    if (!h || frequence.isEmpty())
        return {};
    return FormatHeures(*h) + QLatin1Char(' ') + frequence;
}

QString Taux(const std::string& stored) {
    const auto v = LireEntierStocke(stored);
    return v && *v > 0 ? FormatTauxHoraire(*v) : QString();
}

QString Coefficient(const std::string& stored) {
    const auto v = LireEntierStocke(stored);
    return v && *v > 0 ? FormatDecimal(*v, 3, 0) : QString();
}

QString Guillemets(const QString& text) {
    return QStringLiteral("« ") + text + QStringLiteral(" »");
}

} // namespace

QStringList Modifications(const std::map<int, std::string>& avant, const std::map<int, std::string>& apres) {
    auto get = [](const std::map<int, std::string>& m, int f) {
        const auto it = m.find(f);
        return it == m.end() ? std::string() : it->second;
    };
    QStringList phrases;
    const QString qualifAvant = Q(get(avant, c::Qualification)), qualifApres = Q(get(apres, c::Qualification));
    if (qualifAvant != qualifApres && !qualifApres.isEmpty())
        phrases << (qualifAvant.isEmpty()
                        ? QStringLiteral("Le salarié occupe l'emploi de ") + Guillemets(qualifApres) + QLatin1Char('.')
                        : QStringLiteral("La qualification du salarié devient ") + Guillemets(qualifApres) +
                              QStringLiteral(" (auparavant ") + Guillemets(qualifAvant) + QStringLiteral(")."));
    const QString pcsAvant = Q(get(avant, c::CodePCS)), pcsApres = Q(get(apres, c::CodePCS));
    if (pcsAvant != pcsApres && !pcsApres.isEmpty())
        phrases << QStringLiteral("Le code PCS de l'emploi devient ") + pcsApres + QLatin1Char('.');
    const QString coefAvant = Coefficient(get(avant, c::Coefficient)),
                  coefApres = Coefficient(get(apres, c::Coefficient));
    if (coefAvant != coefApres && !coefApres.isEmpty())
        phrases << (coefAvant.isEmpty() ? QStringLiteral("Le coefficient de l'emploi est fixé à ") + coefApres + QLatin1Char('.')
                                        : QStringLiteral("Le coefficient de l'emploi passe de ") + coefAvant +
                                              QStringLiteral(" à ") + coefApres + QLatin1Char('.'));
    const QString tauxAvant = Taux(get(avant, c::TauxHoraire)), tauxApres = Taux(get(apres, c::TauxHoraire));
    if (tauxAvant != tauxApres && !tauxApres.isEmpty())
        phrases << (tauxAvant.isEmpty() ? QStringLiteral("Le taux horaire brut est fixé à ") + tauxApres + QLatin1Char('.')
                                        : QStringLiteral("Le taux horaire brut passe de ") + tauxAvant +
                                              QStringLiteral(" à ") + tauxApres + QLatin1Char('.'));
    const QString dureeAvant = Duree(get(avant, c::DureeTravail), get(avant, c::FrequenceTravail));
    const QString dureeApres = Duree(get(apres, c::DureeTravail), get(apres, c::FrequenceTravail));
    if (dureeAvant != dureeApres && !dureeApres.isEmpty())
        phrases << (dureeAvant.isEmpty() ? QStringLiteral("La durée du travail est fixée à ") + dureeApres + QLatin1Char('.')
                                         : QStringLiteral("La durée du travail passe de ") + dureeAvant +
                                               QStringLiteral(" à ") + dureeApres + QLatin1Char('.'));
    const bool modulAvant = get(avant, c::Lissage) == "1", modulApres = get(apres, c::Lissage) == "1";
    if (modulAvant != modulApres)
        phrases << (modulApres ? QStringLiteral("Le temps de travail est désormais modulé sur l'année, selon "
                                                "l'accord de modulation applicable.")
                               : QStringLiteral("Le temps de travail n'est plus modulé sur l'année."));
    return phrases;
}

LectureDonnees LireDonnees(const dba::Database& db, const std::string& cleDocument, const QDate& today) {
    LectureDonnees lecture;
    Lecteur lecteur(db);
    try {
        DonneesDocument d;
        dba::Record contrat = lecteur.Lire(t::CONTRAT, cleDocument);
        int entree = 1;
        if (contrat.Item().empty() && cleDocument.size() > static_cast<size_t>(c::LongueurCle)) {
            d.genre = Genre::Avenant;
            d.cleContrat = cleDocument.substr(0, c::LongueurCle);
            d.numeroAvenant = QString::fromStdString(cleDocument.substr(c::LongueurCle));
            contrat = lecteur.Lire(t::CONTRAT, d.cleContrat);
        } else {
            d.cleContrat = cleDocument;
        }
        if (contrat.Item().empty()) {
            lecture.erreur = QStringLiteral("Le contrat %1 est introuvable : aucun document n'est imprimé.")
                                 .arg(QString::fromStdString(d.cleContrat));
            return lecture;
        }
        if (d.genre == Genre::Avenant) {
            entree = 0;
            for (int v = 2; v <= contrat.DCount(c::NumeroAvenant); ++v)
                if (QString::fromStdString(contrat.Item(c::NumeroAvenant, v)) == d.numeroAvenant)
                    entree = v;
            if (entree == 0) {
                lecture.erreur = QStringLiteral("Le contrat %1 n'a pas d'avenant n° %2 : aucun document n'est imprimé.")
                                     .arg(QString::fromStdString(d.cleContrat), d.numeroAvenant);
                return lecture;
            }
        }
        auto terme = [&](int field) { return contrat.Item(field, entree); };

        const std::string agreement = contrat.Item(c::ConventionCollective);
        const bool particulier = agreement == c::ConventionParticulierEmployeur;
        const dba::Record entite = lecteur.Lire(t::ASSOCIATION, contrat.Item(c::EntiteJuridique));
        const dba::Record convention = lecteur.Lire(t::CONVENTIONCOL, agreement);
        const dba::Record aidant = lecteur.Lire(t::CIVILAIDANT, c::CodeAidant(d.cleContrat));
        d.association = Q(entite.Item(data::association::Nom));
        d.salarie = NomPrenom(aidant, data::civilaidant::Nom, data::civilaidant::Prenom);
        d.dateSignature = FormatDateLongue(today);

        Valeurs& v = d.valeurs;
        auto set = [&](const char* name, const QString& value) { v[QString::fromLatin1(name)] = QStringList{value}; };
        set("association", d.association);
        set("convention", Q(convention.Item(data::conventioncol::Nom)));
        set("salarie", d.salarie);
        set("salarie_adresse", Adresse(lecteur, aidant));
        if (particulier) {
            const dba::Record aide = lecteur.Lire(t::CIVILAIDE, contrat.Item(c::Employeur));
            d.employeur = NomPrenom(aide, data::civilaide::Nom, data::civilaide::Prenom);
            d.lieuSignature = Q(aide.Item(data::civilaide::Ville));
            const QString adresse = Adresse(lecteur, aide);
            set("employeur_adresse", adresse);
            set("etablissement", QString());
            set("lieu_travail", adresse.isEmpty() ? QString() : QStringLiteral("au domicile de l'employeur, ") + adresse);
        } else {
            const dba::Record etab = lecteur.Lire(t::ETABLISSEMENT, contrat.Item(c::Employeur));
            const QString etablissement = Q(etab.Item(data::etablissement::Libelle));
            d.employeur = d.association;
            set("employeur_adresse", QString());
            set("etablissement", etablissement);
            set("lieu_travail", QStringLiteral("au domicile des personnes accompagnées par ") + d.association +
                                    (etablissement.isEmpty() ? QString() : QStringLiteral(" (") + etablissement + QLatin1Char(')')));
        }
        set("employeur", d.employeur);
        set("numero_contrat", QString::fromStdString(d.cleContrat));
        const bool cdd = contrat.Item(c::TypeContrat) == c::TypeCDD;
        set("type_contrat", cdd ? QStringLiteral("à durée déterminée") : QStringLiteral("à durée indéterminée"));
        set("cdd", cdd ? QStringLiteral("oui") : QString());
        set("nature_contrat", lecteur.Libelle(t::lists::NATURECONTRAT, contrat.Item(c::Nature)));
        set("date_debut", DateLongueStockee(contrat.Item(c::DateDebut)));
        QString fin = DateLongueStockee(contrat.Item(c::DateFin));
        if (fin.isEmpty() && cdd)
            fin = DateLongueStockee(contrat.Item(c::DateFinPresumee));
        set("date_fin", fin);
        QString motif = lecteur.Libelle(t::lists::MOTIFEMBAUCHE, contrat.Item(c::MotifEmbauche));
        QStringList precisions;
        for (int line = 1; line <= contrat.DCount(c::MotifEmbaucheTexte); ++line)
            if (!Q(contrat.Item(c::MotifEmbaucheTexte, line)).isEmpty())
                precisions << Q(contrat.Item(c::MotifEmbaucheTexte, line));
        // A helper replaced over several absences is named once.
        QStringList remplaces;
        for (int r = 1; r <= contrat.DCount(c::AidantsRemplaces); ++r) {
            const std::string code = contrat.Item(c::AidantsRemplaces, r);
            if (code.empty())
                continue;
            const QString nom =
                NomPrenom(lecteur.Lire(t::CIVILAIDANT, code), data::civilaidant::Nom, data::civilaidant::Prenom);
            if (!remplaces.contains(nom))
                remplaces << nom;
        }
        for (int r = 1; r <= contrat.DCount(c::RemplacesSansCode); ++r)
            if (!Q(contrat.Item(c::RemplacesSansCode, r)).isEmpty())
                remplaces << Q(contrat.Item(c::RemplacesSansCode, r));
        // The model ends the sentence itself.
        while (!precisions.isEmpty() && precisions.last().endsWith(QLatin1Char('.')))
            precisions.last().chop(1);
        if (!precisions.isEmpty())
            motif += (motif.isEmpty() ? QString() : QStringLiteral(" : ")) + precisions.join(QLatin1Char(' '));
        if (!remplaces.isEmpty())
            motif += QStringLiteral(" (remplacement de ") + remplaces.join(QStringLiteral(", ")) + QLatin1Char(')');
        set("motif_cdd", cdd ? motif : QString());
        set("duree_minimale", Q(contrat.Item(c::DureeMinimale)));
        const auto essai = LireEntierStocke(contrat.Item(c::PeriodeEssai));
        set("periode_essai", essai && *essai > 0
                                 ? QString::number(*essai) + (*essai > 1 ? QStringLiteral(" jours") : QStringLiteral(" jour"))
                                 : QString());
        set("essai_renouvelable", contrat.Item(c::EssaiRenouvelable) == "1" ? QStringLiteral("oui") : QString());

        set("qualification", Q(terme(c::Qualification)));
        set("code_pcs", Q(terme(c::CodePCS)));
        set("fonction_pcs", Q(terme(c::FonctionPCS)));
        set("coefficient", Coefficient(terme(c::Coefficient)));
        const auto heures = LireEntierStocke(terme(c::DureeTravail));
        set("duree_travail", heures && *heures > 0 ? FormatHeures(*heures) : QString());
        set("frequence", Frequence(terme(c::FrequenceTravail)));
        set("taux_horaire", Taux(terme(c::TauxHoraire)));
        const std::string mode = contrat.Item(c::ModeSalaire);
        set("mode_salaire", mode == c::SalaireMensuel ? QStringLiteral("mensualisé")
                            : mode == c::SalaireHoraire ? QStringLiteral("horaire")
                                                        : QString());
        QStringList activites;
        for (int a = 1; a <= contrat.DCount(c::Activites); ++a) {
            const std::string key = contrat.Item(c::Activites, a);
            if (key.empty())
                continue;
            const QString label = Q(lecteur.Lire(t::ACTIVITES, key).Item(data::activites::Libelle));
            activites << (label.isEmpty() ? QString::fromStdString(key) : label);
        }
        set("activites", activites.join(QStringLiteral(", ")));
        const std::string paiement = contrat.Item(c::ModePaiement);
        set("mode_paiement", paiement == "1"   ? QStringLiteral("par virement bancaire")
                             : paiement == "2" ? QStringLiteral("par chèque")
                             : paiement == "3" ? QStringLiteral("en espèces")
                                               : QString());
        set("date_du_jour", d.dateSignature);

        d.reference = QStringLiteral("Contrat n° ") + QString::fromStdString(d.cleContrat);
        if (d.genre == Genre::Avenant) {
            d.reference = QStringLiteral("Avenant n° ") + d.numeroAvenant + QStringLiteral(" au contrat n° ") +
                          QString::fromStdString(d.cleContrat);
            set("numero_avenant", d.numeroAvenant);
            set("date_effet", DateLongueStockee(terme(c::DateEffet)));
            std::map<int, std::string> avant, apres;
            for (int field : ChampsTermes) {
                avant[field] = contrat.Item(field, entree - 1);
                apres[field] = terme(field);
            }
            QStringList changes = Modifications(avant, apres);
            if (changes.isEmpty())
                changes << QStringLiteral("Les conditions d'emploi en vigueur sont reconduites sans changement.");
            v[QStringLiteral("modifications")] = changes;
        }
        lecture.donnees = std::move(d);
    } catch (const dba::Error& error) {
        lecture.erreur = QStringLiteral("Le document ne peut pas être préparé : la table %1 ne peut pas être lue (%2).")
                             .arg(QString::fromLatin1(lecteur.Table()), QString::fromStdString(error.what()));
    }
    return lecture;
}

} // namespace documents
