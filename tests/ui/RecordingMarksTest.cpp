#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QDateTime>
#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QWindow>

#include "engine/TextConversion.h"
#include "platform/AfxMessageBox.h"
#include "platform/CFileDialog.h"
#include "progress/LocalFormat.h"
#include "res/Resource.h"
#include "tests/support/Fifo.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestStream.h"
#include "tests/ui/MainDialogHarness.h"
#include "tests/ui/ModalWatch.h"
#include "ui/ChoiceBox.h"
#include "ui/ClipTable.h"
#include "ui/MarkDelegate.h"

using veldrun::test::Fifo;
using veldrun::test::MainDialogHarness;
using veldrun::test::ModalWatch;
using veldrun::test::TempDir;
using veldrun::test::TestStream;

namespace {

typedef std::vector<std::wstring> Names;

const std::int64_t kSecond = TestStream::kSecond;
const std::wstring kNew = L"New recording: its clock does not continue from the clip above";
const std::wstring kNotStream = L"Not a transport stream";
const std::wstring kMissing = L"Cannot be read: No such file or directory";
const std::wstring kUnknown =
    L"Can't tell whether it continues the clip above: one of them has no clock";

// A clip whose clock runs from `first` to `last` seconds.
std::string Clip(double first, double last) {
    return TestStream()
        .Recording(static_cast<std::int64_t>(first * kSecond),
                   static_cast<std::int64_t>(last * kSecond))
        .Bytes();
}

std::wstring Wide(const std::string& text) {
    return veldrun::ToWide(text).value();
}

// The main dialog with the list's marks and the summary in reach.
class MarksDialog : public MainDialogHarness {
public:
    void Run(const std::function<void()>& whileOpen) {
        CFileDialog::Answers().Clear();
        AfxMessageBoxAnswers().Clear();
        MainDialogHarness::Run(whileOpen);
        CFileDialog::Answers().Clear();
        AfxMessageBoxAnswers().Clear();
    }
    void Add(const std::vector<std::string>& paths) {
        Names wide;
        for (const std::string& path : paths)
            wide.push_back(Wide(path));
        CFileDialog::Answers().Queue({IDOK, wide});
        QTest::mouseClick(Control(IDC_ADD), Qt::LeftButton);
    }
    void Click(int id) { QTest::mouseClick(Control(id), Qt::LeftButton); }
    // Lets the reader finish and its results arrive.
    void AwaitReading() { m_details.AwaitReading(); }
    QTreeWidget* List() const { return static_cast<QTreeWidget*>(Control(IDC_INPUT_LIST)); }
    Names Marks() const {
        Names marks;
        for (int i = 0; i < List()->topLevelItemCount(); ++i)
            marks.push_back(MarkDelegate::MarkOf(List()->model()->index(i, 0)).toStdWString());
        return marks;
    }
    std::wstring Summary() const { return TextOf(*GetDlgItem(IDC_SUMMARY)); }
    // The text of column `column` in each row.
    Names Column(int column) const {
        Names texts;
        for (int i = 0; i < List()->topLevelItemCount(); ++i)
            texts.push_back(List()->topLevelItem(i)->text(column).toStdWString());
        return texts;
    }
};

// Drops `path` from a file manager onto the list.
void DropFile(MarksDialog& dialog, const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QWindow* window = dialog.GetWidget()->windowHandle();
    const QPoint at = dialog.List()->mapTo(dialog.GetWidget(), dialog.List()->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
}

// Moves entry `from` of the list before entry `onto`, as Qt's own drop of a dragged entry does.
void DragEntry(MarksDialog& dialog, int from, int onto) {
    dialog.DropEntry(from, onto);
}

CString Size(std::int64_t bytes) {
    return LocalFormat().Size(bytes);
}

} // namespace

TEST(RecordingMarks, FollowAddRemoveMoveSortDragAndDropAndTheSummaryCountsRecordings) {
    TempDir dir;
    const std::string a1 = dir.Write("00001.MTS", Clip(0, 10));
    const std::string a2 = dir.Write("00002.MTS", Clip(10.1, 20));
    const std::string b = dir.Write("00003.MTS", Clip(100, 130));
    const std::string notes = dir.Write("notes.txt", std::string(3000, 'n'));
    const std::int64_t streams = Clip(0, 10).size() + Clip(10.1, 20).size() + Clip(100, 130).size();
    MarksDialog dialog;
    dialog.Run([&] {
        // Nothing is read on the user-interface thread: with the reader paused, an added
        // stream shows neither marks nor recordings.
        dialog.m_details.Reader().Pause();
        dialog.Add({a2, a1});
        QCoreApplication::processEvents();
        EXPECT_EQ(dialog.Marks(), (Names{L"", L""}));
        EXPECT_EQ(dialog.Summary(), L"2 clips") << "sizes come with the reading";
        dialog.m_details.Reader().Resume();
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Entries(), (Names{Wide(a1), Wide(a2)}));
        EXPECT_EQ(dialog.Marks(), (Names{L"", L""}));
        EXPECT_EQ(dialog.Summary(), L"2 clips, one recording, 0:00:20, " +
                                        Size(Clip(0, 10).size() + Clip(10.1, 20).size()).Str());

        dialog.Add({b});
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Marks(), (Names{L"", L"", kNew}));
        EXPECT_EQ(dialog.Summary(), L"3 clips, 2 recordings, 0:00:50, " + Size(streams).Str());
        // The entry's text stays the path; its tooltip adds the mark's words.
        EXPECT_EQ(dialog.Entries()[2], Wide(b));
        EXPECT_EQ(dialog.List()->topLevelItem(2)->toolTip(0).toStdWString(),
                  Wide(b) + L"\n" + kNew);

        // A move shows at once: what was read is kept.
        dialog.m_list.Select(2);
        dialog.Click(IDC_MOVE_UP);
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Entries(), (Names{Wide(a1), Wide(b), Wide(a2)}));
        EXPECT_EQ(dialog.Marks(), (Names{L"", kNew, kNew}));
        EXPECT_EQ(dialog.Summary(), L"3 clips, 3 recordings, 0:00:50, " + Size(streams).Str());
        EXPECT_EQ(dialog.List()->topLevelItem(1)->toolTip(0).toStdWString(),
                  Wide(b) + L"\n" + kNew);
        EXPECT_EQ(dialog.List()->topLevelItem(2)->toolTip(0).toStdWString(),
                  Wide(a2) + L"\n" + kNew);

