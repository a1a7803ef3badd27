#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <QCoreApplication>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QTest>
#include <QWidget>

#include "engine/TextConversion.h"
#include "platform/AfxMessageBox.h"
#include "platform/CFileDialog.h"
#include "progress/CProgressDlg.h"
#include "progress/TransferRate.h"
#include "res/Resource.h"
#include "tests/platform/RecordingDialog.h"
#include "tests/support/Fifo.h"
#include "tests/support/TempDir.h"
#include "tests/ui/MainDialogHarness.h"
#include "tests/ui/ModalWatch.h"
#include "tests/ui/WatchedProgressDlg.h"
#include "ui/ChoiceBox.h"

using veldrun::test::ControlOf;
using veldrun::test::Fifo;
using veldrun::test::MainDialogHarness;
using veldrun::test::ModalWatch;
using veldrun::test::TempDir;
using veldrun::test::WatchedProgressDlg;

namespace {

const QString kProgressTitle = "Merging in progress";

class ProgressDialog : public ::testing::Test {
protected:
    void SetUp() override {
        AfxMessageBoxAnswers().Clear();
        AfxMessageBoxAnswers().Record();
    }
    void TearDown() override { AfxMessageBoxAnswers().Clear(); }

    // Runs a watched progress dialog over `inputs`, from inside the main dialog.
    INT_PTR RunProgress(const std::vector<std::string>& inputs, const std::string& output) {
        INT_PTR result = -1;
        dlg.Run([&] {
            for (const std::string& input : inputs)
                dlg.m_inputList.InsertString(-1, veldrun::ToWide(input).value().c_str());
            dlg.m_job->files->inputs = inputs;
            dlg.m_job->files->output = output;
            result = progress.DoModal();
        });
        return result;
    }

    TempDir dir;
    MainDialogHarness dlg;
    WatchedProgressDlg progress{dlg.m_job, &dlg.m_inputList};
};

// A merge through the main dialog into a pipe that the test reads: the worker stays in its
// first block until `act` has run on the open progress dialog and the test reads on.
std::wstring MergeIntoPipe(MainDialogHarness& dlg, TempDir& dir, const std::string& input,
                           std::string& received, const std::function<void(QWidget*)>& act) {
    Fifo pipe(dir / "out.pipe");
    std::wstring message;
    AfxMessageBoxAnswers().Record();
    ChoiceBox::Answers().Record();
    dlg.Run([&] {
        CFileDialog::Answers().Queue({IDOK, {veldrun::ToWide(input).value()}});
        QTest::mouseClick(dlg.Control(IDC_ADD), Qt::LeftButton);
        dlg.m_outputEdit.SetWindowText(veldrun::ToWide(dir / "out.pipe").value().c_str());
        const ModalWatch progress(kProgressTitle, [&](QWidget* modal) {
            pipe.WaitForWriter();
            act(modal);
            // The dialog must still be up whatever `act` did, also once what it posted is
            // handled; the worker is held on the unread pipe, so nothing else can end it.
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            EXPECT_TRUE(modal->isVisible());
            received = pipe.ReadAll();
        });
        AfxMessageBoxAnswers().Queue(IDOK);
        ChoiceBox::Answers().Queue(0);
        QTest::mouseClick(dlg.Control(IDC_MERGE), Qt::LeftButton);
        std::vector<std::wstring> texts;
        for (const auto& box : AfxMessageBoxAnswers().TakeRequests())
            texts.push_back(box.text);
        // The end box's first line says how the run ended.
        for (const auto& box : ChoiceBox::Answers().TakeRequests())
            texts.push_back(box.text.substr(0, box.text.find(L'\n')));
        message = texts.size() == 1 ? texts[0] : L"<no single message box>";
    });
    CFileDialog::Answers().Clear();
    AfxMessageBoxAnswers().Clear();
    ChoiceBox::Answers().Clear();
    return message;
}

} // namespace

TEST(BarPosition, DividesFirstAndTruncates) {
    EXPECT_EQ(28, CProgressDlg::BarPosition(29, 100));
    EXPECT_EQ(50, CProgressDlg::BarPosition(50, 100));
    EXPECT_EQ(100, CProgressDlg::BarPosition(100, 100));
    EXPECT_EQ(0, CProgressDlg::BarPosition(0, 0));
    EXPECT_EQ(0, CProgressDlg::BarPosition(5, 0));
    EXPECT_EQ(100, CProgressDlg::BarPosition(std::int64_t(1) << 62, 1)) << "an input that grew";
    EXPECT_EQ(50, CProgressDlg::BarPosition(std::int64_t(1) << 40, std::int64_t(1) << 41));
}

