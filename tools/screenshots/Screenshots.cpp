// Renders the main dialog, the progress dialog and the About box, as the program shows them,
// into PNG files for the documentation: veldrun_screenshots FOLDER writes
// FOLDER/main-dialog.png (at its default size), FOLDER/main-dialog-maximized.png,
// FOLDER/input-list.png (a camcorder's card of nine clips from three recordings, at the
// default size), FOLDER/progress-dialog.png and FOLDER/about-box.png. It runs the real start-up on
// Qt's offscreen platform and uses the dialogs as a user would: sample clips with a memory card's
// long paths are dropped onto the list, the second one is clicked and an output name is typed;
// the window is maximized and restored; Merge runs
// into a pipe that stops taking bytes part way, so that the progress dialog holds still for its
// picture, and is then cancelled; the About box comes from the system command.

#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utime.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include "platform/AfxMessageBox.h"
#include "platform/CWinApp.h"
#include "platform/CWnd.h"
#include "platform/DialogBuilder.h"
#include "progress/CProgressDlg.h"
#include "res/Resource.h"
#include "res/Tr.h"
#include "tests/support/TestStream.h"
#include "tests/ui/ModalWatch.h"
#include "ui/CVeldrunApp.h"
#include "ui/Translations.h"

using veldrun::test::ModalWatch;
using veldrun::test::TestStream;

namespace {

// Camcorders cut a recording into pieces of about 2 GB; sparse files take no room.
const qint64 kClipSizes[] = {2147475456, 2147475456, 1073668096};
const qint64 kTotal = kClipSizes[0] + kClipSizes[1] + kClipSizes[2];
// Where the output pipe stops taking bytes: within the second clip, at 60 % of the whole.
const qint64 kPauseAt = kClipSizes[0] + (qint64(1) << 30) + 32768;

// Reads the output pipe: up to kPauseAt bytes, then, once released, to its end.
class PipeReader {
public:
    explicit PipeReader(const QString& path) : m_path(path.toStdString()) {}
    ~PipeReader() {
        Release();
        if (m_thread.joinable())
            m_thread.join();
    }

    void Start() {
        m_thread = std::thread([this] {
            const int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0)
                return;
            static char buffer[65536];
            qint64 read = 0;
            for (;;) {
                qint64 want = sizeof buffer;
                if (read < kPauseAt && read + want > kPauseAt)
                    want = kPauseAt - read;
                if (read == kPauseAt) {
                    std::unique_lock<std::mutex> lock(m_lock);
                    m_changed.wait(lock, [this] { return m_released; });
                }
                const ssize_t got = ::read(fd, buffer, static_cast<size_t>(want));
                if (got <= 0)
                    break;
                read += got;
            }
            ::close(fd);
        });
    }

    void Release() {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_released = true;
        }
        m_changed.notify_all();
    }

private:
    std::string m_path;
    std::thread m_thread;
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_released = false;
};

bool Save(QWidget* window, const QString& path) {
    QApplication::processEvents();
    if (window->grab().save(path, "PNG"))
        return true;
    std::fprintf(stderr, "veldrun_screenshots: cannot write %s\n", qPrintable(path));
    return false;
}

// The sample clips, in a folder of a fixed name so that the pictures do not change between
// runs.
class SampleClips {
public:
    SampleClips() : m_root(QDir::tempPath() + "/veldrun-demo") {
        m_root.removeRecursively();
        const QString camcorder = m_root.path() + "/media/anna/CANON_SD/PRIVATE/AVCHD/BDMV/STREAM";
        QDir().mkpath(camcorder);
        int number = 1;
        for (qint64 size : kClipSizes) {
            QFile clip(camcorder + QString("/%1.MTS").arg(number++, 5, 10, QChar('0')));
            if (clip.open(QIODevice::WriteOnly))
                clip.resize(size);
            clip.close();
            // A fixed date, so that the pictures do not change between runs either.
            const time_t date = QDateTime(QDate(2024, 7, 14), QTime(10, 15)).toSecsSinceEpoch();
            const utimbuf times = {date, date};
            ::utime(qPrintable(clip.fileName()), &times);
            m_clips << QUrl::fromLocalFile(clip.fileName());
        }
    }
    ~SampleClips() { m_root.removeRecursively(); }

    const QList<QUrl>& Urls() const { return m_clips; }
    QString Output() const { return m_root.path() + "/media/anna/Videos/Holiday.mts"; }

private:
    QDir m_root;
    QList<QUrl> m_clips;
};

