#pragma once
// The named fields (dictionary entries) and secondary indexes the library's
// queries rely on. InstallDictionaries puts them into a database; it is run
// when a database is created or upgraded (arbel-db, demo, tests) and may be
// run again at any time: it changes nothing that is already right.
#include "dba/database.h"

#include <string>
#include <vector>

namespace data {

namespace dict {
// CONTRAT
inline constexpr char NomAidantContrat[] = "NomAidantContrat";       // CIVILAIDANT 2 of the key's helper
inline constexpr char PrenomAidantContrat[] = "PrenomAidantContrat"; // CIVILAIDANT 3 of the key's helper
inline constexpr char CodeAidantContrat[] = "CodeAidantContrat";     // key characters 1-5
inline constexpr char NumeroContrat[] = "NumeroContrat";             // key characters 6-8
// CIVILAIDANT
inline constexpr char NomPrenomAidantBrut[] = "NomPrenomAidantBrut"; // "name first-name", as stored
inline constexpr char NomPrenomAidant[] = "NomPrenomAidant";         // the same in upper case
// CIVILAIDE
inline constexpr char NomPrenomAide[] = "NomPrenomAide"; // "name first-name", as stored
inline constexpr char CodeAideElts[] = "CodeAideElts";   // key of the ELTSPARTEMP record, empty when none
// TPSAIDANTINDISPO
inline constexpr char DateDebIndispo[] = "DateDebIndispo"; // key characters 6-10
// TPSDETAILSINTERV
inline constexpr char DateDebInterv[] = "DateDebInterv";             // key characters 14-18
inline constexpr char CodeAide[] = "CodeAide";                       // key characters 9-13
inline constexpr char TypeActDetailInterv[] = "TypeActDetailInterv"; // key character 19
inline constexpr char JourInterv[] = "JourInterv";                   // key character 22
inline constexpr char HeureInterv[] = "HeureInterv";                 // key characters 23-26
inline constexpr char CodeActInterv[] = "CodeActInterv";             // field 3
// TPSEXCEPTIONS
inline constexpr char DateDebExcep[] = "DateDebExcep"; // key characters 6-10
// ABSENCESAIDANT
inline constexpr char TypeAbs[] = "TypeAbs";           // field 11
inline constexpr char DebAbsAidant[] = "DebAbsAidant"; // key from character 8
// CONTRATSPREV
inline constexpr char ConvColPrev[] = "ConvColPrev"; // field 2
} // namespace dict

// One named field of one table.
struct DictionaryDefinition {
    std::string table;
    std::string name;
    dba::DictEntry entry;
};

// One secondary index: a table and an item (field number or dictionary name).
struct IndexDefinition {
    std::string table;
    std::string item;
};

// What InstallDictionaries installs.
const std::vector<DictionaryDefinition>& DictionaryDefinitions();
const std::vector<IndexDefinition>& IndexDefinitions();

// Creates every table of the directory (tables.h) that is missing, defines
// every dictionary entry above and builds the missing indexes.
void InstallDictionaries(dba::Database& db);

} // namespace data