TEST_F(ProgressDialog, TwoOneByteFilesShowEachFileAndTheBarSteps) {
    const INT_PTR result = RunProgress({dir.Write("a", "x"), dir.Write("b", "y")}, dir / "out");
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ("xy", TempDir::Read(dir / "out"));
    ASSERT_EQ(6u, progress.shown.size()) << "four progress records, the flush and the end";
    const int bars[] = {0, 50, 50, 100, 100, 100};
    const wchar_t* statuses[] = {L"Progressing file 1 of 2", L"Progressing file 1 of 2",
                                 L"Progressing file 2 of 2", L"Progressing file 2 of 2",
                                 L"Writing to disk...",      L"Writing to disk..."};
    const wchar_t* files[] = {L"a", L"a", L"b", L"b", L"b", L"b"};
    const wchar_t* amounts[] = {L"0 B of 2 B", L"0 B of 2 B", L"1 B of 2 B",
                                L"2 B of 2 B", L"2 B of 2 B", L"2 B of 2 B"};
    for (std::size_t i = 0; i < progress.shown.size(); ++i) {
        EXPECT_EQ(bars[i], progress.shown[i].bar) << i;
        EXPECT_EQ(QString("%1%").arg(bars[i]), progress.shown[i].barText) << i;
        EXPECT_EQ(statuses[i], progress.shown[i].status) << i;
        // The flush cannot be cancelled, and the button says so.
        EXPECT_EQ(i < 4, progress.shown[i].cancelEnabled) << i;
        EXPECT_EQ(files[i], progress.shown[i].file) << i;
        // The second record comes within the same quarter second as the first.
        if (i != 1) {
            EXPECT_EQ(amounts[i], progress.shown[i].amounts) << i;
        }
    }
}

// The output is a pipe read at a few MB/s: the amounts grow, a speed and a time left appear
// once the merge has run for a second, and the time left falls.
TEST_F(ProgressDialog, APacedMergeShowsTheClipsNameAmountsSpeedAndAFallingTimeLeft) {
    const std::string bytes = TempDir::Pattern(8 << 20, 7);
    const std::string first = dir.Write("00001.MTS", bytes.substr(0, 3 << 20));
    const std::string second = dir.Write("00002.MTS", bytes.substr(3 << 20));
    Fifo pipe(dir / "out.pipe");
    std::string received;
    std::thread reader([&] {
        pipe.WaitForWriter(std::chrono::seconds(30));
        received = pipe.ReadAll(std::chrono::milliseconds(25));
    });
    EXPECT_EQ(IDOK, RunProgress({first, second}, dir / "out.pipe"));
    reader.join();
    EXPECT_TRUE(received == bytes);

    std::vector<int> secondsLeft;
    bool secondClipNamed = false;
    for (const auto& shown : progress.shown) {
        secondClipNamed = secondClipNamed || shown.file == L"00002.MTS";
        const std::size_t about = shown.amounts.find(L"MB/s, about ");
        if (about != std::wstring::npos)
            secondsLeft.push_back(std::stoi(shown.amounts.substr(about + 12)));
    }
    EXPECT_EQ(progress.shown.front().file, L"00001.MTS");
    EXPECT_TRUE(secondClipNamed);
    EXPECT_EQ(progress.shown.front().amounts, L"0 B of 8.3 MB");
    EXPECT_EQ(progress.shown.back().amounts, L"8.3 MB of 8.3 MB") << "no time left at the end";
    ASSERT_GE(secondsLeft.size(), 2u) << "an estimate once a second has passed";
    EXPECT_GT(secondsLeft.front(), secondsLeft.back());
}

