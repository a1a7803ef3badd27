#pragma once

#include "platform/WinTypes.h"

// Win32 functions of the window code that belong to no window.

// SM_CXICON and SM_CYICON: 32; SM_CXSMICON and SM_CYSMICON: 16; SM_CXBORDER: 1; else 0.
int GetSystemMetrics(int index);

// Nothing to register with Qt; TRUE.
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);

// With index 0xFFFFFFFF, the number of names (whole paths) in the drop. Otherwise the length of
// name `index` without terminator; with a buffer of `size` characters, copies as much of the
// name as fits with a terminator and returns the number of characters copied.
UINT DragQueryFile(HDROP drop, UINT index, LPWSTR buffer, UINT size);
// Ends the use of a drop handle; the layer frees the drop itself.
void DragFinish(HDROP drop);

// FILE_ATTRIBUTE_DIRECTORY for a folder, FILE_ATTRIBUTE_NORMAL for any other file, or
// INVALID_FILE_ATTRIBUTES when the path cannot be examined.
DWORD GetFileAttributes(LPCWSTR path);
