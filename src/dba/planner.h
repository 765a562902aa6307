#pragma once
// Chooses which records a query needs to look at. For each AND-group the
// planner takes the most selective access among an exact key, a key range
// and index ranges; OR-groups add their key sets; anything it cannot bound
// means reading every record. Every access returns a superset of the
// records the evaluator accepts: the caller still evaluates the whole
// condition on each candidate.
#include "dba/dictionary.h"
#include "dba/query.h"
#include "dba/schema.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dba {

class Session;

// A record that may match: its key, and its text when the look-up that
// found it read the record too (saving a read by key).
struct Candidate {
    std::string key;
    std::optional<std::string> text;
};

// Candidates sorted by key bytes without duplicates, or nullopt when only a
// full scan answers the query. `names` holds the query's compiled
// dictionary names.
std::optional<std::vector<Candidate>> CandidateKeys(Session& session, const std::string& table,
                                                    const TableSchema& schema, const Query& query,
                                                    const std::map<std::string, ItemPtr>& names);

} // namespace dba
