#pragma once
// Filling a document model with the values of one contract: plain text in,
// paragraphs out, and the names of whatever is unknown or missing, so that
// a document is printed whole or not at all.
#include "documents/champs.h"
#include "documents/modeles.h"

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace documents {

// The value of each field: one text, or several for a field that repeats
// its paragraph (the changes of an amendment). No text, or only empty
// texts, is "no value".
using Valeurs = std::map<QString, QStringList>;

struct Paragraphe {
    enum class Sorte { Texte, Titre, Puce };
    Sorte sorte = Sorte::Texte;
    QString texte;
    bool operator==(const Paragraphe&) const = default;
};

struct Fusion {
    QString titre;
    std::vector<Paragraphe> paragraphes;
    // Names written in the model that no document of its kind knows
    // ("{{salarie_nom}}", or an unclosed "{{salarie"), in order, once each.
    QStringList inconnus;
    // Fields used by a kept paragraph whose value is empty, by their
    // libelle ("l'adresse du salarié"), in order, once each.
    QStringList manquants;
    bool Complete() const { return inconnus.isEmpty() && manquants.isEmpty(); }
};

Fusion Fusionner(const Modele& modele, Genre genre, const Valeurs& valeurs);

} // namespace documents
