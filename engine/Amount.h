#pragma once
// TEMPORARY stand-in until the formatter lands.
#include <cstdint>
#include <string>
namespace veldrun {
class Amount {
public:
    enum class Style { Truncated, Rounded };
    static std::string Size(std::int64_t bytes, Style style);
};
} // namespace veldrun
