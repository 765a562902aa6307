#pragma once
// The named fields a document model may use, written {{name}} in its text,
// each with the words a message uses when its value is missing.
#include <QString>
#include <vector>

namespace documents {

enum class Genre { Contrat, Avenant };

struct Champ {
    const char* nom;
    const char* libelle; // "l'adresse du salarié"
};

// The fields of a contract document; an amendment document has these and
// its own (number, effective date, changes).
const std::vector<Champ>& ChampsContrat();
const std::vector<Champ>& ChampsAvenant();
const std::vector<Champ>& Champs(Genre genre);

// The field of that name for that kind of document; nullptr when unknown.
const Champ* TrouverChamp(Genre genre, const QString& nom);

// "contrat de travail" / "avenant au contrat de travail".
QString NomGenre(Genre genre);

} // namespace documents
