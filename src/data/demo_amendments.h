#pragma once
// Amendments the demo always shows: browsing the entries of these
// contracts tells how the terms evolved (working time, rate, qualification,
// a modulation agreement, then a career grid of the private employers'
// agreement with suspension days).
#include "data/demo_builder.h"

namespace data::demo {

// Runs after WriteContracts: writes the career grids of agreement "02" and
// rewrites the terms (the amendment fields and fields 70, 97, 144) of the
// running monthly contract of the first showcase beneficiary with its
// second helper, and of the first running contract with its third helper.
void WriteAmendmentShowcase(Builder& b);

} // namespace data::demo
