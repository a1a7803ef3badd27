#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <vector>

#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTreeWidget>

#include "platform/ListBoxWidget.h"
#include "res/Resource.h"
#include "res/Version.h"
#include "tests/support/TempDir.h"
#include "tests/ui/MainDialogHarness.h"
#include "tests/ui/ModalWatch.h"
#include "ui/CVeldrunApp.h"
#include "ui/ChoiceBox.h"
#include "ui/CommandLine.h"

using veldrun::test::ControlOf;
using veldrun::test::ModalWatch;
using veldrun::test::TempDir;

namespace {

// What the main dialog shows right after the start.
struct Shown {
    std::vector<std::string> entries;
    int selected = -2;
    std::string selection;
    std::string size;
};

// Runs the application as its entry does, with these arguments after the program's name, and
// reads the main dialog as it opens, once `listed` entries are there (a folder's clips come
// from a search). The Qt application exists already, so the arguments reach
// the program as given; the built program below shows that Qt's options are taken out first.
Shown StartWith(std::vector<std::string> arguments, int listed = 0) {
    CVeldrunApp app;
    Shown shown;
    ModalWatch main("Veldrun", [&](QWidget* window) {
        auto* list = static_cast<QTreeWidget*>(ControlOf(window, IDC_INPUT_LIST));
        if (!QTest::qWaitFor([list, listed] { return list->topLevelItemCount() >= listed; }, 5000))
            ADD_FAILURE() << "the list never had " << listed << " entries";
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            shown.entries.push_back(
                list->topLevelItem(i)->data(0, ListBoxWidget::kTextRole).toString().toStdString());
        shown.selected = list->indexOfTopLevelItem(list->currentItem());
        shown.selection =
            static_cast<QLineEdit*>(ControlOf(window, IDC_CURRENT_SELECTION))->text().toStdString();
        // The selected clip's size comes once the reader has read it.
        auto* size = static_cast<QLineEdit*>(ControlOf(window, IDC_FILE_SIZE));
        if (list->indexOfTopLevelItem(list->currentItem()) >= 0 &&
            !QTest::qWaitFor([size] { return size->text() != "<N/A>"; }, 5000))
            ADD_FAILURE() << "the selected clip's size never came";
        shown.size = size->text().toStdString();
        // With clips listed, Escape first asks whether to forget them.
        ChoiceBox::Answers().Queue(0);
        QTest::keyClick(window, Qt::Key_Escape);
        ChoiceBox::Answers().Clear();
    });
    arguments.insert(arguments.begin(), "/usr/bin/veldrun");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    EXPECT_EQ(AfxWinMain(static_cast<int>(arguments.size()), argv.data()), 0);
    EXPECT_EQ(main.Seen(), 1);
    return shown;
}

// Runs the current folder's change for one test.
class InFolder {
public:
    explicit InFolder(const std::string& folder) : m_before(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~InFolder() { std::filesystem::current_path(m_before); }

private:
    std::filesystem::path m_before;
};

} // namespace

TEST(Start, FilesAndFoldersOnTheCommandLineAreListedInTheirOrderTheFirstSelected) {
    TempDir dir;
    const std::string second = dir.Write("00002.MTS", TempDir::Pattern(1500000, 2));
    const std::string first = dir.Write("00001.MTS", TempDir::Pattern(700, 1));
    dir.Write("00000.MTS", TempDir::Pattern(10, 0));
    std::filesystem::create_directory(dir / "clips.MTS");
    const std::string inside = dir.Write("clips.MTS/b 9.MTS", "9");
    const std::string later = dir.Write("clips.MTS/b 10.MTS", "10");
    ASSERT_EQ(::mkfifo((dir / "pipe.MTS").c_str(), 0600), 0);

    InFolder in(dir.Path());
    // Not sorted: the file manager's order is the user's.
    const Shown shown = StartWith({second, "clips.MTS/", "missing.MTS", "./00000.MTS", "", first,
                                   "sub/../00001.MTS", "pipe.MTS"},
                                  6);
    const std::vector<std::string> expected = {second, inside,          later, dir / "00000.MTS",
                                               first,  dir / "pipe.MTS"};
    EXPECT_EQ(shown.entries, expected)
        << "a folder brings its clips where it stands; a missing name and an empty one are skipped";
    EXPECT_EQ(shown.selected, 0);
    EXPECT_EQ(shown.selection, second);
    EXPECT_EQ(shown.size, "1.5 MB") << "the fields show the selected file";
}

TEST(Start, WithoutFilesTheListIsEmptyAndNothingSelected) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, std::vector<std::string>{"/no/such/clip.MTS", ""}}) {
        const Shown shown = StartWith(arguments);
        EXPECT_TRUE(shown.entries.empty());
        EXPECT_EQ(shown.selected, -1);
        EXPECT_EQ(shown.selection, "<None selected>");
        EXPECT_EQ(shown.size, "<N/A>");
    }
}

