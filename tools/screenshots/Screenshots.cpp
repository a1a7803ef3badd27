// Renders the dialogs and message boxes of the program, as it shows them, into PNG files for
// the documentation: veldrun_screenshots [--lang LANGUAGE] FOLDER writes into FOLDER
//   input-list.png             a camcorder's card of nine clips from three recordings
//   quit-question.png          the question when Escape would forget that list
//   join-question.png          the question before its three recordings go into one file
//   progress-recording.png     one file per recording, written in the second recording
//   cancel-box.png             what that run left when cancelled there
//   progress-verifying.png     one file per recording, written and being verified
//   end-box.png                the files written, their sizes and what verifying found
//   main-dialog.png            three clips, the second selected, an output typed, at the
//                              default size; main-dialog-maximized.png the same maximized
//   progress-dialog.png        those three clips being merged
//   error-box.png              the error when a clip shrinks while it is merged
//   about-box.png              the About box
// It runs the real start-up on Qt's offscreen platform and uses the dialogs as a user would:
// sample clips with a memory card's long paths are dropped onto the list, entries are clicked,
// names typed, check boxes ticked, Merge pressed; outputs that must hold still for their
// picture are pipes that stop taking bytes part way. With --lang the program runs as under a
// desktop in that language (PictureLanguage); the steps never look at a text, so they work in
// every language.

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utime.h>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

#include "platform/CWinApp.h"
#include "platform/CWnd.h"
#include "platform/DialogBuilder.h"
#include "progress/CProgressDlg.h"
#include "res/Resource.h"
#include "tests/support/TestStream.h"
#include "tools/screenshots/ModalScript.h"
#include "tools/screenshots/PictureLanguage.h"
#include "ui/CVeldrunApp.h"
#include "ui/CVeldrunDlg.h"
#include "ui/ClipDetails.h"

using veldrun::test::TestStream;

namespace {

// Camcorders cut a recording into pieces of about 2 GB; sparse files take no room.
const qint64 kClipSizes[] = {2147475456, 2147475456, 1073668096};
const qint64 kTotal = kClipSizes[0] + kClipSizes[1] + kClipSizes[2];
// Where the output pipe stops taking bytes: within the second clip, at 60 % of the whole.
const qint64 kPauseAt = kClipSizes[0] + (qint64(1) << 30) + 32768;
// A camcorder's full piece, a multiple of the packet size.
const std::int64_t kPiece = 2147475456 / 192 * 192;
// The pieces of the card whose recordings are written out and read back: small, so that
// writing and verifying them takes a moment.
const std::int64_t kSmallPiece = 24 * 1024 * 1024 / 192 * 192;

// Reads an output pipe: up to `pauseAt` bytes (all of it when negative), then, once released,
// to its end.
class PipeReader {
public:
    PipeReader(const QString& path, qint64 pauseAt)
        : m_path(path.toStdString()), m_pauseAt(pauseAt) {}
    ~PipeReader() {
        Release();
        // A pipe that no writer opened holds its reader in open(): open it once to let it go.
        if (!m_opened) {
            const int fd = ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
        }
        if (m_thread.joinable())
            m_thread.join();
    }

    void Start() {
        m_thread = std::thread([this] {
            const int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
            m_opened = true;
            if (fd < 0)
                return;
            std::vector<char> buffer(65536);
            qint64 read = 0;
            for (;;) {
                qint64 want = static_cast<qint64>(buffer.size());
                if (read < m_pauseAt && read + want > m_pauseAt)
                    want = m_pauseAt - read;
                if (read == m_pauseAt) {
                    std::unique_lock<std::mutex> lock(m_lock);
                    m_paused = true;
                    m_changed.wait(lock, [this] { return m_released; });
                }
                const ssize_t got = ::read(fd, buffer.data(), static_cast<size_t>(want));
                if (got <= 0)
                    break;
                read += got;
            }
            ::close(fd);
        });
    }

