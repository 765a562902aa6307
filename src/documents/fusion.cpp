#include "documents/fusion.h"

#include <algorithm>

namespace documents {

namespace {

const QString Ouvre = QStringLiteral("{{");
const QString Ferme = QStringLiteral("}}");

bool AUneValeur(const Valeurs& valeurs, const QString& nom) {
    const auto it = valeurs.find(nom);
    if (it == valeurs.end())
        return false;
    return std::any_of(it->second.begin(), it->second.end(), [](const QString& v) { return !v.isEmpty(); });
}

void AjouterUneFois(QStringList& liste, const QString& texte) {
    if (!liste.contains(texte))
        liste << texte;
}

// The names between {{ and }} of `texte`, in order; an unclosed name goes
// to `inconnus` as written.
QStringList Noms(const QString& texte, QStringList& inconnus) {
    QStringList noms;
    qsizetype from = 0;
    while (true) {
        const qsizetype start = texte.indexOf(Ouvre, from);
        if (start < 0)
            break;
        const qsizetype end = texte.indexOf(Ferme, start + 2);
        if (end < 0) {
            AjouterUneFois(inconnus, texte.mid(start, 40).trimmed());
            break;
        }
        noms << texte.mid(start + 2, end - start - 2).trimmed();
        from = end + 2;
    }
    return noms;
}

// The paragraph's leading conditions ({{?name}} / {{!name}}), removed from
// `texte`; false when one of them drops the paragraph.
bool Conditions(QString& texte, Genre genre, const Valeurs& valeurs, QStringList& inconnus) {
    bool garder = true;
    while (texte.startsWith(QStringLiteral("{{?")) || texte.startsWith(QStringLiteral("{{!"))) {
        const qsizetype end = texte.indexOf(Ferme);
        if (end < 0)
            break; // reported as unclosed by Noms
        const bool siPresent = texte[2] == QLatin1Char('?');
        const QString nom = texte.mid(3, end - 3).trimmed();
        if (!TrouverChamp(genre, nom))
            AjouterUneFois(inconnus, Ouvre + nom + Ferme);
        garder = garder && (AUneValeur(valeurs, nom) == siPresent);
        texte = texte.mid(end + 2);
    }
    return garder;
}

// `texte` with each known {{name}} replaced by value `index` of its field
// (the only value for single-valued fields); unknown names stay as written.
QString Remplacer(const QString& texte, Genre genre, const Valeurs& valeurs, int index) {
    QString out;
    qsizetype from = 0;
    while (true) {
        const qsizetype start = texte.indexOf(Ouvre, from);
        const qsizetype end = start < 0 ? -1 : texte.indexOf(Ferme, start + 2);
        if (end < 0) {
            out += texte.mid(from);
            return out;
        }
        out += texte.mid(from, start - from);
        const QString nom = texte.mid(start + 2, end - start - 2).trimmed();
        const auto it = valeurs.find(nom);
        if (!TrouverChamp(genre, nom))
            out += texte.mid(start, end + 2 - start);
        else if (it != valeurs.end() && !it->second.isEmpty())
            out += it->second.size() == 1 ? it->second.front() : it->second.value(index);
        from = end + 2;
    }
}

void Verifier(const QString& texte, Genre genre, const Valeurs& valeurs, Fusion& fusion, int& repetitions) {
    for (const QString& nom : Noms(texte, fusion.inconnus)) {
        const Champ* champ = TrouverChamp(genre, nom);
        if (!champ) {
            AjouterUneFois(fusion.inconnus, Ouvre + nom + Ferme);
            continue;
        }
        if (!AUneValeur(valeurs, nom)) {
            AjouterUneFois(fusion.manquants, QString::fromUtf8(champ->libelle));
            continue;
        }
        repetitions = std::max(repetitions, static_cast<int>(valeurs.at(nom).size()));
    }
}

} // namespace

Fusion Fusionner(const Modele& modele, Genre genre, const Valeurs& valeurs) {
    Fusion fusion;
    int repetitionsTitre = 1;
    Verifier(modele.titre, genre, valeurs, fusion, repetitionsTitre);
    fusion.titre = Remplacer(modele.titre, genre, valeurs, 0);

    for (QString texte : modele.paragraphes) {
        const bool garder = Conditions(texte, genre, valeurs, fusion.inconnus);
        if (!garder) {
            // Not printed, but a misspelt name is still a fault of the model.
            QStringList noms = Noms(texte, fusion.inconnus);
            for (const QString& nom : noms)
                if (!TrouverChamp(genre, nom))
                    AjouterUneFois(fusion.inconnus, Ouvre + nom + Ferme);
            continue;
        }
        Paragraphe::Sorte sorte = Paragraphe::Sorte::Texte;
        if (texte.startsWith(QStringLiteral("# "))) {
            sorte = Paragraphe::Sorte::Titre;
            texte = texte.mid(2);
        } else if (texte.startsWith(QStringLiteral("- "))) {
            sorte = Paragraphe::Sorte::Puce;
            texte = texte.mid(2);
        }
        int repetitions = 1;
        Verifier(texte, genre, valeurs, fusion, repetitions);
        for (int i = 0; i < repetitions; ++i)
            fusion.paragraphes.push_back({sorte, Remplacer(texte, genre, valeurs, i).trimmed()});
    }
    return fusion;
}

} // namespace documents
