#pragma once
// A fixed data set and the queries every way of answering a query must agree
// on: the in-memory evaluation of the query tree, and the database with and
// without indexes. Each case lists the keys it selects, in result order.
//
// Records are written as (field number, text) pairs with '|' between the
// values of a multi-valued field (no value of the set contains '|');
// RecordText() turns them into stored record text.
//
// The dictionary items the cases use:
//   Field     the item is field `field` of the record;
//   KeySlice  bytes start..start+length-1 (from 1) of the key;
//   Translate that key slice is the key of a record of `targetTable`, the
//             item is its field `targetField`; no such record: empty text.
#include "dba/dynarray.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace dba::conformance {

struct Field {
    int number;
    std::string_view text; // values separated by '|'
};

struct Record {
    std::string_view table;
    std::string_view key;
    std::vector<Field> fields;
};

enum class DictKind { Field, KeySlice, Translate };

struct DictItem {
    std::string_view table;
    std::string_view name;
    DictKind kind;
    int field = 0;  // Field
    int start = 0;  // KeySlice, Translate
    int length = 0; // KeySlice, Translate
    std::string_view targetTable = {};
    int targetField = 0;
};

struct Case {
    std::string_view query;
    std::vector<std::string_view> keys; // in result order
};

inline std::string RecordText(const Record& record) {
    int last = 0;
    for (const Field& f : record.fields)
        last = std::max(last, f.number);
    std::vector<std::string> fields(static_cast<std::size_t>(last));
    for (const Field& f : record.fields) {
        std::string text(f.text);
        std::replace(text.begin(), text.end(), '|', VM);
        fields[static_cast<std::size_t>(f.number - 1)] = std::move(text);
    }
    return Join(fields, FM);
}

