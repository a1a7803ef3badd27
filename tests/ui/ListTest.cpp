#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include <QApplication>
#include <QDropEvent>
#include <QFontMetrics>
#include <QListWidget>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include "platform/CFileDialog.h"
#include "res/Resource.h"
#include "tests/support/TempDir.h"
#include "tests/ui/MainDialogHarness.h"

using veldrun::test::MainDialogHarness;
using veldrun::test::TempDir;

namespace {

typedef std::vector<std::wstring> Names;

// The main dialog, opened for real, with its refreshes counted. A refresh always rewrites
// the current-selection field, which reports EN_CHANGE even for an unchanged text, so
// counting those notices counts the refreshes.
class ListDialog : public MainDialogHarness {
public:
    void Run(const std::function<void()>& whileOpen) {
        CFileDialog::ClearAnswers();
        CFileDialog::RecordRequests();
        MainDialogHarness::Run([this, whileOpen] {
            refreshes = 0;
            whileOpen();
        });
        CFileDialog::ClearAnswers();
    }

    void Click(int id) { QTest::mouseClick(Control(id), Qt::LeftButton); }

    // Adds through the Add button, the file dialog answering with `paths`.
    void Add(const Names& paths) {
        CFileDialog::QueueAnswer(IDOK, paths);
        Click(IDC_ADD);
    }

    Names Entries() const {
        Names entries;
        for (int i = 0; i < m_inputList.GetCount(); ++i) {
            CString text;
            m_inputList.GetText(i, text);
            entries.push_back(text.Str());
        }
        return entries;
    }
    // The paths the merge job was last given.
    Names JobInputs() const {
        Names inputs;
        for (const std::string& path : m_job->files->inputs)
            inputs.push_back(QString::fromStdString(path).toStdWString());
        return inputs;
    }

    int Selection() const { return m_inputList.GetCurSel(); }
    void Select(int index) { m_inputList.SetCurSel(index); }
    int Extent() const { return m_inputList.GetHorizontalExtent(); }
    QListWidget* List() const { return static_cast<QListWidget*>(Control(IDC_INPUT_LIST)); }

    int refreshes = 0;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_COMMAND && wParam == MAKEWPARAM(IDC_CURRENT_SELECTION, EN_CHANGE))
            ++refreshes;
        return MainDialogHarness::OnWndMsg(message, wParam, lParam, result);
    }
};

// The width that the list's extent must reach to show `text`.
int Needed(QListWidget* list, const std::wstring& text) {
    return QFontMetrics(list->font()).horizontalAdvance(QString::fromStdWString(text)) + 3;
}

std::wstring Wide(const std::string& text) {
    return QString::fromStdString(text).toStdWString();
}

// A file `length` characters long in path, inside nested folders of `dir`.
std::string WriteLongPath(const TempDir& dir, std::size_t length) {
    std::string folder = dir.Path();
    while (folder.size() + 200 < length)
        folder += "/" + std::string(150, 'd');
    std::filesystem::create_directories(folder);
    std::string path = folder + "/";
    path += std::string(length - path.size() - 4, 'c') + ".mts";
    std::ofstream(path) << "clip";
    return path;
}

// Drags `urls` over the list box and drops them there, as a file manager does: the events
// go to the dialog's window, which finds the widget under the point that takes drops.
void DropOnList(ListDialog& dialog, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QWindow* window = dialog.GetWidget()->windowHandle();
    QListWidget* list = dialog.List();
    const QPoint at = list->mapTo(dialog.GetWidget(), list->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    EXPECT_TRUE(drop.isAccepted());
}

} // namespace

TEST(InputListAdd, OneSeveralAndTheSameFileAgainAppendInTheDialogsOrder) {
    ListDialog dialog;
    dialog.Run([&] {
        dialog.Add({L"/clips/00001.MTS"});
        EXPECT_EQ(dialog.Entries(), Names{L"/clips/00001.MTS"});
        EXPECT_EQ(dialog.refreshes, 2) << "one after the entry, one at the end";

        const std::vector<CFileDialog::Request> asked = CFileDialog::TakeRequests();
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_TRUE(asked[0].open);
        EXPECT_EQ(asked[0].title, L"Select Streams");
        EXPECT_EQ(asked[0].flags, OFN_ALLOWMULTISELECT) << "names typed need not exist";
        EXPECT_EQ(asked[0].filter, L"MTS Files (*.mts)|*.mts|All Files (*.*)|*.*||");
        EXPECT_EQ(asked[0].defaultExtension, L"");

        dialog.Select(0);
        dialog.refreshes = 0;
        dialog.Add({L"/clips/00001.MTS"});
        dialog.Add({L"/new/b.mts", L"/new/a.mts", L"/new/c d \"e\".mts"});
        EXPECT_EQ(dialog.Entries(), (Names{L"/clips/00001.MTS", L"/clips/00001.MTS", L"/new/b.mts",
                                           L"/new/a.mts", L"/new/c d \"e\".mts"}));
        EXPECT_EQ(dialog.refreshes, 2 + 4);
        EXPECT_EQ(dialog.Selection(), 0) << "appending leaves the selection";
        EXPECT_EQ(dialog.JobInputs(), dialog.Entries());
    });
}