    // Whether it has stopped taking bytes at its pause.
    bool Paused() {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_paused;
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
    qint64 m_pauseAt;
    std::thread m_thread;
    std::atomic<bool> m_opened{false};
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_paused = false;
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
    // Cuts the `index`th clip to half its size, as another program might while it is merged.
    bool Shrink(int index) const {
        QFile clip(m_clips.value(index).toLocalFile());
        return clip.resize(kClipSizes[index] / 2);
    }

private:
    QDir m_root;
    QList<QUrl> m_clips;
};

// A camcorder's card: nine clips of three recordings, each piece a sparse file of the
// camcorder's size with real packets at both ends and the camera's date message at its start.
class SampleCard {
public:
    // A card of `piece`-byte pieces: where a camcorder's card is mounted when `mounted` and
    // that folder is free and can be made (and taken away again), else in `folder` below the
    // temporary folder.
    SampleCard(std::int64_t piece, bool mounted, const QString& folder)
        : m_root(mounted && !QDir("/media/anna").exists() && QDir().mkpath("/media/anna/CANON_HF")
                     ? QString("/media/anna")
                     : QDir::tempPath() + "/" + folder + "/media/anna") {
        const QString stream = m_root.path() + "/CANON_HF/PRIVATE/AVCHD/BDMV/STREAM";
        QDir().mkpath(stream);
        // Pieces of each recording, its start (local time) and the length of its last piece.
        const struct {
            int pieces;
            int day, hour, minute, second;
            std::int64_t lastSeconds;
        } recordings[] = {{4, 14, 10, 15, 2, 263}, {2, 14, 11, 42, 37, 388}, {3, 15, 9, 8, 51, 97}};
        const std::int64_t pieceSeconds = piece * 8 / 24000000;
        int number = 1;
        std::int64_t clock = 0;
        for (const auto& each : recordings) {
            std::int64_t recordingBytes = 0;
            for (int at = 0; at < each.pieces; ++at) {
                const bool last = at == each.pieces - 1;
                const std::int64_t seconds =
                    last ? std::min(each.lastSeconds, pieceSeconds * 2 / 3) : pieceSeconds;
                const std::int64_t size = last ? seconds * 3000000 / 192 * 192 : piece;
                const QString path = stream + QString("/%1.MTS").arg(number++, 5, 10, QChar('0'));
                // Each piece carries the time it began; the file's date is when it closed.
                const QDateTime begun =
                    QDateTime(QDate(2024, 7, each.day), QTime(each.hour, each.minute, each.second))
                        .addSecs(pieceSeconds * at);
                Write(path, size, clock, clock + seconds * TestStream::kSecond, begun,
                      begun.addSecs(seconds));
                m_clips << QUrl::fromLocalFile(path);
                recordingBytes += size;
                clock += seconds * TestStream::kSecond + TestStream::kSecond / 25;
            }
            m_recordingBytes.push_back(recordingBytes);
            // A new recording starts its clock afresh.
            clock += 3600 * TestStream::kSecond;
        }
    }
    ~SampleCard() { m_root.removeRecursively(); }

    const QList<QUrl>& Urls() const { return m_clips; }
    // The bytes of each recording, in order.
    const std::vector<std::int64_t>& RecordingBytes() const { return m_recordingBytes; }
    // The files that one file per recording writes: each named by when its recording began.
    static QStringList OutputNames() {
        return {"2024-07-14 10.15.02.MTS", "2024-07-14 11.42.37.MTS", "2024-07-15 09.08.51.MTS"};
    }

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
    std::vector<std::int64_t> m_recordingBytes;
};

// Handles events until `done` holds; a picture taken anyway shows what went wrong, so a
// timeout is only reported. Not QTest::qWaitFor: it sleeps between its passes, and a merge's
// records, each delivered by an event of its own, would then be shown far slower than they
// come.
void Await(const std::function<bool()>& done, const char* otherwise, int seconds = 20) {
    QTimer tick;
    tick.start(50);
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.hasExpired(seconds * 1000)) {
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

QString TextOf(QWidget* window, int id) {
    QWidget* control = Control(window, id);
    return control ? control->property("text").toString() : QString();
}

// The main dialog's clip details, which it keeps to itself and its subclasses; a subclass names
// the member here.
class DetailsOf : public CVeldrunDlg {
public:
    static ClipDetails& Of(CVeldrunDlg& dialog) { return dialog.*(&DetailsOf::m_details); }
};

// Waits until every listed clip has been read and its details are shown, whatever the
// language they are shown in.
void AwaitReading() {
    if (auto* dialog = dynamic_cast<CVeldrunDlg*>(AfxGetMainWnd()))
        DetailsOf::Of(*dialog).AwaitReading();
}

void Drop(QWidget* window, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    // Qt delivers a drop only where the drag entered.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    AwaitReading();
}

void Click(QWidget* control) {
    if (control)
        QTest::mouseClick(control, Qt::LeftButton);
}

void ClickEntry(QWidget* window, int row) {
    auto* list = qobject_cast<QTreeWidget*>(Control(window, IDC_INPUT_LIST));
    if (list && list->topLevelItemCount() > row)
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(row)).center());
}

// Replaces the Output File text by typing `path`.
void TypeOutput(QWidget* window, const QString& path) {
    QWidget* field = Control(window, IDC_OUTPUT_FILE);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, path);
}