        dialog.OnSortByName();
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Marks(), (Names{L"", L"", kNew}));
        EXPECT_EQ(dialog.List()->topLevelItem(1)->toolTip(0).toStdWString(), Wide(a2))
            << "mark cleared";

        DropFile(dialog, notes);
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Marks(), (Names{L"", L"", kNew, kNotStream}));
        EXPECT_EQ(dialog.Summary(), L"4 clips, 2 recordings, 1 not a transport stream, " +
                                        Size(streams + 3000).Str());

        // Dragged between the pieces, the stray file splits the recording.
        DragEntry(dialog, 3, 1);
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Entries(), (Names{Wide(a1), Wide(notes), Wide(a2), Wide(b)}));
        EXPECT_EQ(dialog.Marks(), (Names{L"", kNotStream, kUnknown, kNew}));
        EXPECT_EQ(dialog.Summary(), L"4 clips, 3 recordings, 1 not a transport stream, " +
                                        Size(streams + 3000).Str());

        dialog.m_list.Select(1);
        dialog.Click(IDC_REMOVE);
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Marks(), (Names{L"", L"", kNew}));
        EXPECT_EQ(dialog.Summary(), L"3 clips, 2 recordings, 0:00:50, " + Size(streams).Str());

        // A clip that is gone since it was listed: counted, named, and no playing time.
        std::remove(a2.c_str());
        dialog.m_list.Select(0);
        dialog.Click(IDC_REMOVE);
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Marks(), (Names{kMissing, kUnknown}));
        EXPECT_EQ(dialog.Summary(), L"2 clips, one recording, 1 of them " +
                                        Size(Clip(100, 130).size()).Str() +
                                        L"; 00002.MTS cannot be read");
    });
}

