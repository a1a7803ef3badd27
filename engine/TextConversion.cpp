#include "engine/TextConversion.h"

namespace veldrun {

namespace {

bool IsScalarValue(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

// The number of continuation bytes that follow `lead`, or -1 when it cannot start a
// sequence.
int ContinuationCount(unsigned char lead) {
    if (lead < 0x80)
        return 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 1;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 2;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 3;
    return -1;
}

} // namespace

std::optional<std::string> ToNarrow(const std::wstring& text) {
    static_assert(sizeof(wchar_t) == 4, "wide text is UTF-32 here");
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t wide : text) {
        const char32_t c = static_cast<char32_t>(wide);
        if (!IsScalarValue(c))
            return std::nullopt;
        if (c < 0x80) {
            narrow += static_cast<char>(c);
        } else if (c < 0x800) {
            narrow += static_cast<char>(0xC0 | (c >> 6));
            narrow += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            narrow += static_cast<char>(0xE0 | (c >> 12));
            narrow += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            narrow += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            narrow += static_cast<char>(0xF0 | (c >> 18));
            narrow += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            narrow += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            narrow += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return narrow;
}

std::optional<std::wstring> ToWide(const std::string& text) {
    static const char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    std::wstring wide;
    wide.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int count = ContinuationCount(lead);
        if (count < 0 || text.size() - i <= static_cast<std::size_t>(count))
            return std::nullopt;
        char32_t c = count == 0 ? lead : lead & (0x3F >> count);
        for (int k = 1; k <= count; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            c = (c << 6) | (next & 0x3F);
        }
        if (c < kSmallest[count] || !IsScalarValue(c))
            return std::nullopt;
        wide += static_cast<wchar_t>(c);
        i += count + 1;
    }
    return wide;
}

} // namespace veldrun
