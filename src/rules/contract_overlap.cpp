#include "rules/contract_overlap.h"

#include "data/contrat_fields.h"
#include "data/dates.h"
#include "data/tables.h"
#include "rules/hours.h"

namespace rules {

namespace {

std::string Quoted(const QString& text) {
    return "\"" + text.toStdString() + "\"";
}

// A stored day number; empty or unreadable reads 0.
long long Day(const std::string& stored) {
    return ParseWholeNumber(stored).value_or(0);
}

} // namespace

std::string OverlapQuery(const ContractOverlapInput& in) {
    const std::string head = "SSELECT " + std::string(data::tables::CONTRAT);
    const std::string helper = " AND AVEC 0 = " + Quoted(in.codeAidant + "]") +
                               " AND SANS 0 = " + Quoted(in.codeAidant + in.numContrat) +
                               " AND AVEC 65 <> \"O\" PAR 3";
    if (in.convColContrat == QLatin1String(data::contrat::ConventionParticulierEmployeur))
        return head + " AVEC 1 = \"02\" AND AVEC 2 = " + Quoted(in.assocContrat) +
               " AND AVEC 3 = " + Quoted(in.emplEtabContrat) + helper;
    return head + " AVEC 1 <> \"02\" AND AVEC 2 = " + Quoted(in.assocContrat) + helper;
}

QString OverlapMessage(const QString& start, const QString& end) {
    return QString::fromUtf8(MessageChevauchement) + "\n\n" + QString::fromUtf8(EnteteChevauchement) + "\n" +
           start + QString::fromUtf8(SeparateurChevauchement) + end;
}

ContractOverlapResult CheckContractOverlap(const ContractOverlapInput& input, const dba::Database& db) {
    ContractOverlapResult result;
    const dba::ResultList others = db.SelectRecords(OverlapQuery(input), "0 7 8");
    if (others.empty())
        return result;

    const long long start = Day(data::dates::DateToInternal(input.datDebContrat.trimmed()).toStdString());
    const bool hasEnd = !input.dateFinContrat.trimmed().isEmpty();
    long long end = JourSansFin;
    if (hasEnd) {
        // An end that is not a date is compared as open: an overlap it
        // might hide is reported rather than saved.
        const QString stored = data::dates::DateToInternal(input.dateFinContrat.trimmed());
        if (!stored.isEmpty())
            end = Day(stored.toStdString());
    }

    for (int row = 1; row <= others.DCount(); ++row) {
        const std::string key = others.Item(row, 1);
        if (key.empty())
            break;
        const std::string rowStartText = others.Item(row, 2);
        const long long rowStart = Day(rowStartText);
        const std::string rowEndText = others.Item(row, 3);
        const long long rowEnd = rowEndText.empty() ? JourSansFin : Day(rowEndText);

        if (rowStart <= end && rowEnd >= start) {
            result.overlap = true;
            result.conflictingKey = key;
            result.conflictingStart = data::dates::InternalToDate(QString::fromStdString(rowStartText));
            result.conflictingEnd =
                rowEnd == JourSansFin ? QString() : data::dates::InternalToDate(QString::number(rowEnd));
            result.message = OverlapMessage(result.conflictingStart, result.conflictingEnd);
            // The date to correct is the edited contract's end when the other
            // contract starts later, its start otherwise (or when it is empty).
            const bool endConcerned = rowStart > start && !input.datDebContrat.trimmed().isEmpty();
            result.focus =
                endConcerned ? QStringLiteral("Txt_DateFinContrat") : QStringLiteral("Txt_DatDebContrat");
            return result;
        }
        if (rowEnd != JourSansFin && rowEnd < start && rowEnd > result.earlierEndBound)
            result.earlierEndBound = rowEnd;
        if (hasEnd && rowStart > end && rowStart < result.laterStartBound)
            result.laterStartBound = rowStart;
    }
    return result;
}

} // namespace rules