TEST(RecordingMarks, AListWithoutStreamsKeepsThePlainSummaryAndNoMarks) {
    TempDir dir;
    const std::string one = dir.Write("one.txt", "first");
    const std::string two = dir.Write("two.txt", "second");
    MarksDialog dialog;
    dialog.Run([&] {
        dialog.Add({one, two});
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Marks(), (Names{L"", L""}));
        EXPECT_EQ(dialog.Summary(), L"2 clips, 11 B in all");
    });
}

TEST(RecordingMarks, FilesFromTheCommandLineAreMarkedInTheirOwnOrder) {
    TempDir dir;
    const std::string second = dir.Write("00002.MTS", Clip(10.1, 20));
    const std::string first = dir.Write("00001.MTS", Clip(0, 10));
    MarksDialog dialog;
    dialog.OpenAtStart({CString(Wide(second)), CString(Wide(first))});
    dialog.Run([&] {
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Entries(), (Names{Wide(second), Wide(first)}));
        EXPECT_EQ(dialog.Marks(), (Names{L"", kNew}));
        dialog.OnOrderByRecording();
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Entries(), (Names{Wide(first), Wide(second)}));
        EXPECT_EQ(dialog.Marks(), (Names{L"", L""}));
        EXPECT_EQ(dialog.m_inputList.GetCurSel(), 1) << "the first file listed stays selected";
    });
}

TEST(RecordingOrder, TheMenuCommandOrdersTwoShuffledRecordingsAndKeepsTheSelection) {
    TempDir dir;
    // Names that Sort by Name would put in the wrong order: the clocks tell.
    const std::string c10 = dir.Write("clip 10.MTS", Clip(0, 10));
    const std::string c2 = dir.Write("clip 2.MTS", Clip(10.5, 20));
    const std::string c7 = dir.Write("clip 7.MTS", Clip(20.5, 30));
    const std::string b3 = dir.Write("b 3.MTS", Clip(5000, 5010));
    const std::string b1 = dir.Write("b 1.MTS", Clip(5010.2, 5020));
    const std::string notes = dir.Write("notes.txt", "notes");
    MarksDialog dialog;
    dialog.Run([&] {
        for (const std::string& path : {c2, b1, notes, c7, b3, c10})
            dialog.Add({path});
        dialog.m_list.Select(3);
        QTreeWidget* list = dialog.List();
        list->setFocus();

        // From the keyboard, as a user without a mouse does: Shift+F10, then its letter. Remove
        // has it too and is highlighted first, so the letter moves on to this one; Enter
        // chooses it.
        QStringList texts;
        bool enabled = false;
        QTimer::singleShot(50, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* action : menu->actions()) {
                texts << action->text();
                if (action->text() == "Order by &Recording")
                    enabled = action->isEnabled();
            }
            ASSERT_NE(menu->activeAction(), nullptr);
            EXPECT_EQ(menu->activeAction()->text(), "&Remove");
            QTest::keyClick(menu, Qt::Key_R);
            ASSERT_NE(menu->activeAction(), nullptr);
            EXPECT_EQ(menu->activeAction()->text(), "Order by &Recording");
            QTest::keyClick(menu, Qt::Key_Return);
        });
        dialog.AwaitReading();
        QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
        EXPECT_EQ(texts.size(), 8);
        EXPECT_EQ(texts.mid(3, 3), (QStringList{"", "&Sort by Name", "Order by &Recording"}));
        EXPECT_TRUE(enabled);

        EXPECT_EQ(dialog.Entries(),
                  (Names{Wide(b3), Wide(b1), Wide(notes), Wide(c10), Wide(c2), Wide(c7)}));
        EXPECT_EQ(dialog.m_inputList.GetCurSel(), 5) << "clip 7 stays selected";
        EXPECT_EQ(MainDialogHarness::TextOf(dialog.m_selectionEdit), Wide(c7));
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Marks(), (Names{L"", L"", kNotStream, kUnknown, L"", L""}));

        // Ordering again changes nothing.
        dialog.OnOrderByRecording();
        EXPECT_EQ(dialog.Entries()[0], Wide(b3));
        EXPECT_EQ(dialog.Entries()[5], Wide(c7));

        // Until every entry is read, the order cannot be told and the command does nothing.
        dialog.m_details.Reader().Pause();
        const std::string late = dir.Write("a 1.MTS", Clip(9000, 9010));
        dialog.Add({late});
        dialog.OnOrderByRecording();
        EXPECT_EQ(dialog.Entries().back(), Wide(late));
        dialog.m_details.Reader().Resume();
        dialog.AwaitReading();
        dialog.OnOrderByRecording();
        EXPECT_EQ(dialog.Entries().front(), Wide(late));
    });
}

