#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <vector>

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "engine/TextConversion.h"
#include "platform/AfxMessageBox.h"
#include "platform/CFileDialog.h"
#include "platform/CWinApp.h"
#include "res/Resource.h"
#include "tests/support/TempDir.h"
#include "tests/ui/MainDialogHarness.h"
#include "tests/ui/ModalWatch.h"
#include "ui/ChoiceBox.h"

using veldrun::test::MainDialogHarness;
using veldrun::test::ModalWatch;
using veldrun::test::TempDir;

namespace {

std::wstring Wide(const std::string& text) {
    return veldrun::ToWide(text).value();
}

class MergeCommand : public ::testing::Test {
protected:
    void SetUp() override {
        CFileDialog::Answers().Clear();
        AfxMessageBoxAnswers().Clear();
        CFileDialog::Answers().Record();
        Restart();
    }
    void TearDown() override {
        CFileDialog::Answers().Clear();
        AfxMessageBoxAnswers().Clear();
        ChoiceBox::Answers().Clear();
    }
    // Forgets unused answers and what was asked.
    static void Restart() {
        AfxMessageBoxAnswers().Clear();
        ChoiceBox::Answers().Clear();
        AfxMessageBoxAnswers().Record();
        ChoiceBox::Answers().Record();
    }
    // The texts of the boxes shown since the last call, the end box last and only its first
    // line, which says how the run ended.
    static std::vector<std::wstring> Boxes() {
        std::vector<std::wstring> texts;
        for (const MessageBoxRequest& box : AfxMessageBoxAnswers().TakeRequests())
            texts.push_back(box.text);
        for (const ChoiceBox::Request& box : ChoiceBox::Answers().TakeRequests())
            texts.push_back(box.text.substr(0, box.text.find(L'\n')));
        Restart();
        return texts;
    }

    // Adds files through the real Add button, answering its file dialog.
    void Add(const std::vector<std::string>& paths) {
        for (const std::string& path : paths) {
            CFileDialog::Answers().Queue({IDOK, {Wide(path)}});
            QTest::mouseClick(dlg.Control(IDC_ADD), Qt::LeftButton);
        }
        CFileDialog::Answers().TakeRequests();
    }
    void TypeOutput(const std::string& text) {
        auto* edit = static_cast<QLineEdit*>(dlg.Control(IDC_OUTPUT_FILE));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        const QString typed = QString::fromStdString(text);
        // Typed key by key where the test library has keys for the letters, else pasted.
        bool ascii = true;
        for (const QChar c : typed)
            ascii = ascii && c.unicode() >= 0x20 && c.unicode() < 0x7F;
        if (ascii)
            QTest::keyClicks(edit, typed);
        else
            edit->insert(typed);
    }
    // Selects entry `row` the way the user does, by clicking it.
    void Select(int row) {
        auto* list = static_cast<QTreeWidget*>(dlg.Control(IDC_INPUT_LIST));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(row)).center());
    }
    bool MergeEnabled() const { return dlg.Control(IDC_MERGE)->isEnabled(); }
    std::wstring Selection() const { return MainDialogHarness::TextOf(dlg.m_selectionEdit); }
    std::wstring Size() const { return MainDialogHarness::TextOf(dlg.m_sizeEdit); }
    // Presses Merge and returns the text of the message box that ends it.
    std::wstring Merge() {
        AfxMessageBoxAnswers().Queue(IDOK);
        ChoiceBox::Answers().Queue(0);
        QTest::mouseClick(dlg.Control(IDC_MERGE), Qt::LeftButton);
        const std::vector<std::wstring> boxes = Boxes();
        return boxes.size() == 1 ? boxes[0] : L"<" + std::to_wstring(boxes.size()) + L" boxes>";
    }

    TempDir dir;
    MainDialogHarness dlg;
};

} // namespace