TEST(InputListAdd, CancelOrAResultTooLargeAddsNothingButRefreshes) {
    ListDialog dialog;
    dialog.Run([&] {
        dialog.Add({L"/clips/a.mts"});
        dialog.refreshes = 0;
        CFileDialog::QueueAnswer(IDCANCEL);
        dialog.Click(IDC_ADD);
        EXPECT_EQ(dialog.Entries(), Names{L"/clips/a.mts"});
        EXPECT_EQ(dialog.refreshes, 1);

        // The result buffer holds 66817 characters, the closing NULs included: a folder of
        // two characters and names that fill it exactly fit, one character more does not.
        Names paths;
        std::size_t left = 66817 - std::wstring(L"/f").size() - 2;
        while (left > 0) {
            const std::size_t length = std::min<std::size_t>(left - 1, 255);
            paths.push_back(L"/f/" + std::wstring(length, L'n'));
            left -= length + 1;
        }
        Names tooMany = paths;
        tooMany.back() += L'n';

        dialog.refreshes = 0;
        dialog.Add(tooMany);
        EXPECT_EQ(dialog.Entries().size(), 1u);
        EXPECT_EQ(dialog.refreshes, 1);
        dialog.Add(paths);
        EXPECT_EQ(dialog.Entries().size(), 1 + paths.size());
        EXPECT_EQ(dialog.Entries().back(), paths.back());
    });
}

TEST(InputListAdd, EntriesAreTheFolderASeparatorAndEachName) {
    ListDialog dialog;
    dialog.Run([&] {
        dialog.Add({L"/a.mts", L"/b.mts"});
        EXPECT_EQ(dialog.Entries(), (Names{L"//a.mts", L"//b.mts"})) << "the root gets a second";
        dialog.Add({L"/a.mts"});
        EXPECT_EQ(dialog.Entries().back(), L"/a.mts") << "one file comes back as its path";

        // Qt's dialog also takes full paths typed from different folders.
        const Names spread = {L"/media/cam/00001.MTS", L"/media/card/00002.MTS"};
        dialog.Add(spread);
        const Names entries = dialog.Entries();
        EXPECT_EQ(Names(entries.end() - 2, entries.end()), spread);
    });
}

TEST(InputListDrop, FilesAreAppendedFoldersAndMissingNamesSkippedLongNamesKept) {
    TempDir dir;
    const std::string first = dir.Write("00001.MTS", "one");
    const std::string second = dir.Write("clip two.mts", "two");
    const std::string longPath = WriteLongPath(dir, 300);
    ListDialog dialog;
    dialog.Run([&] {
        dialog.Add({L"/earlier.mts"});
        dialog.Select(0);
        dialog.refreshes = 0;
        DropOnList(dialog, {QUrl::fromLocalFile(QString::fromStdString(first)),
                            QUrl::fromLocalFile(QString::fromStdString(dir.Path())),
                            QUrl::fromLocalFile(QString::fromStdString(dir / "missing.mts")),
                            QUrl::fromLocalFile(QString::fromStdString(second)),
                            QUrl::fromLocalFile(QString::fromStdString(longPath))});
        EXPECT_EQ(dialog.Entries(),
                  (Names{L"/earlier.mts", Wide(first), Wide(second), Wide(longPath)}));
        EXPECT_EQ(dialog.refreshes, 3) << "one per accepted name";
        EXPECT_EQ(dialog.Selection(), 0);
        EXPECT_EQ(dialog.Extent(), Needed(dialog.List(), Wide(longPath)));

        dialog.refreshes = 0;
        DropOnList(dialog, {QUrl::fromLocalFile(QString::fromStdString(dir.Path()))});
        EXPECT_EQ(dialog.Entries().size(), 4u);
        EXPECT_EQ(dialog.refreshes, 0) << "nothing accepted, nothing refreshed";
    });
}

