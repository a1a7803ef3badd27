#include "engine/Amount.h"
#include <cstdio>
#include "engine/ByteText.h"
namespace veldrun {
std::string Amount::Size(std::int64_t size, Style style) {
    if (style == Style::Rounded)
        return ByteText(size);
    const std::int64_t kilo = size / 1000, mega = kilo / 1000, giga = mega / 1000;
    char text[64];
    if (giga > 0)
        std::snprintf(text, sizeof text, "%d.%d GB", int(giga), int(mega % 1000 / 100));
    else if (mega > 0)
        std::snprintf(text, sizeof text, "%d.%d MB", int(mega), int(kilo % 1000 / 100));
    else
        std::snprintf(text, sizeof text, "%d.%d BYTES", int(size), 0);
    return text;
}
} // namespace veldrun
