#include "platform/CString.h"

#include <cstdarg>
#include <cwchar>
#include <vector>

#include "res/StringTable.h"

namespace {

// MFC's Unicode Format reads %s and %c as wide; the C library reads them as narrow unless
// told by a length modifier.
std::wstring ToLibraryFormat(LPCTSTR format) {
    std::wstring out;
    for (const wchar_t* p = format; *p; ++p) {
        out += *p;
        if (*p != L'%')
            continue;
        bool sized = false;
        for (++p; *p && std::wcschr(L"-+ #0123456789.*hlLjzt", *p); ++p) {
            sized = sized || *p == L'h' || *p == L'l';
            out += *p;
        }
        if (!*p)
            break;
        if ((*p == L's' || *p == L'c') && !sized)
            out += L'l';
        out += *p;
    }
    return out;
}

} // namespace

BOOL CString::LoadString(UINT id) {
    const wchar_t* text = res::StringTable::Find(static_cast<int>(id));
    m_text = text ? text : L"";
    return !m_text.empty();
}

void CString::Format(LPCTSTR format, ...) {
    const std::wstring libraryFormat = ToLibraryFormat(format);
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list args;
        va_start(args, format);
        const int length =
            std::vswprintf(buffer.data(), buffer.size(), libraryFormat.c_str(), args);
        va_end(args);
        if (length >= 0) {
            m_text.assign(buffer.data(), length);
            return;
        }
        // Too small, or a conversion that cannot be done; stop growing at some point.
        if (buffer.size() >= (1u << 24)) {
            m_text.clear();
            return;
        }
        buffer.resize(buffer.size() * 4);
    }
}

LPTSTR CString::GetBuffer(int minLength) {
    if (minLength > GetLength())
        m_text.resize(minLength);
    return &m_text[0];
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0)
        newLength = static_cast<int>(std::wcslen(m_text.c_str()));
    m_text.resize(newLength);
}
