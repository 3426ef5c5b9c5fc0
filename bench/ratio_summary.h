#pragma once

#include <ostream>
#include <vector>

#include "bench/harness.h"

namespace zonora::bench {

// One line for each figure: its time, its floor's time (from the same run)
// and the ratio; a figure or floor that did not run or failed is named so.
void printRatios(const std::vector<Outcome>& outcomes, std::ostream& out);

}  // namespace zonora::bench