TEST_F(MergeCommand, MergeIsEnabledOnlyWithEntriesAndAnOutputText) {
    dlg.Run([&] {
        EXPECT_FALSE(MergeEnabled());
        TypeOutput("out.mts");
        EXPECT_FALSE(MergeEnabled()) << "an empty list cannot be merged";
        Add({dir.Write("a.mts", "abc")});
        EXPECT_TRUE(MergeEnabled());
        TypeOutput("");
        EXPECT_FALSE(MergeEnabled());
        TypeOutput("x");
        EXPECT_TRUE(MergeEnabled());
        TypeOutput("   ");
        EXPECT_TRUE(MergeEnabled()) << "blanks count as text";
        // Every refresh leaves the job with the list and the output as shown.
        EXPECT_EQ(std::vector<std::string>{dir / "a.mts"}, dlg.m_job->files->inputs);
        EXPECT_EQ("   ", dlg.m_job->files->output) << "resolved only for a merge";
    });
}

TEST_F(MergeCommand, SelectionFieldsShowTheSelectedFileAndItsSize) {
    const std::string small = dir.Write("small.mts", std::string(1234, 'x'));
    const std::string large = dir.WriteSparse("large.MTS", 5368709120, "end");
    const std::string missing = dir / "missing.mts";
    std::filesystem::create_directory(dir / "folder.mts");
    dlg.Run([&] {
        EXPECT_EQ(L"<None selected>", Selection());
        EXPECT_EQ(L"<N/A>", Size());
        Add({small, large, missing, dir / "folder.mts"});
        EXPECT_EQ(L"<None selected>", Selection()) << "adding selects nothing";
        // The sizes are those that the clip reader found.
        dlg.m_details.AwaitReading();

        Select(0);
        EXPECT_EQ(Wide(small), Selection());
        EXPECT_EQ(L"1234.0 BYTES", Size());
        Select(1);
        EXPECT_EQ(Wide(large), Selection());
        EXPECT_EQ(L"5.3 GB", Size());
        // Files that cannot be measured show no size, and nothing else happens.
        Select(2);
        EXPECT_EQ(Wide(missing), Selection());
        EXPECT_EQ(L"<N/A>", Size());
        Select(3);
        EXPECT_EQ(L"<N/A>", Size());
        EXPECT_TRUE(AfxMessageBoxAnswers().TakeRequests().empty());
    });
}

TEST_F(MergeCommand, SelectOutputFillsTheFieldOrLeavesItButAlwaysRefreshes) {
    const std::string a = dir.Write("a.mts", "abc");
    dlg.Run([&] {
        Add({a});
        Select(0);
        CFileDialog::Answers().Queue({IDOK, {Wide(dir / "joined")}});
        QTest::mouseClick(dlg.Control(IDC_SELECT_OUTPUT), Qt::LeftButton);
        EXPECT_EQ(Wide(dir / "joined.mts"), MainDialogHarness::TextOf(dlg.m_outputEdit));
        const std::vector<CFileDialog::Request> asked = CFileDialog::Answers().TakeRequests();
        ASSERT_EQ(1u, asked.size());
        EXPECT_FALSE(asked[0].open);
        EXPECT_EQ(static_cast<DWORD>(OFN_OVERWRITEPROMPT), asked[0].flags);
        EXPECT_EQ(L"mts", asked[0].defaultExtension);
        EXPECT_EQ(L"MTS Files (*.mts)|*.mts|All Files (*.*)|*.*||", asked[0].filter);

        // Cancelled: the text stays, and the refresh still runs (it notices the file is gone).
        std::filesystem::remove(a);
        CFileDialog::Answers().Queue({IDCANCEL, {}});
        QTest::mouseClick(dlg.Control(IDC_SELECT_OUTPUT), Qt::LeftButton);
        EXPECT_EQ(Wide(dir / "joined.mts"), MainDialogHarness::TextOf(dlg.m_outputEdit));
        EXPECT_EQ(L"<N/A>", Size());
    });
}

TEST_F(MergeCommand, ASuccessfulMergeReportsCompletionAndKeepsTheDialogAsItWas) {
    const std::string a = dir.Write("a.mts", TempDir::Pattern(3 << 20, 1));
    const std::string b = dir.Write("b.mts", TempDir::Pattern(12345, 2));
    dlg.Run([&] {
        Add({a, b});
        TypeOutput(dir / "out.mts");
        Select(1);
        EXPECT_EQ(L"Merging complete", Merge());

        EXPECT_TRUE(TempDir::Read(dir / "out.mts") == TempDir::Read(a) + TempDir::Read(b));
        EXPECT_EQ(2, dlg.m_inputList.GetCount());
        EXPECT_EQ(1, dlg.m_inputList.GetCurSel());
        EXPECT_EQ(Wide(dir / "out.mts"), MainDialogHarness::TextOf(dlg.m_outputEdit));
        EXPECT_TRUE(MergeEnabled());
    });
}

