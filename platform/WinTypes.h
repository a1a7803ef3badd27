#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "res/TemplateStyles.h"

// The Win32 types, constants and records that the window code is written against, with the
// values Windows gives them.

typedef int BOOL;
constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;
typedef unsigned int UINT;
typedef std::uint16_t WORD;
typedef std::int32_t LONG;
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef std::intptr_t LRESULT;
typedef std::intptr_t INT_PTR;
typedef std::uintptr_t UINT_PTR;

// Wide text is wchar_t throughout.
typedef wchar_t* LPWSTR;
typedef const wchar_t* LPCWSTR;
typedef LPWSTR LPTSTR;
typedef LPCWSTR LPCTSTR;

// Handles: pointers to the layer's own objects; HDROP to a drop's file names, in their order.
class IconHandle;
class CDC;
class QWidget;
typedef const IconHandle* HICON;
typedef HICON HCURSOR;
typedef CDC* HDC;
typedef const std::vector<std::wstring>* HDROP;
typedef QWidget* HWND;

constexpr WORD LOWORD(std::uintptr_t value) {
    return static_cast<WORD>(value & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t value) {
    return static_cast<WORD>((value >> 16) & 0xFFFF);
}
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) {
    return (WPARAM(high) << 16) | low;
}
constexpr LPARAM MAKELPARAM(WORD low, WORD high) {
    return LPARAM((DWORD(high) << 16) | low);
}
// The signed coordinates of a point message; WM_CONTEXTMENU gives (-1, -1) for the keyboard.
constexpr int GET_X_LPARAM(LPARAM value) {
    return static_cast<short>(LOWORD(static_cast<std::uintptr_t>(value)));
}
constexpr int GET_Y_LPARAM(LPARAM value) {
    return static_cast<short>(HIWORD(static_cast<std::uintptr_t>(value)));
}

struct POINT {
    LONG x, y;
};

struct SIZE {
    LONG cx, cy;
};

struct RECT {
    LONG left, top, right, bottom;
};

typedef SIZE CSize;

constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_ICONERASEBKGND = 0x0027;
constexpr UINT WM_QUERYDRAGICON = 0x0037;
constexpr UINT WM_CONTEXTMENU = 0x007B;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_DROPFILES = 0x0233;
constexpr UINT WM_USER = 0x0400;

// Notification codes, in the high word of WM_COMMAND's wParam.
constexpr WORD BN_CLICKED = 0;
constexpr WORD LBN_SELCHANGE = 1;
constexpr WORD EN_CHANGE = 0x0300;

// Dialog end codes and command ids, besides IDOK and IDCANCEL.
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// System commands (WM_SYSCOMMAND's wParam; the low four bits are the system's own).
constexpr UINT SC_CLOSE = 0xF060;

constexpr UINT MB_OK = 0x0000;
constexpr UINT MB_YESNO = 0x0004;
constexpr UINT MB_TYPEMASK = 0x000F;
constexpr UINT MB_ICONERROR = 0x0010;
constexpr UINT MB_ICONQUESTION = 0x0020;
constexpr UINT MB_ICONWARNING = 0x0030;
constexpr UINT MB_ICONINFORMATION = 0x0040;
constexpr UINT MB_ICONMASK = 0x00F0;
constexpr UINT MB_DEFBUTTON2 = 0x0100;
constexpr UINT MB_DEFMASK = 0x0F00;

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_SEPARATOR = 0x0800;

constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
// CommDlgExtendedError: the chosen names did not fit the result buffer.
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

constexpr int SM_CXBORDER = 5;
constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;
constexpr int SM_CXSMICON = 49;
constexpr int SM_CYSMICON = 50;

constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

constexpr LRESULT LB_ERR = -1;
constexpr UINT LB_INSERTSTRING = 0x0181;
constexpr UINT LB_DELETESTRING = 0x0182;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;

constexpr UINT EM_SETSEL = 0x00B1;

// Progress bars: PBM_SETRANGE takes the range as MAKELPARAM(low, high).
constexpr UINT PBM_SETRANGE = WM_USER + 1;
constexpr UINT PBM_SETPOS = WM_USER + 2;

// Common controls registration; nothing needs registering here.
constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;

struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};

// A file dialog's request and result. With OFN_ALLOWMULTISELECT a choice of several files
// fills lpstrFile with the folder, a NUL, each name followed by a NUL, and one more NUL.
struct OPENFILENAME {
    LPCWSTR lpstrFilter;
    LPWSTR lpstrFile;
    DWORD nMaxFile;
    LPCWSTR lpstrTitle;
    LPCWSTR lpstrInitialDir;
    DWORD Flags;
    LPCWSTR lpstrDefExt;
};
