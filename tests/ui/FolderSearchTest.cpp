#include "ui/FolderSearch.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <gtest/gtest.h>
#include <mutex>
#include <string>
#include <vector>

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include "engine/TextConversion.h"
#include "platform/AfxMessageBox.h"
#include "platform/CFileDialog.h"
#include "res/Resource.h"
#include "tests/support/CardTree.h"
#include "tests/support/Eventually.h"
#include "tests/support/TempDir.h"
#include "tests/ui/MainDialogHarness.h"

using veldrun::ClipSearch;
using veldrun::test::CardTree;
using veldrun::test::MainDialogHarness;
using veldrun::test::TempDir;

namespace {

typedef std::vector<std::wstring> Names;

std::wstring Wide(const std::string& text) {
    return veldrun::ToWide(text).value();
}

Names Wide(const std::vector<std::string>& paths) {
    Names wide;
    for (const std::string& path : paths)
        wide.push_back(Wide(path));
    return wide;
}

QUrl Url(const std::string& path) {
    return QUrl::fromLocalFile(QString::fromStdString(path));
}

// The main dialog with the seams of its dialogs emptied before and after.
class FolderDialog : public MainDialogHarness {
public:
    void Run(const std::function<void()>& whileOpen) {
        Clear();
        AfxMessageBoxAnswers().Record();
        FolderSearch::ChooserAnswers().Record();
        MainDialogHarness::Run(whileOpen);
        Clear();
    }
    void Click(int id) { QTest::mouseClick(Control(id), Qt::LeftButton); }
    // The search's progress dialog when it shows.
    QProgressDialog* Progress() const {
        auto* progress = GetWidget()->findChild<QProgressDialog*>();
        return progress && progress->isVisible() ? progress : nullptr;
    }

private:
    static void Clear() {
        CFileDialog::Answers().Clear();
        AfxMessageBoxAnswers().Clear();
        FolderSearch::ChooserAnswers().Clear();
    }
};

// A search that stays at its first figures until released, then searches for real; it hears
// a cancel as the real one does, through its report.
class HeldSearch {
public:
    ClipSearch::Result operator()(const std::string& folder, const ClipSearch::Report& report) {
        ClipSearch::Result held;
        held.progress = {3, 7};
        std::unique_lock<std::mutex> lock(m_lock);
        while (!m_released) {
            if (!report(held.progress)) {
                ++cancelled;
                held.cancelled = true;
                return held;
            }
            m_changed.wait_for(lock, std::chrono::milliseconds(5));
        }
        lock.unlock();
        ClipSearch::Result found = ClipSearch::Find(folder, report);
        ++searched;
        return found;
    }
    void Release() {
        const std::lock_guard<std::mutex> lock(m_lock);
        m_released = true;
        m_changed.notify_all();
    }

    std::atomic<int> cancelled{0};
    std::atomic<int> searched{0};

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_released = false;
};

} // namespace

TEST(FolderSearch, ADroppedFolderBringsItsClipsWhereItStandsAndAnEmptyOneSaysSo) {
    TempDir dir;
    const CardTree card(dir.Path());
    const std::string first = dir.Write("a.mts", "a");
    const std::string last = dir.Write("z.mts", "z");
    std::filesystem::create_directory(dir / "empty");
    FolderDialog dialog;
    dialog.Run([&] {
        AfxMessageBoxAnswers().Queue(IDOK);
        // In the drop's natural order: a.mts, card, empty, z.mts.
        dialog.Drop(
            {Url(last), Url(dir / "empty"), Url(card.Root()), Url(dir / "gone.mts"), Url(first)});
        Names expected = {Wide(first)};
        for (const std::wstring& clip : Wide(card.Clips()))
            expected.push_back(clip);
        expected.push_back(Wide(last));
        EXPECT_EVENTUALLY_EQ(dialog.Entries(), expected);
        EXPECT_EVENTUALLY(!dialog.m_folders.Busy());
        const std::vector<MessageBoxRequest> boxes = AfxMessageBoxAnswers().TakeRequests();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, L"No clips found in " + Wide(dir / "empty"));
        EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONWARNING));
        EXPECT_EQ(dialog.Progress(), nullptr) << "a quick search shows no progress";
    });
}

TEST(FolderSearch, PartsOfAFolderThatCouldNotBeReadAreNotPassedOverInSilence) {
    TempDir dir;
    const CardTree card(dir.Path());
    FolderDialog dialog;
    // As a failing card does: two of its folders could not be read to their end.
    dialog.m_folders.SetSearcher(
        [](const std::string& folder, const veldrun::ClipSearch::Report& report) {
            veldrun::ClipSearch::Result found = veldrun::ClipSearch::Find(folder, report);
            found.unreadable = 2;
            return found;
        });
    dialog.Run([&] {
        AfxMessageBoxAnswers().Queue(IDOK);
        dialog.Drop({Url(card.Root())});
        EXPECT_EVENTUALLY_EQ(dialog.Entries(), Wide(card.Clips()));
        EXPECT_EVENTUALLY(!dialog.m_folders.Busy());
        const std::vector<MessageBoxRequest> boxes = AfxMessageBoxAnswers().TakeRequests();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, L"2 folders in " + Wide(card.Root()) +
                                     L" could not be read; clips in it may be missing.");
        EXPECT_EQ(boxes[0].type, UINT(MB_OK | MB_ICONWARNING));
    });
}

