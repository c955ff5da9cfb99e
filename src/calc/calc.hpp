// The settings calculation: from the five acquired figures to the file cache,
// cache pool and DS cache settings. Pure: no input or output.
#pragma once

#include "figures/figures.hpp"

namespace ravitol {

// Writes fileCacheMax, minPages, desiredPages and lotsPages, and replaces
// dsFootprint by the DS cache size.
void calculateSettings(MemoryFigures& figures);

}  // namespace ravitol
