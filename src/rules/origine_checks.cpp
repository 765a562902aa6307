#include "rules/origine_checks.h"

#include "data/dates.h"
#include "dba/errors.h"

namespace rules {

namespace {

Refus Exclamation(const char* message, const char* focus) {
    return {QString::fromUtf8(message), ui::Icon::Exclamation, QString::fromLatin1(focus)};
}
Refus Information(const char* message, const char* focus) {
    return {QString::fromUtf8(message), ui::Icon::Information, QString::fromLatin1(focus)};
}

} // namespace

std::optional<Refus> VerifOrigine(OrigineSaisie s) {
    if (s.convention.isEmpty())
        return Exclamation("La convention collective est obligatoire.", "Txt_ConvColContrat");
    if (s.entite.isEmpty())
        return Exclamation("L'entité juridique est obligatoire.", "Txt_AssocContrat");
    if (s.employeur.isEmpty())
        return Exclamation("L'employeur est obligatoire.", "Cbo_LibEmplEtabContrat");
    if (s.dateDebut.isEmpty())
        return Exclamation("La date de début de contrat est obligatoire.", "Txt_DatDebContrat");
    const QString start = data::dates::DateToInternal(s.dateDebut);
    if (start.isEmpty())
        return Information(MessageDateIncorrecte, "Txt_DatDebContrat");

    // An actual end date already bounds the contract.
    if (s.determine && s.dateFinReelle.isEmpty()) {
        if (s.dateFinPresumee.isEmpty())
            return Information("La date de fin présumée est obligatoire pour un CDD.", "Txt_DatFinContrat");
        const QString presumedEnd = data::dates::DateToInternal(s.dateFinPresumee);
        if (presumedEnd.isEmpty())
            return Information(MessageDateIncorrecte, "Txt_DatFinContrat");
        if (presumedEnd.toLongLong() < start.toLongLong())
            return Information("La date de fin de contrat présumée doit être supérieure ou égale à la date de "
                               "début de contrat.",
                               "Txt_DatFinContrat");
    }
    if (s.determine && s.motifTexte.trimmed().isEmpty() && s.motifCode.trimmed().isEmpty()) {
        Refus refus = Exclamation("La saisie d'un motif d'embauche est obligatoire.", "");
        refus.motifEmbauche = true;
        return refus;
    }

    s.changementDebut.newStart = start;
    QString refusal;
    try {
        refusal = VerifChangementDebut(s.changementDebut);
    } catch (const dba::Error& error) {
        refusal = QStringLiteral("Contrôle de la date de début impossible : ") +
                  QString::fromStdString(error.what());
    }
    if (!refusal.isEmpty())
        return Refus{refusal, ui::Icon::Exclamation, QString()};
    return std::nullopt;
}

} // namespace rules
