#include "ui/WindowSystemStart.h"

#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

#include <QApplication>
#include <QFileInfo>
#include <QtGlobal>

#include "engine/TextConversion.h"
#include "res/Resource.h"
#include "res/StringTable.h"
#include "ui/Translations.h"

namespace {

struct HeldMessage {
    QtMsgType type;
    std::string category;
    QString text;
};

// The main thread starts the application, but the window system's own threads (xcb's event
// reader) may already report while it does.
std::mutex heldMutex;
std::vector<HeldMessage> heldMessages;
std::string noDisplayLine;
QtMessageHandler previousHandler = nullptr;

// The window system libraries also write to standard error themselves (libwayland does, past
// Qt's message handler), so while the application opens, standard error goes to a scratch file.
std::FILE* heldOutput = nullptr;
int savedStandardError = -1;

void HoldStandardError() {
    std::fflush(stderr);
    heldOutput = std::tmpfile();
    savedStandardError = heldOutput ? ::dup(STDERR_FILENO) : -1;
    if (savedStandardError < 0 || ::dup2(::fileno(heldOutput), STDERR_FILENO) < 0) {
        if (savedStandardError >= 0)
            ::close(savedStandardError);
        if (heldOutput)
            std::fclose(heldOutput);
        heldOutput = nullptr;
        savedStandardError = -1;
    }
}

// Gives standard error back, with what was held when `pass` is true.
void ReleaseStandardError(bool pass) {
    if (!heldOutput)
        return;
    std::fflush(stderr);
    ::dup2(savedStandardError, STDERR_FILENO);
    ::close(savedStandardError);
    if (pass) {
        std::rewind(heldOutput);
        char buffer[4096];
        std::size_t count;
        while ((count = std::fread(buffer, 1, sizeof(buffer), heldOutput)) > 0)
            std::fwrite(buffer, 1, count, stderr);
    }
    std::fclose(heldOutput);
    heldOutput = nullptr;
}

void Replay() {
    const std::lock_guard<std::mutex> lock(heldMutex);
    for (const HeldMessage& message : heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
        previousHandler(message.type, context, message.text);
    }
    heldMessages.clear();
}

// Holds what Qt says while it opens the window system; a fatal message there means that no
// platform plugin could open its display, and Qt would abort right after this returns.
void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    {
        const std::lock_guard<std::mutex> lock(heldMutex);
        heldMessages.push_back({type, context.category ? context.category : "default", text});
    }
    if (type != QtFatalMsg)
        return;
    const bool debug = qEnvironmentVariableIsSet("QT_DEBUG_PLUGINS");
    ReleaseStandardError(debug);
    if (debug)
        Replay();
    std::fputs(noDisplayLine.c_str(), stderr);
    std::fflush(stderr);
    // Nothing of the half-made application may run any more: no destructors, no exit handlers.
    ::_exit(1);
}

} // namespace

std::unique_ptr<QApplication> WindowSystemStart::Open(int& argc, char** argv) {
    const std::string program =
        QFileInfo(QString::fromLocal8Bit(argc > 0 && argv[0] ? argv[0] : ""))
            .fileName()
            .toLocal8Bit()
            .toStdString();
    const wchar_t* noDisplay = res::StringTable::Find(IDS_NO_DISPLAY);
    const std::optional<std::string> message =
        noDisplay ? veldrun::ToNarrow(noDisplay) : std::nullopt;
    // In the desktop's language, which is known before the application is.
    const QString line =
        message ? Translations::Text("StringTable", message->c_str()) : "cannot open a display";
    noDisplayLine = program + ": " + line.toLocal8Bit().toStdString() + "\n";
    // Qt gives its default handler back when none was installed before.
    previousHandler = qInstallMessageHandler(HoldMessage);
    HoldStandardError();
    auto application = std::make_unique<QApplication>(argc, argv);
    ReleaseStandardError(true);
    qInstallMessageHandler(previousHandler);
    Replay();
    return application;
}
