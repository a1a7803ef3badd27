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

} // namespace res
