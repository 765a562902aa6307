#pragma once
// A contract or amendment document: found, filled and checked whole before
// anything is printed, then laid out on A4 pages with the entity in the
// header, page numbers and initials in the footer and the signatures on
// the last page. Used by the document editor control (preview, printer)
// and, without any window, by the console and the host application (PDF).
#include "dba/database.h"
#include "documents/donnees.h"
#include "documents/fusion.h"

#include <QDate>
#include <QString>
#include <optional>
#include <string>

class QPrinter;

namespace documents {

struct DocumentPret {
    DonneesDocument donnees;
    Fusion fusion;
    std::string cleModele;
};

struct Preparation {
    std::optional<DocumentPret> document;
    QString erreur; // what is missing, when there is no document
};

// `cleDocument`: a contract key, or a contract key followed by an
// amendment number; `selecteur`: the entity code followed by the agreement
// code, which chooses the model. Never throws.
Preparation PreparerDocument(const dba::Database& db, const std::string& cleDocument, const std::string& selecteur,
                             const QDate& today = QDate::currentDate());

// Paints every page on `printer` (a real printer, a PDF or a preview).
void Dessiner(const DocumentPret& document, QPrinter& printer);

// Prepares the document and writes it as a PDF file at `path`. Returns an
// empty text when written, otherwise why not (and no file is left).
QString EcrirePdf(const dba::Database& db, const std::string& cleDocument, const std::string& selecteur,
                  const QString& path, const QDate& today = QDate::currentDate());

// The model selector of the contract a document key belongs to (its
// entity code followed by its agreement code); empty when the contract is
// not found. dba::Error propagates.
std::string SelecteurDuContrat(const dba::Database& db, const std::string& cleDocument);

// A printer ready for a document: A4, no margins of its own (the layout
// sets them), named after the document.
void PreparerImprimante(QPrinter& printer, const DocumentPret& document);

} // namespace documents
