#include "res/Tr.h"

#include <QCoreApplication>
#include <QString>

namespace res {

std::wstring Tr(const char* context, const char* source, const char* disambiguation, int n) {
    return QCoreApplication::translate(context, source, disambiguation, n).toStdWString();
}

std::wstring Tr(const char* context, const wchar_t* source) {
    // Marked texts are ASCII, so each wide character narrows to one byte unchanged.
    std::string narrow;
    for (const wchar_t* c = source; *c != L'\0'; ++c)
        narrow.push_back(static_cast<char>(*c));
    return Tr(context, narrow.c_str());
}

std::wstring Filled(const std::wstring& text, const std::vector<std::wstring>& args) {
    std::wstring filled;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool marker = text[i] == L'%' && i + 1 < text.size() && text[i + 1] >= L'1' &&
                            text[i + 1] <= L'9' &&
                            static_cast<std::size_t>(text[i + 1] - L'1') < args.size();
        if (!marker) {
            filled += text[i];
            continue;
        }
        filled += args[static_cast<std::size_t>(text[i + 1] - L'1')];
        ++i;
    }
    return filled;
}

} // namespace res
