#include "ui/CVeldrunApp.h"

#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include <QGuiApplication>

#include "engine/TextConversion.h"
#include "platform/WinApi.h"
#include "res/VersionInfo.h"
#include "ui/CVeldrunDlg.h"

namespace {

// The desktop entry's id, by which desktops match the window to its launcher and icon.
const char kDesktopFileName[] = "org.veldrun.Veldrun";

// The command line's file names as list entries: full paths, in the given order. A relative
// name is joined to the current folder as it stands ("./" dropped, ".." kept, since a link
// may lie before it); without a current folder it stays as given. A name that is not valid
// UTF-8 is left out: no entry could name it.
std::vector<CString> StartFiles(const std::vector<std::string>& arguments) {
    std::error_code error;
    std::string folder = std::filesystem::current_path(error).string();
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    std::vector<CString> files;
    for (std::string name : arguments) {
        if (name.empty())
            continue;
        if (name.front() != '/') {
            while (name.compare(0, 2, "./") == 0)
                name.erase(0, name.find_first_not_of('/', 1));
            name = folder + name;
        }
        if (std::optional<std::wstring> wide = veldrun::ToWide(name))
            files.push_back(CString(std::move(*wide)));
    }
    return files;
}

} // namespace

// Message boxes are captioned with the product's name, which the executable's file name is not.
// The display name of Qt would serve too, but Qt appends it to every window title.
CVeldrunApp::CVeldrunApp() : CWinApp(res::VersionInfo::Get().productName.c_str()) {}

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
        dlg.OpenAtStart(StartFiles(Arguments()));
        m_pMainWnd = &dlg;
        dlg.DoModal();
        // The dialog is gone at the end of this block; nothing may find it through here.
        m_pMainWnd = nullptr;
    }
    return FALSE;
}
