#pragma once
// Pay-entry items the demo always shows, whatever the random draw: the
// contracts the screenshots and a first visit open carry several items of
// every entry mode, charged to different activities when the contract has
// several, one still holding an item since withdrawn from the catalogue,
// and one long enough for its list to scroll.
#include "data/demo_builder.h"

namespace data::demo {

// Runs after WriteContracts: rewrites the items (CONTRAT fields 89 to 93)
// of a few contracts chosen by key order, so the same seed gives the same
// records.
void WritePayEntryShowcase(Builder& b);

} // namespace data::demo
