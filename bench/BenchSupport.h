#pragma once

#include <vector>

namespace veldrun {
namespace bench {

// The median of `values`; 0 for none.
double Median(std::vector<double> values);

// Writes the page cache back and drops it, so that the next read comes from the disk. False
// when it cannot be dropped (it needs root).
bool DropCaches();

} // namespace bench
} // namespace veldrun
