// How a merge run ends for the user (the end box, the cancel question), the question before
// quitting with a list, and what is remembered between runs.

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTreeWidget>

#include "engine/TextConversion.h"
#include "platform/AfxMessageBox.h"
#include "platform/CWinApp.h"
#include "res/Resource.h"
#include "tests/support/Eventually.h"
#include "tests/support/TempDir.h"
#include "tests/ui/MainDialogHarness.h"
#include "tests/ui/ModalWatch.h"
#include "ui/ChoiceBox.h"
#include "ui/MergeReport.h"
#include "ui/Settings.h"

using veldrun::RunOutcome;
using veldrun::test::MainDialogHarness;
using veldrun::test::ModalWatch;
using veldrun::test::TempDir;

namespace {

std::wstring Wide(const std::string& text) {
    return veldrun::ToWide(text).value();
}

// Both kinds of box answered in advance and recorded.
class Boxes : public ::testing::Test {
protected:
    void SetUp() override {
        Clear();
        AfxMessageBoxAnswers().Record();
        ChoiceBox::Answers().Record();
    }
    void TearDown() override { Clear(); }
    static void Clear() {
        AfxMessageBoxAnswers().Clear();
        ChoiceBox::Answers().Clear();
    }
};

using EndBox = Boxes;

RunOutcome::Written Output(const std::string& path, std::int64_t size,
                           RunOutcome::Verified verified) {
    return {path, size, verified};
}

} // namespace

