#pragma once
// Items of a record: a field number, the key, or a dictionary name compiled
// once per query into a small tree that resolves against each record
// without further look-ups.
#include "dba/database.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace dba {

struct CompiledItem {
    enum class Kind { Key, Field, KeySlice, Translate, Concat, Upper };
    Kind kind = Kind::Field;
    int field = 0;                                          // Field
    int start = 1, length = 0;                              // KeySlice; Translate when source is null
    std::shared_ptr<const CompiledItem> source;             // Translate (null: key slice), Upper
    std::vector<std::shared_ptr<const CompiledItem>> items; // Concat
    std::string separator;
    std::string targetTable;
    int targetField = 0;
    bool readsOtherTables = false; // a translation somewhere below
};
using ItemPtr = std::shared_ptr<const CompiledItem>;

// An item text as written in queries, output lists and dictionary entries:
// a field number, "@ID", or a dictionary name of the table. Throws
// UnknownName for a name the dictionary lacks (or that refers to itself)
// and TableNotFound for a translation into a table that does not exist.
ItemPtr CompileItem(const std::string& item, const std::map<std::string, DictEntry>& dictionary,
                    const std::set<std::string>& tables);

// Records of other tables read by translations, cached for one query.
class TranslationCache {
public:
    using Reader =
        std::function<std::optional<std::string>(const std::string& table, const std::string& key)>;
    explicit TranslationCache(Reader reader) : reader_(std::move(reader)) {}
    // The record text, or nullopt when there is no such record.
    const std::optional<std::string>& Get(const std::string& table, const std::string& key);
    // Records read beforehand, many at a time (nullopt: no such record).
    bool Has(const std::string& table, const std::string& key) const {
        return records_.count({table, key}) != 0;
    }
    void Put(const std::string& table, const std::string& key, std::optional<std::string> text) {
        records_[{table, key}] = std::move(text);
    }

private:
    Reader reader_;
    std::map<std::pair<std::string, std::string>, std::optional<std::string>> records_;
};

// The item's text for the record (values separated by VM). `cache` may be
// null only for items that read no other table.
std::string ResolveItem(const CompiledItem& item, std::string_view key, std::string_view text,
                        TranslationCache* cache);

// Bytes start..start+length-1 of the key (from 1), like the [ ] forms of
// the query language; length 0 = the rest.
std::string_view KeySlice(std::string_view key, int start, int length);

} // namespace dba