TEST_F(MergeCommand, EachFailureReachesTheMessageBoxWithItsText) {
    const std::string a = dir.Write("a.mts", "abc");
    const std::string gone = dir.Write("gone.mts", "de");
    dlg.Run([&] {
        Add({a, gone});
        TypeOutput(dir / "no-such-folder/out.mts");
        EXPECT_EQ(L"Merge error: Can't create output file\n" +
                      Wide(dir / "no-such-folder/out.mts: No such file or directory"),
                  Merge());

        TypeOutput(dir / "out.mts");
        std::filesystem::remove(gone);
        EXPECT_EQ(L"Merge error: Can't open input file\n" + Wide(gone) +
                      L": No such file or directory",
                  Merge());
        EXPECT_FALSE(TempDir::Exists(dir / "out.mts")) << "a new output is not left behind";

        // An input as output: the replace question comes first, then the refusal.
        TypeOutput(dir / "./a.mts");
        AfxMessageBoxAnswers().Queue(IDYES);
        AfxMessageBoxAnswers().Queue(IDOK);
        QTest::mouseClick(dlg.Control(IDC_MERGE), Qt::LeftButton);
        const std::vector<MessageBoxRequest> boxes = AfxMessageBoxAnswers().TakeRequests();
        ASSERT_EQ(2u, boxes.size());
        EXPECT_EQ(L"Merge error: Output file is also an input file\n" + Wide(dir / "./a.mts") +
                      L" is the same file as the input " + Wide(a),
                  boxes[1].text);
        EXPECT_EQ(UINT(MB_OK | MB_ICONERROR), boxes[1].type) << "an error carries the error icon";
        EXPECT_EQ("abc", TempDir::Read(a));

        const std::vector<MessageBoxRequest> none = AfxMessageBoxAnswers().TakeRequests();
        EXPECT_TRUE(none.empty());
    });
}

TEST_F(MergeCommand, NamesWithNonAsciiLettersSpacesAndQuotesMergeEndToEnd) {
    const std::string a = dir.Write("Ürlaub 2024 \"Strand\" 'été'.MTS", "first ");
    const std::string b = dir.Write("ночь – 夜.mts", "second");
    const std::string out = dir / "Joined “all” ü.mts";
    dlg.Run([&] {
        Add({a, b});
        TypeOutput(out);
        EXPECT_EQ(L"Merging complete", Merge());
        EXPECT_EQ("first second", TempDir::Read(out));
    });
}

TEST_F(MergeCommand, ControlCharactersInNamesAreShownVisiblyInMessages) {
    // A newline and terminal escapes that would otherwise break the text or fake a line.
    const std::string out = dir.Write("out\n\x1B[31m.mts", "the user's own file");
    const std::string gone = dir.Write("gone\nSUCCESS\x1B[2K.mts", "de");
    dlg.Run([&] {
        Add({dir.Write("a.mts", "abc"), gone});
        TypeOutput(out);
        std::filesystem::remove(gone);
        AfxMessageBoxAnswers().Queue(IDYES);
        AfxMessageBoxAnswers().Queue(IDOK);
        QTest::mouseClick(dlg.Control(IDC_MERGE), Qt::LeftButton);
        const std::vector<MessageBoxRequest> boxes = AfxMessageBoxAnswers().TakeRequests();
        ASSERT_EQ(2u, boxes.size());
        EXPECT_EQ(Wide(dir.Path()) +
                      L"/out\\n\\e[31m.mts already exists.\nDo you want to replace it?",
                  boxes[0].text);
        EXPECT_EQ(L"Merge error: Can't open input file\n'" + Wide(dir.Path()) +
                      L"/gone'$'\\n''SUCCESS'$'\\033''[2K.mts': No such file or directory",
                  boxes[1].text);
        EXPECT_EQ("the user's own file", TempDir::Read(out));
    });
}