TEST(FolderSearch, AddFolderSearchesTheChosenFolderAtTheEndAndCancelAddsNothing) {
    TempDir dir;
    const CardTree card(dir.Path());
    FolderDialog dialog;
    dialog.Run([&] {
        CFileDialog::Answers().Queue({IDOK, {L"/earlier.mts"}});
        dialog.Click(IDC_ADD);
        FolderSearch::ChooserAnswers().Queue(Wide(card.Root() + "/PRIVATE"));
        dialog.Click(IDC_ADD_FOLDER);
        Names expected = {L"/earlier.mts"};
        for (const std::wstring& clip : Wide(card.Clips()))
            if (clip.find(L"/PRIVATE/") != std::wstring::npos)
                expected.push_back(clip);
        ASSERT_EQ(expected.size(), 5u);
        EXPECT_EVENTUALLY_EQ(dialog.Entries(), expected);
        EXPECT_EQ(FolderSearch::ChooserAnswers().TakeRequests(), Names{L"Select Folder"});

        FolderSearch::ChooserAnswers().Queue(L"");
        dialog.Click(IDC_ADD_FOLDER);
        EXPECT_FALSE(dialog.m_folders.Busy());
        EXPECT_EQ(dialog.Entries(), expected);

        // Gone between the choice and the search: the user hears why nothing came.
        AfxMessageBoxAnswers().Queue(IDOK);
        FolderSearch::ChooserAnswers().Queue(Wide(dir / "gone"));
        dialog.Click(IDC_ADD_FOLDER);
        EXPECT_EVENTUALLY(!dialog.m_folders.Busy());
        const std::vector<MessageBoxRequest> boxes = AfxMessageBoxAnswers().TakeRequests();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text,
                  L"No clips found in " + Wide(dir / "gone") + L"\nNo such file or directory");
        EXPECT_EQ(dialog.Entries(), expected);
    });
}

// A merge reads the list from its own thread: clips found meanwhile must not change it.
TEST(FolderSearch, ClipsFoundWhileHeldWaitUntilTheHoldEnds) {
    TempDir dir;
    const CardTree card(dir.Path());
    HeldSearch held;
    FolderDialog dialog;
    dialog.m_folders.SetSearcher(std::ref(held));
    dialog.Run([&] {
        dialog.Drop({Url(card.Root())});
        {
            const FolderSearch::Hold merging(dialog.m_folders);
            held.Release();
            ASSERT_EVENTUALLY(held.searched == 1);
            // Past the moment the progress would show, nothing has come and nothing shows.
            EXPECT_FALSE(QTest::qWaitFor([&] { return !dialog.Entries().empty(); },
                                         FolderSearch::kQuietMs + 200));
            EXPECT_FALSE(dialog.Progress());
            EXPECT_TRUE(dialog.m_folders.Busy());
        }
        EXPECT_EQ(dialog.Entries(), Wide(card.Clips())) << "handed over as the hold ends";
        EXPECT_FALSE(dialog.m_folders.Busy());
    });
}

TEST(FolderSearch, ALongSearchShowsProgressKeepsTheWindowFreeAndCancelAddsNothing) {
    TempDir dir;
    const CardTree card(dir.Path());
    const std::string loose = dir.Write("loose.mts", "loose");
    HeldSearch held;
    FolderDialog dialog;
    dialog.m_folders.SetSearcher(std::ref(held));
    dialog.Run([&] {
        dialog.Drop({Url(card.Root())});
        EXPECT_TRUE(dialog.Entries().empty()) << "the drop returns while the search runs";
        ASSERT_EVENTUALLY(dialog.Progress());
        QProgressDialog* progress = dialog.Progress();
        EXPECT_NE(progress->windowModality(), Qt::NonModal);
        EXPECT_EVENTUALLY_EQ(progress->labelText(), "Searching for clips in " +
                                                        QString::fromStdString(card.Root()) +
                                                        "\n3 folders searched, 7 clips found");
        // What arrives meanwhile waits, and comes after the folder's clips.
        CFileDialog::Answers().Queue({IDOK, {L"/added/meanwhile.mts"}});
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ADD, BN_CLICKED), 0);
        EXPECT_TRUE(dialog.Entries().empty());
        held.Release();
        Names expected = Wide(card.Clips());
        expected.push_back(L"/added/meanwhile.mts");
        EXPECT_EVENTUALLY_EQ(dialog.Entries(), expected);
        EXPECT_EVENTUALLY(!dialog.Progress());
    });

    HeldSearch again;
    FolderDialog cancelled;
    cancelled.m_folders.SetSearcher(std::ref(again));
    cancelled.Run([&] {
        cancelled.Drop({Url(card.Root())});
        ASSERT_EVENTUALLY(cancelled.Progress());
        CFileDialog::Answers().Queue({IDOK, {L"/added/meanwhile.mts"}});
        cancelled.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ADD, BN_CLICKED), 0);
        QTest::mouseClick(cancelled.Progress()->findChild<QPushButton*>(), Qt::LeftButton);
        EXPECT_EVENTUALLY(!cancelled.m_folders.Busy());
        EXPECT_EQ(again.cancelled, 1);
        EXPECT_TRUE(cancelled.Entries().empty()) << "neither the folder nor what waited";
        EXPECT_FALSE(cancelled.Progress());
        // The next drop comes at once.
        cancelled.Drop({Url(loose)});
        EXPECT_EQ(cancelled.Entries(), Names{Wide(loose)});

        // Closing the window stops a search under way.
        cancelled.Drop({Url(card.Root())});
        EXPECT_TRUE(cancelled.m_folders.Busy());
    });
    EXPECT_EQ(again.cancelled, 2);
}
