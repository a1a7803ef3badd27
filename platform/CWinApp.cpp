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
    if (app->m_appName.empty())
        app->m_appName = NameOfExecutable(argc > 0 ? argv[0] : nullptr);
    app->m_arguments.assign(argv + (argc > 0 ? 1 : 0), argv + argc);
    QApplication::setApplicationName(QString::fromStdWString(app->m_appName));
    QApplication::setApplicationVersion(
        QString::fromStdWString(res::VersionInfo::Get().productVersion));
    app->InitInstance();
    return 0;
}
