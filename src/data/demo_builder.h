#pragma once
// What the parts of the demo generator share: the random source, a record
// builder writing whole records at once, day numbers, and the people and
// places generated so far (so no query is ever needed while generating).
#include "data/demo_random.h"
#include "dba/database.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace data::demo {

// A record assembled field by field, then written in one go.
class DemoRecord {
public:
    void Set(int field, std::string value);                // the field holds one value
    void SetValue(int field, int value, std::string text); // value `value` (from 1), padding
    void Add(int field, std::string value);                // appends a value
    void SetValues(int field, std::vector<std::string> values);
    int Count(int field) const; // values of the field (0 when never set)
    std::string Text() const;   // fields 1..n joined with the marks

private:
    std::vector<std::vector<std::string>> fields_; // fields_[f - 1]
    std::vector<std::string>& Field(int field);
};

// Day numbers (day 0 = 31/12/1967) and pay periods.
long long Day(int year, int month, int day);
std::string DayText(long long day);
std::string ShownDate(long long day);              // "dd/mm/yyyy", as typed in free texts
std::string PeriodOfDay(long long day);            // "yyyymm"
std::string NextPeriod(const std::string& period); // "202612" -> "202701"
long long FirstDayOfPeriod(const std::string& period);
std::string Padded(long long number, int width); // zero-filled on the left

// The calendar the demo is set in.
inline constexpr char PeriodeCourante[] = "202611";
inline constexpr char PeriodeSuivante[] = "202612";
long long Today();              // 05/12/2026: the day the data is "as of"
long long CurrentPeriodStart(); // 01/11/2026

struct Activity {
    std::string key; // entity code + 2 digits
    std::string label;
    std::string
        type; // "M" agreement "02", "P" service provider, "S" nursing, "I" occasional, "A" administration
};

struct Entity {
    std::string code;
    std::string name;
    std::vector<std::string> establishments; // ETABLISSEMENT keys (entity + 3)
    std::vector<Activity> activities;
    std::vector<std::string> retirementBodies; // ORGANISMESOCIAL codes (without the entity)
};

struct Person {
    std::string code;
    std::string name, firstName;
    int entity = 0; // index into Builder::entities
};

struct Helper : Person {
    bool hasBankDetails = true;
    int nextContract = 1;
    long long weeklyHours = 0;                             // x 100, contracts still running
    long long lastEnd = 0;                                 // latest end day of an ended contract
    bool working = false;                                  // has a running contract
    std::set<std::string> employers;                       // employers of the contracts so far
    std::vector<std::pair<long long, long long>> absences; // (start, end) written to ABSENCESAIDANT
    std::map<int, long long> missions; // entity index -> end of the last contract there, 0 while one runs
    std::set<std::string> providentSchemes; // CONTRATSPREV keys of the helper's contracts
};

struct Beneficiary : Person {
    bool hasEmployerSettings = true;     // ELTSPARTEMP record
    std::string lastInvoiced = "202610"; // CIVILAIDE field 16
    int contracts = 0;
    bool running = false;
};

class Builder {
public:
    Builder(dba::Database& db, int scale, std::uint32_t seed);

    dba::Database& db;
    DemoRandom rng;
    const int scale;

    std::vector<Entity> entities;
    std::vector<Beneficiary> beneficiaries;
    std::vector<Helper> helpers;

    // Writes the record (replacing any record of that key).
    void Write(const char* table, const std::string& key, const DemoRecord& record);
    // Records written per table.
    const std::map<std::string, int>& Counts() const { return counts_; }

private:
    std::map<std::string, dba::Table> tables_;
    std::map<std::string, int> counts_;
};

// The parts of the generation, in the order they run.
void WriteSettings(Builder& b);   // COMPTEUR, PERIODESPAIE, CONSTANTESPAIE, TPSPARAM
void WriteLists(Builder& b);      // TABLES
void WriteCatalogues(Builder& b); // agreements, PCS, profiles, charge and pay-entry items, grids, schemes
void WriteUsers(Builder& b);      // DROITSUTILISATEUR
void WriteEntities(Builder& b);   // ASSOCIATION, ETABLISSEMENT, ACTIVITES, ORGANISMESOCIAL
void CreatePeople(Builder& b);    // beneficiaries and helpers, in memory
void WriteContracts(Builder& b);  // CONTRAT and the tables hanging off the contracts
void WriteModulatedContracts(Builder& b); // a few contracts with modulation and their follow-up years
void WritePeople(Builder& b);     // CIVILAIDE, CIVILAIDANT and their satellites (after the contracts)

} // namespace data::demo