// A camcorder's card: nine clips of three recordings, each piece a sparse file of the
// camcorder's size with real packets at both ends and the camera's date message at its start.
class SampleCard {
public:
    // The card where a camcorder's card is mounted, when that folder is free and can be made
    // (and taken away again), else below the temporary folder.
    SampleCard()
        : m_root(!QDir("/media/anna").exists() && QDir().mkpath("/media/anna/CANON_HF")
                     ? QString("/media/anna")
                     : QDir::tempPath() + "/veldrun-card/media/anna") {
        const QString stream = m_root.path() + "/CANON_HF/PRIVATE/AVCHD/BDMV/STREAM";
        QDir().mkpath(stream);
        // Pieces of each recording, its start (local time) and the length of its last piece.
        const struct {
            int pieces;
            int day, hour, minute, second;
            std::int64_t lastSeconds;
        } recordings[] = {{4, 14, 10, 15, 2, 263}, {2, 14, 11, 42, 37, 388}, {3, 15, 9, 8, 51, 97}};
        const std::int64_t piece = 2147475456 / 192 * 192;
        // A full piece at 24 Mbit/s.
        const std::int64_t pieceSeconds = piece * 8 / 24000000;
        int number = 1;
        std::int64_t clock = 0;
        for (const auto& each : recordings) {
            for (int at = 0; at < each.pieces; ++at) {
                const bool last = at == each.pieces - 1;
                const std::int64_t seconds = last ? each.lastSeconds : pieceSeconds;
                const std::int64_t size = last ? seconds * 3000000 / 192 * 192 : piece;
                const QString path = stream + QString("/%1.MTS").arg(number++, 5, 10, QChar('0'));
                // Each piece carries the time it began; the file's date is when it closed.
                const QDateTime begun =
                    QDateTime(QDate(2024, 7, each.day), QTime(each.hour, each.minute, each.second))
                        .addSecs(pieceSeconds * at);
                Write(path, size, clock, clock + seconds * TestStream::kSecond, begun,
                      begun.addSecs(seconds));
                m_clips << QUrl::fromLocalFile(path);
                clock += seconds * TestStream::kSecond + TestStream::kSecond / 25;
            }
            // A new recording starts its clock afresh.
            clock += 3600 * TestStream::kSecond;
        }
    }
    ~SampleCard() { m_root.removeRecursively(); }

    const QList<QUrl>& Urls() const { return m_clips; }

private:
    static unsigned Bcd(int value) { return unsigned(value / 10) << 4 | unsigned(value % 10); }

    static void Write(const QString& path, std::int64_t size, std::int64_t first, std::int64_t last,
                      const QDateTime& start, const QDateTime& closed) {
        const std::int64_t ends = TestStream::kSecond * 7 / 10;
        // The camera's date message, its digits in BCD: 0x202407 and 0x14101502 for
        // 2024-07-14 10:15:02.
        const QDate day = start.date();
        const QTime time = start.time();
        const unsigned yearMonth =
            Bcd(day.year() / 100) << 16 | Bcd(day.year() % 100) << 8 | Bcd(day.month());
        const unsigned dayTime = Bcd(day.day()) << 24 | Bcd(time.hour()) << 16 |
                                 Bcd(time.minute()) << 8 | Bcd(time.second());
        const std::string head = TestStream(192)
                                     .Dated(yearMonth, dayTime)
                                     .Recording(first, first + ends, 18, 600)
                                     .Bytes();
        const std::string tail = TestStream(192).Recording(last - ends, last, 18, 600).Bytes();
        QFile clip(path);
        if (!clip.open(QIODevice::WriteOnly) || clip.write(head.data(), head.size()) < 0 ||
            !clip.resize(size) || !clip.seek(size - static_cast<qint64>(tail.size())) ||
            clip.write(tail.data(), tail.size()) < 0)
            std::fprintf(stderr, "veldrun_screenshots: cannot write %s\n", qPrintable(path));
        clip.close();
        const utimbuf times = {closed.toSecsSinceEpoch(), closed.toSecsSinceEpoch()};
        ::utime(qPrintable(path), &times);
    }

    QDir m_root;
    QList<QUrl> m_clips;
};

// Handles events until `done` holds; a picture taken anyway shows what went wrong, so a
// timeout is only reported. Not QTest::qWaitFor: it sleeps between its passes, and a merge's
// records, each delivered by an event of its own, would then be shown far slower than they
// come.
void Await(const std::function<bool()>& done, const char* otherwise) {
    QTimer tick;
    tick.start(50);
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.hasExpired(20000)) {
            std::fprintf(stderr, "veldrun_screenshots: %s\n", otherwise);
            return;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

QWidget* Control(QWidget* window, int id) {
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->property(DialogBuilder::kIdProperty).toInt() == id)
            return child;
    }
    return nullptr;
}

void Drop(QWidget* window, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    // Qt delivers a drop only where the drag entered.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
}

void Fill(QWidget* window, const SampleClips& clips) {
    Drop(window, clips.Urls());
    // Shown once the clips are read: their sizes add up under the list, "in all" in the
    // language shown.
    const QString inAll =
        QString::fromStdWString(res::Tr("ClipFacts", "%1 in all")).section("%1", 1);
    Await([&] { return Control(window, IDC_SUMMARY)->property("text").toString().endsWith(inAll); },
          "the clips were not read");
    auto* list = qobject_cast<QTreeWidget*>(Control(window, IDC_INPUT_LIST));
    if (list && list->topLevelItemCount() > 1) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(1)).center());
    }
    QTest::keyClicks(Control(window, IDC_OUTPUT_FILE), clips.Output());
}

