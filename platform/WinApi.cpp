#include "platform/WinApi.h"

#include <algorithm>
#include <string>

#include <QFileInfo>

int GetSystemMetrics(int index) {
    const bool icon = index == SM_CXICON || index == SM_CYICON;
    const bool smallIcon = index == SM_CXSMICON || index == SM_CYSMICON;
    return icon ? 32 : smallIcon ? 16 : index == SM_CXBORDER ? 1 : 0;
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX*) {
    return TRUE;
}

UINT DragQueryFile(HDROP drop, UINT index, LPWSTR buffer, UINT size) {
    if (!drop)
        return 0;
    const std::vector<std::wstring>& names = *drop;
    if (index == 0xFFFFFFFF)
        return static_cast<UINT>(names.size());
    if (index >= names.size())
        return 0;
    const std::wstring& name = names[index];
    if (!buffer)
        return static_cast<UINT>(name.size());
    if (size == 0)
        return 0;
    const std::size_t copied = std::min<std::size_t>(name.size(), size - 1);
    std::copy_n(name.begin(), copied, buffer);
    buffer[copied] = L'\0';
    return static_cast<UINT>(copied);
}

void DragFinish(HDROP) {}

DWORD GetFileAttributes(LPCWSTR path) {
    // Qt names the file as the file system spells it; a character with no such form becomes one
    // that names no file.
    const QFileInfo file(QString::fromWCharArray(path ? path : L""));
    if (!path || !*path || !file.exists())
        return INVALID_FILE_ATTRIBUTES;
    return file.isDir() ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
}
