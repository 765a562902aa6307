#include "data/dictionaries.h"

#include "data/contrat_fields.h"
#include "data/table_fields.h"
#include "data/tables.h"

#include <algorithm>

namespace data {

namespace {

using Kind = dba::DictEntry::Kind;

dba::DictEntry FieldEntry(int field) {
    dba::DictEntry e;
    e.kind = Kind::Field;
    e.field = field;
    return e;
}

dba::DictEntry KeySlice(int start, int length) {
    dba::DictEntry e;
    e.kind = Kind::KeySlice;
    e.start = start;
    e.length = length;
    return e;
}

// Takes characters start..start+length-1 of the key as the key of a record
// of `table` and gives its field `field` (empty when there is no record).
dba::DictEntry TranslateKeySlice(int start, int length, const char* table, int field) {
    dba::DictEntry e;
    e.kind = Kind::Translate;
    e.start = start;
    e.length = length;
    e.targetTable = table;
    e.targetField = field;
    return e;
}

dba::DictEntry Concat(std::vector<std::string> items, std::string separator) {
    dba::DictEntry e;
    e.kind = Kind::Concat;
    e.items = std::move(items);
    e.separator = std::move(separator);
    return e;
}

dba::DictEntry Upper(std::string item) {
    dba::DictEntry e;
    e.kind = Kind::Upper;
    e.items = {std::move(item)};
    return e;
}

std::string Num(int field) {
    return std::to_string(field);
}

} // namespace

const std::vector<DictionaryDefinition>& DictionaryDefinitions() {
    using namespace tables;
    static const std::vector<DictionaryDefinition> all = [] {
        std::vector<DictionaryDefinition> d;
        // Contracts sorted by their helper's name.
        d.push_back({CONTRAT, dict::NomAidantContrat,
                     TranslateKeySlice(1, contrat::LongueurCodeAidant, CIVILAIDANT, civilaidant::Nom)});
        d.push_back({CONTRAT, dict::PrenomAidantContrat,
                     TranslateKeySlice(1, contrat::LongueurCodeAidant, CIVILAIDANT, civilaidant::Prenom)});
        d.push_back({CONTRAT, dict::CodeAidantContrat, KeySlice(1, contrat::LongueurCodeAidant)});
        d.push_back({CONTRAT, dict::NumeroContrat,
                     KeySlice(contrat::LongueurCodeAidant + 1, contrat::LongueurNumero)});

        // Helper search by the beginning of "NAME First-name", typed in capitals.
        d.push_back({CIVILAIDANT, dict::NomPrenomAidantBrut,
                     Concat({Num(civilaidant::Nom), Num(civilaidant::Prenom)}, " ")});
        d.push_back({CIVILAIDANT, dict::NomPrenomAidant, Upper(dict::NomPrenomAidantBrut)});

        // Employer search (agreement "02") among the beneficiaries.
        d.push_back(
            {CIVILAIDE, dict::NomPrenomAide, Concat({Num(civilaide::Nom), Num(civilaide::Prenom)}, " ")});
        d.push_back({CIVILAIDE, dict::CodeAideElts, TranslateKeySlice(1, 0, ELTSPARTEMP, 0)});

        // Planning.
        d.push_back({TPSAIDANTINDISPO, dict::DateDebIndispo, KeySlice(6, 5)});
        d.push_back({TPSDETAILSINTERV, dict::CodeAide, KeySlice(9, 5)});
        d.push_back({TPSDETAILSINTERV, dict::DateDebInterv, KeySlice(14, 5)});
        d.push_back({TPSDETAILSINTERV, dict::TypeActDetailInterv, KeySlice(19, 1)});
        d.push_back({TPSDETAILSINTERV, dict::JourInterv, KeySlice(tpsdetailsinterv::JourPosition, 1)});
        d.push_back({TPSDETAILSINTERV, dict::HeureInterv, KeySlice(tpsdetailsinterv::HeurePosition, 4)});
        d.push_back({TPSDETAILSINTERV, dict::CodeActInterv, FieldEntry(tpsdetailsinterv::Activite)});
        d.push_back({TPSEXCEPTIONS, dict::DateDebExcep, KeySlice(6, 5)});

        // Absences of a helper, in order of their start day.
        d.push_back({ABSENCESAIDANT, dict::TypeAbs, FieldEntry(absencesaidant::Type)});
        d.push_back({ABSENCESAIDANT, dict::DebAbsAidant, KeySlice(absencesaidant::DebutPosition, 0)});

        // Provident schemes of an agreement.
        d.push_back({CONTRATSPREV, dict::ConvColPrev, FieldEntry(contratsprev::Convention)});
        return d;
    }();
    return all;
}

const std::vector<IndexDefinition>& IndexDefinitions() {
    using namespace tables;
    static const std::vector<IndexDefinition> all = {
        {CONTRAT, Num(contrat::Employeur)},           // the browser: contracts of a beneficiary
        {CONTRAT, Num(contrat::EntiteJuridique)},     // contracts of an entity
        {CIVILAIDANT, dict::NomPrenomAidant},         // helper search by name
        {CIVILAIDE, dict::NomPrenomAide},             // employer search by name
        {CONTRATSPREV, dict::ConvColPrev},            // provident schemes of an agreement
        {TPSEXCEPTIONS, Num(tpsexceptions::Contrat)}, // exceptions of a contract
        {TPSMOI, Num(tpsmoi::Contrat)},               // indirect labour of a contract
    };
    return all;
}

void InstallDictionaries(dba::Database& db) {
    // Each step is checked before it is done, so a run that stopped half
    // way is completed by the next one.
    for (std::string_view table : tables::All)
        db.CreateTable(std::string(table));
    for (const auto& def : DictionaryDefinitions()) {
        const auto existing = db.Dictionary(def.table);
        const auto it = existing.find(def.name);
        if (it == existing.end() || it->second.Serialize() != def.entry.Serialize())
            db.DefineDictionary(def.table, def.name, def.entry);
    }
    // Indexes last: an index on a dictionary name needs the name defined.
    for (const auto& index : IndexDefinitions()) {
        const auto present = db.Indexes(index.table);
        if (std::find(present.begin(), present.end(), index.item) == present.end())
            db.CreateIndex(index.table, index.item);
    }
}

} // namespace data
