// The progress dialog over a run of several outputs and over the verifying pass. The worker is
// a real merge held on a pipe that the test reads only at the end; the figures of the later
// outputs and of the verifying are sent through the job's own callbacks meanwhile, as the
// engine sends them, so that every step can be looked at while the dialog is up.

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include <QTest>
#include <QWidget>

#include "engine/TextConversion.h"
#include "res/Resource.h"
#include "tests/support/Eventually.h"
#include "tests/support/Fifo.h"
#include "tests/support/TempDir.h"
#include "tests/ui/MainDialogHarness.h"
#include "tests/ui/ModalWatch.h"
#include "tests/ui/WatchedProgressDlg.h"

using veldrun::test::ControlOf;
using veldrun::test::Fifo;
using veldrun::test::MainDialogHarness;
using veldrun::test::ModalWatch;
using veldrun::test::TempDir;
using veldrun::test::WatchedProgressDlg;

namespace {

class RunProgress : public ::testing::Test {
protected:
    // Runs the progress dialog over `inputs` into `output`, a pipe; `whileHeld` acts once the
    // worker has sent its first figures and waits on the pipe, which is then read to the end.
    INT_PTR Run(const std::vector<std::string>& inputs, const std::string& output,
                const std::function<void(QWidget*)>& whileHeld) {
        Fifo pipe(output);
        INT_PTR result = -1;
        dlg.Run([&] {
            for (const std::string& input : inputs)
                dlg.m_inputList.InsertString(-1, veldrun::ToWide(input).value().c_str());
            dlg.m_job->files->inputs = inputs;
            dlg.m_job->files->output = output;
            const ModalWatch watch("Merging in progress", [&](QWidget* modal) {
                pipe.WaitForWriter();
                ASSERT_EVENTUALLY(!progress.shown.empty());
                whileHeld(modal);
                pipe.ReadAll();
            });
            result = progress.DoModal();
            EXPECT_EQ(watch.Seen(), 1);
        });
        return result;
    }

    // What the dialog shows once `send` has sent one set of figures.
    WatchedProgressDlg::Shown After(const std::function<void()>& send) {
        const std::size_t before = progress.shown.size();
        send();
        EXPECT_EVENTUALLY(progress.shown.size() > before);
        return progress.shown.back();
    }

    veldrun::Veldrun& Job() { return *dlg.m_job; }

    TempDir dir;
    MainDialogHarness dlg;
    WatchedProgressDlg progress{dlg.m_job, &dlg.m_inputList};
};

} // namespace

// Three recordings from four clips: each output's line names it, the bar and the clip count go
// over the whole run, and the Cancel that the first output's flush made grey comes back with the
// second output's copy and stops the run.
TEST_F(RunProgress, ARunOfThreeRecordingsNamesEachAndCancelComesBackAfterEachFlush) {
    const std::string first = dir.Write("00001.MTS", TempDir::Pattern((2 << 20) + 3, 1));
    const std::vector<std::string> inputs = {first, dir.Write("00002.MTS", "bb"),
                                             dir.Write("00003.MTS", "cc"),
                                             dir.Write("00004.MTS", "dd")};
    const std::int64_t total = (2 << 20) + 9;
    const std::string pipe = dir / "2024-07-14 10.03.41.MTS";
    Job().files->parts = {{pipe, 0, {}},
                          {dir / "2024-07-14 11.00.00.MTS", 1, {}},
                          {dir / "2024-07-15 09.30.00.MTS", 3, {}}};
    bool cancelledCopy = true;
    bool verifyBound = true;
    const INT_PTR result = Run(inputs, pipe, [&](QWidget* modal) {
        verifyBound = static_cast<bool>(Job().options.verifyProgress);
        const auto start = progress.shown.back();
        EXPECT_EQ(L"Recording 1 of 3: 2024-07-14 10.03.41.MTS", start.recording);
        EXPECT_EQ(L"Progressing file 1 of 4", start.status);

        const auto flushing = After([&] { Job().options.writingToDisk(); });
        EXPECT_EQ(L"Writing to disk...", flushing.status);
        EXPECT_FALSE(flushing.cancelEnabled);
        EXPECT_EQ(start.bar, flushing.bar) << "the first of three outputs does not fill the bar";
        // Escape during the flush stops nothing: the next output goes ahead.
        QTest::keyClick(modal, Qt::Key_Escape);

        bool goOn = false;
        const auto second = After([&] { goOn = Job().callback(1, 2, 0, total, (2 << 20) + 3); });
        EXPECT_TRUE(goOn);
        EXPECT_TRUE(second.cancelEnabled);
        EXPECT_EQ(L"Recording 2 of 3: 2024-07-14 11.00.00.MTS", second.recording);
        EXPECT_EQ(L"Progressing file 2 of 4", second.status);
        EXPECT_EQ(L"00002.MTS", second.file);
        EXPECT_EQ(99, second.bar) << "the bar counts over the whole run";

        const auto sameOutput = After([&] { Job().callback(2, 2, 0, total, (2 << 20) + 5); });
        EXPECT_EQ(L"Recording 2 of 3: 2024-07-14 11.00.00.MTS", sameOutput.recording);
        EXPECT_EQ(L"Progressing file 3 of 4", sameOutput.status);

        After([&] { Job().options.writingToDisk(); });
        const auto third = After([&] { Job().callback(3, 2, 0, total, (2 << 20) + 7); });
        EXPECT_EQ(L"Recording 3 of 3: 2024-07-15 09.30.00.MTS", third.recording);
        EXPECT_TRUE(third.cancelEnabled);

        QTest::mouseClick(ControlOf(modal, IDC_CANCEL_MERGE), Qt::LeftButton);
        cancelledCopy = Job().callback(3, 2, 1, total, (2 << 20) + 8);
    });
    EXPECT_FALSE(verifyBound) << "without verifying, nothing of it is set up";
    EXPECT_FALSE(cancelledCopy) << "Cancel during the third output's copy stops the run";
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ("User aborted operation", Job().ErrorText());
}

