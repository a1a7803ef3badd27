#pragma once

#include <cstddef>
#include <vector>

#include "recordings/Recordings.h"

namespace veldrun {
namespace test {

// Order by Recording as it was first written: every possible link listed and sorted, then made
// greedily. Quadratic in time and memory when many pieces share clocks, but plain enough to
// trust; the tests compare Recordings::Order with it.
std::vector<std::size_t> QuadraticOrder(const std::vector<Recordings::Clip>& clips,
                                        const Recordings::IndexLess& less);

} // namespace test
} // namespace veldrun