TEST_F(EndBox, ListsEachOutputAndWhatVerifyingFound) {
    using V = RunOutcome::Verified;
    struct Case {
        std::vector<RunOutcome::Written> complete;
        std::vector<bool> fromFileDate;
        std::wstring text;
    };
    const Case cases[] = {
        {{Output("/home/anna/Videos/x.MTS", 580'000'000, V::Yes)},
         {},
         L"Merging complete\nx.MTS, 580.0 MB\n"
         L"Verified: the output matches its inputs byte for byte."},
        {{Output("/v/2024-07-14 10.03.41.MTS", 1'234'567'890, V::Yes),
          Output("/v/2024-07-14 11.00.00.MTS", 999'999, V::Yes),
          Output("/v/2024-07-15 09.30.00.mts", 1'000'000, V::Cancelled)},
         {false, true, false},
         L"Merging complete\n"
         L"2024-07-14 10.03.41.MTS, 1.2 GB\n"
         L"2024-07-14 11.00.00.MTS, 999.9 kB (named from the file date)\n"
         L"2024-07-15 09.30.00.mts, 1.0 MB\n"
         L"Verifying was cancelled: the output is complete but not verified."},
        {{Output("/tmp/out.pipe", 2, V::NotRegular)},
         {},
         L"Merging complete\nout.pipe, 2 B\n"
         L"Not verified: the output is not a regular file, which cannot be read back."},
        // Verifying off says nothing of it; a name holding a line break cannot add a line.
        {{Output("/v/a\nVerified: fake.MTS", 7, V::No)},
         {},
         L"Merging complete\na\\nVerified: fake.MTS, 7 B"},
        // Partly verified is not verified.
        {{Output("/v/a.MTS", 1, V::Yes), Output("/v/b.MTS", 1, V::No)},
         {},
         L"Merging complete\na.MTS, 1 B\nb.MTS, 1 B"},
    };
    for (const Case& c : cases) {
        RunOutcome outcome;
        outcome.complete = c.complete;
        ChoiceBox::Answers().Queue(0);
        MergeReport::Complete(nullptr, outcome, c.fromFileDate);
        const auto boxes = ChoiceBox::Answers().TakeRequests();
        ASSERT_EQ(1u, boxes.size());
        EXPECT_EQ(c.text, boxes[0].text);
        EXPECT_EQ((std::vector<std::wstring>{L"OK", L"&Open Folder"}), boxes[0].buttons);
        EXPECT_EQ(0, boxes[0].defaultButton);
    }

    // Nothing written, nothing to open.
    ChoiceBox::Answers().Queue(0);
    MergeReport::Complete(nullptr, RunOutcome(), {});
    const auto boxes = ChoiceBox::Answers().TakeRequests();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"Merging complete", boxes[0].text);
    EXPECT_EQ(std::vector<std::wstring>{L"OK"}, boxes[0].buttons);
}

TEST_F(EndBox, CancelAsksToDeleteThePartialFileAndSaysWhenItCannot) {
    using V = RunOutcome::Verified;
    RunOutcome outcome;
    outcome.partialPath = "/home/anna/Videos/x.MTS";
    outcome.partialBytes = 580'000'000;
    int removals = 0;
    std::string reason;
    const MergeReport::RemovePartial remove = [&](std::string& problem) {
        ++removals;
        problem = reason;
        return reason.empty();
    };
    const std::wstring question = L"Merging cancelled.\n580.0 MB written so far are left in "
                                  L"/home/anna/Videos/x.MTS.\nDo you want to delete this partial "
                                  L"file?";

    AfxMessageBoxAnswers().Queue(IDNO);
    MergeReport::Cancelled(nullptr, outcome, 1, remove, {});
    auto boxes = AfxMessageBoxAnswers().TakeRequests();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(question, boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes[0].type & MB_TYPEMASK);
    EXPECT_EQ(0u, boxes[0].type & MB_DEFMASK) << "Yes is the default";
    EXPECT_EQ(0, removals) << "No keeps it";

    AfxMessageBoxAnswers().Queue(IDYES);
    MergeReport::Cancelled(nullptr, outcome, 1, remove, {});
    EXPECT_EQ(1u, AfxMessageBoxAnswers().TakeRequests().size()) << "a removal says nothing";
    EXPECT_EQ(1, removals);

    reason = "Permission denied";
    AfxMessageBoxAnswers().Queue(IDYES);
    AfxMessageBoxAnswers().Queue(IDOK);
    MergeReport::Cancelled(nullptr, outcome, 1, remove, {});
    boxes = AfxMessageBoxAnswers().TakeRequests();
    ASSERT_EQ(2u, boxes.size());
    EXPECT_EQ(L"Can't delete the partial file /home/anna/Videos/x.MTS\nPermission denied",
              boxes[1].text);

    // Cancelled in the second recording: the first is complete and listed above the question.
    outcome.complete = {Output("/home/anna/Videos/2024-07-14 10.03.41.MTS", 3'000'000, V::Yes)};
    outcome.partialBytes = 999;
    AfxMessageBoxAnswers().Queue(IDNO);
    MergeReport::Cancelled(nullptr, outcome, 2, remove, {true});
    boxes = AfxMessageBoxAnswers().TakeRequests();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"Merging cancelled.\n2024-07-14 10.03.41.MTS, 3.0 MB (named from the file date)\n"
              L"Verified: the output matches its inputs byte for byte.\n"
              L"999 B written so far are left in /home/anna/Videos/x.MTS.\nDo you want to "
              L"delete this partial file?",
              boxes[0].text);

    // Nothing partial: what is complete, and no question.
    outcome.partialPath.clear();
    AfxMessageBoxAnswers().Queue(IDOK);
    MergeReport::Cancelled(nullptr, outcome, 2, remove, {false});
    boxes = AfxMessageBoxAnswers().TakeRequests();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(L"Merging cancelled.\n2024-07-14 10.03.41.MTS, 3.0 MB\n"
              L"Verified: the output matches its inputs byte for byte.",
              boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_OK), boxes[0].type & MB_TYPEMASK);
    EXPECT_EQ(2, removals);
    EXPECT_TRUE(ChoiceBox::Answers().TakeRequests().empty());
}

// Cancel while the last output was verified leaves every output complete: the run ends as a
// complete one, saying that verifying was cancelled. An earlier output's does not.
TEST_F(EndBox, ACancelDuringTheLastVerifyingEndsAsComplete) {
    RunOutcome outcome;
    outcome.complete = {Output("/v/a.MTS", 5, RunOutcome::Verified::Yes),
                        Output("/v/b.MTS", 6, RunOutcome::Verified::Cancelled)};
    const MergeReport::RemovePartial never = [](std::string&) {
        ADD_FAILURE() << "nothing partial to remove";
        return false;
    };
    ChoiceBox::Answers().Queue(0);
    MergeReport::Cancelled(nullptr, outcome, 2, never, {});
    const auto complete = ChoiceBox::Answers().TakeRequests();
    ASSERT_EQ(1u, complete.size());
    EXPECT_EQ(L"Merging complete\na.MTS, 5 B\nb.MTS, 6 B\n"
              L"Verifying was cancelled: the output is complete but not verified.",
              complete[0].text);
    EXPECT_TRUE(AfxMessageBoxAnswers().TakeRequests().empty());

    AfxMessageBoxAnswers().Queue(IDOK);
    MergeReport::Cancelled(nullptr, outcome, 3, never, {});
    const auto cancelled = AfxMessageBoxAnswers().TakeRequests();
    ASSERT_EQ(1u, cancelled.size());
    EXPECT_EQ(0u, cancelled[0].text.rfind(L"Merging cancelled.\n", 0)) << cancelled[0].text;
    EXPECT_TRUE(ChoiceBox::Answers().TakeRequests().empty());
}

