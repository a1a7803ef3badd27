#include "recordings/RecordedTime.h"

#include <cstdio>

namespace veldrun {

std::string RecordedTime::Text() const {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    return text;
}

} // namespace veldrun