TEST(RecordingReader, AResultForARemovedEntryIsNotAppliedToTheEntryInItsPlace) {
    TempDir dir;
    const std::string a = dir.Write("00001.MTS", Clip(0, 10));
    const std::string b = dir.Write("00002.MTS", Clip(50, 60));
    MarksDialog dialog;
    dialog.Run([&] {
        dialog.Add({a, b});
        // Both results wait in the queue, not yet taken, when the first entry goes.
        dialog.m_details.Reader().WaitUntilIdle();
        dialog.m_list.Select(0);
        dialog.Click(IDC_REMOVE);
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Entries(), Names{Wide(b)});
        EXPECT_EQ(dialog.Marks(), Names{L""});
        EXPECT_EQ(dialog.Summary(),
                  L"1 clip, one recording, 0:00:10, " + Size(Clip(50, 60).size()).Str());

        // Listed again, it is read again.
        dialog.Add({a});
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Marks(), (Names{L"", kNew}));
    });
}

TEST(RecordingReader, PausesWhileAMergeRunsAndGoesOnAfterwards) {
    TempDir dir;
    const std::string a = dir.Write("00001.MTS", Clip(0, 10));
    const std::string filler = dir.Write("filler.bin", TempDir::Pattern(300000, 7));
    const std::string later = dir.Write("00002.MTS", Clip(10.1, 20));
    Fifo pipe(dir / "out.pipe");
    MarksDialog dialog;
    AfxMessageBoxAnswers().Clear();
    dialog.Run([&] {
        dialog.Add({a, filler});
        dialog.AwaitReading();
        dialog.m_outputEdit.SetWindowText(Wide(dir / "out.pipe").c_str());

        std::string joined;
        bool readDuringMerge = true;
        const ModalWatch watch("Merging in progress", [&](QWidget*) {
            // The merge waits for the pipe; a read asked for now must not happen.
            pipe.WaitForWriter();
            dialog.m_details.Reader().Read({Wide(later)});
            dialog.m_details.Reader().WaitUntilIdle();
            readDuringMerge = !dialog.m_details.Reader().Take().empty();
            joined = pipe.ReadAll();
        });
        ChoiceBox::Answers().Queue(0);
        dialog.Click(IDC_MERGE);
        ChoiceBox::Answers().Clear();
        EXPECT_EQ(watch.Seen(), 1);
        EXPECT_FALSE(readDuringMerge);
        EXPECT_EQ(joined, TempDir::Read(a) + TempDir::Read(filler));

        // Afterwards the list is read again as it changes.
        dialog.Add({later});
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Marks(), (Names{L"", kNotStream, kUnknown}));
    });
}

