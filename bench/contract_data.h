#pragma once
// Generated contracts and helpers of realistic shape for the benchmarks:
// 20 000 helpers ("aidants") with 5 contracts each, 70 % of them under
// agreement "02" where the employer is one of the beneficiaries. The same
// seed always gives the same data, so cached database files stay valid.
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace bench {

// Bump when the shape of the data changes: cached files carry it in their name.
inline constexpr int DataVersion = 1;

struct Helper {
    std::string code; // 5 characters
    std::string name, firstName, entity;
};

struct Contract {
    std::string key;       // helper code (5) + contract number (3)
    std::string agreement; // field 1
    std::string entity;    // field 2
    std::string employer;  // field 3: beneficiary code under "02", else entity + establishment
    std::string type;      // field 4: "D" or "I"
    int start = 0;         // field 7: day number
    int end = 0;           // field 8: day number, 0 = open-ended (empty field)
    bool deleted = false;  // field 65 = "O"
};

struct ContractData {
    std::vector<Helper> helpers;
    std::vector<Contract> contracts;
    std::vector<std::string> beneficiaries; // codes used as employers under "02"
};

inline std::string Code(const char* format, int number) {
    char text[16];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

inline ContractData GenerateContracts(int helperCount = 20000, int contractsPerHelper = 5,
                                      int beneficiaryCount = 25000, std::uint64_t seed = 20240601) {
    static const char* const names[] = {"MARTIN",   "BERNARD", "THOMAS", "PETIT",    "ROBERT",   "RICHARD",
                                        "DURAND",   "DUBOIS",  "MOREAU", "LAURENT",  "SIMON",    "MICHEL",
                                        "LEFÈVRE",  "LEROY",   "ROUX",   "DAVID",    "BERTRAND", "MOREL",
                                        "FOURNIER", "GIRARD",  "BONNET", "DUPONT",   "LAMBERT",  "FONTAINE",
                                        "ROUSSEAU", "VINCENT", "MULLER", "LEFEBVRE", "FAURE",    "ANDRÉ"};
    static const char* const firstNames[] = {"Marie",     "Nathalie", "Isabelle",  "Sylvie",   "Catherine",
                                             "Françoise", "Valérie",  "Christine", "Sandrine", "Sophie",
                                             "Céline",    "Jean",     "Pierre",    "Michel",   "Hélène",
                                             "Aurélie",   "Julie",    "Nadia"};
    const int entityCount = 8;
    std::mt19937_64 random(seed);
    const auto uniform = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto chance = [&](double p) { return std::uniform_real_distribution<double>(0, 1)(random) < p; };

    ContractData data;
    for (int b = 1; b <= beneficiaryCount; ++b)
        data.beneficiaries.push_back(Code("%05d", 30000 + b));
    data.helpers.reserve(static_cast<std::size_t>(helperCount));
    data.contracts.reserve(static_cast<std::size_t>(helperCount * contractsPerHelper));
    for (int h = 1; h <= helperCount; ++h) {
        Helper helper;
        helper.code = Code("%05d", h);
        helper.name = names[uniform(0, std::size(names) - 1)];
        helper.firstName = firstNames[uniform(0, std::size(firstNames) - 1)];
        helper.entity = Code("A%02d", uniform(1, entityCount));
        std::string lastBeneficiary;
        for (int n = 1; n <= contractsPerHelper; ++n) {
            Contract c;
            c.key = helper.code + Code("%03d", n);
            c.agreement = chance(0.7) ? "02" : (chance(0.5) ? "01" : "05");
            // Most contracts are signed with the helper's own entity.
            c.entity = chance(0.9) ? helper.entity : Code("A%02d", uniform(1, entityCount));
            if (c.agreement == "02") {
                // A helper often works again for the same beneficiary.
                if (lastBeneficiary.empty() || !chance(0.4))
                    lastBeneficiary =
                        data.beneficiaries[static_cast<std::size_t>(uniform(0, beneficiaryCount - 1))];
                c.employer = lastBeneficiary;
            } else {
                c.employer = c.entity + Code("%03d", uniform(1, 12));
            }
            c.type = chance(0.6) ? "I" : "D";
            c.start = uniform(17000, 21000);
            c.end = chance(0.55) ? c.start + uniform(30, 1500) : 0;
            c.deleted = chance(0.03);
            data.contracts.push_back(std::move(c));
        }
        data.helpers.push_back(std::move(helper));
    }
    return data;
}

} // namespace bench