// CONTRAT: 1 agreement, 2 entity, 3 employer, 4 type, 7 start, 8 end,
// 24 weekly hours and 25 their frequency (one value per amendment), 65 "O"
// when deleted. Keys are the helper code (5) and the contract number (3).
// Traps on purpose: agreement "2" beside "02", start "020000" beside "20000",
// start "9999" beside "10000", values 24 and 25 with an empty first value,
// contract 00017001 whose helper has no CIVILAIDANT record.
inline const std::vector<Record> kRecords = {
    {"CONTRAT",
     "00012001",
     {{1, "02"},
      {2, "E01"},
      {3, "A0001"},
      {4, "I"},
      {7, "20000"},
      {8, ""},
      {24, "3500"},
      {25, "1"},
      {65, ""}}},
    {"CONTRAT",
     "00012002",
     {{1, "02"},
      {2, "E01"},
      {3, "A0002"},
      {4, "D"},
      {7, "19500"},
      {8, "19800"},
      {24, "1000|1200"},
      {25, "1|2"},
      {65, ""}}},
    {"CONTRAT",
     "00012003",
     {{1, "02"}, {2, "E01"}, {3, "A0001"}, {4, "I"}, {7, "20300"}, {8, ""}, {24, "2500|2600"}, {25, "1|1"}}},
    {"CONTRAT", "00013001", {{1, "01"}, {2, "E01"}, {3, "E01ET1"}, {4, "I"}, {7, "20100"}, {65, "O"}}},
    {"CONTRAT",
     "00013002",
     {{1, "02"},
      {2, "E02"},
      {3, "A0001"},
      {4, "D"},
      {7, "9999"},
      {8, "10000"},
      {24, "800|900|1000"},
      {25, "1|1|4"}}},
    {"CONTRAT",
     "00014001",
     {{1, "2"},
      {2, "E01"},
      {3, "A0001"},
      {4, "I"},
      {7, "020000"},
      {8, "20500"},
      {24, "1500"},
      {25, "2"},
      {65, "N"}}},
    {"CONTRAT",
     "00015001",
     {{1, "02"}, {2, "E02"}, {3, "A0002"}, {4, "I"}, {7, "20200"}, {24, "|700"}, {25, "|1"}}},
    {"CONTRAT", "00016001", {{1, "03"}, {2, "E03"}, {3, "E03ET2"}}},
    {"CONTRAT",
     "00017001",
     {{1, "02"},
      {2, "E01"},
      {3, "A0003"},
      {4, "D"},
      {7, "20150"},
      {8, "20400"},
      {24, "2000"},
      {25, "3"},
      {65, "O"}}},

    // CIVILAIDANT: 2 name, 3 first name, 36 date of the deleted state.
    {"CIVILAIDANT", "00012", {{2, "DUPONT"}, {3, "Marie"}}},
    {"CIVILAIDANT", "00013", {{2, "MARTIN"}, {3, "Paul"}, {36, "20000"}}},
    {"CIVILAIDANT", "00014", {{2, "DUPONT"}, {3, "Anne"}}},
    {"CIVILAIDANT", "00015", {{2, "ÉLIE"}, {3, "Jean"}, {36, "19000"}}},
    {"CIVILAIDANT", "00016", {{2, "bernard"}, {3, "Luc"}}},

    // PCS: numeric and alphanumeric codes side by side; 1 label.
    {"PCS", "100", {{1, "Autres"}}},
    {"PCS", "20", {{1, "Agriculteurs"}}},
    {"PCS", "21", {{1, "Artisans"}}},
    {"PCS", "211", {{1, "Artisans maçons"}}},
    {"PCS", "21a", {{1, "Artisans divers"}}},
    {"PCS", "563b", {{1, "Aides à domicile"}}},
    {"PCS", "563c", {{1, "Employés de maison"}}},
    {"PCS", "99", {{1, "Divers"}}},

    // DETAILINTER: contract key + pay period; 1 hours. "2403" is shorter
    // than the period texts the cases compare key ends with.
    {"DETAILINTER", "00012001202312", {{1, "150"}}},
    {"DETAILINTER", "00012001202401", {{1, "200"}}},
    {"DETAILINTER", "00012001202403", {{1, "075"}}},
    {"DETAILINTER", "00012001202412", {{1, "1200"}}},
    {"DETAILINTER", "00012002202401", {{1, "50"}}},
    {"DETAILINTER", "2403", {{2, "x"}}},
};

inline const std::vector<DictItem> kDictionary = {
    {"CONTRAT", "NomAidantContrat", DictKind::Translate, 0, 1, 5, "CIVILAIDANT", 2},
    {"CONTRAT", "PrenomAidantContrat", DictKind::Translate, 0, 1, 5, "CIVILAIDANT", 3},
    {"CONTRAT", "CodeAidantContrat", DictKind::KeySlice, 0, 1, 5},
    {"CONTRAT", "NumContrat", DictKind::KeySlice, 0, 6, 3},
    {"CONTRAT", "DateDebContrat", DictKind::Field, 7},
    {"CIVILAIDANT", "NomAidant", DictKind::Field, 2},
};