namespace {

// Waits, without touching the list, until its marks are `expected`.
bool MarksBecome(MarksDialog& dialog, const Names& expected) {
    return QTest::qWaitFor([&] { return dialog.Marks() == expected; }, 5000);
}

std::string Joined(const Names& names) {
    std::string text;
    for (const std::wstring& name : names)
        text += "[" + veldrun::ToNarrow(name).value_or("?") + "]";
    return text;
}

} // namespace

TEST(ClipTable, ColumnsShowEachClipAndTheHeaderDoesNotReorder) {
    TempDir dir;
    const std::string a1 = dir.Write("00001.MTS", Clip(0, 10));
    // The second carries the camera's date message in its video, as a camcorder writes it.
    const std::string dated = TestStream()
                                  .Dated(0x202407, 0x14101502)
                                  .Recording(kSecond * 101 / 10, kSecond * 3725)
                                  .Bytes();
    const std::string a2 = dir.Write("00002.MTS", dated);
    const std::string notes = dir.Write("notes.txt", std::string(3000, 'n'));
    const std::string missing = dir / "00009.MTS";
    MarksDialog dialog;
    dialog.Run([&] {
        dialog.Add({a2, a1, notes, missing});
        dialog.AwaitReading();
        const std::wstring folder = Wide(dir.Path());
        EXPECT_EQ(dialog.Entries(), (Names{Wide(a1), Wide(a2), Wide(missing), Wide(notes)}))
            << "the entries stay the paths";
        EXPECT_EQ(dialog.Column(ClipTable::kName),
                  (Names{L"00001.MTS", L"00002.MTS", L"00009.MTS", L"notes.txt"}));
        EXPECT_EQ(dialog.Column(ClipTable::kFolder), (Names{folder, folder, folder, folder}));
        EXPECT_EQ(dialog.Column(ClipTable::kLength), (Names{L"0:00:10", L"1:01:55", L"", L""}));
        EXPECT_EQ(
            dialog.Column(ClipTable::kSize),
            (Names{Size(Clip(0, 10).size()).Str(), Size(dated.size()).Str(), L"", L"3.0 kB"}));
        // Streams without the camera's date show the file's own, set apart.
        QTreeWidget* list = dialog.List();
        const QString fileDate =
            QFileInfo(QString::fromStdString(a1)).lastModified().toString("yyyy-MM-dd HH:mm");
        EXPECT_EQ(list->topLevelItem(0)->text(ClipTable::kRecorded), fileDate);
        EXPECT_EQ(list->topLevelItem(0)->toolTip(ClipTable::kRecorded), "file date");
        EXPECT_TRUE(list->topLevelItem(0)
                        ->data(ClipTable::kRecorded, Qt::FontRole)
                        .value<QFont>()
                        .italic());
        EXPECT_EQ(list->topLevelItem(0)->toolTip(ClipTable::kName), QString::fromStdString(a1));
        // The camera's date, read from the stream, in the plain style; the seconds in the tip.
        EXPECT_EQ(list->topLevelItem(1)->text(ClipTable::kRecorded), "2024-07-14 10:15");
        EXPECT_TRUE(list->topLevelItem(1)->toolTip(ClipTable::kRecorded).contains("10:15:02"));
        EXPECT_FALSE(list->topLevelItem(1)
                         ->data(ClipTable::kRecorded, Qt::FontRole)
                         .value<QFont>()
                         .italic());
        // Unreadable: the reason in the row, an icon, and the mark in words for screen readers.
        EXPECT_EQ(list->topLevelItem(2)->text(ClipTable::kRecorded), "No such file or directory");
        EXPECT_FALSE(list->topLevelItem(2)->icon(ClipTable::kName).isNull());
        EXPECT_TRUE(list->topLevelItem(1)->icon(ClipTable::kName).isNull());
        EXPECT_EQ(list->topLevelItem(2)->data(ClipTable::kName, Qt::AccessibleTextRole).toString(),
                  "00009.MTS, " + QString::fromStdWString(kMissing));
        EXPECT_EQ(list->topLevelItem(3)
                      ->data(ClipTable::kFolder, Qt::AccessibleDescriptionRole)
                      .toString()
                      .toStdWString(),
                  kNotStream);

        // A click on a column's header orders nothing: the order is the join order.
        dialog.m_list.Select(3);
        QHeaderView* header = list->header();
        for (int column : {ClipTable::kName, ClipTable::kSize, ClipTable::kName}) {
            const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        }
        EXPECT_EQ(dialog.Entries(), (Names{Wide(a1), Wide(a2), Wide(missing), Wide(notes)}));
        EXPECT_EQ(dialog.Column(ClipTable::kName),
                  (Names{L"00001.MTS", L"00002.MTS", L"00009.MTS", L"notes.txt"}));
        EXPECT_EQ(dialog.m_inputList.GetCurSel(), 3);
        EXPECT_FALSE(list->isColumnHidden(ClipTable::kName));
    });
}

