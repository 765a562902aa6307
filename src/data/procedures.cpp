#include "data/procedures.h"

#include "data/numbers.h"
#include "data/planning_routines.h"
#include "data/table_fields.h"
#include "data/tables.h"
#include "data/utility_services.h"

#include <pwd.h>
#include <unistd.h>

namespace data {

void Ouvrir_Tables(GlobalState& g) {
    if (!g.TheDatabase.isOpen())
        throw dba::StorageError("Aucune base de données n'est ouverte.");
    try {
        for (std::string_view name : tables::OpenedAtInit)
            *g.Handles.Find(name) = g.TheDatabase.OpenTable(std::string(name));
        g.PayPeriodRecord = g.Handles.PeriodesPaie.ReadRecord(tables::keys::PeriodesPaie);
        // The planning routines the editor calls live with the connection.
        RegisterPlanningRoutines(g.TheDatabase);
    } catch (...) {
        g.Handles = {};
        g.PayPeriodRecord = {};
        throw;
    }
}

void Liberer_Tables(GlobalState& g) {
    g.ReleaseAll();
}

void Lire_Parametres(GlobalState& g) {
    const dba::Table compteur = g.TheDatabase.OpenTable(tables::COMPTEUR);
    const dba::Record settings = compteur.ReadRecord(tables::keys::Compteur);
    const std::string level = settings.Item(compteur::NiveauGestionContrat);
    g.ContractManagementLevel = level.empty() ? QStringLiteral("0") : QString::fromStdString(level);
    g.PlanningCheck = !settings.Item(compteur::ControlePlanning).empty();
}

QString Lire_NomUtilisateur() {
    if (const passwd* account = getpwuid(geteuid());
        account != nullptr && account->pw_name != nullptr && account->pw_name[0] != '\0')
        return QString::fromLocal8Bit(account->pw_name);
    for (const char* variable : {"USER", "LOGNAME"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

QString Format_Decimales(double number, int n) {
    return Format_Decimales(number, n, UtilityServices::Instance().DecimalSeparator());
}

QString Format_Decimales(double number, int n, const QString& decimalSeparator) {
    return numbers::FormatDecimals(number, n, decimalSeparator);
}

namespace {
QString WithoutLeadingBlanks(const QString& text) {
    int i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.mid(i);
}
} // namespace

QString Nettoyer_Signe(const QString& text, bool mayBeNegative) {
    if (mayBeNegative && text.contains(u'-'))
        return QStringLiteral("-") + WithoutLeadingBlanks(text.mid(1));
    return WithoutLeadingBlanks(text);
}

} // namespace data
