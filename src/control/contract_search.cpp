#include "control/contract_search.h"

#include "data/contrat_fields.h"
#include "data/dates.h"

#include <QDate>

namespace control {

namespace {
std::string q(const std::string& value) {
    return '"' + value + '"';
}
} // namespace

long long PeriodStartDay(const std::string& period) {
    if (period.size() != 6)
        return 0;
    // "01/" + month + "/" + year, as the pay period's first day.
    const QString text = QStringLiteral("01/%1/%2")
                             .arg(QString::fromStdString(period.substr(4, 2)))
                             .arg(QString::fromStdString(period.substr(0, 4)));
    bool ok = false;
    const long long day = data::dates::DateToInternal(text).toLongLong(&ok);
    return ok ? day : 0;
}

std::string BuildSearchQuery(const std::string& code, Validity validity, SortOrder order, long long today,
                             long long periodStart) {
    const std::string t = std::to_string(today);
    const std::string p = std::to_string(periodStart);
    std::string query = "SSELECT CONTRAT AVEC 1 = " + q("02") + " AND AVEC 3 = " + q(code);
    switch (validity) {
    case Validity::Actifs:
        // The start-date test admits every date: an active contract is one
        // not ended before the current pay period began.
        query += " AND AVEC 7 <= " + q(t) + " OR >= " + q(t) + " AND AVEC 8 >= " + q(p) + " OR = " + q("");
        break;
    case Validity::Historiques:
        query += " AND AVEC 8 < " + q(p) + " AND AVEC 8 <> " + q("");
        break;
    case Validity::Tous:
        break;
    }
    query += " AND AVEC 65 <> " + q("O");
    switch (order) {
    case SortOrder::Aidant:
        query += " PAR NomAidantContrat PAR PrenomAidantContrat";
        break;
    case SortOrder::AncienneteCroissante:
        query += " PAR 7";
        break;
    case SortOrder::AncienneteDecroissante:
        query += " PAR-DECR 7";
        break;
    }
    return query;
}

QString MissingHelperCaption(const QString& helperCode) {
    return QStringLiteral("(aidant %1 introuvable)").arg(helperCode);
}

std::vector<ContractLine> BuildContractLines(const dba::ResultList& result, const HelperLookup& helper,
                                             const EntityFilter& authorised, const ContractEntity& entityOf) {
    std::vector<ContractLine> lines;
    for (int row = 1; !result.Item(row, 1).empty(); ++row) {
        const std::string key = result.Item(row, 1);
        const std::string helperCode = data::contrat::CodeAidant(key);
        const std::optional<HelperInfo> info = helper(helperCode);
        const std::string entity = info ? info->entity.toStdString() : entityOf(key);
        if (!authorised(entity))
            continue;
        ContractLine line;
        line.key = QString::fromStdString(key);
        line.start = data::dates::InternalToDate(QString::fromStdString(result.Item(row, 2)));
        const std::string end = result.Item(row, 3);
        line.end = end.empty() ? QString() : data::dates::InternalToDate(QString::fromStdString(end));
        line.type = QString::fromStdString(result.Item(row, 4));
        line.helper = info ? info->name + QLatin1Char(' ') + info->firstName
                           : MissingHelperCaption(QString::fromStdString(helperCode));
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace control
