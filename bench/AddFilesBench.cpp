// Times how long the user-interface thread is busy when many clips come into the main dialog
// (offscreen) at once: dropped onto the list as a file manager drops them, and chosen together
// in Add's file dialog. Each run opens a fresh dialog and ends when the list, its marks and the
// summary are final: every entry listed and the summary naming the recordings, which it does
// only once every clip has been read. Only the dialog's window and controls are used, so the
// figures stay comparable whatever the dialog does inside.
//
//   add_files_bench [--files N] [--runs R]
//
// The clips (N small transport streams with a clock, each continuing the one before, named
// 00000.MTS ...) are made in a temporary folder. Prints the median of R runs per case: the
// CPU time of the user-interface thread and the wall time.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QWindow>

#include "bench/BenchSupport.h"
#include "engine/TextConversion.h"
#include "platform/CFileDialog.h"
#include "res/Resource.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestStream.h"
#include "ui/CVeldrunDlg.h"

namespace {

using veldrun::bench::Median;

using veldrun::test::TempDir;
using veldrun::test::TestStream;

typedef std::chrono::steady_clock Clock;

// A run that has not ended by then is reported as stuck.
const qint64 kGiveUpMs = 30 * 60 * 1000;

struct Figures {
    double cpu = 0;
    double wall = 0;
    std::string summary;
};

double ThreadCpuSeconds() {
    timespec now;
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Clips of ten seconds, each starting a frame after the one before ends: one recording.
std::vector<std::string> MakeClips(const TempDir& dir, int count) {
    const std::int64_t span = 10 * TestStream::kSecond;
    const std::int64_t frame = TestStream::kSecond / 25;
    std::vector<std::string> paths;
    for (int at = 0; at < count; ++at) {
        const std::int64_t first = at * (span + frame);
        char name[16];
        std::snprintf(name, sizeof name, "%05d.MTS", at);
        paths.push_back(dir.Write(name, TestStream(192).Recording(first, first + span).Bytes()));
    }
    return paths;
}

QWidget* Control(CVeldrunDlg& dialog, int id) {
    CWnd* item = dialog.GetDlgItem(id);
    return item ? item->GetWidget() : nullptr;
}

std::wstring TextOf(CVeldrunDlg& dialog, int id) {
    CString text;
    if (CWnd* item = dialog.GetDlgItem(id))
        item->GetWindowText(text);
    return text.Str();
}

// Handles events until every clip is listed and the summary counts the recordings. Not
// QTest::qWaitFor, which sleeps between its passes: the time measured would be its own.
bool AwaitFinal(CVeldrunDlg& dialog, int count) {
    auto* list = qobject_cast<QTreeWidget*>(Control(dialog, IDC_INPUT_LIST));
    const std::wstring clips = std::to_wstring(count) + L" clips, ";
    const auto done = [&] {
        const std::wstring summary = TextOf(dialog, IDC_SUMMARY);
        return list && list->topLevelItemCount() == count && summary.rfind(clips, 0) == 0 &&
               summary.find(L"recording") != std::wstring::npos;
    };
    QTimer tick;
    tick.start(50);
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.hasExpired(kGiveUpMs))
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Opens a fresh main dialog, runs `bring` on it once it shows and times it until the list
// and its details are final.
Figures Run(int count, const std::function<void(CVeldrunDlg&)>& bring) {
    CVeldrunDlg dialog;
    Figures figures;
    bool finished = false;
    QTimer::singleShot(0, [&] {
        if (QTest::qWaitForWindowExposed(dialog.GetWidget())) {
            const double cpu = ThreadCpuSeconds();
            const Clock::time_point start = Clock::now();
            bring(dialog);
            finished = AwaitFinal(dialog, count);
            figures.cpu = ThreadCpuSeconds() - cpu;
            figures.wall = std::chrono::duration<double>(Clock::now() - start).count();
            figures.summary = veldrun::ToNarrow(TextOf(dialog, IDC_SUMMARY)).value_or("");
        }
        dialog.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    if (!finished) {
        std::fprintf(stderr, "add_files_bench: the list did not become final; summary: %s\n",
                     veldrun::ToNarrow(TextOf(dialog, IDC_SUMMARY)).value_or("").c_str());
        std::exit(1);
    }
    return figures;
}

// Drags the files over the list and drops them, as a file manager does: the events go to the
// dialog's window, which passes them to the widget under the point.
void Drop(CVeldrunDlg& dialog, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QWidget* list = Control(dialog, IDC_INPUT_LIST);
    QWindow* window = dialog.GetWidget()->windowHandle();
    const QPoint at = list->mapTo(dialog.GetWidget(), list->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    if (!drop.isAccepted()) {
        std::fprintf(stderr, "add_files_bench: the dialog refused the drop\n");
        std::exit(1);
    }
}

// Chooses all the files at once in Add's file dialog.
void Add(CVeldrunDlg& dialog, const std::vector<std::wstring>& paths) {
    CFileDialog::Answers().Queue({IDOK, paths});
    QTest::mouseClick(Control(dialog, IDC_ADD), Qt::LeftButton);
}

void Report(const char* name, int count, const std::vector<Figures>& runs) {
    std::vector<double> cpu, wall;
    for (const Figures& run : runs) {
        cpu.push_back(run.cpu);
        wall.push_back(run.wall);
    }
    std::printf("%s %d files: ui cpu %.3f s, wall %.3f s\n", name, count, Median(cpu),
                Median(wall));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    int count = 1000, runs = 5;
    for (int at = 1; at < argc; ++at) {
        const std::string word = argv[at];
        if (word == "--files" && at + 1 < argc)
            count = std::atoi(argv[++at]);
        else if (word == "--runs" && at + 1 < argc)
            runs = std::atoi(argv[++at]);
        else
            count = 0;
    }
    if (count < 1 || runs < 1) {
        std::fprintf(stderr, "usage: add_files_bench [--files N] [--runs R]\n");
        return 2;
    }

    const TempDir dir;
    const std::vector<std::string> paths = MakeClips(dir, count);
    QList<QUrl> urls;
    std::vector<std::wstring> wide;
    for (const std::string& path : paths) {
        urls << QUrl::fromLocalFile(QString::fromStdString(path));
        wide.push_back(veldrun::ToWide(path).value_or(L""));
    }

    const struct {
        const char* name;
        std::function<void(CVeldrunDlg&)> bring;
    } cases[] = {
        {"drop",
         [&](CVeldrunDlg& dialog) {
             Drop(dialog, urls);
         }},
        {"add",
         [&](CVeldrunDlg& dialog) {
             Add(dialog, wide);
         }},
    };
    for (const auto& one : cases) {
        std::vector<Figures> figures;
        for (int run = 1; run <= runs; ++run) {
            figures.push_back(Run(count, one.bring));
            std::fprintf(stderr, "%s run %d: ui cpu %.3f s, wall %.3f s (%s)\n", one.name, run,
                         figures.back().cpu, figures.back().wall, figures.back().summary.c_str());
        }
        Report(one.name, count, figures);
    }
    return 0;
}
