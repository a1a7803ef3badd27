#include "platform/CWinApp.h"

#include <memory>
#include <string>

#include <QApplication>
#include <QFileInfo>

#include "platform/CWnd.h"
#include "platform/IconHandle.h"
#include "res/VersionInfo.h"

namespace {

CWinApp* theOnlyApp = nullptr;

// "/usr/bin/Veldrun.exe" gives "Veldrun"; a name that only starts with a dot stays whole.
std::wstring NameOfExecutable(const char* path) {
    const QFileInfo executable(QString::fromLocal8Bit(path ? path : ""));
    const QString name = executable.completeBaseName();
    return (name.isEmpty() ? executable.fileName() : name).toStdWString();
}

} // namespace

CWinApp::CWinApp(LPCTSTR appName) : m_appName(appName ? appName : L"") {
    theOnlyApp = this;
}

CWinApp::~CWinApp() {
    if (theOnlyApp == this)
        theOnlyApp = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

HICON CWinApp::LoadIcon(UINT id) const {
    return IconHandle::Load(static_cast<int>(id));
}

CWinApp* AfxGetApp() {
    return theOnlyApp;
}

CWnd* AfxGetMainWnd() {
    return theOnlyApp ? theOnlyApp->m_pMainWnd : nullptr;
}

LPCTSTR AfxGetAppName() {
    return theOnlyApp ? theOnlyApp->AppName().c_str() : L"";
}

QWidget* AfxGetDialogOwner() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return AfxGetMainWnd() ? AfxGetMainWnd()->GetWidget() : nullptr;
}

int AfxWinMain(int argc, char* argv[]) {
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    std::unique_ptr<QApplication> qtApp;
    if (!QApplication::instance())
        qtApp = std::make_unique<QApplication>(argc, argv);
    const std::wstring executable = NameOfExecutable(argc > 0 ? argv[0] : nullptr);
    if (app->m_appName.empty())
        app->m_appName = executable;
    app->m_arguments.assign(argv + (argc > 0 ? 1 : 0), argv + argc);
    // The executable's name names the program to the desktop (the window class that a desktop
    // entry's StartupWMClass matches); the application's name is what its boxes show.
    QApplication::setApplicationName(QString::fromStdWString(executable));
    QApplication::setApplicationVersion(
        QString::fromStdWString(res::VersionInfo::Get().productVersion));
    app->InitInstance();
    return 0;
}
