#include "rules/payslip_comments.h"

#include "data/contrat_fields.h"
#include "dba/dynarray.h"

#include <QDate>
#include <QLocale>
#include <algorithm>

namespace rules {

namespace c = data::contrat;

namespace {

QDate PremierJour(const QString& periode) {
    if (periode.size() != 6)
        return {};
    bool annee = false, mois = false;
    const int y = periode.left(4).toInt(&annee);
    const int m = periode.mid(4, 2).toInt(&mois);
    if (!annee || !mois)
        return {};
    return QDate(y, m, 1);
}

} // namespace

std::vector<CommentaireBulletin> LireCommentaires(const dba::Record& contrat) {
    std::vector<CommentaireBulletin> out;
    for (int i = 1;; ++i) {
        const std::string periode = contrat.Item(c::PeriodesCommentaire, i);
        if (periode.empty())
            break;
        out.push_back(
            {QString::fromStdString(periode), QString::fromStdString(contrat.Item(c::TextesCommentaire, i))});
    }
    return out;
}

QString LibellePeriode(const QString& periode) {
    const QDate jour = PremierJour(periode);
    if (!jour.isValid())
        return {};
    static const QLocale francais(QLocale::French, QLocale::France);
    return francais.toString(jour, QStringLiteral("MMMM yyyy")).toUpper();
}

int PlaceTriee(const QStringList& periodesListe, const QString& periode) {
    const QDate jour = PremierJour(periode);
    for (int i = 0; i < periodesListe.size(); ++i) {
        const QDate ligne = PremierJour(periodesListe[i]);
        if (jour.isValid() && ligne.isValid() && ligne > jour)
            return i;
    }
    return static_cast<int>(periodesListe.size());
}

std::optional<Refus> VerifCommentaire(bool creation, const QString& periode, const QString& libelle,
                                      const QStringList& periodesListe) {
    if (periode.isEmpty() || libelle.isEmpty())
        return Refus{QStringLiteral("La période ainsi que le libellé sont obligatoires."),
                     ui::Icon::Exclamation,
                     periode.isEmpty() ? QStringLiteral("Cbo_Periode") : QStringLiteral("Txt_Libelle")};
    if (creation && periodesListe.contains(periode))
        return Refus{QStringLiteral("La période sélectionnée est déjà renseignée."), ui::Icon::Exclamation,
                     QStringLiteral("Cbo_Periode")};
    return std::nullopt;
}

ChampsCommentaires CopierCommentaires(const dba::Record& contrat) {
    return {contrat.Item(c::PeriodesCommentaire), contrat.Item(c::TextesCommentaire)};
}

ChampsCommentaires ChampsDe(const std::vector<CommentaireBulletin>& lignes) {
    std::vector<std::string> periodes, libelles;
    for (const auto& l : lignes) {
        periodes.push_back(l.periode.toStdString());
        libelles.push_back(l.libelle.toStdString());
    }
    return {SansValeursVidesFinales(dba::Join(periodes, dba::VM)),
            SansValeursVidesFinales(dba::Join(libelles, dba::VM))};
}

std::string SansValeursVidesFinales(const std::string& champ) {
    std::string out = champ;
    while (!out.empty() && out.back() == dba::VM)
        out.pop_back();
    return out;
}

bool MemesCommentaires(const ChampsCommentaires& a, const ChampsCommentaires& b) {
    // The screen lists comments by period: an order of its own is no change.
    auto lignes = [](const ChampsCommentaires& champs) {
        const std::vector<std::string> periodes =
            dba::Split(SansValeursVidesFinales(champs.periodes), dba::VM);
        const std::vector<std::string> libelles =
            dba::Split(SansValeursVidesFinales(champs.libelles), dba::VM);
        std::vector<std::pair<std::string, std::string>> out(std::max(periodes.size(), libelles.size()));
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = {i < periodes.size() ? periodes[i] : std::string(),
                      i < libelles.size() ? libelles[i] : std::string()};
        std::sort(out.begin(), out.end());
        return out;
    };
    return lignes(a) == lignes(b);
}

void EcrireCommentaires(dba::Record& contrat, const ChampsCommentaires& champs) {
    auto ecrire = [&](int champ, const std::string& texte) {
        if (SansValeursVidesFinales(contrat.Item(champ)) != SansValeursVidesFinales(texte))
            contrat.SetItem(champ, texte);
    };
    ecrire(c::PeriodesCommentaire, champs.periodes);
    ecrire(c::TextesCommentaire, champs.libelles);
}

} // namespace rules
