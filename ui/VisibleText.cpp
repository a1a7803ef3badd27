#include "ui/VisibleText.h"

#include <cwchar>

namespace veldrun {

std::wstring VisibleText(const std::wstring& text) {
    static const wchar_t kLetters[] = L"abtnvfr";
    std::wstring shown;
    shown.reserve(text.size());
    for (wchar_t c : text) {
        if (c >= L'\a' && c <= L'\r') {
            shown += L'\\';
            shown += kLetters[c - L'\a'];
        } else if (c == 0x1B) {
            shown += L"\\e";
        } else if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
            wchar_t hex[5];
            std::swprintf(hex, 5, L"\\x%02X", static_cast<unsigned>(c));
            shown += hex;
        } else {
            shown += c;
        }
    }
    return shown;
}

} // namespace veldrun
