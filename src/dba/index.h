#pragma once
// Secondary indexes: one SQL table per declared (table, item) holding a row
// (value, key, num) for each distinct value the item has in each record.
// `num` is the value as a double when the value is a number, so that
// numeric comparisons can be answered from the index as well.
#include "dba/schema.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace dba {

class Session;

// The distinct values an item gives for a record; an empty item gives one
// empty value.
std::set<std::string> IndexValues(const CompiledItem& item, std::string_view key, std::string_view text);

// A number's value as a double, nullopt for text that is not a number. The
// conversion is monotone: a < b as numbers implies NumericValue(a) <=
// NumericValue(b), so ranges widened to <= and >= never miss an entry.
std::optional<double> NumericValue(std::string_view text);

// Creates the SQL table of a new index (inside a write) and returns its name.
std::string CreateIndexStore(Session& session);
// Fills an index from every record of the table (inside a write).
void BuildIndex(Session& session, const std::string& table, const IndexDecl& index);
// Replaces the index entries of one record (inside a write). A missing old
// or new text means no record.
void UpdateIndexes(Session& session, const TableSchema& table, const std::string& key,
                   const std::optional<std::string>& oldText, const std::optional<std::string>& newText);
// Differences between an index and the records of its table.
std::vector<std::string> CheckIndex(Session& session, const std::string& table, const IndexDecl& index);

} // namespace dba
