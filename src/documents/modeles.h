#pragma once
// Document models, stored in table MODELEDOC: one record per legal entity,
// collective agreement and kind of document, keyed by the entity code, the
// agreement code and "CONTRAT" or "AVENANT" ("00102CONTRAT").
//   field 1  title of the document (may hold {{fields}})
//   field 2  the paragraphs, one value each, in order:
//              "# Article 1 - Engagement"   a heading
//              "- text"                    an item of a bulleted list
//              "{{?name}}text"             kept only when the field has a value
//              "{{!name}}text"             kept only when it has none
//              anything else               a paragraph
//            {{name}} is replaced by the value of the field (champs.h); a
//            field with several values repeats its paragraph once per value.
//   field 3  day of the last change, 4 who made it
#include "dba/database.h"
#include "documents/champs.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace documents {

struct Modele {
    std::string cle;
    QString titre;
    QStringList paragraphes;
};

// "00102" + "CONTRAT" or "AVENANT".
std::string CleModele(const std::string& selecteur, Genre genre);

// The model selected by the entity code followed by the agreement code;
// nullopt when there is none (or no table of models at all). Other errors
// of the database propagate.
std::optional<Modele> LireModele(const dba::Database& db, const std::string& selecteur, Genre genre);

// Writes the model (creating the table when missing), dated `day` (a day
// number) and signed by `user`.
void EcrireModele(dba::Database& db, const Modele& modele, const std::string& day, const std::string& user);

} // namespace documents