TEST(ClipTable, MarksAndSummaryFollowFilesThatGoComeBackAndAreListedTwice) {
    TempDir dir;
    const std::string a1 = dir.Write("00001.MTS", Clip(0, 10));
    const std::string a2 = dir.Write("00002.MTS", Clip(10.1, 20));
    std::filesystem::create_directories(dir / "copy");
    const std::string link = dir / "copy/A001.MTS";
    std::filesystem::create_hard_link(a1, link);
    const std::int64_t size1 = Clip(0, 10).size(), size2 = Clip(10.1, 20).size();
    const std::wstring twice = L"Listed twice: the same file as entry 1; " + kNew;
    MarksDialog dialog;
    dialog.Run([&] {
        dialog.Add({a1, a2});
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Summary(),
                  L"2 clips, one recording, 0:00:20, " + Size(size1 + size2).Str());

        // Gone while listed: noticed without any change of the list.
        std::filesystem::remove(a2);
        EXPECT_TRUE(MarksBecome(dialog, Names{L"", kMissing})) << Joined(dialog.Marks());
        EXPECT_EQ(dialog.Summary(), L"2 clips, one recording, 1 of them " + Size(size1).Str() +
                                        L"; 00002.MTS cannot be read");
        // Back again: the mark goes.
        dir.Write("00002.MTS", Clip(10.1, 20));
        EXPECT_TRUE(MarksBecome(dialog, Names{L"", L""})) << Joined(dialog.Marks());
        EXPECT_EQ(dialog.Summary(),
                  L"2 clips, one recording, 0:00:20, " + Size(size1 + size2).Str());

        // The same file by another name: marked, joined, and no recording of its own.
        dialog.Add({link});
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Marks(), (Names{L"", L"", twice}));
        EXPECT_FALSE(dialog.List()->topLevelItem(2)->icon(ClipTable::kName).isNull());
        EXPECT_EQ(dialog.Summary(), L"3 clips, one recording, 1 listed twice, 0:00:30, " +
                                        Size(2 * size1 + size2).Str());
        // Its first listing's name goes: the other name is the file's only entry now.
        std::filesystem::remove(a1);
        EXPECT_TRUE(MarksBecome(dialog, Names{kMissing, kUnknown, kNew})) << Joined(dialog.Marks());
        EXPECT_TRUE(dialog.Summary().find(L"listed twice") == std::wstring::npos)
            << dialog.Summary();
        std::filesystem::create_hard_link(link, a1);
        EXPECT_TRUE(MarksBecome(dialog, Names{L"", L"", twice})) << Joined(dialog.Marks());

        // Taken out of the list, the copy is no copy any more.
        dialog.m_list.Select(0);
        dialog.Click(IDC_REMOVE);
        dialog.AwaitReading();
        EXPECT_EQ(dialog.Marks(), (Names{L"", kNew}));
        EXPECT_EQ(dialog.Summary(),
                  L"2 clips, 2 recordings, 0:00:20, " + Size(size1 + size2).Str());
    });
}
