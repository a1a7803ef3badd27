#include "bench/BenchSupport.h"

#include <algorithm>
#include <fstream>
#include <unistd.h>

namespace veldrun {
namespace bench {

double Median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

bool DropCaches() {
    ::sync();
    std::ofstream drop("/proc/sys/vm/drop_caches");
    drop << "3\n";
    drop.close();
    return static_cast<bool>(drop);
}

} // namespace bench
} // namespace veldrun