TEST(InputListRemove, SelectionGoesToTheNextEntryElseTheLastElseNone) {
    ListDialog dialog;
    dialog.Run([&] {
        dialog.Add({L"/c/a", L"/c/b", L"/c/c", L"/c/d"});
        dialog.refreshes = 0;
        dialog.Click(IDC_REMOVE);
        EXPECT_EQ(dialog.Entries().size(), 4u) << "nothing selected";
        EXPECT_EQ(dialog.refreshes, 1);

        dialog.Select(1);
        dialog.Click(IDC_REMOVE);
        EXPECT_EQ(dialog.Entries(), (Names{L"/c/a", L"/c/c", L"/c/d"}));
        EXPECT_EQ(dialog.Selection(), 1) << "the entry that followed";

        dialog.Select(2);
        dialog.Click(IDC_REMOVE);
        EXPECT_EQ(dialog.Entries(), (Names{L"/c/a", L"/c/c"}));
        EXPECT_EQ(dialog.Selection(), 1) << "the new last entry";
        EXPECT_EQ(dialog.refreshes, 3);

        dialog.Click(IDC_REMOVE);
        dialog.Click(IDC_REMOVE);
        EXPECT_TRUE(dialog.Entries().empty());
        EXPECT_EQ(dialog.Selection(), -1);
        EXPECT_TRUE(dialog.JobInputs().empty());
    });
}

TEST(InputListMove, SwapsWithTheNeighbourAndNothingPastTheEndsOrWithoutSelection) {
    ListDialog dialog;
    dialog.Run([&] {
        dialog.Add({L"/c/a", L"/c/b", L"/c/c"});
        const Names start = dialog.Entries();
        dialog.refreshes = 0;
        dialog.Click(IDC_MOVE_UP);
        dialog.Click(IDC_MOVE_DOWN);
        EXPECT_EQ(dialog.Selection(), -1);
        dialog.Select(0);
        dialog.Click(IDC_MOVE_UP);
        EXPECT_EQ(dialog.Selection(), 0);
        dialog.Select(2);
        dialog.Click(IDC_MOVE_DOWN);
        EXPECT_EQ(dialog.Selection(), 2);
        EXPECT_EQ(dialog.Entries(), start);

        dialog.Select(1);
        dialog.Click(IDC_MOVE_UP);
        EXPECT_EQ(dialog.Entries(), (Names{L"/c/b", L"/c/a", L"/c/c"}));
        EXPECT_EQ(dialog.Selection(), 0);
        dialog.Click(IDC_MOVE_DOWN);
        dialog.Click(IDC_MOVE_DOWN);
        EXPECT_EQ(dialog.Entries(), (Names{L"/c/a", L"/c/c", L"/c/b"}));
        EXPECT_EQ(dialog.Selection(), 2);
        EXPECT_EQ(dialog.refreshes, 0) << "moves refresh nothing";
    });
}

TEST(InputListExtent, GrowsToTheWidestEntryInTheListsFontAndNeverShrinks) {
    ListDialog dialog;
    dialog.Run([&] {
        QListWidget* list = dialog.List();
        QFont large = list->font();
        large.setPointSize(large.pointSize() * 3);
        list->setFont(large);
        EXPECT_EQ(dialog.Extent(), 0);

        const std::wstring shorter = L"/c/" + std::wstring(40, L'w');
        const std::wstring longer = L"/c/" + std::wstring(80, L'w');
        dialog.Add({shorter});
        EXPECT_EQ(dialog.Extent(), Needed(list, shorter));
        dialog.Add({longer});
        const int widest = Needed(list, longer);
        EXPECT_EQ(dialog.Extent(), widest);
        EXPECT_EQ(list->horizontalScrollBar()->maximum(), widest - list->viewport()->width());

        dialog.Add({longer});
        dialog.Add({shorter});
        EXPECT_EQ(dialog.Extent(), widest) << "equal and narrower entries leave it";

        for (int i = 0; i < 3; ++i) {
            dialog.Select(1);
            dialog.Click(IDC_REMOVE);
        }
        EXPECT_EQ(dialog.Entries(), Names{shorter});
        EXPECT_EQ(dialog.Extent(), widest);
    });
}
