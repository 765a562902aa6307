#pragma once
// Runs a SELECT / SSELECT command against a session's tables.
#include "dba/result_list.h"

#include <string>

namespace dba {

class Session;

// `fields`: output items separated by blanks (numbers, "@ID" or dictionary
// names). With useIndexes false every record is read and evaluated.
ResultList RunSelection(Session& session, const std::string& command, const std::string& fields,
                        bool useIndexes);
// The access the planner chooses for the command, in words.
std::string ExplainSelection(Session& session, const std::string& command);

} // namespace dba
