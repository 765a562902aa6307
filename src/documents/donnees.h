#pragma once
// Everything a contract or amendment document says about one contract,
// read from the database and written as the document will print it.
#include "dba/database.h"
#include "documents/fusion.h"

#include <QDate>
#include <QString>
#include <optional>
#include <string>

namespace documents {

struct DonneesDocument {
    Genre genre = Genre::Contrat;
    std::string cleContrat;
    QString numeroAvenant; // an amendment's number as stored ("02")
    QString association;   // the entity's name, for the page header
    QString reference;     // "Contrat n° 50001001", "Avenant n° 02 au contrat n° 50001001"
    QString employeur;     // names under the signature blocks
    QString salarie;
    QString lieuSignature; // the employer's town; may be empty
    QString dateSignature; // "5 décembre 2026"
    Valeurs valeurs;
};

struct LectureDonnees {
    std::optional<DonneesDocument> donnees;
    QString erreur; // why there is nothing to print
};

// The document key is a contract key, or a contract key followed by the
// number of one of its amendments ("5000100102"). `today` dates the
// signatures. Never throws: a database error is told in `erreur`.
LectureDonnees LireDonnees(const dba::Database& db, const std::string& cleDocument, const QDate& today);

// The changes an amendment brings, one sentence each, from the previous
// entry's terms to its own: `avant` and `apres` give field number -> stored
// value (qualification 16, PCS code 17, coefficient 22, hourly rate 23,
// duration 24 and its period 25, modulation 68).
QStringList Modifications(const std::map<int, std::string>& avant, const std::map<int, std::string>& apres);

} // namespace documents
