#include "engine/TextConversion.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

using veldrun::ToNarrow;
using veldrun::ToWide;

TEST(TextConversion, ValidTextRoundTripsIncludingTheEdgesOfEachLength) {
    const std::wstring wide = L"/media/Clips \"ä\" 'ø'/日本 \U0001F3A5 00001.MTS";
    EXPECT_EQ(ToNarrow(wide), "/media/Clips \"\xC3\xA4\" '\xC3\xB8'/\xE6\x97\xA5\xE6\x9C\xAC "
                              "\xF0\x9F\x8E\xA5 00001.MTS");
    EXPECT_EQ(ToWide(ToNarrow(wide).value()), wide);
    EXPECT_EQ(ToWide(""), L"");
    EXPECT_EQ(ToNarrow(L""), "");

    // The last and first character of each sequence length, and those around the surrogates.
    const std::vector<std::pair<char32_t, std::string>> edges = {
        {0x7F, "\x7F"},
        {0x80, "\xC2\x80"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0xD7FF, "\xED\x9F\xBF"},
        {0xE000, "\xEE\x80\x80"},
        {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
    };
    for (const auto& [c, narrow] : edges) {
        const std::wstring one(1, static_cast<wchar_t>(c));
        EXPECT_EQ(ToNarrow(one), narrow) << std::hex << c;
        EXPECT_EQ(ToWide(narrow), one) << std::hex << c;
    }
}

TEST(TextConversion, TextWithNoValidFormGivesNothing) {
    for (char32_t c : {0xD800u, 0xDFFFu, 0x110000u}) {
        EXPECT_EQ(ToNarrow(L"a" + std::wstring(1, static_cast<wchar_t>(c))), std::nullopt)
            << std::hex << c;
    }
    const char* const invalid[] = {
        // Overlong forms of '/', NUL and U+FFFF.
        "\xC0\xAF",
        "\xC1\xBF",
        "\xE0\x80\x80",
        "\xF0\x8F\xBF\xBF",
        // Surrogates written as UTF-8.
        "\xED\xA0\x80",
        "\xED\xBF\xBF",
        // Truncated: at the end, or followed by a byte that does not continue.
        "\xC3",
        "a\xE6\x97",
        "\xF0\x9F\x8E",
        "\xC3"
        "a",
        "\xE6\x97"
        "a",
        // Past U+10FFFF.
        "\xF4\x90\x80\x80",
        "\xF5\x80\x80\x80",
        "\xFF",
        // A continuation byte with no lead.
        "a\x80",
    };
    for (const char* bad : invalid)
        EXPECT_EQ(ToWide(bad), std::nullopt) << bad;
}