TEST_F(MergeCommand, MergesInARowReuseTheDialogsJob) {
    const std::string a = dir.Write("a.mts", "abc");
    const std::string b = dir.Write("b.mts", "de");
    dlg.Run([&] {
        veldrun::Veldrun* job = dlg.m_job.get();
        Add({a, b});
        TypeOutput(dir / "missing/out.mts");
        EXPECT_EQ(L"Merge error: Can't create output file\n" +
                      Wide(dir / "missing/out.mts: No such file or directory"),
                  Merge());
        TypeOutput(dir / "out.mts");
        EXPECT_EQ(L"Merging complete", Merge());
        EXPECT_EQ("abcde", TempDir::Read(dir / "out.mts"));
        // Reordered without a refresh: the merge still takes the list as shown.
        dlg.m_list.Select(1);
        QTest::mouseClick(dlg.Control(IDC_MOVE_UP), Qt::LeftButton);
        AfxMessageBoxAnswers().Queue(IDYES);
        EXPECT_EQ(L"<2 boxes>", Merge()) << "the replace question, then the outcome";
        EXPECT_EQ("deabc", TempDir::Read(dir / "out.mts"));
        EXPECT_EQ(job, dlg.m_job.get());
    });
}

TEST_F(MergeCommand, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo) {
    const std::string a = dir.Write("a.mts", "new bytes");
    const std::string out = dir.Write("out.mts", "the user's own file");
    const std::wstring question = Wide(out) + L" already exists.\nDo you want to replace it?";
    // Presses Merge with `answer` for the question; returns every box's text, in order.
    const auto mergeAnswering = [&](int answer) {
        AfxMessageBoxAnswers().Queue(answer);
        AfxMessageBoxAnswers().Queue(IDOK);
        ChoiceBox::Answers().Queue(0);
        QTest::mouseClick(dlg.Control(IDC_MERGE), Qt::LeftButton);
        return Boxes();
    };
    dlg.Run([&] {
        Add({a});
        TypeOutput(out);
        AfxMessageBoxAnswers().Queue(IDNO);
        QTest::mouseClick(dlg.Control(IDC_MERGE), Qt::LeftButton);
        const std::vector<MessageBoxRequest> asked = AfxMessageBoxAnswers().TakeRequests();
        ASSERT_EQ(1u, asked.size()) << "No ends the command";
        EXPECT_EQ(question, asked[0].text);
        EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2), asked[0].type);
        EXPECT_EQ(std::wstring(AfxGetAppName()), asked[0].caption);
        EXPECT_EQ("the user's own file", TempDir::Read(out));
        AfxMessageBoxAnswers().Clear();
        AfxMessageBoxAnswers().Record();

        EXPECT_EQ((std::vector<std::wstring>{question, L"Merging complete"}),
                  mergeAnswering(IDYES));
        EXPECT_EQ("new bytes", TempDir::Read(out));
        // Merge again after the success: the finished file is asked about too.
        dir.Write("a.mts", "newer");
        EXPECT_EQ(std::vector<std::wstring>{question}, mergeAnswering(IDNO));
        EXPECT_EQ("new bytes", TempDir::Read(out));

        // Chosen in Select..., whose dialog asked already: no second question, once.
        CFileDialog::Answers().Queue({IDOK, {Wide(out)}});
        QTest::mouseClick(dlg.Control(IDC_SELECT_OUTPUT), Qt::LeftButton);
        EXPECT_EQ(std::vector<std::wstring>{L"Merging complete"}, mergeAnswering(IDOK));
        EXPECT_EQ("newer", TempDir::Read(out));
        EXPECT_EQ(std::vector<std::wstring>{question}, mergeAnswering(IDNO));

        // Chosen, then the name changed by hand to another existing file: asked.
        const std::string other = dir.Write("other.mts", "other");
        CFileDialog::Answers().Queue({IDOK, {Wide(out)}});
        QTest::mouseClick(dlg.Control(IDC_SELECT_OUTPUT), Qt::LeftButton);
        TypeOutput(other);
        EXPECT_EQ(std::vector<std::wstring>{Wide(other) +
                                            L" already exists.\nDo you want to replace it?"},
                  mergeAnswering(IDNO));
        EXPECT_EQ("other", TempDir::Read(other));

        // What holds no file of the user's is not asked about.
        TypeOutput("/dev/null");
        EXPECT_EQ(std::vector<std::wstring>{L"Merging complete"}, mergeAnswering(IDOK));
        TypeOutput(dir / "fresh.mts");
        EXPECT_EQ(std::vector<std::wstring>{L"Merging complete"}, mergeAnswering(IDOK));
    });
}