// With one output there is no recording line, and the texts are the merge's as ever.
TEST_F(RunProgress, OneOutputShowsNoRecordingLine) {
    const std::string input = dir.Write("00001.MTS", TempDir::Pattern((2 << 20) + 3, 2));
    const INT_PTR result = Run({input}, dir / "out.pipe", [&](QWidget*) {
        const auto flushing = After([&] { Job().options.writingToDisk(); });
        EXPECT_FALSE(flushing.cancelEnabled);
    });
    EXPECT_EQ(IDOK, result);
    ASSERT_FALSE(progress.shown.empty());
    for (const auto& shown : progress.shown)
        EXPECT_EQ(L"", shown.recording);
    EXPECT_EQ(L"Progressing file 1 of 1", progress.shown.front().status);
}

// Verifying has its own status, bar pass and speed, can be cancelled although the flush could
// not, and the dialog lets go of the job's verifying notice when it ends, since the job
// outlives it.
TEST_F(RunProgress, VerifyingShowsItsOwnPassAndCancelStopsIt) {
    const std::int64_t size = (2 << 20) + 3;
    const std::string input = dir.Write("00001.MTS", TempDir::Pattern(size, 3));
    Job().options.verify = true;
    bool stopped = false;
    const INT_PTR result = Run({input}, dir / "out.pipe", [&](QWidget* modal) {
        ASSERT_TRUE(Job().options.verifyProgress);
        After([&] { Job().options.writingToDisk(); });

        bool goOn = false;
        const auto begun = After([&] { goOn = Job().options.verifyProgress(0, size, 0, size, 0); });
        EXPECT_TRUE(goOn);
        EXPECT_EQ(L"Verifying file 1 of 1", begun.status);
        EXPECT_EQ(0, begun.bar) << "a pass of its own, from the start";
        EXPECT_EQ(L"00001.MTS", begun.file);
        EXPECT_EQ(L"0 B of 2.0 MB", begun.amounts);
        EXPECT_TRUE(begun.cancelEnabled);

        const auto half =
            After([&] { Job().options.verifyProgress(0, size, size / 2, size, size / 2); });
        EXPECT_EQ(49, half.bar);
        EXPECT_EQ(L"Verifying file 1 of 1", half.status);

        QTest::mouseClick(ControlOf(modal, IDC_CANCEL_MERGE), Qt::LeftButton);
        stopped = !Job().options.verifyProgress(0, size, size / 2 + 1, size, size / 2 + 1);
    });
    EXPECT_TRUE(stopped);
    // The real worker then finds the run cancelled too.
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_FALSE(Job().options.verifyProgress) << "no notice names the dialog that is gone";
    EXPECT_FALSE(Job().options.writingToDisk);
}
