#include "ui/VisibleText.h"

#include <gtest/gtest.h>
#include <string>

using veldrun::VisibleText;

TEST(VisibleText, ControlCharactersBecomeEscapesAndAllElseStays) {
    // Printable text on both sides of each range of controls stays, backslashes included.
    const std::wstring printable = L" ~\u00A0\u00FF/media/Ürlaub \"夜\" 'x' C:\\n \U0001F3A5";
    EXPECT_EQ(printable, VisibleText(printable));
    EXPECT_EQ(L"", VisibleText(L""));

    EXPECT_EQ(L"a\\nb", VisibleText(L"a\nb"));
    EXPECT_EQ(L"\\a\\b\\t\\n\\v\\f\\r", VisibleText(L"\a\b\t\n\v\f\r"));
    EXPECT_EQ(L"x\\e[31mred\\e[0m", VisibleText(L"x\x1B[31mred\x1B[0m"));
    // The edges of the ranges without a letter: C0, DEL and C1.
    EXPECT_EQ(L"\\x00\\x01\\x06\\x0E\\x1A\\x1C\\x1F",
              VisibleText(std::wstring(L"\0\x01\x06\x0E\x1A\x1C\x1F", 7)));
    EXPECT_EQ(L"\\x7F\\x80\\x85\\x9B\\x9F", VisibleText(L"\x7F\x80\x85\x9B\x9F"));
}
