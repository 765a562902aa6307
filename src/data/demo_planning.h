#pragma once
// The planning and payroll work the demo always shows, whatever the random
// draw: a contract whose helper comes on several days and hours (so a
// change of its dates has incidences), a slot kept without contract after
// its contract ended, indirect labour, the payroll details of
// administrative and service-provider contracts, and an opposition.
#include "data/demo_builder.h"

#include <string>

namespace data::demo {

// Runs after the other parts: picks the contracts by key order, so the
// same seed gives the same records.
void WritePlanningShowcase(Builder& b);

// The running agreement "02" contract whose planning the showcase rewrites
// (the first by key order), as left by the generation.
std::string PlanningShowcaseContract(const dba::Database& db);

} // namespace data::demo
