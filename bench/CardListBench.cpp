// Times how soon a card of many large clips is listed in the main dialog (offscreen) with the
// name, length and date of every clip, from the drop until every row shows its Length and
// Recorded and the summary names the recordings; with a warm page cache and after dropping it
// (needs root), alternating. Also reports the longest stretch for which the user-interface
// thread was busy without going back to its event loop. Only the dialog's window and controls
// are used.
//
//   card_list_bench [--count N] [--size-mib M] [--runs R] FOLDER
//
// The clips (sparse files named 00000.MTS ..., real packets, tables and clocks in their first
// and last 700 ms, each continuing the one before) are made in FOLDER when missing. Prints the
// medians of R runs per case.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QWindow>

#include "bench/BenchSupport.h"
#include "engine/TextConversion.h"
#include "res/Resource.h"
#include "tests/support/TestStream.h"
#include "ui/CVeldrunDlg.h"
#include "ui/ClipTable.h"

namespace {

using veldrun::bench::DropCaches;
using veldrun::bench::Median;
using veldrun::test::TestStream;

typedef std::chrono::steady_clock Clock;

const qint64 kGiveUpMs = 10 * 60 * 1000;
const std::int64_t kSpan = 600 * TestStream::kSecond;
const std::int64_t kEnds = TestStream::kSecond * 7 / 10;

struct Run {
    double wall = 0;
    // The longest time between the event loop's waking and its next wait.
    double longestBusy = 0;
};

// About 2 MiB of a camcorder's stream at 24 Mbit/s: a clock every 600 packets.
std::string Packets(std::int64_t first, std::int64_t last) {
    return TestStream(192).Recording(first, last, 18, 600).Bytes();
}

std::string Clip(const std::string& folder, int at, std::int64_t size) {
    char name[16];
    std::snprintf(name, sizeof name, "/%05d.MTS", at);
    const std::string path = folder + name;
    std::error_code unknown;
    if (std::filesystem::file_size(path, unknown) == static_cast<std::uintmax_t>(size))
        return path;
    const std::int64_t first = at * (kSpan + TestStream::kSecond / 25);
    // The start carries the camera's date message, as a camcorder's clips do.
    const std::string head =
        TestStream(192).Dated(0x202407, 0x14101502).Bytes() + Packets(first, first + kEnds);
    const std::string tail = Packets(first + kSpan - kEnds, first + kSpan);
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(head.data(), static_cast<std::streamsize>(head.size()));
    }
    std::filesystem::resize_file(path, static_cast<std::uintmax_t>(size));
    std::fstream out(path, std::ios::in | std::ios::out | std::ios::binary);
    out.seekp(size - static_cast<std::int64_t>(tail.size()));
    out.write(tail.data(), static_cast<std::streamsize>(tail.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "card_list_bench: cannot write %s\n", path.c_str());
        std::exit(1);
    }
    return path;
}

// Every clip listed with its name, length and date, and the summary final.
bool Listed(CVeldrunDlg& dialog, int count) {
    auto* list = qobject_cast<QTreeWidget*>(dialog.GetDlgItem(IDC_INPUT_LIST)->GetWidget());
    if (!list || list->topLevelItemCount() != count)
        return false;
    for (int at = 0; at < count; ++at) {
        const QTreeWidgetItem* row = list->topLevelItem(at);
        if (row->text(ClipTable::kName).isEmpty() || row->text(ClipTable::kLength).isEmpty() ||
            row->text(ClipTable::kRecorded).isEmpty())
            return false;
    }
    CString summary;
    dialog.GetDlgItem(IDC_SUMMARY)->GetWindowText(summary);
    return summary.Str().find(L"recording") != std::wstring::npos;
}