void Check(QWidget* window, int id, bool checked) {
    auto* box = qobject_cast<QAbstractButton*>(Control(window, id));
    if (box && box->isChecked() != checked)
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// Removes every entry of the list, as the user does.
void Clear(QWidget* window) {
    auto* list = qobject_cast<QTreeWidget*>(Control(window, IDC_INPUT_LIST));
    while (list && list->topLevelItemCount() > 0) {
        ClickEntry(window, 0);
        Click(Control(window, IDC_REMOVE));
    }
}

// A message box's button: the one Escape presses, the default, or a standard one.
void Press(QWidget* window, QMessageBox::StandardButton which) {
    auto* box = qobject_cast<QMessageBox*>(window);
    if (!box)
        return;
    QAbstractButton* button = box->button(which);
    if (which == QMessageBox::Escape)
        button = box->escapeButton();
    // A box without the button asked for ends with its default one, or its only one (which
    // Qt makes the default only once it shows).
    if (which == QMessageBox::Default || !button)
        button = box->defaultButton();
    if (!button && !box->buttons().isEmpty())
        button = box->buttons().front();
    Click(button);
}

} // namespace

int main(int argc, char* argv[]) {
    QString language;
    int folderArgument = 1;
    if (argc == 4 && std::strcmp(argv[1], "--lang") == 0) {
        language = QString::fromLocal8Bit(argv[2]);
        folderArgument = 3;
    }
    if (argc != folderArgument + 1) {
        std::fprintf(stderr, "usage: veldrun_screenshots [--lang LANGUAGE] FOLDER\n");
        return 2;
    }
    if (!language.isEmpty() && !PictureLanguage::SetEnvironment(language)) {
        std::fprintf(stderr, "veldrun_screenshots: no such language: %s\n", argv[2]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The user's remembered settings neither show in the pictures nor change.
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    QApplication qtApp(argc, argv);
    if (!language.isEmpty())
        PictureLanguage::Install(language);
    const QDir folder(QString::fromLocal8Bit(argv[folderArgument]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "veldrun_screenshots: cannot create %s\n", argv[folderArgument]);
        return 1;
    }

    const SampleClips clips;
    const SampleCard card(kPiece, true, "veldrun-card");
    const SampleCard smallCard(kSmallPiece, false, "veldrun-small-card");
    QDir().mkpath(QFileInfo(clips.Output()).path());
    ::mkfifo(qPrintable(clips.Output()), 0600);
    PipeReader reader(clips.Output(), kPauseAt);
    // Into a second pipe that stops early in the first clip, while that clip shrinks.
    const QString shrinkOutput = QFileInfo(clips.Output()).path() + "/Beach.mts";
    ::mkfifo(qPrintable(shrinkOutput), 0600);
    PipeReader shrinkReader(shrinkOutput, 1 << 20);
    // One file per recording: into pipes, the second of which stops half way through its
    // recording; then into files, which are read back.
    const QString videos = QFileInfo(clips.Output()).path();
    const QDir piped(videos + "/Summer");
    const QDir cancelled(videos + "/Holiday");
    const QDir written(videos + "/Trip");
    QDir().mkpath(cancelled.path());
    QDir().mkpath(piped.path());
    QDir().mkpath(written.path());
    std::vector<std::unique_ptr<PipeReader>> pipes;
    const std::int64_t recordingPause = smallCard.RecordingBytes()[1] / 2 / 192 * 192;
    for (const QString& name : SampleCard::OutputNames()) {
        ::mkfifo(qPrintable(piped.filePath(name)), 0600);
        pipes.push_back(std::make_unique<PipeReader>(piped.filePath(name),
                                                     pipes.size() == 1 ? recordingPause : -1));
    }

    bool saved = true;
    auto save = [&](const char* name) {
        return [&saved, &folder, name](QWidget* window) {
            saved = Save(window, folder.filePath(name)) && saved;
        };
    };
    ModalScript script;
    script.Then(ModalScript::Kind::MainDialog, "the main dialog", [&](QWidget* window) {
        // A camcorder's card, its clips read, the first of the second recording selected.
        Drop(window, card.Urls());
        ClickEntry(window, 4);
        save("input-list.png")(window);
        // Escape asks before the list is forgotten; the answer is Cancel.
        QTest::keyClick(window, Qt::Key_Escape);
        // Merging its three recordings into one file asks first; the answer is Cancel.
        TypeOutput(window, clips.Output());
        Click(Control(window, IDC_MERGE));

        // One file per recording, into the pipes; cancelled in the second recording.
        Clear(window);
        Drop(window, smallCard.Urls());
        Check(window, IDC_EACH_RECORDING, true);
        TypeOutput(window, piped.path());
        for (const auto& pipe : pipes)
            pipe->Start();
        Click(Control(window, IDC_MERGE));

        // Into files, cancelled in the second recording; then into files again, verified.
        TypeOutput(window, cancelled.path());
        Click(Control(window, IDC_MERGE));
        Check(window, IDC_VERIFY, true);
        TypeOutput(window, written.path());
        Click(Control(window, IDC_MERGE));

        // Three clips into one file, the second of them selected.
        Clear(window);
        Check(window, IDC_EACH_RECORDING, false);
        Drop(window, clips.Urls());
        ClickEntry(window, 1);
        TypeOutput(window, clips.Output());
        save("main-dialog.png")(window);
        const QSize normal = window->size();
        window->showMaximized();
        Await([&] { return window->size() != normal; }, "the window was not maximized");
        save("main-dialog-maximized.png")(window);
        window->showNormal();
        Await([&] { return window->size() == normal; }, "the window was not restored");
        reader.Start();
        // Waiting in open() already when its merge opens the pipe, which needs a reader.
        shrinkReader.Start();
        Click(Control(window, IDC_MERGE));
        // The same clips again, the first of which another program cuts short meanwhile.
        TypeOutput(window, shrinkOutput);
        Click(Control(window, IDC_MERGE));
        AfxGetMainWnd()->SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        QTest::keyClick(window, Qt::Key_Escape);
    });
    script
        .Then(ModalScript::Kind::MessageBox, "the question before quitting",
              [&](QWidget* box) {
                  save("quit-question.png")(box);
                  Press(box, QMessageBox::Escape);
              })
        .Then(ModalScript::Kind::MessageBox, "the question before joining recordings",
              [&](QWidget* box) {
                  save("join-question.png")(box);
                  Press(box, QMessageBox::Escape);
              })
        .Then(ModalScript::Kind::MessageBox, "the question before replacing the pipes",
              [&](QWidget* box) { Press(box, QMessageBox::Yes); })
        .Then(ModalScript::Kind::ProgressDialog, "the progress of one file per recording",
              [&](QWidget* dialog) {
                  Await([&] { return pipes[1]->Paused(); },
                        "the merge did not reach the second recording");
                  Await([&] { return !TextOf(dialog, IDC_PROGRESS_RECORDING).isEmpty(); },
                        "the recording was not shown");
                  save("progress-recording.png")(dialog);
                  for (const auto& pipe : pipes)
                      pipe->Release();
                  Click(Control(dialog, IDC_CANCEL_MERGE));
              })
        // A pipe that was there before is not the run's to delete: the box only tells.
        .Then(ModalScript::Kind::MessageBox, "the box after a cancel",
              [&](QWidget* box) { Press(box, QMessageBox::Default); })
        .Then(ModalScript::Kind::ProgressDialog, "the progress of one file per recording",
              [&](QWidget* dialog) {
                  // A quarter into the second recording, so that part of its file is left.
                  const std::vector<std::int64_t>& bytes = smallCard.RecordingBytes();
                  const int quarter = CProgressDlg::BarPosition(bytes[0] + bytes[1] / 4,
                                                                bytes[0] + bytes[1] + bytes[2]);
                  auto* bar = qobject_cast<QProgressBar*>(Control(dialog, IDC_PROGRESS));
                  Await([&] { return bar && bar->value() >= quarter; },
                        "the merge did not reach the second recording");
                  Click(Control(dialog, IDC_CANCEL_MERGE));
              })
        .Then(ModalScript::Kind::MessageBox, "the question after a cancel",
              [&](QWidget* box) {
                  save("cancel-box.png")(box);
                  Press(box, QMessageBox::Yes);
              })
        .Then(ModalScript::Kind::ProgressDialog, "the progress of verifying",
              [&](QWidget* dialog) {
                  // Verifying shows the clips' names again from the first one of the output,
                  // and its bar starts afresh; a twentieth of it is done in the first clip. The
                  // amounts follow a few times a second: the picture waits for them.
                  auto* bar = qobject_cast<QProgressBar*>(Control(dialog, IDC_PROGRESS));
                  QString last;
                  QString amounts;
                  bool back = false;
                  Await(
                      [&] {
                          const QString name = TextOf(dialog, IDC_PROGRESS_FILE);
                          if (!back && !last.isEmpty() && name < last) {
                              back = true;
                              amounts = TextOf(dialog, IDC_PROGRESS_AMOUNTS);
                          }
                          last = name;
                          return back && bar && bar->value() >= 5 &&
                                 TextOf(dialog, IDC_PROGRESS_AMOUNTS) != amounts;
                      },
                      "the verifying was not shown");
                  // Straight away: the dialog ends on its own once everything is verified.
                  saved = dialog->grab().save(folder.filePath("progress-verifying.png"), "PNG") &&
                          saved;
              })
        .Then(ModalScript::Kind::MessageBox, "the box after writing and verifying",
              [&](QWidget* box) {
                  save("end-box.png")(box);
                  Press(box, QMessageBox::Default);
              })
        .Then(ModalScript::Kind::ProgressDialog, "the progress of three clips",
              [&](QWidget* dialog) {
                  // The merge stops in the block that reaches past the pause; the record
                  // before that block is the only one at the pause's percentage.
                  auto* bar = qobject_cast<QProgressBar*>(Control(dialog, IDC_PROGRESS));
                  const int atPause = CProgressDlg::BarPosition(kPauseAt, kTotal);
                  // Gigabytes through a pipe take a while on a busy machine.
                  Await([&] { return bar && bar->value() == atPause; },
                        "the merge did not reach the pause", 150);
                  save("progress-dialog.png")(dialog);
                  reader.Release();
                  Click(Control(dialog, IDC_CANCEL_MERGE));
              })
        .Then(ModalScript::Kind::MessageBox, "the question after a cancel",
              [&](QWidget* box) { Press(box, QMessageBox::Yes); })
        .Then(ModalScript::Kind::ProgressDialog, "the progress while a clip shrinks",
              [&](QWidget*) {
                  Await([&] { return shrinkReader.Paused(); },
                        "the merge did not reach the first clip");
                  if (!clips.Shrink(0)) {
                      std::fprintf(stderr, "veldrun_screenshots: cannot shrink a clip\n");
                      saved = false;
                  }
                  shrinkReader.Release();
              })
        .Then(ModalScript::Kind::MessageBox, "the error after a clip shrank",
              [&](QWidget* box) {
                  save("error-box.png")(box);
                  Press(box, QMessageBox::Default);
              })
        .Then(ModalScript::Kind::OtherDialog, "the About box",
              [&](QWidget* box) {
                  save("about-box.png")(box);
                  QTest::keyClick(box, Qt::Key_Return);
              })
        .Then(ModalScript::Kind::MessageBox, "the question before quitting, answered Quit",
              [&](QWidget* box) {
                  auto* question = qobject_cast<QMessageBox*>(box);
                  Click(question ? question->buttons().value(0) : nullptr);
              });
    // A dialog that does not show or does not end must not hold a script up.
    QTimer::singleShot(600000, [] {
        std::fprintf(stderr, "veldrun_screenshots: the dialogs did not end\n");
        std::_Exit(1);
    });

    CVeldrunApp app;
    char name[] = "veldrun";
    char* args[] = {name, nullptr};
    AfxWinMain(1, args);
    const QStringList untaken = script.Untaken();
    if (!untaken.isEmpty()) {
        std::fprintf(stderr, "veldrun_screenshots: did not show: %s\n",
                     qPrintable(untaken.join(", ")));
        return 1;
    }
    return saved ? 0 : 1;
}
