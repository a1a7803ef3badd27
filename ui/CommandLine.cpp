#include "ui/CommandLine.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

#include "res/Tr.h"
#include "res/VersionInfo.h"
#include "ui/Translations.h"

namespace {

void Describe(QCommandLineParser& parser) {
    // Long options with one dash are Qt's (-reverse), not bundles of short ones (-r -e -v ...).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QString::fromStdWString(res::Tr(
        "CommandLine", "Lists camcorder clips (.mts) in a dialog and joins them into one file.\n"
                       "Qt's options, such as -platform NAME, -display DISPLAY, -style NAME and "
                       "-reverse, work as in every Qt program.")));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QString::fromStdWString(res::Tr("CommandLine", "file")),
        QString::fromStdWString(
            res::Tr("CommandLine",
                    "A clip to list, or a folder of clips. A name that begins with a dash is "
                    "given as ./-name.")),
        QString::fromStdWString(res::Tr("CommandLine", "[file...]")));
}

QStringList ArgumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

std::string ProgramName(int argc, char** argv) {
    return QFileInfo(QString::fromLocal8Bit(argc > 0 && argv[0] ? argv[0] : ""))
        .fileName()
        .toLocal8Bit()
        .toStdString();
}

// The text goes out whole or the status says it did not: a full disk or a closed output
// must not pass for a printed help.
int Write(const QString& text, const std::string& program) {
    const QByteArray bytes = text.toLocal8Bit();
    const bool written = std::fwrite(bytes.constData(), 1, bytes.size(), stdout) ==
                         static_cast<std::size_t>(bytes.size());
    if (std::fflush(stdout) == 0 && written && !std::ferror(stdout))
        return 0;
    const int error = errno;
    std::fprintf(stderr, "%s: %s\n", program.c_str(), std::strerror(error));
    return 1;
}

} // namespace

std::optional<int> CommandLine::Answer(int argc, char** argv) {
    QCommandLineParser parser;
    Describe(parser);
    // Qt's options are unknown here and make the parse fail; only whether help or the version
    // was asked for counts.
    parser.parse(ArgumentsOf(argc, argv));
    const QStringList found = parser.optionNames();
    const bool version = found.contains("v") || found.contains("version");
    const bool help = found.contains("h") || found.contains("help");
    const bool helpAll = found.contains("help-all");
    if (!version && !help && !helpAll)
        return std::nullopt;
    if (helpAll && !version && !help) {
        // Qt lists its own options only for the widget application, which the offscreen
        // platform gives without a window system. Qt writes the text and ends the process.
        char platform[] = "-platform";
        char offscreen[] = "offscreen";
        char* qtArgv[] = {argv[0], platform, offscreen, nullptr};
        int qtArgc = 3;
        const QApplication application(qtArgc, qtArgv);
        parser.process(QStringList{QString::fromLocal8Bit(argv[0]), "--help-all"});
    }
    // The application only names the program and carries the translations; it opens no window
    // system.
    const QCoreApplication application(argc, argv);
    // The help speaks the desktop's language, so its texts are made once that is loaded.
    Translations::Load();
    QCommandLineParser translated;
    Describe(translated);
    const res::VersionInfo& info = res::VersionInfo::Get();
    const std::string program = ProgramName(argc, argv);
    // Qt's order: the version wins over the help.
    if (version)
        return Write(QString::fromStdWString(info.productName + L" " + info.productVersion) + "\n",
                     program);
    return Write(translated.helpText(), program);
}

std::optional<int> CommandLine::Check(int& argc, char** argv) {
    QCommandLineParser parser;
    Describe(parser);
    if (!parser.parse(ArgumentsOf(argc, argv))) {
        const QString usage = parser.helpText().section('\n', 0, 0);
        const QByteArray message = (QString::fromStdString(ProgramName(argc, argv)) + ": " +
                                    parser.errorText() + "\n" + usage + "\n")
                                       .toLocal8Bit();
        std::fputs(message.constData(), stderr);
        return 2;
    }
    // Every argument is a file now, but for the first "--".
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") != 0)
            continue;
        for (int next = i; next < argc; ++next)
            argv[next] = argv[next + 1];
        --argc;
        break;
    }
    return std::nullopt;
}
