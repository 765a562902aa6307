#pragma once
// What the suite's sibling screens show in the demo: paid-leave periods of
// the helpers at work, a month-by-month payroll detail of the contracts
// already paid, compensated work stoppages with their end dates and daily
// allowances, and telemanagement settings of the running contracts of the
// entities that use telemanagement. The contracts of beneficiary 00001
// (the first screen of the demo) always have some of each, except one
// helper left without leave so the empty view can be seen.
#include "data/demo_builder.h"

namespace data::demo {

// Runs last: reads the contracts written so far, so the same seed gives
// the same records.
void WriteSiblingShowcase(Builder& b);

} // namespace data::demo
