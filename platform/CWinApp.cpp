#include "platform/CWinApp.h"

#include <memory>
#include <optional>
#include <string>

#include <QApplication>
#include <QFileInfo>

#include "platform/CWnd.h"
#include "platform/IconHandle.h"
#include "platform/TextConversion.h"
#include "platform/WindowSystemStart.h"
#include "res/Resource.h"
#include "res/StringTable.h"
#include "res/VersionInfo.h"

namespace {

CWinApp* theOnlyApp = nullptr;

QFileInfo Executable(const char* path) {
    return QFileInfo(QString::fromLocal8Bit(path ? path : ""));
}

// "/usr/bin/Veldrun.exe" gives "Veldrun.exe".
std::string FileName(const char* path) {
    return Executable(path).fileName().toLocal8Bit().toStdString();
}

// "/usr/bin/Veldrun.exe" gives "Veldrun"; a name that only starts with a dot stays whole.
std::wstring NameOfExecutable(const char* path) {
    const QFileInfo executable = Executable(path);
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

int CWinApp::ExitInstance() {
    return 0;
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
    if (!QApplication::instance()) {
        const wchar_t* noDisplay = res::StringTable::Find(IDS_NO_DISPLAY);
        const std::optional<std::string> message = noDisplay ? ToNarrow(noDisplay) : std::nullopt;
        qtApp = WindowSystemStart::Open(argc, argv, FileName(argc > 0 ? argv[0] : nullptr),
                                        message.value_or("cannot open a display"));
    }
    if (app->m_appName.empty())
        app->m_appName = NameOfExecutable(argc > 0 ? argv[0] : nullptr);
    app->m_arguments.assign(argv + (argc > 0 ? 1 : 0), argv + argc);
    QApplication::setApplicationName(QString::fromStdWString(app->m_appName));
    QApplication::setApplicationVersion(
        QString::fromStdWString(res::VersionInfo::Get().productVersion));
    app->InitInstance();
    return app->ExitInstance();
}