TEST(ProgressFigures, RateWindow) {
    TransferRate rate(5.0, 1.0);
    EXPECT_LT(rate.SecondsLeft(100), 0) << "no samples";
    rate.Add(0.0, 0);
    rate.Add(0.5, 50'000'000);
    EXPECT_LT(rate.SecondsLeft(1'000'000'000), 0) << "half a second is too short";
    rate.Add(1.0, 100'000'000);
    EXPECT_DOUBLE_EQ(rate.BytesPerSecond(), 100'000'000);
    EXPECT_DOUBLE_EQ(rate.SecondsLeft(1'000'000'000), 9.0);
    // A slow spell counts only while it is within the window.
    rate.Add(6.0, 150'000'000);
    EXPECT_DOUBLE_EQ(rate.BytesPerSecond(), 10'000'000);
    rate.Add(11.0, 650'000'000);
    EXPECT_DOUBLE_EQ(rate.BytesPerSecond(), 100'000'000) << "only the last five seconds";
    rate.Add(12.0, 650'000'000);
    EXPECT_DOUBLE_EQ(rate.BytesPerSecond(), 500'000'000.0 / 6);
    EXPECT_DOUBLE_EQ(rate.SecondsLeft(600'000'000), 0) << "past the total";
}

TEST_F(ProgressDialog, EmptyInputsLeaveTheBarAtZero) {
    EXPECT_EQ(IDOK, RunProgress({dir.Write("a", ""), dir.Write("b", "")}, dir / "out"));
    ASSERT_EQ(4u, progress.shown.size());
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(0, progress.shown[i].bar);
    // Nothing was left to write, and the bar is full for the flush.
    EXPECT_EQ(100, progress.shown[2].bar);
    EXPECT_EQ(L"Writing to disk...", progress.shown[2].status);
}

TEST_F(ProgressDialog, AnOutputThatCannotBeCreatedEndsBeforeAnyProgress) {
    EXPECT_EQ(IDCANCEL, RunProgress({dir.Write("a", "x")}, dir / "missing/out"));
    // The failure comes first; the run-is-over notification, posted while the dialog joined
    // the worker, is handled before the closing command. Neither touches the bar or status.
    ASSERT_EQ(2u, progress.shown.size());
    for (const auto& shown : progress.shown) {
        EXPECT_EQ(0, shown.bar);
        EXPECT_EQ(L"Working...", shown.status);
    }
    EXPECT_EQ("Can't create output file", dlg.m_job->ErrorText());
}

TEST(ProgressDialogWithoutJob, StartsNothingAndClosesWithEscape) {
    CProgressDlg progress(boost::weak_ptr<veldrun::Veldrun>(), nullptr);
    const INT_PTR result = veldrun::test::RunModal(progress, [&] {
        EXPECT_EQ(L"", MainDialogHarness::TextOf(*progress.GetDlgItem(IDC_STATUS)));
        QTest::keyClick(progress.GetWidget(), Qt::Key_Escape);
    });
    EXPECT_EQ(IDCANCEL, result);
}

TEST(MergeUnderProgress, CancelStopsAtTheNextBlockAndKeepsWhatWasWritten) {
    TempDir dir;
    MainDialogHarness dlg;
    const std::string bytes = TempDir::Pattern((4 << 20) + 5, 3);
    std::string received;
    const std::wstring message =
        MergeIntoPipe(dlg, dir, dir.Write("in.mts", bytes), received, [](QWidget* modal) {
            QTest::mouseClick(ControlOf(modal, IDC_CANCEL_MERGE), Qt::LeftButton);
        });
    // A cancel is no error: nothing was left in a file to delete.
    EXPECT_EQ(L"Merging cancelled.", message);
    EXPECT_TRUE(received == bytes.substr(0, 1 << 20)) << received.size() << " bytes arrived";
}

TEST(MergeUnderProgress, EscapeAndClosingAskToCancelButNeverEndTheDialog) {
    const std::string bytes = TempDir::Pattern((2 << 20) + 7, 4);
    for (const bool escape : {true, false}) {
        TempDir dir;
        MainDialogHarness dlg;
        std::string received;
        const std::wstring message =
            MergeIntoPipe(dlg, dir, dir.Write("in.mts", bytes), received, [&](QWidget* modal) {
                if (escape)
                    QTest::keyClick(modal, Qt::Key_Escape);
                else
                    modal->close();
            });
        EXPECT_EQ(L"Merging cancelled.", message) << "escape: " << escape;
        EXPECT_EQ(std::size_t(1) << 20, received.size());
    }
}

TEST(MergeUnderProgress, EnterDoesNotEndTheDialog) {
    TempDir dir;
    MainDialogHarness dlg;
    const std::string bytes = TempDir::Pattern((2 << 20) + 7, 5);
    std::string received;
    const std::wstring message =
        MergeIntoPipe(dlg, dir, dir.Write("in.mts", bytes), received, [](QWidget* modal) {
            QWidget* status = ControlOf(modal, IDC_STATUS);
            status->setFocus();
            QTest::keyClick(status, Qt::Key_Return);
        });
    EXPECT_EQ(L"Merging complete", message);
    EXPECT_TRUE(received == bytes);
}

TEST(MergeUnderProgress, AThreadThatCannotStartIsReported) {
    // Thread creation is made to fail in a fresh run of this test that may start no further
    // process; a forked copy of a running Qt application would share its event loop's files.
    if (!qEnvironmentVariableIsSet("VELDRUN_NO_THREADS")) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VELDRUN_NO_THREADS", "1");
        // The leak checker needs a thread of its own at exit, which the child cannot start.
        environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":detect_leaks=0");
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=MergeUnderProgress.AThreadThatCannotStartIsReported"});
        ASSERT_TRUE(child.waitForFinished(60000));
        EXPECT_EQ(QProcess::NormalExit, child.exitStatus());
        EXPECT_EQ(0, child.exitCode()) << child.readAllStandardOutput().toStdString()
                                       << child.readAllStandardError().toStdString();
        return;
    }
    ASSERT_FALSE(::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0));
    const rlimit none = {0, 0};
    ASSERT_EQ(0, ::setrlimit(RLIMIT_NPROC, &none));

    // Only the small progress dialog is shown: Qt paints large areas on threads of its own.
    TempDir dir;
    boost::shared_ptr<veldrun::Veldrun> job(new veldrun::Veldrun);
    job->files->inputs = {dir.Write("a", "x")};
    job->files->output = dir / "out";
    CProgressDlg progress(job, nullptr);
    EXPECT_EQ(IDCANCEL, progress.DoModal());
    EXPECT_EQ("Can't start merge thread", job->ErrorText());
    EXPECT_EQ(0u, job->ErrorDetail().rfind("the system refused a new thread: ", 0))
        << job->ErrorDetail();
    EXPECT_FALSE(TempDir::Exists(dir / "out"));
}
