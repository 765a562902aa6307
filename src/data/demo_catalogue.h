#pragma once
// The parameter lists and catalogues of the demo database, as data: the
// generator writes them to their tables and draws contract values from the
// same lists, so every code a contract holds exists.
#include <string>
#include <vector>

namespace data::demo {

struct ListEntry {
    std::string code;
    std::string label;
    bool withdrawn = false; // FINCONTRAT field 5 "O"
};

struct ParameterList {
    std::string name;  // TABLES key
    std::string title; // field 1 (not empty: the list is in use)
    std::vector<ListEntry> entries;
};

const std::vector<ParameterList>& ParameterLists();
const ParameterList& List(const std::string& name);

struct Agreement {
    std::string code, name;
    std::string paidLeaveDays, seniorityLeaveDays; // fields 2 and 12: "1" worked days, "2" working days
};
const std::vector<Agreement>& Agreements();

struct Pcs {
    std::string code, label;
};
const std::vector<Pcs>& PcsEntries(); // categories (keys below "100") then functions

struct Profile {
    std::string code, label;
    std::string agreement;                // field 2: the agreement the profile belongs to
    std::vector<std::string> chargeItems; // field 3: RUBCHARGE keys
    std::string kind;                     // field 4: "1" agreement "02", "0" or "2" otherwise
};
const std::vector<Profile>& Profiles();

struct ChargeItem {
    std::string code, label;
    std::string calcul, calculPatronal; // fields 11 and 15: "Montant" or "Taux"
    std::string nature;                 // field 16: "08" mutual insurance
    std::string homeHelp;               // field 28: "1" home-help exemption item
    std::string withdrawn;              // field 30: not empty once withdrawn
};
const std::vector<ChargeItem>& ChargeItems();

struct PayEntryItem {
    std::string code, label;
    std::string baseMode, percentage, rateMode, fixedRate, amountMode, fixedAmount;
    bool withdrawn = false; // field 18 "1"
};
const std::vector<PayEntryItem>& PayEntryItems();

struct ProvidentScheme {
    std::string code, label, agreement;
};
const std::vector<ProvidentScheme>& ProvidentSchemes();

struct Grid {
    std::string key, name, agreement;
    std::string baseCoefficient; // field 7, x 1000
    bool withdrawn = false;      // field 8 "1"
};
const std::vector<Grid>& Grids();

} // namespace data::demo
