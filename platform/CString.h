#pragma once

#include <string>

#include "platform/WinTypes.h"

// The wide string of the window code.
class CString {
public:
    CString() = default;
    CString(LPCTSTR text) : m_text(text ? text : L"") {}
    CString(std::wstring text) : m_text(std::move(text)) {}

    // Replaces the text with string `id` of the string table. FALSE, and an empty text, when
    // there is no such string or it is empty.
    BOOL LoadString(UINT id);

    // The C library's wide printf formatting (%d and %i take int; text needs %ls).
    void Format(LPCTSTR format, ...);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    BOOL IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    // A writable buffer of at least `minLength` characters plus a terminator; ReleaseBuffer
    // then takes the text up to `newLength`, or up to its terminator when that is -1.
    LPTSTR GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

    operator LPCTSTR() const { return m_text.c_str(); }
    const std::wstring& Str() const { return m_text; }

    CString& operator+=(const CString& other) {
        m_text += other.m_text;
        return *this;
    }

    friend CString operator+(const CString& a, const CString& b) { return a.m_text + b.m_text; }
    friend CString operator+(const CString& a, LPCTSTR b) { return a.m_text + b; }
    friend CString operator+(LPCTSTR a, const CString& b) { return a + b.m_text; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, LPCTSTR b) { return a.m_text == b; }
    friend bool operator==(LPCTSTR a, const CString& b) { return a == b.m_text; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, LPCTSTR b) { return !(a == b); }

private:
    std::wstring m_text;
};
