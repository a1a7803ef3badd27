#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

#include "platform/CString.h"
#include "platform/TextConversion.h"
#include "platform/WinApi.h"
#include "res/Resource.h"
#include "res/StringTable.h"
#include "tests/support/TempDir.h"

using veldrun::test::TempDir;

TEST(CStringFormat, WorksLikeUnicodeMfc) {
    CString text;
    text.Format(L"Progressing file %i of %i", 1, 2);
    EXPECT_EQ(text, L"Progressing file 1 of 2");
    text.Format(L"%d.%d GB", 5, 3);
    EXPECT_EQ(text, L"5.3 GB");
    text.Format(L"%s: %S %c%%", L"Größe", "narrow", L'ü');
    EXPECT_EQ(text, L"Größe: narrow ü%");
    text.Format(L"%ls|%5s|%-3s|", L"l", L"r", L"x");
    EXPECT_EQ(text, L"l|    r|x  |");
    const std::wstring path(1000, L'p');
    text.Format(L"Merge error: %s", path.c_str());
    EXPECT_EQ(text.GetLength(), 1013) << "longer than the first buffer";
}

TEST(CStringResources, LoadStringAndBuffers) {
    CString text;
    EXPECT_TRUE(text.LoadString(IDS_ABOUTBOX));
    EXPECT_EQ(text, L"&About Veldrun...");
    res::StringTable::Override(IDS_ABOUTBOX, L"");
    EXPECT_FALSE(text.LoadString(IDS_ABOUTBOX));
    EXPECT_TRUE(text.IsEmpty());
    res::StringTable::ClearOverrides();
    EXPECT_FALSE(text.LoadString(4711));

    CString scratch;
    LPTSTR buffer = scratch.GetBuffer(16);
    EXPECT_EQ(buffer[0], L'\0') << "starts as an empty string";
    std::wstring content(L"dir\0a\0\0", 7);
    content.copy(buffer, content.size());
    scratch.ReleaseBuffer();
    EXPECT_EQ(scratch, L"dir");
    CString joined = CString(L"Merge error: ") + L"x";
    joined += scratch;
    EXPECT_EQ(joined, L"Merge error: xdir");
}

TEST(TextConversion, RoundTripsEveryCharacter) {
    const std::wstring wide = L"/media/Clips \"ä\" 'ø'/日本 \U0001F3A5 00001.MTS";
    const std::string narrow = WideToNarrow(wide);
    EXPECT_EQ(narrow, "/media/Clips \"\xC3\xA4\" '\xC3\xB8'/\xE6\x97\xA5\xE6\x9C\xAC "
                      "\xF0\x9F\x8E\xA5 00001.MTS");
    EXPECT_EQ(NarrowToWide(narrow), wide);
    EXPECT_EQ(NarrowToWide(""), L"");
}

TEST(TextConversion, FailsInsteadOfChangingTheText) {
    EXPECT_THROW(WideToNarrow(std::wstring(1, wchar_t(0xD800))), std::range_error);
    EXPECT_THROW(WideToNarrow(std::wstring(1, wchar_t(0x110000))), std::range_error);
    for (const char* bad : {"\xC3", "\xC0\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\x80"})
        EXPECT_THROW(NarrowToWide(bad), std::range_error) << bad;
}

TEST(FileAttributes, TellFoldersFilesAndMissingNamesApart) {
    TempDir folder;
    const std::wstring file = NarrowToWide(folder.Write("clip ü.mts", "x"));
    EXPECT_EQ(GetFileAttributes(NarrowToWide(folder.Path()).c_str()), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributes(file.c_str()), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributes((file + L"x").c_str()), INVALID_FILE_ATTRIBUTES);
}