TEST_F(MergeCommand, TheReplaceQuestionIsARealWarningWhoseDefaultIsNo) {
    const std::string out = dir.Write("out.mts", "keep");
    dlg.Run([&] {
        Add({dir.Write("a.mts", "abc")});
        TypeOutput(out);
        AfxMessageBoxAnswers().Clear();
        bool seen = false;
        const ModalWatch watch(QString::fromStdWString(AfxGetAppName()), [&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(nullptr, box);
            seen = true;
            EXPECT_EQ(QMessageBox::Warning, box->icon());
            EXPECT_EQ(QString::fromStdWString(Wide(out)) +
                          " already exists.\nDo you want to replace it?",
                      box->text());
            EXPECT_TRUE(box->button(QMessageBox::No) == box->defaultButton());
            // Enter takes the default.
            QTest::keyClick(box, Qt::Key_Return);
        });
        QTest::mouseClick(dlg.Control(IDC_MERGE), Qt::LeftButton);
        EXPECT_TRUE(seen);
        EXPECT_EQ("keep", TempDir::Read(out));
    });
}

namespace {

std::int64_t AllocatedBytes(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 ? static_cast<std::int64_t>(info.st_blocks) * 512 : -1;
}

class QuitSignal : public MergeCommand, public ::testing::WithParamInterface<int> {};

} // namespace

TEST_P(QuitSignal, EndsTheProgramWithoutAskingOnceTheMergeHasStoppedAndGivenBackItsSpace) {
    const std::string input = dir.WriteSparse("long.mts", std::int64_t(2048) << 20, "end");
    const std::string out = dir / "out.mts";
    bool endedBySignal = false;
    dlg.Run([&] {
        Add({input});
        TypeOutput(out);
        // The signal comes while the merge copies.
        const ModalWatch progress("Merging in progress", [&](QWidget* window) {
            auto* status = static_cast<QLineEdit*>(veldrun::test::ControlOf(window, IDC_STATUS));
            ASSERT_TRUE(QTest::qWaitFor(
                [status] { return status->text().startsWith("Progressing file"); }, 20000));
            ::raise(GetParam());
        });
        QTest::mouseClick(dlg.Control(IDC_MERGE), Qt::LeftButton);
        EXPECT_EQ(progress.Seen(), 1);
        endedBySignal = !dlg.GetWidget()->isVisible();
    });
    EXPECT_TRUE(endedBySignal) << "the main dialog ended without being told to";
    EXPECT_TRUE(AfxMessageBoxAnswers().TakeRequests().empty()) << "nothing was asked or told";
    struct stat info;
    ASSERT_EQ(::stat(out.c_str(), &info), 0);
    EXPECT_LT(info.st_size, std::int64_t(2048) << 20) << "cancelled before the end";
    EXPECT_LE(AllocatedBytes(out), (info.st_size + 4095) / 4096 * 4096 + 64 * 1024)
        << "the space reserved beyond what was written is given back";
}

INSTANTIATE_TEST_SUITE_P(TermAndHangup, QuitSignal, ::testing::Values(SIGTERM, SIGHUP));

TEST_F(MergeCommand, AQuitSignalClosesAnOpenFileDialogWithItsSafeAnswer) {
    bool endedBySignal = false;
    dlg.Run([&] {
        TypeOutput(dir / "kept.mts");
        const ModalWatch save("Save As", [](QWidget*) { ::raise(SIGHUP); });
        QTest::mouseClick(dlg.Control(IDC_SELECT_OUTPUT), Qt::LeftButton);
        EXPECT_EQ(save.Seen(), 1);
        endedBySignal = !dlg.GetWidget()->isVisible();
        EXPECT_EQ(MainDialogHarness::TextOf(dlg.m_outputEdit), Wide(dir / "kept.mts"));
    });
    EXPECT_TRUE(endedBySignal);
    EXPECT_TRUE(AfxMessageBoxAnswers().TakeRequests().empty());
}