// Drops the clips on a fresh dialog's list, as a file manager does, and times it until they
// are listed.
Run ListOnce(const QList<QUrl>& urls) {
    CVeldrunDlg dialog;
    Run run;
    bool listed = false;
    QAbstractEventDispatcher* loop = QAbstractEventDispatcher::instance();
    Clock::time_point woke = Clock::now();
    bool timing = false;
    const auto awake =
        QObject::connect(loop, &QAbstractEventDispatcher::awake, [&] { woke = Clock::now(); });
    const auto blocking = QObject::connect(loop, &QAbstractEventDispatcher::aboutToBlock, [&] {
        if (timing)
            run.longestBusy = std::max(run.longestBusy,
                                       std::chrono::duration<double>(Clock::now() - woke).count());
    });
    QTimer::singleShot(0, [&] {
        if (QTest::qWaitForWindowExposed(dialog.GetWidget())) {
            QMimeData data;
            data.setUrls(urls);
            QWidget* list = dialog.GetDlgItem(IDC_INPUT_LIST)->GetWidget();
            QWindow* window = dialog.GetWidget()->windowHandle();
            const QPoint at = list->mapTo(dialog.GetWidget(), list->rect().center());
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            // The time starts with the drop, and the stretch it is handled in counts.
            const Clock::time_point start = Clock::now();
            woke = start;
            timing = true;
            QApplication::sendEvent(window, &enter);
            QApplication::sendEvent(window, &drop);
            // A timer's tick only wakes the loop to look; it does not hold it up.
            QTimer tick;
            tick.start(5);
            while (!(listed = Listed(dialog, urls.size())) &&
                   Clock::now() - start < std::chrono::milliseconds(kGiveUpMs))
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            run.wall = std::chrono::duration<double>(Clock::now() - start).count();
            timing = false;
        }
        dialog.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    QObject::disconnect(awake);
    QObject::disconnect(blocking);
    if (!listed) {
        std::fprintf(stderr, "card_list_bench: the clips were not all listed\n");
        std::exit(1);
    }
    return run;
}

void Report(const char* name, const std::vector<Run>& runs, int count) {
    if (runs.empty()) {
        std::printf("%-5s not measured (dropping the page cache needs root)\n", name);
        return;
    }
    std::vector<double> wall, busy;
    for (const Run& run : runs) {
        wall.push_back(run.wall);
        busy.push_back(run.longestBusy);
    }
    std::printf(
        "%-5s %d clips, %zu runs: listed in %.3f s (median; slowest %.3f s), user-interface "
        "thread busy at most %.1f ms at a time (median; worst %.1f ms)\n",
        name, count, runs.size(), Median(wall), *std::max_element(wall.begin(), wall.end()),
        Median(busy) * 1000, *std::max_element(busy.begin(), busy.end()) * 1000);
    std::fflush(stdout);
}

} // namespace

// Run it with QT_QPA_PLATFORM=offscreen, as bench/card-list does.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    int count = 300, runs = 7;
    long long sizeMiB = 2048;
    std::string folder;
    for (int at = 1; at < argc; ++at) {
        const std::string word = argv[at];
        if (word == "--count" && at + 1 < argc)
            count = std::atoi(argv[++at]);
        else if (word == "--size-mib" && at + 1 < argc)
            sizeMiB = std::atoll(argv[++at]);
        else if (word == "--runs" && at + 1 < argc)
            runs = std::atoi(argv[++at]);
        else if (folder.empty() && word[0] != '-')
            folder = word;
        else
            count = 0;
    }
    if (folder.empty() || count < 1 || runs < 1 || sizeMiB < 8) {
        std::fprintf(stderr,
                     "usage: card_list_bench [--count N] [--size-mib M] [--runs R] FOLDER\n");
        return 2;
    }
    std::filesystem::create_directories(folder);
    const std::int64_t size = (static_cast<std::int64_t>(sizeMiB) << 20) / 192 * 192;
    QList<QUrl> urls;
    for (int at = 0; at < count; ++at)
        urls << QUrl::fromLocalFile(QString::fromStdString(Clip(folder, at, size)));

    const bool canDrop = DropCaches();
    std::vector<Run> cold, warm;
    for (int run = 0; run < runs; ++run) {
        // Alternating: a warm run straight after a cold one finds every page it needs.
        if (run % 2 == 0 && canDrop) {
            DropCaches();
            cold.push_back(ListOnce(urls));
        }
        ::sync();
        warm.push_back(ListOnce(urls));
        if (run % 2 == 1 && canDrop) {
            DropCaches();
            cold.push_back(ListOnce(urls));
        }
        std::fprintf(stderr, "run %d: warm %.3f s, busy %.1f ms\n", run + 1, warm.back().wall,
                     warm.back().longestBusy * 1000);
    }
    std::printf("%d clips of %lld MiB (sparse, real packets at both ends) in %s\n", count, sizeMiB,
                folder.c_str());
    Report("warm:", warm, count);
    Report("cold:", cold, count);
    return 0;
}