namespace {

class QuitQuestion : public Boxes {
protected:
    void Fill(int count) {
        for (int i = 0; i < count; ++i)
            dlg.m_list.Add(Wide(dir / ("0000" + std::to_string(i + 1) + ".MTS")));
    }
    // Presses Escape on the main dialog; true when that ended it.
    bool Escape() {
        QTest::keyClick(dlg.GetWidget(), Qt::Key_Escape);
        return !dlg.GetWidget()->isVisible();
    }
    std::vector<std::wstring> Questions() {
        std::vector<std::wstring> texts;
        for (const ChoiceBox::Request& request : ChoiceBox::Answers().TakeRequests())
            texts.push_back(request.text);
        return texts;
    }

    TempDir dir;
    MainDialogHarness dlg;
};

} // namespace

TEST_F(QuitQuestion, EscapeAndClosingAskBeforeAListIsForgotten) {
    bool ended = true;
    dlg.Run([&] {
        Fill(9);
        ChoiceBox::Answers().Queue(1);
        EXPECT_FALSE(Escape());
        const auto asked = ChoiceBox::Answers().TakeRequests();
        ASSERT_EQ(1u, asked.size());
        EXPECT_EQ(L"Quit Veldrun and forget the list of 9 clips?", asked[0].text);
        EXPECT_EQ((std::vector<std::wstring>{L"&Quit", L"Cancel"}), asked[0].buttons);
        EXPECT_EQ(1, asked[0].defaultButton) << "Cancel is the default";
        EXPECT_EQ(9, dlg.m_list.Count()) << "Cancel keeps the list";

        dlg.m_list.Select(0);
        while (dlg.m_list.Count() > 1)
            ASSERT_TRUE(dlg.m_list.Remove());
        ChoiceBox::Answers().Queue(0);
        dlg.GetWidget()->close();
        ended = !dlg.GetWidget()->isVisible();
        EXPECT_EQ(std::vector<std::wstring>{L"Quit Veldrun and forget the list of 1 clip?"},
                  Questions());
    });
    EXPECT_TRUE(ended) << "closing the window asks as Escape does, and Quit ends";

    MainDialogHarness empty;
    empty.Run([&] {
        QTest::keyClick(empty.GetWidget(), Qt::Key_Escape);
        ended = !empty.GetWidget()->isVisible();
    });
    EXPECT_TRUE(ended) << "an empty list goes without a word";
    EXPECT_TRUE(Questions().empty());
}

// The real box: Escape and Enter both keep the list; only Quit ends.
TEST_F(QuitQuestion, TheRealBoxKeepsTheListUnlessQuitIsPressed) {
    ChoiceBox::Answers().Clear();
    int shown = 0;
    bool ended = false;
    dlg.Run([&] {
        Fill(3);
        const std::vector<std::function<void(QWidget*)>> answers = {
            [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); },
            [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); },
            [](QWidget* box) {
                auto* message = qobject_cast<QMessageBox*>(box);
                ASSERT_NE(message, nullptr);
                EXPECT_EQ("Quit Veldrun and forget the list of 3 clips?", message->text());
                EXPECT_EQ(QMessageBox::Warning, message->icon());
                for (QAbstractButton* button : message->buttons()) {
                    if (button->text() == "&Quit")
                        QTest::mouseClick(button, Qt::LeftButton);
                }
            },
        };
        const ModalWatch watch(QString::fromWCharArray(AfxGetAppName()), [&](QWidget* box) {
            if (qobject_cast<QMessageBox*>(box) && shown < 3)
                answers[shown++](box);
        });
        for (int i = 0; i < 3 && !ended; ++i) {
            QTest::keyClick(dlg.GetWidget(), Qt::Key_Escape);
            ended = !dlg.GetWidget()->isVisible();
            EXPECT_EQ(i == 2, ended) << i;
        }
    });
    EXPECT_EQ(3, shown);
    EXPECT_TRUE(ended);
}

