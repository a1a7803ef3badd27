#pragma once

#include <cstdint>
#include <string>

namespace veldrun {

// Takes a byte count; returns it in decimal units for messages and progress lines:
// "812 B", "812.3 kB", "812.3 MB", "1.07 GB", "2.50 TB".
std::string ByteText(std::int64_t bytes);

} // namespace veldrun