// Removes every entry of the list, as the user does.
void Clear(QWidget* window) {
    auto* list = qobject_cast<QTreeWidget*>(Control(window, IDC_INPUT_LIST));
    while (list && list->topLevelItemCount() > 0) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(0)).center());
        QTest::mouseClick(Control(window, IDC_REMOVE), Qt::LeftButton);
    }
}

// Lists the card's clips and waits until they are read; the first of the second recording
// selected.
void ShowCard(QWidget* window, const SampleCard& card) {
    auto* list = qobject_cast<QTreeWidget*>(Control(window, IDC_INPUT_LIST));
    Drop(window, card.Urls());
    // The summary names the recordings once every clip is read, in the language shown.
    const QString recordings =
        QString::fromStdWString(res::Tr("ClipFacts", "%n recordings", nullptr, 2)).section(' ', 1);
    Await(
        [&] {
            const QString summary = Control(window, IDC_SUMMARY)->property("text").toString();
            return list && list->topLevelItemCount() == card.Urls().size() &&
                   summary.contains(recordings);
        },
        "the card's clips were not read");
    if (list && list->topLevelItemCount() > 4)
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(4)).center());
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: veldrun_screenshots FOLDER [LANGUAGE]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qtApp(argc, argv);
    // In another language the pictures are named after it: main-dialog-de.png.
    const QString language = argc == 3 ? Translations::Load({QString::fromLocal8Bit(argv[2])}) : "";
    const QString suffix = language.isEmpty() ? "" : "-" + language;
    const auto png = [&](const char* name) {
        return QString(name) + suffix + ".png";
    };
    const auto caption = [](const wchar_t* text) {
        return QString::fromStdWString(res::Tr("DialogTemplate", text));
    };
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "veldrun_screenshots: cannot create %s\n", argv[1]);
        return 1;
    }

    const SampleClips clips;
    const SampleCard card;
    QDir().mkpath(QFileInfo(clips.Output()).path());
    ::mkfifo(qPrintable(clips.Output()), 0600);
    PipeReader reader(clips.Output());
    bool saved = true;
    ModalWatch progress(caption(L"Merging in progress"), [&](QWidget* dialog) {
        // The merge stops in the block that reaches past the pause; the record before that
        // block is the only one at the pause's percentage.
        auto* bar = qobject_cast<QProgressBar*>(Control(dialog, IDC_PROGRESS));
        const int atPause = CProgressDlg::BarPosition(kPauseAt, kTotal);
        Await([&] { return bar && bar->value() == atPause; }, "the merge did not reach the pause");
        saved = Save(dialog, folder.filePath(png("progress-dialog"))) && saved;
        reader.Release();
        QTest::mouseClick(Control(dialog, IDC_CANCEL_MERGE), Qt::LeftButton);
    });
    ModalWatch about(caption(L"About Veldrun"), [&](QWidget* box) {
        saved = Save(box, folder.filePath(png("about-box"))) && saved;
        QTest::keyClick(box, Qt::Key_Return);
    });
    ModalWatch main("Veldrun", [&](QWidget* window) {
        ShowCard(window, card);
        saved = Save(window, folder.filePath(png("input-list"))) && saved;
        Clear(window);
        Fill(window, clips);
        // The sizes and the summary come from the clip reader's thread.
        auto* size = qobject_cast<QLineEdit*>(Control(window, IDC_FILE_SIZE));
        Await([&] { return size && size->text() != "<N/A>"; }, "the clips were not read");
        saved = Save(window, folder.filePath(png("main-dialog"))) && saved;
        const QSize normal = window->size();
        window->showMaximized();
        Await([&] { return window->size() != normal; }, "the window was not maximized");
        saved = Save(window, folder.filePath(png("main-dialog-maximized"))) && saved;
        window->showNormal();
        Await([&] { return window->size() == normal; }, "the window was not restored");
        reader.Start();
        AfxMessageBoxAnswers().Queue(IDOK); // "Merge error: User aborted operation"
        QTest::mouseClick(Control(window, IDC_MERGE), Qt::LeftButton);
        AfxGetMainWnd()->SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        QTest::keyClick(window, Qt::Key_Escape);
    });
    // A dialog that does not show or does not end must not hold a script up.
    QTimer::singleShot(30000, [] {
        std::fprintf(stderr, "veldrun_screenshots: the dialogs did not end\n");
        std::_Exit(1);
    });

    CVeldrunApp app;
    char name[] = "veldrun";
    char* args[] = {name, nullptr};
    AfxWinMain(1, args);
    if (main.Seen() != 1 || progress.Seen() != 1 || about.Seen() != 1) {
        std::fprintf(stderr, "veldrun_screenshots: a dialog did not show\n");
        return 1;
    }
    return saved ? 0 : 1;
}
