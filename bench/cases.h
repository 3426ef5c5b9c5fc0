#pragma once

#include <vector>

#include "bench/harness.h"

namespace zonora::bench {

// The cases of each source, run in this order: the floors, the zone file
// layer, the conversions.
std::vector<Case> floorCases();
std::vector<Case> zoneFileCases();
std::vector<Case> conversionCases();

}  // namespace zonora::bench