inline const std::vector<Case> kCases = {
    // Whole tables: key order is numbers by value, then texts by bytes.
    {"SELECT CONTRAT",
     {"00012001", "00012002", "00012003", "00013001", "00013002", "00014001", "00015001", "00016001",
      "00017001"}},
    {"SSELECT CONTRAT",
     {"00012001", "00012002", "00012003", "00013001", "00013002", "00014001", "00015001", "00016001",
      "00017001"}},
    {"SSELECT PCS", {"20", "21", "99", "100", "211", "21a", "563b", "563c"}},
    {"SELECT DETAILINTER",
     {"2403", "00012001202312", "00012001202401", "00012001202403", "00012001202412", "00012002202401"}},

    // Equality is numeric when both sides are numbers.
    {R"(SSELECT CONTRAT AVEC 1 = "02")",
     {"00012001", "00012002", "00012003", "00013002", "00014001", "00015001", "00017001"}},
    {R"(SSELECT CONTRAT AVEC 1 = "2")",
     {"00012001", "00012002", "00012003", "00013002", "00014001", "00015001", "00017001"}},
    {R"(SSELECT CONTRAT AVEC 1 <> "02")", {"00013001", "00016001"}},
    {R"(SSELECT CONTRAT AVEC 1 # "02")", {"00013001", "00016001"}},
    {R"(SSELECT CONTRAT AVEC 7 = "20000")", {"00012001", "00014001"}},
    {R"(SSELECT CONTRAT AVEC 0 = "12001")", {"00012001"}},
    {R"(SSELECT CONTRAT AVEC 0 = "00012001")", {"00012001"}},
    {R"(SSELECT CONTRAT AVEC 7 < "10000")", {"00013002", "00016001"}},
    {R"(SSELECT CONTRAT AVEC 7 > "9999" AND AVEC 7 < "20000")", {"00012002"}},
    {R"(SSELECT CONTRAT AVEC @ID < "00013000")", {"00012001", "00012002", "00012003"}},
    {R"(SSELECT PCS AVEC 0 >= "99")", {"99", "100", "211"}},
    {R"(SSELECT PCS AVEC 0 < "100" PAR 1)", {"20", "21", "99"}},

    // The empty value is below every other value.
    {R"(SSELECT CONTRAT AVEC 8 >= "20050")", {"00014001", "00017001"}},
    {R"(SSELECT CONTRAT AVEC 8 < "20050")",
     {"00012001", "00012002", "00012003", "00013001", "00013002", "00015001", "00016001"}},
    {R"(SSELECT CONTRAT AVEC 8 < "20050" AND AVEC 8 <> "")", {"00012002", "00013002"}},
    {R"(SSELECT DETAILINTER AVEC 1 < "100")", {"2403", "00012001202403", "00012002202401"}},

    // Presence tests.
    {R"(SSELECT CONTRAT AVEC 24)",
     {"00012001", "00012002", "00012003", "00013002", "00014001", "00015001", "00017001"}},
    {R"(SSELECT CONTRAT SANS 24)", {"00013001", "00016001"}},
    {R"(SSELECT CONTRAT AVEC NomAidantContrat)",
     {"00012001", "00012002", "00012003", "00013001", "00013002", "00014001", "00015001", "00016001"}},
    {R"(SSELECT CONTRAT SANS NomAidantContrat)", {"00017001"}},
    {R"(SSELECT CONTRAT SANS 65 AND AVEC 8)", {"00012002", "00013002"}},

    // Key conditions: "x]" begins with, short forms, the condition right
    // after the table.
    {R"(SSELECT CONTRAT AVEC 0 = "00012]")", {"00012001", "00012002", "00012003"}},
    {R"(SSELECT CONTRAT AVEC @ID = "00013]")", {"00013001", "00013002"}},
    {R"(SELECT CONTRAT = "00012]")", {"00012001", "00012002", "00012003"}},
    {R"(SELECT CONTRAT = "00012]" OR = "00015]")", {"00012001", "00012002", "00012003", "00015001"}},
    {R"(SELECT CONTRAT = "00012]" AND > "00012001")", {"00012002", "00012003"}},
    {R"(SSELECT CONTRAT AVEC 0 > "00012001" AND = "00012]")", {"00012002", "00012003"}},
    {R"(SELECT CONTRAT = "00012]" AVEC 4 = "D" OR AVEC 65 = "O")", {"00012002"}},
    {R"(SELECT CONTRAT = "99999]")", {}},
    {R"(SSELECT CONTRAT AVEC 0 = "00012]" AND SANS 0 = "00012001" AND AVEC 65 <> "O" PAR 3)",
     {"00012003", "00012002"}},
    {R"(SSELECT CONTRAT AVEC 0 = "00013]" AND AVEC 1 <> "02" AND AVEC 2 = "E01" AND AVEC 0 <> "00013002" AND AVEC 65 <> "O")",
     {}},
    {R"(SSELECT PCS AVEC 0 = "21]" AND AVEC 0 > "21" PAR 1)", {"21a", "211"}},
    {R"(SSELECT PCS AVEC 0 = "563]" PAR-DECR 1)", {"563c", "563b"}},
    {R"(SSELECT PCS AVEC 0 = "563b")", {"563b"}},
    {R"(SSELECT DETAILINTER AVEC 0 = "00012001]")",
     {"00012001202312", "00012001202401", "00012001202403", "00012001202412"}},
    {R"(SELECT DETAILINTER = "00012002]")", {"00012002202401"}},
    {R"(SSELECT DETAILINTER AVEC 0 > "00012001202403" AND = "00012001]")", {"00012001202412"}},

    // "[x" compares the last bytes, "[x]" contains; both as bytes.
    {R"(SSELECT DETAILINTER AVEC 0 = "00012001]" AND > "[202403")", {"00012001202412"}},
    {R"(SSELECT DETAILINTER AVEC 0 = "[202401")", {"00012001202401", "00012002202401"}},
    {R"(SSELECT DETAILINTER AVEC 0 > "[202403")", {"2403", "00012001202412"}},
    {R"(SSELECT CONTRAT AVEC 3 = "[ET1")", {"00013001"}},
    {R"(SSELECT CONTRAT AVEC 3 > "[0001")", {"00012002", "00013001", "00015001", "00016001", "00017001"}},
    {R"(SSELECT CONTRAT AVEC 3 = "[ET]")", {"00013001", "00016001"}},
    {R"(SSELECT CONTRAT AVEC 3 # "[ET]")",
     {"00012001", "00012002", "00012003", "00013002", "00014001", "00015001", "00017001"}},
    {R"(SSELECT CONTRAT AVEC 3 <> "[ET]" AND AVEC 3 = "[0001")",
     {"00012001", "00012003", "00013002", "00014001"}},
    {R"(SSELECT PCS AVEC 1 = "[ à ]")", {"563b"}},
    {R"(SSELECT CIVILAIDANT AVEC 3 = "[e]")", {"00012", "00014", "00015"}},

    // "x]" on a non-key field, compared as bytes (not numbers).
    {R"(SSELECT CONTRAT AVEC 7 = "20000]")", {"00012001"}},
    {R"(SSELECT CONTRAT AVEC 7 = "2]")", {"00012001", "00012003", "00013001", "00015001", "00017001"}},
    {R"(SSELECT CONTRAT AVEC 7 < "2]")", {"00012002", "00014001", "00016001"}},

    // Markers with no text beside them are literal.
    {R"(SSELECT CONTRAT AVEC 0 = "]")", {}},
    {R"(SSELECT CONTRAT AVEC 3 = "[]")", {}},

    // Multi-valued fields: a test holds when any value satisfies it.
    {R"(SSELECT CONTRAT AVEC 24 = "900")", {"00013002"}},
    {R"(SSELECT CONTRAT AVEC 24 = "1000")", {"00012002", "00013002"}},
    {R"(SSELECT CONTRAT AVEC 24 > "2500")", {"00012001", "00012003"}},
    {R"(SSELECT CONTRAT AVEC 24 < "900")", {"00013001", "00013002", "00015001", "00016001"}},
    {R"(SSELECT CONTRAT AVEC 24 = "")", {"00013001", "00015001", "00016001"}},
    {R"(SSELECT CONTRAT AVEC 24 <> "1000")",
     {"00012001", "00012002", "00012003", "00013001", "00013002", "00014001", "00015001", "00016001",
      "00017001"}},
    {R"(SSELECT CONTRAT SANS 24 = "1000")",
     {"00012001", "00012003", "00013001", "00014001", "00015001", "00016001", "00017001"}},
    {R"(SSELECT CONTRAT AVEC 24 >= "850" AND <= "850")", {"00013002"}},
    {R"(SSELECT CONTRAT SANS 24 >= "2000" OR = "")", {"00012002", "00013002", "00014001"}},

    // Short forms: AND before OR among one field's tests, the whole before
    // the group's AND; SANS negates all of them.
    {R"(SSELECT CONTRAT AVEC 7 >= "20100" AND <= "20200" OR = "" PAR 7)",
     {"00016001", "00013001", "00017001", "00015001"}},
    {R"(SSELECT CONTRAT SANS 7 >= "20100" AND <= "20200" OR = "")",
     {"00012001", "00012002", "00012003", "00013002", "00014001"}},
    {R"(SSELECT CONTRAT AVEC 7 <= "20100" OR >= "20100" AND AVEC 8 >= "20050" OR = "")",
     {"00012001", "00012003", "00013001", "00014001", "00015001", "00016001", "00017001"}},
    {R"(SSELECT CONTRAT AVEC 0 = "00012]" AND AVEC 8 = "" OR >= "20350" AND AVEC 7 <= "20350" AND AVEC 65 <> "O")",
     {"00012001", "00012003"}},

    // Groups: AND binds tighter than OR.
    {R"(SSELECT CONTRAT AVEC 4 = "D" OR AVEC 65 = "O")", {"00012002", "00013001", "00013002", "00017001"}},
    {R"(SSELECT CONTRAT AVEC 2 = "E02" OR AVEC 1 = "01" AND AVEC 65 = "O")",
     {"00013001", "00013002", "00015001"}},
    {R"(SSELECT CONTRAT AVEC 1 = "01" AND AVEC 65 = "O" OR AVEC 2 = "E02")",
     {"00013001", "00013002", "00015001"}},
    {R"(SSELECT CONTRAT AVEC 4 = "D" AND AVEC 65 <> "O" OR AVEC 4 = "I" AND AVEC 8 = "")",
     {"00012001", "00012002", "00012003", "00013001", "00013002", "00015001"}},
    {R"(SSELECT CONTRAT AVEC @ID = "00012]" AND AVEC 3 = "A0001" AND AVEC 7 <= "20100" AND AVEC 8 >= "20100" OR = "" OR AVEC @ID = "00012]" AND AVEC 3 = "A0001" AND AVEC 7 >= "20100" AND AVEC 8 >= "20100" OR = "")",
     {"00012001", "00012003"}},

    // The browser's searches.
    {R"(SSELECT CONTRAT AVEC 1 = "02" AND AVEC 3 = "A0001")",
     {"00012001", "00012003", "00013002", "00014001"}},
    {R"(SSELECT CONTRAT AVEC 1 = "02" AND AVEC 3 = "A0001" AND AVEC 7 <= "20100" OR >= "20100" AND AVEC 8 >= "20050" OR = "" AND AVEC 65 <> "O" PAR NomAidantContrat PAR PrenomAidantContrat)",
     {"00014001", "00012001", "00012003"}},
    {R"(SSELECT CONTRAT AVEC 1 = "02" AND AVEC 3 = "A0001" AND AVEC 8 < "20050" AND AVEC 8 <> "" AND AVEC 65 <> "O" PAR 7)",
     {"00013002"}},
    {R"(SSELECT CONTRAT AVEC 1 = "02" AND AVEC 65 <> "O" PAR 7)",
     {"00013002", "00012002", "00014001", "00012001", "00015001", "00012003"}},
    {R"(SSELECT CONTRAT AVEC 1 = "02" AND AVEC 65 <> "O" PAR-DECR 7)",
     {"00012003", "00015001", "00012001", "00014001", "00012002", "00013002"}},

    // Sorting: empty first, numbers by value (equal numbers by bytes), texts
    // by bytes; a multi-valued field by its first value; PAR-DECR reverses
    // one key; ties end on the key ascending.
    {"SSELECT CONTRAT PAR 7",
     {"00016001", "00013002", "00012002", "00014001", "00012001", "00013001", "00017001", "00015001",
      "00012003"}},
    {"SSELECT CONTRAT PAR-DECR 7",
     {"00012003", "00015001", "00017001", "00013001", "00012001", "00014001", "00012002", "00013002",
      "00016001"}},
    {"SSELECT CONTRAT PAR 4 PAR-DECR 7",
     {"00016001", "00017001", "00012002", "00013002", "00012003", "00015001", "00013001", "00012001",
      "00014001"}},
    {"SSELECT CONTRAT PAR-DECR 4 PAR 7",
     {"00014001", "00012001", "00013001", "00015001", "00012003", "00013002", "00012002", "00017001",
      "00016001"}},
    {"SSELECT CONTRAT PAR 2 PAR 1",
     {"00013001", "00012001", "00012002", "00012003", "00017001", "00014001", "00013002", "00015001",
      "00016001"}},
    {"SSELECT CONTRAT PAR DateDebContrat",
     {"00016001", "00013002", "00012002", "00014001", "00012001", "00013001", "00017001", "00015001",
      "00012003"}},
    {R"(SSELECT CONTRAT AVEC 24 PAR 24)",
     {"00015001", "00013002", "00012002", "00014001", "00017001", "00012003", "00012001"}},
    {R"(SSELECT CONTRAT AVEC 24 PAR-DECR 25 PAR 24)",
     {"00017001", "00014001", "00013002", "00012002", "00012003", "00012001", "00015001"}},
    {"SSELECT DETAILINTER PAR-DECR 1",
     {"00012001202412", "00012001202401", "00012001202312", "00012001202403", "00012002202401", "2403"}},

    // Dictionary names: translations into CIVILAIDANT and key slices.
    {R"(SSELECT CONTRAT AVEC NomAidantContrat = "DUPONT")", {"00012001", "00012002", "00012003", "00014001"}},
    {R"(SSELECT CONTRAT AVEC NomAidantContrat = "DUP]" AND AVEC PrenomAidantContrat = "Anne")", {"00014001"}},
    {"SSELECT CONTRAT PAR NomAidantContrat",
     {"00017001", "00012001", "00012002", "00012003", "00014001", "00013001", "00013002", "00016001",
      "00015001"}},
    {"SSELECT CONTRAT PAR NomAidantContrat PAR PrenomAidantContrat",
     {"00017001", "00014001", "00012001", "00012002", "00012003", "00013001", "00013002", "00016001",
      "00015001"}},
    {"SSELECT CONTRAT PAR-DECR NomAidantContrat PAR 7",
     {"00015001", "00016001", "00013002", "00013001", "00012002", "00014001", "00012001", "00012003",
      "00017001"}},
    {R"(SSELECT CONTRAT AVEC 65 = "O" PAR-DECR NomAidantContrat)", {"00013001", "00017001"}},
    {R"(SSELECT CONTRAT AVEC 4 = "D" PAR NomAidantContrat PAR-DECR 7)", {"00017001", "00012002", "00013002"}},
    {R"(SSELECT CONTRAT AVEC NumContrat = "2" PAR CodeAidantContrat)", {"00012002", "00013002"}},
    {R"(SSELECT CONTRAT AVEC CodeAidantContrat = "00012" PAR-DECR NumContrat)",
     {"00012003", "00012002", "00012001"}},
    {R"(SSELECT CIVILAIDANT AVEC NomAidant = "DUP]" PAR 2 PAR 3)", {"00014", "00012"}},
    {R"(SSELECT CIVILAIDANT AVEC 36 >= "20000" OR = "" PAR 2 PAR 3)", {"00014", "00012", "00013", "00016"}},
};

} // namespace dba::conformance
