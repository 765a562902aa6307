#include "rules/fixed_term_reason.h"

#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "dba/dynarray.h"
#include "dba/upper_case.h"
#include "rules/code_entry.h"
#include "rules/payslip_comments.h"

namespace rules {

namespace c = data::contrat;

namespace {

constexpr int LongueurNom = 35, ColonneNom = 38;
constexpr int LongueurAbsence = 60, ColonneAbsence = 80;
// 0-based starts of the columns as rows are read back.
constexpr int DebutNomLu = 6, LongueurNomLu = 39; // positions 7 to 45
constexpr int DebutAbsenceLue = 45;               // positions 46 to 105
constexpr int DebutCleLue = 124;                  // position 125 onwards
const QString SeptBlancs = QStringLiteral("       ");

std::string Q(const std::string& text) {
    return "\"" + text + "\"";
}
std::string Q(const QString& text) {
    return Q(text.toStdString());
}

std::string Joindre(const QStringList& valeurs) {
    std::vector<std::string> parts;
    for (const QString& v : valeurs)
        parts.push_back(v.toStdString());
    return SansValeursVidesFinales(dba::Join(parts, dba::VM));
}

bool EstSansCode(const QString& ligne) {
    return ligne.left(LongueurCodeAidant).trimmed().isEmpty();
}

} // namespace

// --- Rows ---

QString LigneAidantRemplace(const QString& code, const QString& nom, const QString& absence,
                            const QString& cleAbsence) {
    return code.leftJustified(LongueurCodeAidant, QLatin1Char(' '), true) + QStringLiteral("  ") +
           nom.left(LongueurNom).leftJustified(ColonneNom) +
           absence.left(LongueurAbsence).leftJustified(ColonneAbsence) + cleAbsence;
}

QString LigneRemplaceSansCode(const QString& nom) {
    return SeptBlancs + nom;
}

LigneRemplace LireLigne(const QString& ligne) {
    if (EstSansCode(ligne))
        return {{}, ligne.mid(DebutNomLu).trimmed(), {}, {}};
    return {ligne.left(LongueurCodeAidant), ligne.mid(DebutNomLu, LongueurNomLu).trimmed(),
            ligne.mid(DebutAbsenceLue, LongueurAbsence).trimmed(), ligne.mid(DebutCleLue).trimmed()};
}

// --- Absences ---

QString DateCourte(const QString& jour) {
    const QString date = data::dates::InternalToDate(jour);
    return date.isEmpty() ? QString() : date.left(6) + date.right(2);
}

QString LibelleAbsence(const QString& libelleType, const QString& cleAbsence, const QString& jourFin) {
    const QString debut = cleAbsence.mid(data::absencesaidant::DebutPosition - 1);
    return libelleType + QStringLiteral(" du ") + DateCourte(debut) + QStringLiteral(" au ") +
           DateCourte(jourFin);
}

// --- Parameter lists ---

ListeParametres LireListe(const dba::Record& liste) {
    ListeParametres out;
    out.active = !liste.Item(data::listes::Actif).empty();
    const int n = liste.DCount(data::listes::Codes);
    for (int i = 1; i <= n; ++i) {
        out.codes << QString::fromStdString(liste.Item(data::listes::Codes, i));
        out.libelles << QString::fromStdString(liste.Item(data::listes::Libelles, i));
    }
    return out;
}

QStringList LibellesOfferts(const ListeParametres& liste) {
    return liste.active ? liste.libelles : QStringList();
}

int IndexDuCode(const ListeParametres& liste, const QString& code) {
    if (!liste.active)
        return -1;
    return static_cast<int>(liste.codes.indexOf(code));
}

QString LibelleDuCode(const ListeParametres& liste, const QString& code) {
    const qsizetype i = liste.codes.indexOf(code);
    return i < 0 ? QString() : liste.libelles.value(i);
}

// --- Queries ---

std::string RequeteAidantsParNom(const QString& texte, const QString& jourDebut) {
    std::string q = "SSELECT " + std::string(data::tables::CIVILAIDANT) +
                    " AVEC NomPrenomAidant = " + Q(dba::UpperCase(texte.toStdString()) + "]");
    if (!jourDebut.isEmpty())
        q += " AND AVEC 36 >= " + Q(jourDebut) + " OR = " + Q(std::string());
    return q + " PAR 2 PAR 3";
}

std::string RequeteContratsAidant(const QString& code, const QString& convention, const QString& employeur,
                                  const QString& entite, const QString& jourDebut) {
    const std::string p = convention == QLatin1String(c::ConventionParticulierEmployeur)
                              ? " AND AVEC 3 = " + Q(employeur)
                              : " AND AVEC 2 = " + Q(entite);
    const std::string s = Q(jourDebut);
    const std::string aidant = "AVEC @ID = " + Q(code.toStdString() + "]") + p;
    return "SSELECT " + std::string(data::tables::CONTRAT) + " " + aidant + " AND AVEC 7 <= " + s +
           " AND AVEC 8 >= " + s + " OR = " + Q(std::string()) + " OR " + aidant + " AND AVEC 7 >= " + s +
           " AND AVEC 8 >= " + s + " OR = " + Q(std::string());
}

std::string RequeteAbsencesAidant(const QString& code, const QString& jourDebut) {
    std::string q = "SSELECT " + std::string(data::tables::ABSENCESAIDANT) +
                    " AVEC @ID = " + Q(code.toStdString() + "]") +
                    " AND AVEC 2 >= " + Q("[" + jourDebut.toStdString());
    // Training, delegation hours, authorised paid absences and bank
    // holidays are not absences anyone is hired to cover.
    for (const char* type : {"18", "19", "20", "21"})
        q += " AND AVEC TypeAbs <> " + Q(std::string(type));
    return q + " PAR DebAbsAidant";
}

// --- Helper by code ---

QString CompleterCodeAidant(const QString& saisi) {
    return CompleterCode(saisi, LongueurCodeAidant);
}

std::optional<Refus> VerifAidantParCode(const QString& code, const std::optional<AidantLu>& aidant,
                                        const QString& jourDebut) {
    const QString focus = QStringLiteral("Txt_CodeAidant");
    if (code.size() > LongueurCodeAidant || !aidant)
        return Refus{QStringLiteral("Cet aidant n'existe pas."), ui::Icon::Exclamation, focus};
    if (!jourDebut.isEmpty() && !aidant->dateSortie.isEmpty() && aidant->dateSortie < jourDebut)
        return Refus{QStringLiteral("Cet aidant existe mais est à l'état supprimé."), ui::Icon::Exclamation,
                     focus};
    return std::nullopt;
}

QString MessageSansContrat(const QString& convention) {
    return convention == QLatin1String(c::ConventionParticulierEmployeur)
               ? QStringLiteral("Cet aidant n'a pas de contrat avec cet aidé. Il n'y a donc pas de "
                                "remplacement à effectuer.")
               : QStringLiteral("Cet aidant n'a pas de contrat avec cette entité. Il n'y a donc pas de "
                                "remplacement à effectuer.");
}

// --- Row check ---

std::optional<Refus> VerifAidantRemplacant(const SaisieAidant& s, const QStringList& lignes) {
    auto refus = [](const char* message, const char* focus) {
        return Refus{QString::fromUtf8(message), ui::Icon::Information, QString::fromLatin1(focus)};
    };
    if (s.code.isEmpty())
        return refus("Le code de l'aidant est obligatoire.", "Txt_CodeAidant");
    if (s.nom.trimmed().isEmpty())
        return refus("L'aidant doit être renseigné.", "Cbo_AidantRemplace");
    if (s.code == s.codeAidantContrat)
        return refus("L'aidant ne peut pas se remplacer lui-même.", "Txt_CodeAidant");
    // Rows keep the first 60 characters of a label: compare like with like.
    const QString absence = s.absence.left(LongueurAbsence).trimmed();
    for (int i = 0; i < lignes.size(); ++i) {
        if (i == s.ligneModifiee || lignes[i].left(LongueurCodeAidant) != s.code)
            continue;
        const QString a = lignes[i].mid(DebutAbsenceLue, LongueurAbsence).trimmed();
        if (!absence.isEmpty() && a == absence)
            return refus("Cette absence pour cet aidant a déjà été ajoutée à la liste.", "Cbo_Absence");
        if (absence.isEmpty() || a.isEmpty())
            return refus("Cet aidant a déjà été ajouté à la liste.", "Txt_CodeAidant");
    }
    return std::nullopt;
}

// --- Fields ---

ChampsMotif ConstruireChampsMotif(const QString& ligne1, const QString& ligne2, const QString& codeMotif,
                                  const QStringList& lignes) {
    ChampsMotif out;
    // Without a first line the second one is not kept.
    if (!ligne1.isEmpty())
        out.motifTexte = Joindre({ligne1, ligne2});
    out.motif = codeMotif.toStdString();
    QStringList sansCode, codes, cles;
    for (const QString& ligne : lignes) {
        if (EstSansCode(ligne)) {
            // The whole name, however long: it is all there is of that person.
            sansCode << ligne.mid(DebutNomLu).trimmed();
        } else {
            codes << ligne.left(LongueurCodeAidant);
            cles << ligne.mid(DebutCleLue).trimmed();
        }
    }
    out.remplacesSansCode = Joindre(sansCode);
    out.aidants = Joindre(codes);
    // In step with the codes, empty keys included.
    std::vector<std::string> enPas;
    for (const QString& cle : cles)
        enPas.push_back(cle.toStdString());
    out.absences =
        cles.isEmpty() || cles.join(QString()).isEmpty() ? std::string() : dba::Join(enPas, dba::VM);
    return out;
}

ChampsMotif LireChampsMotif(const dba::Record& contrat) {
    return {contrat.Item(c::MotifEmbaucheTexte), contrat.Item(c::RemplacesSansCode),
            contrat.Item(c::MotifEmbauche), contrat.Item(c::AidantsRemplaces),
            contrat.Item(c::AbsencesRemplacees)};
}

bool MemeContenu(const ChampsMotif& a, const ChampsMotif& b) {
    auto meme = [](const std::string& x, const std::string& y) {
        return SansValeursVidesFinales(x) == SansValeursVidesFinales(y);
    };
    return meme(a.motifTexte, b.motifTexte) && meme(a.remplacesSansCode, b.remplacesSansCode) &&
           meme(a.motif, b.motif) && meme(a.aidants, b.aidants) && meme(a.absences, b.absences);
}

void EcrireChampsMotif(dba::Record& contrat, const ChampsMotif& champs) {
    auto ecrire = [&](int f, const std::string& texte) {
        if (SansValeursVidesFinales(contrat.Item(f)) != SansValeursVidesFinales(texte))
            contrat.SetItem(f, texte);
    };
    ecrire(c::MotifEmbaucheTexte, champs.motifTexte);
    ecrire(c::RemplacesSansCode, champs.remplacesSansCode);
    ecrire(c::MotifEmbauche, champs.motif);
    ecrire(c::AidantsRemplaces, champs.aidants);
    ecrire(c::AbsencesRemplacees, champs.absences);
}

} // namespace rules
