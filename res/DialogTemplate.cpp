#include "res/DialogTemplate.h"

#include "res/Resource.h"
#include "res/Tr.h"

namespace res {

namespace {

const wchar_t kShellFont[] = L"MS Shell Dlg";
const unsigned char kDefaultCharset = 1;

const DWORD kChild = WS_CHILD | WS_VISIBLE;
const DWORD kEditStyle = kChild | WS_TABSTOP | ES_LEFT | ES_READONLY | ES_AUTOHSCROLL;

// clang-format off
// Texts are marked for translation; the dialog builder translates them as it makes the controls.
// Layouts: where a control goes when a resizable dialog grows.
const ControlLayout kFixed = {0, 0, 0, 0};
const ControlLayout kRight = {100, 0, 0, 0};
const ControlLayout kBottom = {0, 100, 0, 0};
const ControlLayout kBottomRight = {100, 100, 0, 0};
const ControlLayout kBottomCentre = {50, 100, 0, 0};
const ControlLayout kBottomWide = {0, 100, 100, 0};
const ControlLayout kGrow = {0, 0, 100, 100};

const DWORD kLabelStyle = kChild | WS_GROUP | SS_LEFTNOWORDWRAP;
const DWORD kNameStyle = kChild | SS_LEFTNOWORDWRAP | SS_NOPREFIX;

const std::vector<DialogTemplate> kDialogs = {
    {IDD_ABOUTBOX, VELDRUN_TEXT("DialogTemplate", "About Veldrun"), 235, 55,
     WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS, 0,
     kShellFont, 8, 0, false, kDefaultCharset, {
    //  id          class        text                                    x    y    cx   cy  style                                                 exstyle  layout
        {IDC_STATIC, L"STATIC", L"#128",                               11,  17,  20,  20, kChild | SS_ICON,                                     0, kFixed},
        {IDC_STATIC, L"STATIC", VELDRUN_TEXT("DialogTemplate", "Veldrun Version 1.0"),                40,  10, 119,   8, kChild | WS_GROUP | SS_LEFT | SS_NOPREFIX,            0, kFixed},
        {IDC_STATIC, L"STATIC", VELDRUN_TEXT("DialogTemplate", "Joins clips byte for byte."),         40,  25, 119,   8, kChild | WS_GROUP | SS_LEFT,                          0, kFixed},
        {IDOK,       L"BUTTON", VELDRUN_TEXT("DialogTemplate", "OK"),                                178,   7,  50,  16, kChild | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON,   0, kFixed},
    }},
    {IDD_MAIN_DIALOG, VELDRUN_TEXT("DialogTemplate", "Veldrun"), 256, 309,
     WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS,
     WS_EX_APPWINDOW | WS_EX_ACCEPTFILES,
     kShellFont, 8, 0, false, kDefaultCharset, {
    //  id                     class         text                    x    y    cx   cy  style                                              exstyle  layout
        {IDC_ADD,               L"BUTTON",  VELDRUN_TEXT("DialogTemplate", "&Add"),               198,  18,  50,  16, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON,              0, kRight},
        {IDC_ADD_FOLDER,        L"BUTTON",  VELDRUN_TEXT("DialogTemplate", "Add &Folder..."),     198,  36,  50,  16, kChild | WS_TABSTOP | BS_PUSHBUTTON,                 0, kRight},
        {IDC_REMOVE,            L"BUTTON",  VELDRUN_TEXT("DialogTemplate", "&Remove"),            198,  54,  50,  16, kChild | WS_TABSTOP | BS_PUSHBUTTON,                 0, kRight},
        // A label's mnemonic focuses the control that follows it here. The labels reach to the
        // next control or the margin, so that their translations have room.
        {IDC_STATIC,            L"STATIC",  VELDRUN_TEXT("DialogTemplate", "&Input Files:"),        6,   6, 184,   8, kChild | WS_GROUP | SS_LEFT,                         0, kFixed},
        {IDC_INPUT_LIST,        L"LISTBOX", nullptr,                 6,  18, 184, 162, kChild | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | LBS_DISABLENOSCROLL, 0, kGrow},
        {IDC_MOVE_UP,           L"BUTTON",  VELDRUN_TEXT("DialogTemplate", "Move &Up"),           198,  78,  50,  16, kChild | WS_TABSTOP | BS_PUSHBUTTON,                 0, kRight},
        {IDC_MOVE_DOWN,         L"BUTTON",  VELDRUN_TEXT("DialogTemplate", "Move &Down"),         198,  97,  50,  16, kChild | WS_TABSTOP | BS_PUSHBUTTON,                 0, kRight},
        {IDC_MERGE,             L"BUTTON",  VELDRUN_TEXT("DialogTemplate", "&Merge"),             102, 286,  50,  16, kChild | WS_TABSTOP | BS_PUSHBUTTON,                 0, kBottomCentre},
        {IDC_SUMMARY,           L"STATIC",  L"",                     6, 183, 184,   8, kNameStyle,                                        0, kBottomWide},
        {IDC_STATIC,            L"STATIC",  VELDRUN_TEXT("DialogTemplate", "&Output File:"),        6, 228, 186,   8, kLabelStyle,                                       0, kBottom},
        {IDC_OUTPUT_FILE,       L"EDIT",    nullptr,                 6, 241, 186,  14, kChild | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 0, kBottomWide},
        {IDC_SELECT_OUTPUT,     L"BUTTON",  VELDRUN_TEXT("DialogTemplate", "&Select..."),         198, 241,  50,  14, kChild | WS_TABSTOP | BS_PUSHBUTTON,                 0, kBottomRight},
        {IDC_EACH_RECORDING,    L"BUTTON",  VELDRUN_TEXT("DialogTemplate", "One file &per recording"), 6, 259, 186, 10, kChild | WS_TABSTOP | BS_AUTOCHECKBOX,          0, kBottom},
        {IDC_VERIFY,            L"BUTTON",  VELDRUN_TEXT("DialogTemplate", "&Verify after writing"),  6, 271, 186, 10, kChild | WS_TABSTOP | BS_AUTOCHECKBOX,          0, kBottom},
        {IDC_STATIC,            L"STATIC",  VELDRUN_TEXT("DialogTemplate", "Current Selection:"),   6, 198, 186,   8, kLabelStyle,                                       0, kBottom},
        {IDC_CURRENT_SELECTION, L"EDIT",    nullptr,                 6, 210, 186,  12, kEditStyle,                                        WS_EX_STATICEDGE, kBottomWide},
        {IDC_FILE_SIZE,         L"EDIT",    nullptr,               198, 210,  50,  12, kEditStyle,                                        WS_EX_STATICEDGE, kBottomRight},
        {IDC_STATIC,            L"STATIC",  VELDRUN_TEXT("DialogTemplate", "File Size:"),         198, 198,  50,   8, kLabelStyle,                                       0, kBottomRight},
    }},
    {IDD_PROGRESS_DIALOG, VELDRUN_TEXT("DialogTemplate", "Merging in progress"), 220, 103,
     WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS, 0,
     kShellFont, 8, 400, false, kDefaultCharset, {
    //  id                     class                    text         x    y    cx   cy  style                                                        exstyle  layout
        {IDC_CANCEL_MERGE,     L"BUTTON",            VELDRUN_TEXT("DialogTemplate", "Cancel"),     85,  83,  50,  14, kChild | WS_TABSTOP | BS_PUSHBUTTON,                           0, kFixed},
        {IDC_PROGRESS,         L"msctls_progress32", nullptr,        6,   6, 208,  14, kChild | WS_BORDER,                                            0, kFixed},
        {IDC_STATUS,           L"EDIT",              nullptr,        6,  24, 208,  14, kChild | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL,            0, kFixed},
        {IDC_PROGRESS_FILE,    L"STATIC",            L"",            6,  42, 208,   8, kNameStyle,                                                   0, kFixed},
        {IDC_PROGRESS_AMOUNTS, L"STATIC",            L"",            6,  54, 208,   8, kNameStyle,                                                   0, kFixed},
        // Empty unless the run writes one output per recording.
        {IDC_PROGRESS_RECORDING, L"STATIC",          L"",            6,  66, 208,   8, kNameStyle,                                                   0, kFixed},
    }},
};
// clang-format on

} // namespace

const DialogTemplate* DialogTemplate::Find(int id) {
    for (const DialogTemplate& dialog : kDialogs) {
        if (dialog.id == id)
            return &dialog;
    }
    return nullptr;
}

} // namespace res