// A merge that failed leaves the list to lose; one that completed does not, until the list
// changes.
TEST_F(QuitQuestion, NotAskedAfterACompletedMergeOfTheSameList) {
    dlg.Run([&] {
        for (const char* name : {"a.MTS", "b.MTS"})
            dlg.m_list.Add(Wide(dir.Write(name, name)));
        dlg.m_outputEdit.SetWindowText(Wide(dir / "out/joined.MTS").c_str());
        AfxMessageBoxAnswers().Queue(IDOK);
        QTest::mouseClick(dlg.Control(IDC_MERGE), Qt::LeftButton);
        ASSERT_EQ(1u, AfxMessageBoxAnswers().TakeRequests().size()) << "no folder: it fails";
        ChoiceBox::Answers().Queue(1);
        EXPECT_FALSE(Escape());
        EXPECT_EQ(1u, Questions().size());

        QDir().mkpath(QString::fromStdString(dir / "out"));
        // However the end box is shown.
        AfxMessageBoxAnswers().Queue(IDOK);
        ChoiceBox::Answers().Queue(0);
        QTest::mouseClick(dlg.Control(IDC_MERGE), Qt::LeftButton);
        ASSERT_EQ("a.MTSb.MTS", TempDir::Read(dir / "out/joined.MTS"));
        EXPECT_EQ(Wide(dir / "out"), Settings::LastOutputFolder());
        Clear();
        AfxMessageBoxAnswers().Record();
        ChoiceBox::Answers().Record();

        dlg.m_list.Add(Wide(dir.Write("c.MTS", "c")));
        ChoiceBox::Answers().Queue(1);
        EXPECT_FALSE(Escape()) << "the list changed since";
        EXPECT_EQ(std::vector<std::wstring>{L"Quit Veldrun and forget the list of 3 clips?"},
                  Questions());
        dlg.m_list.Select(2);
        dlg.m_list.Remove();
        EXPECT_TRUE(Escape()) << "the list is as merged again";
        EXPECT_TRUE(Questions().empty());
    });
}

TEST_F(QuitQuestion, AQuitSignalQuitsWithoutAsking) {
    bool ended = false;
    dlg.Run([&] {
        Fill(4);
        ::raise(SIGTERM);
        ended = QTest::qWaitFor([&] { return !dlg.GetWidget()->isVisible(); });
    });
    EXPECT_TRUE(ended);
    EXPECT_TRUE(Questions().empty());
}

