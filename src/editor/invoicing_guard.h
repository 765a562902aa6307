#pragma once
// The end-of-contract tab stays closed while the last month calculated for a
// contract whose salary the association pays (with leave provision) is not
// invoiced yet: ending the contract then would leave that invoice behind.
#include <QString>
#include <functional>
#include <string>

namespace editor {

struct GardeFacturationEntree {
    bool paiementParAssociation = false; // Cac_PaieSalContrat
    bool provisionConges = false;        // Cac_ProvCP
    QString convention;                  // Txt_ConvColContrat
    std::string dernierePeriode;         // CONTRAT field 81, "yyyymm"
    std::string cleContrat;              // helper code + contract number
};

struct GardeFacturationSources {
    // Field 16 of the employer's record: the last period invoiced to it.
    std::function<std::string()> periodeFactureeEmployeur;
    // Field 1 of the DETAILCALCUL record `key`, or nullopt-like empty text
    // when the record does not exist.
    std::function<std::string(const std::string& key)> etatCalcul;
};

// The refusal message, or an empty text when the tab may be selected. The
// sources are read only when the contract is concerned.
QString GardeFacturation(const GardeFacturationEntree& entree, const GardeFacturationSources& sources);

// "yyyymm" -> French month name and year ("202611" -> "novembre 2026");
// empty for a text that is no period.
QString MoisEnLettres(const std::string& period);

} // namespace editor
