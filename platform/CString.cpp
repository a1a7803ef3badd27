#include "platform/CString.h"

#include <cstdarg>
#include <cwchar>
#include <vector>

#include "res/StringTable.h"
#include "res/Tr.h"

BOOL CString::LoadString(UINT id) {
    const wchar_t* text = res::StringTable::Find(static_cast<int>(id));
    m_text = text ? res::Tr("StringTable", text) : L"";
    return !m_text.empty();
}

void CString::Format(LPCTSTR format, ...) {
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list args;
        va_start(args, format);
        const int length = std::vswprintf(buffer.data(), buffer.size(), format, args);
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
