#pragma once
// Payroll and planning work done on a contract forbid deleting it and
// moving its end before that work; an end date removed or moved may not
// leave two contracts of the same scope open-ended or overlapping.
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rules {

inline constexpr char MessageTraitements[] =
    "Suppression impossible du contrat car des traitements ont été effectués sur celui-ci.";
inline constexpr char MessageFinIncompatible[] =
    "Date de fin du contrat non compatible car des traitements ont été effectués après celle-ci.";

struct ContratGarde {
    std::string cle;            // helper code + contract number
    bool convention02 = false;  // Txt_ConvColContrat is "02"
    bool administratif = false; // Opt_Administratif
    QString typeActivite;       // the contract's activity type ("P": service provider)
};

// The payroll queries, in the order they are asked, each with whether a row
// refuses (true) or whether no row accepts at once (false: the service
// details of a service-provider contract). `periode` empty: any row of the
// contract; otherwise rows for a period after it ("yyyymm").
struct RequeteGarde {
    std::string query;
    bool refuseSiLigne = true;
};
std::vector<RequeteGarde> RequetesTraitements(const ContratGarde& contrat, const std::string& periode);

// Runs the queries in order with `anyRow`; true when payroll work forbids.
bool TraitementsEffectues(const std::vector<RequeteGarde>& requetes,
                          const std::function<bool(const std::string& query)>& anyRow);

// The period an end date may not precede: the end date's month, or the last
// payslip's when later. Both "yyyymm".
std::string PeriodeLimite(const std::string& endPeriod, const std::string& lastPayslipPeriod);

// The helper's other contracts in the contract's scope, fields "0 7 8".
std::string RequeteAutresContrats(const QString& codeAidant, const std::string& cle, const QString& convention,
                                  const QString& entite, const QString& employeur);

// Another contract as stored: start and end day numbers, end empty when open.
struct AutreContrat {
    std::string debut, fin;
};
// The message refusing the end date (removed when `nouvelleFin` is empty),
// or none.
std::optional<QString> ConflitDateFin(const std::vector<AutreContrat>& autres, long long debut,
                                      const std::optional<long long>& nouvelleFin);

} // namespace rules
