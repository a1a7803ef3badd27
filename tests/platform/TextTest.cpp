#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

#include "engine/TextConversion.h"
#include "platform/CString.h"
#include "platform/WinApi.h"
#include "res/Resource.h"
#include "res/StringTable.h"
#include "tests/support/TempDir.h"

using veldrun::ToWide;
using veldrun::test::TempDir;

TEST(CStringFormat, FormatsNumbersAndTextOfAnyLength) {
    CString text;
    text.Format(L"Progressing file %i of %i", 1, 2);
    EXPECT_EQ(text, L"Progressing file 1 of 2");
    text.Format(L"%d.%d GB", 5, 3);
    EXPECT_EQ(text, L"5.3 GB");
    text.Format(L"%ls: %lc%%", L"Größe", L'ü');
    EXPECT_EQ(text, L"Größe: ü%");
    const std::wstring path(1000, L'p');
    text.Format(L"Merge error: %ls", path.c_str());
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

TEST(FileAttributes, TellFoldersFilesAndMissingNamesApart) {
    TempDir folder;
    const std::wstring file = ToWide(folder.Write("clip ü.mts", "x")).value();
    EXPECT_EQ(GetFileAttributes(ToWide(folder.Path()).value().c_str()), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributes(file.c_str()), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributes((file + L"x").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributes(nullptr), INVALID_FILE_ATTRIBUTES);
    // A name with no UTF-8 form names no file.
    EXPECT_EQ(GetFileAttributes((file + wchar_t(0xD800)).c_str()), INVALID_FILE_ATTRIBUTES);
}
