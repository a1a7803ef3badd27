#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <vector>

#include "engine/Veldrun.h"

namespace veldrun {
namespace test {

// One callback call, as the engine made it.
struct Call {
    std::int32_t index;
    std::int64_t size, position, total, written;
    bool operator==(const Call& o) const {
        return index == o.index && size == o.size && position == o.position && total == o.total &&
               written == o.written;
    }
};

inline std::ostream& operator<<(std::ostream& out, const Call& c) {
    return out << "(" << c.index << ", " << c.size << ", " << c.position << ", " << c.total << ", "
               << c.written << ")";
}

// Records every call; `answer` decides the result of each call from its number (0-based).
class CallLog {
public:
    std::vector<Call> calls;
    std::function<bool(std::size_t)> answer = [](std::size_t) {
        return true;
    };

    ProgressCallback Callback() {
        return
            [this](std::int32_t i, std::int64_t s, std::int64_t p, std::int64_t t, std::int64_t w) {
                calls.push_back(Call{i, s, p, t, w});
                return answer(calls.size() - 1);
            };
    }
};

} // namespace test
} // namespace veldrun