namespace {

QTreeWidget* ListOf(MainDialogHarness& dlg) {
    return static_cast<QTreeWidget*>(dlg.m_inputList.GetWidget());
}

std::vector<int> Widths(MainDialogHarness& dlg) {
    std::vector<int> widths;
    const QHeaderView* header = ListOf(dlg)->header();
    // The last column stretches to the list's edge.
    for (int column = 0; column + 1 < header->count(); ++column)
        widths.push_back(header->sectionSize(column));
    return widths;
}

void WriteSettings(const QByteArray& text) {
    QDir().mkpath(QFileInfo(Settings::Path()).absolutePath());
    QFile file(Settings::Path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

} // namespace

// Each test has a configuration folder of its own in XDG_CONFIG_HOME (see the tests' main).
TEST(Remembered, TheFileIsInTheConfigurationFolderOrInHomesDotConfig) {
    const QByteArray home = qgetenv("HOME");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    const QString expected = QString::fromLocal8Bit(config) + "/veldrun/veldrun.conf";
    EXPECT_EQ(expected, Settings::Path());
    Settings::SetVerify(false);
    Settings::SetLastOutputFolder(L"/home/anna/Vidéos");
    ASSERT_TRUE(QFile::exists(expected)) << "written at once";
    QSettings written(expected, QSettings::IniFormat);
    EXPECT_EQ("false", written.value("merge/verify").toString());
    EXPECT_FALSE(Settings::Verify());
    EXPECT_EQ(L"/home/anna/Vidéos", Settings::LastOutputFolder());

    TempDir otherHome;
    qputenv("HOME", QByteArray::fromStdString(otherHome.Path()));
    for (const QByteArray& unusable : {QByteArray(), QByteArray("relative/config")}) {
        qputenv("XDG_CONFIG_HOME", unusable);
        EXPECT_EQ(QString::fromStdString(otherHome / ".config/veldrun/veldrun.conf"),
                  Settings::Path())
            << unusable.toStdString();
        EXPECT_TRUE(Settings::Verify()) << "nothing remembered there yet";
    }
    qputenv("HOME", home);
    qputenv("XDG_CONFIG_HOME", config);
}

TEST(Remembered, MissingOrUnreadableValuesGiveTheDefaults) {
    EXPECT_FALSE(Settings::EachRecording());
    EXPECT_TRUE(Settings::Verify());
    EXPECT_TRUE(Settings::ColumnWidths().empty());
    EXPECT_TRUE(Settings::WindowGeometry().isEmpty());
    EXPECT_EQ(L"", Settings::LastInputFolder());

    WriteSettings("[merge]\neachRecording=yes please\nverify=0\n"
                  "[window]\ncolumns=120, 80, wide, 40\n");
    EXPECT_FALSE(Settings::EachRecording());
    EXPECT_TRUE(Settings::Verify());
    EXPECT_TRUE(Settings::ColumnWidths().empty()) << "all or nothing";
}

// The window's size and place, the column widths and the last input folder come back in the
// next run's dialog.
TEST(Remembered, TheDialogRestoresWhatItsLastRunLeft) {
    TempDir dir;
    QDir().mkpath(QString::fromStdString(dir / "Vidéos 2024"));
    const std::string clip = dir.Write("Vidéos 2024/00001.MTS", "a");
    QSize size;
    QPoint place;
    std::vector<int> widths;
    {
        MainDialogHarness first;
        first.Run([&] {
            first.m_list.Add(Wide(clip));
            first.GetWidget()->resize(first.GetWidget()->size() + QSize(143, 77));
            first.GetWidget()->move(first.GetWidget()->pos() + QPoint(31, 17));
            QHeaderView* header = ListOf(first)->header();
            header->resizeSection(0, 311);
            header->resizeSection(2, 97);
            size = first.GetWidget()->size();
            place = first.GetWidget()->pos();
            widths = Widths(first);
        });
    }
    EXPECT_EQ(Wide(dir / "Vidéos 2024"), Settings::LastInputFolder());
    EXPECT_EQ(311, widths[0]);

    MainDialogHarness second;
    second.Run([&] {
        EXPECT_EQ(size, second.GetWidget()->size());
        EXPECT_EQ(place, second.GetWidget()->pos());
        EXPECT_EQ(widths, Widths(second));

        // Add and Add Folder... open where the clips were last taken from.
        std::vector<QString> opened;
        const auto look = [&](QWidget* modal) {
            opened.push_back(static_cast<QFileDialog*>(modal)->directory().absolutePath());
            static_cast<QDialog*>(modal)->reject();
        };
        const ModalWatch add("Select Streams", look);
        const ModalWatch addFolder("Select Folder", look);
        QTest::mouseClick(second.Control(IDC_ADD), Qt::LeftButton);
        QTest::mouseClick(second.Control(IDC_ADD_FOLDER), Qt::LeftButton);
        const QString folder = QString::fromStdString(dir / "Vidéos 2024");
        EXPECT_EQ((std::vector<QString>{folder, folder}), opened);
    });
}

TEST(Remembered, ASpoiltFileOpensTheDialogAsWithoutOne) {
    QSize size;
    std::vector<int> widths;
    MainDialogHarness fresh;
    fresh.Run([&] {
        size = fresh.GetWidget()->size();
        widths = Widths(fresh);
    });
    WriteSettings("[window]\ngeometry=@ByteArray(not a geometry)\ncolumns=0, -5, 3\n");
    MainDialogHarness spoilt;
    spoilt.Run([&] {
        EXPECT_EQ(size, spoilt.GetWidget()->size());
        EXPECT_EQ(widths, Widths(spoilt));
    });
}
