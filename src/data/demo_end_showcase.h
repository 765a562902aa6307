#pragma once
// Leave counters and ends of contract the demo always shows, whatever the
// random draw: counters of every kind on running contracts, and an ended
// contract for each family of end reasons.
#include "data/demo_builder.h"

namespace data::demo {

// Runs after WriteContracts: rewrites the leave counters (CONTRAT fields
// 38 to 48, 83, 85, 86) or the end (fields 49 to 59, 96, 98, 129 to 132)
// of a few contracts chosen by key order, so the same seed gives the same
// records.
void WriteEndShowcase(Builder& b);

} // namespace data::demo
