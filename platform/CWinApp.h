#pragma once

#include <string>
#include <vector>

#include "platform/WinTypes.h"

class CWnd;
class QWidget;

// The application object. One exists, constructed statically; AfxWinMain runs it.
class CWinApp {
public:
    // Without a name, AfxWinMain takes the executable's file name without its extension.
    explicit CWinApp(LPCTSTR appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    // Names the per-user profile storage; nothing is kept there.
    void SetRegistryKey(LPCTSTR) {}
    HICON LoadIcon(UINT id) const;

    const std::wstring& AppName() const { return m_appName; }
    // The command line after the program's name, without the options that Qt took.
    const std::vector<std::string>& Arguments() const { return m_arguments; }

    CWnd* m_pMainWnd = nullptr;

private:
    friend int AfxWinMain(int argc, char* argv[]);

    std::wstring m_appName;
    std::vector<std::string> m_arguments;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The application's name, the caption of its message boxes; empty without an application.
LPCTSTR AfxGetAppName();
// The owner of a new platform dialog: the active modal dialog, else the main window.
QWidget* AfxGetDialogOwner();

// The framework's entry: creates the Qt application when there is none yet, names the
// application after argv[0] when it has no name (Qt's application name is argv[0]'s in any
// case), keeps the remaining arguments, calls InitInstance and returns 0. A dialog-based
// application runs its dialogs inside InitInstance.
int AfxWinMain(int argc, char* argv[]);