namespace {

// The built program in an environment without any display, unless `add` names one.
QProcessEnvironment WithoutDisplay(const std::map<QString, QString>& add = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE",
                             "QT_DEBUG_PLUGINS", "QT_FATAL_WARNINGS"})
        environment.remove(name);
    for (const auto& [name, value] : add)
        environment.insert(name, value);
    return environment;
}

} // namespace

// Where no display can be opened the program says so in one line and fails, instead of
// aborting with a core dump and advice to reinstall.
TEST(Start, WithoutADisplayTheProgramSaysSoInOneLineAndEndsWithStatusOne) {
    TempDir dir;
    const std::map<QString, QString> unset;
    const std::vector<std::map<QString, QString>> cases = {
        unset,
        {{"DISPLAY", ":4711"}},
        {{"WAYLAND_DISPLAY", "no-such-compositor"},
         {"XDG_RUNTIME_DIR", QString::fromStdString(dir.Path())}},
        {{"WAYLAND_DISPLAY", "no-such-compositor"}, {"XDG_RUNTIME_DIR", ""}, {"DISPLAY", ":4711"}},
    };
    for (const auto& environment : cases) {
        QProcess program;
        program.setProcessEnvironment(WithoutDisplay(environment));
        program.start(VELDRUN_PROGRAM, {QString::fromStdString(dir.Write("a.MTS", "a"))});
        ASSERT_TRUE(program.waitForFinished(20000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "no abort, no core dump";
        EXPECT_EQ(program.exitCode(), 1);
        EXPECT_EQ(program.readAllStandardError().toStdString(),
                  "veldrun: cannot open a display; start Veldrun from a desktop session, or use "
                  "veldrun-cli\n");
        EXPECT_EQ(program.readAllStandardOutput().toStdString(), "");
    }
}

// The line is said before the application exists, still in the desktop's language.
TEST(Start, WithoutADisplayTheLineIsInTheDesktopsLanguage) {
    QProcess program;
    program.setProcessEnvironment(
        WithoutDisplay({{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", ""}, {"LC_ALL", ""}}));
    program.start(VELDRUN_PROGRAM, QStringList{});
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_EQ(program.readAllStandardError().toStdString(),
              "veldrun: Anzeige kann nicht geöffnet werden; starten Sie Veldrun aus einer "
              "Desktop-Sitzung oder verwenden Sie veldrun-cli\n");
}

// Qt's own options still work: here -platform alone gives the program a window system, and the
// dialog waits for the user.
TEST(Start, QtOptionsOnTheCommandLineStillWork) {
    TempDir dir;
    QProcess program;
    program.setProcessEnvironment(WithoutDisplay());
    program.start(VELDRUN_PROGRAM, {"-platform", "offscreen", "-style", "Fusion", "-reverse",
                                    QString::fromStdString(dir.Write("clip.mts", "c"))});
    ASSERT_TRUE(program.waitForStarted(10000));
    EXPECT_FALSE(program.waitForFinished(1500))
        << "ended early: " << program.readAllStandardError().toStdString();
    // SIGTERM closes it as closing its window does.
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

namespace {

struct Ended {
    int status = -1;
    std::string out;
    std::string err;
};

Ended RunProgram(const QStringList& arguments, const QProcessEnvironment& environment,
                 const QString& outputFile = QString()) {
    QProcess program;
    program.setProcessEnvironment(environment);
    if (!outputFile.isEmpty())
        program.setStandardOutputFile(outputFile);
    program.start(VELDRUN_PROGRAM, arguments);
    Ended ended;
    if (!program.waitForFinished(20000)) {
        program.kill();
        program.waitForFinished();
        ADD_FAILURE() << "still running: the window opened";
        return ended;
    }
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    ended.status = program.exitCode();
    ended.out = program.readAllStandardOutput().toStdString();
    ended.err = program.readAllStandardError().toStdString();
    return ended;
}

} // namespace

// Help and the version need no window system: a text console or a remote shell has none.
TEST(CommandLine, HelpAndVersionPrintAndExitWithoutADisplay) {
    for (const auto& environment :
         {WithoutDisplay(), WithoutDisplay({{"QT_QPA_PLATFORM", "xcb"}})}) {
        for (const char* option : {"--help", "-h"}) {
            const Ended help = RunProgram({"-platform", "xcb", option, "clip.mts"}, environment);
            EXPECT_EQ(help.status, 0) << help.err;
            EXPECT_EQ(help.out.rfind("Usage: " VELDRUN_PROGRAM " [options] [file...]\n", 0), 0u)
                << help.out;
            for (const char* listed : {"--help", "--version", "-reverse", "./-name"})
                EXPECT_NE(help.out.find(listed), std::string::npos) << listed;
            EXPECT_EQ(help.err, "");
        }
        for (const char* option : {"--version", "-v"}) {
            const Ended version = RunProgram({option}, environment);
            EXPECT_EQ(version.status, 0) << version.err;
            EXPECT_EQ(version.out, "Veldrun " VELDRUN_VERSION "\n");
            EXPECT_EQ(version.err, "");
        }
    }
    // --help-all adds Qt's options, those of the widgets too.
    const Ended all = RunProgram({"--help-all"}, WithoutDisplay());
    EXPECT_EQ(all.status, 0);
    for (const char* listed : {"--version", "-platform", "-reverse", "-style"})
        EXPECT_NE(all.out.find(listed), std::string::npos) << listed;
    // Qt's options are not bundles of letters: -reverse holds a v, -platformtheme an h.
    const Ended reverse = RunProgram({"-reverse", "-platformtheme", "none"}, WithoutDisplay());
    EXPECT_EQ(reverse.status, 1) << "went on to open a display";
    // After "--" everything is a file.
    EXPECT_EQ(RunProgram({"--", "--help"}, WithoutDisplay()).status, 1);
}

TEST(CommandLine, HelpThatCannotBeWrittenFailsAndSaysWhy) {
    const Ended full = RunProgram({"--help"}, WithoutDisplay(), "/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "veldrun: No space left on device\n");
}

TEST(CommandLine, AnUnknownOptionIsAUsageErrorWithStatusTwo) {
    // A runtime folder of its own keeps Qt from warning about the missing one.
    TempDir runtime;
    const Ended unknown =
        RunProgram({"-platform", "offscreen", "--bogus", "-x"},
                   WithoutDisplay({{"XDG_RUNTIME_DIR", QString::fromStdString(runtime.Path())}}));
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "veldrun: Unknown options: bogus, x.\nUsage: " VELDRUN_PROGRAM
                           " [options] [file...]\n");
    EXPECT_EQ(unknown.out, "");
}

// What is left after Qt's options: files, with a dash only after "--".
TEST(CommandLine, TheEndOfOptionsIsTakenOutAndWhatFollowsAreFiles) {
    std::vector<std::string> arguments = {"veldrun", "a.mts", "--", "-x.mts", "--", "b.mts"};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    int argc = static_cast<int>(arguments.size());
    EXPECT_EQ(CommandLine::Check(argc, argv.data()), std::nullopt);
    ASSERT_EQ(argc, 5);
    EXPECT_EQ(std::vector<std::string>(argv.begin(), argv.begin() + argc),
              (std::vector<std::string>{"veldrun", "a.mts", "-x.mts", "--", "b.mts"}));
    EXPECT_EQ(argv[argc], nullptr);
}
