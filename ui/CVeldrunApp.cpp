#include "ui/CVeldrunApp.h"

#include <QGuiApplication>

#include "platform/WinApi.h"
#include "ui/CVeldrunDlg.h"

namespace {

// The desktop entry's id, by which desktops match the window to its launcher and icon.
const char kDesktopFileName[] = "org.veldrun.Veldrun";

} // namespace

CVeldrunApp::CVeldrunApp() : CWinApp(nullptr) {}

BOOL CVeldrunApp::InitInstance() {
    INITCOMMONCONTROLSEX controls;
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);

    CWinApp::InitInstance();
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
    SetRegistryKey(L"Local AppWizard-Generated Applications");

    {
        CVeldrunDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        // The dialog is gone at the end of this block; nothing may find it through here.
        m_pMainWnd = nullptr;
    }
    return FALSE;
}
