#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QWindow>

#include "platform/AfxMessageBox.h"
#include "platform/CFileDialog.h"
#include "res/Resource.h"
#include "tests/support/Eventually.h"
#include "tests/support/OpenCounter.h"
#include "tests/support/TempDir.h"
#include "tests/ui/MainDialogHarness.h"
#include "tests/ui/ModalWatch.h"
#include "ui/ChoiceBox.h"
#include "ui/ClipFacts.h"
#include "ui/FolderSearch.h"

using veldrun::test::MainDialogHarness;
using veldrun::test::ModalWatch;
using veldrun::test::OpenCounter;
using veldrun::test::TempDir;

namespace {

typedef std::vector<std::wstring> Names;

// The main dialog, opened for real, with its refreshes counted. A refresh always rewrites
// the current-selection field, which reports EN_CHANGE even for an unchanged text, so
// counting those notices counts the refreshes.
class ListDialog : public MainDialogHarness {
public:
    void Run(const std::function<void()>& whileOpen) {
        CFileDialog::Answers().Clear();
        CFileDialog::Answers().Record();
        MainDialogHarness::Run([this, whileOpen] {
            refreshes = 0;
            whileOpen();
        });
        CFileDialog::Answers().Clear();
        AfxMessageBoxAnswers().Clear();
    }

    void Click(int id) { QTest::mouseClick(Control(id), Qt::LeftButton); }

    // Adds through the Add button, the file dialog answering with `paths`.
    void Add(const Names& paths) {
        CFileDialog::Answers().Queue({IDOK, paths});
        Click(IDC_ADD);
    }

    // The paths the merge job was last given.
    Names JobInputs() const {
        Names inputs;
        for (const std::string& path : m_job->files->inputs)
            inputs.push_back(QString::fromStdString(path).toStdWString());
        return inputs;
    }

    // Lets the reader finish and its results arrive.
    void AwaitReading() { m_details.AwaitReading(); }

    int Selection() const { return m_inputList.GetCurSel(); }
    void Select(int index) { m_list.Select(index); }
    // The width of the Name column.
    int NameWidth() const { return List()->header()->sectionSize(0); }
    QTreeWidget* List() const { return static_cast<QTreeWidget*>(Control(IDC_INPUT_LIST)); }

    int refreshes = 0;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_COMMAND && wParam == MAKEWPARAM(IDC_CURRENT_SELECTION, EN_CHANGE))
            ++refreshes;
        return MainDialogHarness::OnWndMsg(message, wParam, lParam, result);
    }
};

// The width that the file name of `path` takes in the list's font.
int NameAdvance(QTreeWidget* list, const std::wstring& path) {
    return QFontMetrics(list->font())
        .horizontalAdvance(QString::fromStdWString(path).section('/', -1));
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

// Presses Add and lets `act` use the real file dialog. A dialog still open afterwards is
// cancelled; a message box over it (a refusal of the names) is closed, its text returned.
QString UseAddDialog(ListDialog& dialog, const std::function<void(QFileDialog*)>& act) {
    QString refusal;
    // A watch of its own: the box shows while the other watch's action runs.
    ModalWatch refusals("Select Streams", [&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            refusal = box->text();
            box->close();
        }
    });
    ModalWatch watch("Select Streams", [&](QWidget* modal) {
        auto* files = qobject_cast<QFileDialog*>(modal);
        if (!files)
            return;
        files->setViewMode(QFileDialog::List); // whatever an earlier run left in Qt's settings
        // Keys go to the focused field of the active window, as they do for a user.
        files->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([files] { return files->isActiveWindow(); }));
        act(files);
        if (files->isVisible())
            files->reject();
    });
    dialog.Click(IDC_ADD);
    return refusal;
}

// Clicks the entry of `path` in the file dialog's view once the view shows it.
void ClickFile(QFileDialog* files, const std::string& path, Qt::KeyboardModifiers modifiers) {
    auto* view = files->findChild<QListView*>("listView");
    auto* model = files->findChild<QFileSystemModel*>();
    QRect shown;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        shown = view->visualRect(model->index(QString::fromStdString(path)));
        return !shown.isEmpty();
    }));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, shown.center());
}

} // namespace

TEST(InputListAdd, OneSeveralAndTheSameFileAgainAppendSeveralInNaturalOrder) {
    ListDialog dialog;
    dialog.Run([&] {
        dialog.Add({L"/clips/00001.MTS"});
        EXPECT_EQ(dialog.Entries(), Names{L"/clips/00001.MTS"});
        EXPECT_EQ(dialog.refreshes, 2) << "one after the entry, one at the end";

        const std::vector<CFileDialog::Request> asked = CFileDialog::Answers().TakeRequests();
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_TRUE(asked[0].open);
        EXPECT_EQ(asked[0].title, L"Select Streams");
        EXPECT_EQ(asked[0].filter, L"MTS Files (*.mts)|*.mts|All Files (*.*)|*.*||");
        EXPECT_EQ(asked[0].defaultExtension, L"");

        dialog.Select(0);
        dialog.refreshes = 0;
        dialog.Add({L"/clips/00001.MTS"});
        dialog.Add({L"/new/b.mts", L"/new/a.mts", L"/new/c d \"e\".mts"});
        EXPECT_EQ(dialog.Entries(), (Names{L"/clips/00001.MTS", L"/clips/00001.MTS", L"/new/a.mts",
                                           L"/new/b.mts", L"/new/c d \"e\".mts"}));
        EXPECT_EQ(dialog.refreshes, 2 + 4);
        EXPECT_EQ(dialog.Selection(), 0) << "appending leaves the selection";
        EXPECT_EQ(dialog.JobInputs(), dialog.Entries());
    });
}

TEST(InputListAdd, CancelAddsNothingAndAnyResultTheDialogTakesIsAdded) {
    AfxMessageBoxAnswers().Clear();
    ListDialog dialog;
    dialog.Run([&] {
        dialog.Add({L"/clips/a.mts"});
        dialog.refreshes = 0;
        CFileDialog::Answers().Queue({IDCANCEL, {}});
        dialog.Click(IDC_ADD);
        EXPECT_EQ(dialog.Entries(), Names{L"/clips/a.mts"});
        EXPECT_EQ(dialog.refreshes, 1);

        // Three hundred long names: far beyond the 66,817 characters a fixed buffer held.
        Names paths;
        for (int i = 0; i < 300; ++i)
            paths.push_back(L"/f/" + std::wstring(240, L'n') + std::to_wstring(1000 + i));
        dialog.Add(paths);
        EXPECT_EQ(dialog.Entries().size(), 1 + paths.size());
        EXPECT_EQ(dialog.Entries().back(), paths.back());
        EXPECT_TRUE(AfxMessageBoxAnswers().TakeRequests().empty());
    });
}

TEST(InputListAdd, ASelectionTooLargeForAnyBufferAddsNothingAndSaysSo) {
    AfxMessageBoxAnswers().Clear();
    AfxMessageBoxAnswers().Record();
    Names tooMany;
    for (std::size_t length = 0; length <= CFileDialog::kMaxResultLength; length += 256)
        tooMany.push_back(L"/f/" + std::wstring(255, L'n'));
    ListDialog dialog;
    dialog.Run([&] {
        AfxMessageBoxAnswers().Queue(IDOK);
        dialog.Add(tooMany);
        EXPECT_TRUE(dialog.Entries().empty());
        EXPECT_EQ(dialog.refreshes, 1);
        const auto boxes = AfxMessageBoxAnswers().TakeRequests();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text,
                  L"Too many files were selected at once. Add them in smaller groups.");
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

TEST(InputListAdd, TypedNamesOfFilesThatDoNotExistAreListedAsTypedAndMergeNamesThem) {
    TempDir dir;
    const std::string clip = dir.Write("b.mts", "clip");
    const std::string typed = dir / "a new.mts";
    AfxMessageBoxAnswers().Clear();
    AfxMessageBoxAnswers().Record();
    ListDialog dialog;
    dialog.Run([&] {
        QString opened;
        const QString refusal = UseAddDialog(dialog, [&](QFileDialog* files) {
            auto* name = files->findChild<QLineEdit*>("fileNameEdit");
            QTest::keyClicks(name, QString::fromStdString(dir.Path()));
            QTest::keyClick(name, Qt::Key_Return);
            opened = files->directory().path();
            QTest::keyClicks(name, "\"b.mts\" \"a new.mts\"");
            QTest::keyClick(name, Qt::Key_Return);
        });
        EXPECT_EQ(refusal.toStdString(), "");
        EXPECT_EQ(opened.toStdString(), dir.Path()) << "a typed folder opens";
        EXPECT_EQ(dialog.Entries(), (Names{Wide(typed), Wide(clip)}));

        dialog.m_outputEdit.SetWindowText(Wide(dir / "joined.mts").c_str());
        AfxMessageBoxAnswers().Queue(IDOK);
        dialog.Click(IDC_MERGE);
        const auto boxes = AfxMessageBoxAnswers().TakeRequests();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, L"Merge error: Can't open input file\n" + Wide(typed) +
                                     L": No such file or directory");
    });
}

TEST(InputListAdd, ATypedNameBesideFilesClickedInTheDialogTakesItsPlaceInNaturalOrder) {
    TempDir dir;
    const std::string b = dir.Write("b.mts", "b");
    const std::string c = dir.Write("c.mts", "c");
    ListDialog dialog;
    dialog.Run([&] {
        const QString refusal = UseAddDialog(dialog, [&](QFileDialog* files) {
            files->setDirectory(QString::fromStdString(dir.Path()));
            ClickFile(files, c, Qt::NoModifier);
            ClickFile(files, b, Qt::ControlModifier);
            auto* name = files->findChild<QLineEdit*>("fileNameEdit");
            EXPECT_EQ(name->text().toStdString(), "\"c.mts\" \"b.mts\"");
            name->setFocus();
            ASSERT_TRUE(name->hasFocus());
            QTest::keyClick(name, Qt::Key_End);
            QTest::keyClicks(name, " \"a.mts\"");
            QTest::keyClick(name, Qt::Key_Return);
        });
        EXPECT_EQ(refusal.toStdString(), "");
        EXPECT_EQ(dialog.Entries(), (Names{Wide(dir / "a.mts"), Wide(b), Wide(c)}));
    });
}

TEST(InputListDrop, FilesAreAppendedFoldersBringTheirClipsMissingNamesSkippedLongNamesKept) {
    TempDir dir;
    const std::string first = dir.Write("00001.MTS", "one");
    const std::string second = dir.Write("clip two.mts", "two");
    const std::string longPath = WriteLongPath(dir, 300);
    std::filesystem::create_directory(dir / "sub");
    const std::string inside = dir.Write("sub/00002.MTS", "inside");
    ListDialog dialog;
    dialog.Run([&] {
        dialog.Add({L"/earlier.mts"});
        dialog.Select(0);
        dialog.refreshes = 0;
        dialog.Drop({QUrl::fromLocalFile(QString::fromStdString(first)),
                     QUrl::fromLocalFile(QString::fromStdString(dir / "sub")),
                     QUrl::fromLocalFile(QString::fromStdString(dir / "missing.mts")),
                     QUrl::fromLocalFile(QString::fromStdString(second)),
                     QUrl::fromLocalFile(QString::fromStdString(longPath))});
        EXPECT_EVENTUALLY_EQ(dialog.Entries(), (Names{L"/earlier.mts", Wide(first), Wide(second),
                                                      Wide(longPath), Wide(inside)}));
        EXPECT_EQ(dialog.refreshes, 4) << "one per accepted name";
        EXPECT_EQ(dialog.Selection(), 0);
        EXPECT_GE(dialog.NameWidth(), NameAdvance(dialog.List(), Wide(longPath)));

        dialog.refreshes = 0;
        dialog.Drop({QUrl::fromLocalFile(QString::fromStdString(dir / "missing.mts"))});
        EXPECT_EQ(dialog.Entries().size(), 5u);
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

TEST(InputListNameColumn, GrowsToTheWidestNameInTheListsFontAndNeverShrinks) {
    ListDialog dialog;
    dialog.Run([&] {
        QTreeWidget* list = dialog.List();
        QFont large = list->font();
        large.setPointSize(large.pointSize() * 3);
        list->setFont(large);
        const int start = dialog.NameWidth();

        const std::wstring shorter = L"/c/" + std::wstring(40, L'w');
        const std::wstring longer = L"/" + std::wstring(300, L'f') + L"/" + std::wstring(80, L'w');
        dialog.Add({shorter});
        EXPECT_GE(dialog.NameWidth(), NameAdvance(list, shorter));
        dialog.Add({longer});
        const int widest = dialog.NameWidth();
        EXPECT_GE(widest, NameAdvance(list, longer)) << "the name, not the folder, counts";
        EXPECT_LT(widest, NameAdvance(list, longer) + NameAdvance(list, L"wwww"));
        EXPECT_GT(widest, start);
        const QRect name = list->visualRect(list->model()->index(1, 0));
        EXPECT_GE(name.width(), NameAdvance(list, longer)) << "the cell shows it whole";
        EXPECT_GT(list->horizontalScrollBar()->maximum(), 0) << "the other columns scroll";

        dialog.Add({longer});
        dialog.Add({shorter});
        EXPECT_EQ(dialog.NameWidth(), widest) << "equal and narrower entries leave it";

        for (int i = 0; i < 3; ++i) {
            dialog.Select(1);
            dialog.Click(IDC_REMOVE);
        }
        EXPECT_EQ(dialog.Entries(), Names{shorter});
        EXPECT_EQ(dialog.NameWidth(), widest);
    });
}

TEST(InputListOrder, OneDropComesInNaturalOrderOfItsFullPaths) {
    TempDir dir;
    const Names clicked = {Wide(dir.Write("clip 10.mts", "a")), Wide(dir.Write("00002.MTS", "b")),
                           Wide(dir.Write("Clip 9.mts", "c")), Wide(dir.Write("00010.MTS", "d")),
                           Wide(dir.Write("00001.MTS", "e"))};
    ListDialog dialog;
    dialog.Run([&] {
        dialog.Add({L"/later/b.mts"});
        dialog.Add({L"/later/a.mts"});
        QList<QUrl> urls;
        for (const std::wstring& path : clicked)
            urls << QUrl::fromLocalFile(QString::fromStdWString(path));
        dialog.Drop(urls);
        EXPECT_EQ(dialog.Entries(), (Names{L"/later/b.mts", L"/later/a.mts", clicked[4], clicked[1],
                                           clicked[3], clicked[2], clicked[0]}))
            << "one by one in their own order, a drop in natural order";
        EXPECT_EQ(dialog.JobInputs(), dialog.Entries());
    });
}

TEST(InputListOrder, SortByNameKeepsTheSelectedEntrySelectedAndRefreshes) {
    ListDialog dialog;
    dialog.Run([&] {
        for (const wchar_t* path :
             {L"/c/00002", L"/c/clip 10", L"/c/00010", L"/c/00001", L"/c/Clip 9"})
            dialog.Add({path});
        dialog.Select(2);
        dialog.refreshes = 0;
        dialog.OnSortByName();
        EXPECT_EQ(dialog.Entries(),
                  (Names{L"/c/00001", L"/c/00002", L"/c/00010", L"/c/Clip 9", L"/c/clip 10"}));
        EXPECT_EQ(dialog.Selection(), 2);
        EXPECT_EQ(MainDialogHarness::TextOf(dialog.m_selectionEdit), L"/c/00010");
        EXPECT_EQ(dialog.refreshes, 1);
        EXPECT_EQ(dialog.JobInputs(), dialog.Entries());

        dialog.Select(-1);
        dialog.Add({L"/c/0"});
        dialog.OnSortByName();
        EXPECT_EQ(dialog.Entries().front(), L"/c/0");
        EXPECT_EQ(dialog.Selection(), -1) << "no selection stays none";
    });
}

namespace {

// The texts and enabled states of the popup menu that opens next, and the entry chosen by
// pressing `key` in it ("" for none: the menu is closed).
struct MenuSeen {
    QStringList texts;
    std::vector<bool> enabled;
    QString highlighted = "<not shown>";
};

void OnNextPopup(MenuSeen& seen, Qt::Key key, int presses = 1) {
    QTimer::singleShot(50, [&seen, key, presses] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        seen = MenuSeen();
        for (QAction* action : menu->actions()) {
            seen.texts << action->text();
            if (!action->isSeparator())
                seen.enabled.push_back(action->isEnabled());
        }
        seen.highlighted = menu->activeAction() ? menu->activeAction()->text() : "";
        if (key == Qt::Key_Escape) {
            menu->close();
            return;
        }
        for (int i = 0; i < presses; ++i)
            QTest::keyClick(menu, key);
        // A letter that several entries share only moves the highlight; Enter chooses.
        if (QApplication::activePopupWidget() == menu)
            QTest::keyClick(menu, Qt::Key_Return);
    });
}

// A right-click in the list: the press and release, then the context menu event that the
// platform sends.
void RightClick(QTreeWidget* list, const QPoint& at) {
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, at);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &menu);
}

} // namespace

TEST(InputListOrder, DraggingAnEntryMovesItKeepsItSelectedAndRefreshesTheFields) {
    TempDir dir;
    const std::string later = dir.Write("later.mts", "12345");
    ListDialog dialog;
    dialog.Run([&] {
        dialog.Add({L"/c/a", L"/c/b", L"/c/c"});
        QTreeWidget* list = dialog.List();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(0)).center());
        dialog.refreshes = 0;

        // The first entry dropped after the last.
        dialog.DropEntry(0, 3);

        EXPECT_EQ(dialog.Entries(), (Names{L"/c/b", L"/c/c", L"/c/a"}));
        EXPECT_EQ(dialog.Selection(), 2);
        EXPECT_EQ(MainDialogHarness::TextOf(dialog.m_selectionEdit), L"/c/a");
        EXPECT_EQ(dialog.refreshes, 1);
        EXPECT_EQ(dialog.JobInputs(), dialog.Entries());

        // Files from outside are still appended.
        dialog.Drop({QUrl::fromLocalFile(QString::fromStdString(later))});
        EXPECT_EQ(dialog.Entries().back(), Wide(later));
    });
}

TEST(InputListMenu, OffersWhatCanActNowAndARightClickSelectsFirst) {
    ListDialog dialog;
    dialog.Run([&] {
        QTreeWidget* list = dialog.List();
        const QStringList texts = {"&Remove", "Move &Up",      "Move &Down",
                                   "",        "&Sort by Name", "Order by &Recording",
                                   "",        "Add &Folder..."};
        MenuSeen seen;

        // An empty list: only Add Folder can act, and asks for a folder.
        FolderSearch::ChooserAnswers().Clear();
        FolderSearch::ChooserAnswers().Record();
        FolderSearch::ChooserAnswers().Queue(L"");
        OnNextPopup(seen, Qt::Key_F);
        RightClick(list, QPoint(10, 10));
        EXPECT_EQ(seen.texts, texts);
        EXPECT_EQ(seen.enabled, (std::vector<bool>{false, false, false, false, false, true}));
        EXPECT_EQ(FolderSearch::ChooserAnswers().TakeRequests(), Names{L"Select Folder"});
        FolderSearch::ChooserAnswers().Clear();

        for (const wchar_t* path : {L"/c/2", L"/c/1", L"/c/3", L"/c/0"})
            dialog.Add({path});
        dialog.AwaitReading();
        dialog.refreshes = 0;
        // A right-click on the first entry selects it; it can go down, not up.
        OnNextPopup(seen, Qt::Key_D);
        RightClick(list, list->visualItemRect(list->topLevelItem(0)).center());
        EXPECT_EQ(seen.enabled, (std::vector<bool>{true, false, true, true, true, true}));
        EXPECT_EQ(seen.highlighted, "") << "opened by the mouse";
        EXPECT_EQ(dialog.Entries(), (Names{L"/c/1", L"/c/2", L"/c/3", L"/c/0"}));
        EXPECT_EQ(dialog.Selection(), 1);
        EXPECT_EQ(dialog.refreshes, 1) << "the right-click's selection; the move none";

        // From the keyboard: the first enabled entry is highlighted.
        list->setFocus();
        OnNextPopup(seen, Qt::Key_S);
        QTest::keyClick(list, Qt::Key_F10, Qt::ShiftModifier);
        EXPECT_EQ(seen.highlighted, "&Remove");
        EXPECT_EQ(dialog.Entries(), (Names{L"/c/0", L"/c/1", L"/c/2", L"/c/3"}));
        EXPECT_EQ(dialog.Selection(), 2) << "/c/2 stays selected";

        // The last entry: it can go up, not down. Remove, highlighted first, acts as the
        // button does.
        dialog.Select(3);
        dialog.AwaitReading();
        OnNextPopup(seen, Qt::Key_Return);
        QTest::keyClick(list, Qt::Key_Menu);
        EXPECT_EQ(seen.enabled, (std::vector<bool>{true, true, false, true, true, true}));
        EXPECT_EQ(dialog.Entries(), (Names{L"/c/0", L"/c/1", L"/c/2"}));
        EXPECT_EQ(dialog.Selection(), 2);

        // Elsewhere in the window the dialog's own menu shows.
        QWidget* window = dialog.GetWidget();
        OnNextPopup(seen, Qt::Key_Escape);
        const QPoint above(window->width() / 2, 3);
        QContextMenuEvent click(QContextMenuEvent::Mouse, above, window->mapToGlobal(above));
        QApplication::sendEvent(window, &click);
        EXPECT_EQ(seen.texts, (QStringList{"", "&About Veldrun..."}));
    });
}

TEST(InputListKeys, DeleteRemovesAltArrowsMoveAndMovingKeysSelect) {
    ListDialog dialog;
    dialog.Run([&] {
        dialog.Add({L"/c/a", L"/c/b", L"/c/c", L"/c/d"});
        QTreeWidget* list = dialog.List();
        list->setFocus();
        dialog.refreshes = 0;
        QTest::keyClick(list, Qt::Key_Delete);
        EXPECT_EQ(dialog.Entries().size(), 4u) << "nothing selected";
        EXPECT_EQ(dialog.refreshes, 1) << "as Remove";

        QTest::keyClick(list, Qt::Key_End);
        EXPECT_EQ(dialog.Selection(), 3) << "End selects with nothing selected";
        EXPECT_EQ(dialog.refreshes, 2);
        QTest::keyClick(list, Qt::Key_Up, Qt::AltModifier);
        QTest::keyClick(list, Qt::Key_Up, Qt::AltModifier);
        EXPECT_EQ(dialog.Entries(), (Names{L"/c/a", L"/c/d", L"/c/b", L"/c/c"}));
        EXPECT_EQ(dialog.Selection(), 1);
        QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);
        EXPECT_EQ(dialog.Entries(), (Names{L"/c/a", L"/c/b", L"/c/d", L"/c/c"}));
        EXPECT_EQ(dialog.Selection(), 2);
        EXPECT_EQ(dialog.refreshes, 2) << "moves refresh nothing";

        QTest::keyClick(list, Qt::Key_Delete);
        EXPECT_EQ(dialog.Entries(), (Names{L"/c/a", L"/c/b", L"/c/c"}));
        EXPECT_EQ(dialog.Selection(), 2) << "the entry that followed";
        EXPECT_EQ(dialog.refreshes, 3);

        const QPoint selected = list->visualItemRect(list->topLevelItem(2)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, selected);
        EXPECT_EQ(dialog.Selection(), 2) << "Ctrl+click keeps the selection";
        dialog.Select(-1);
        QTest::keyClick(list, Qt::Key_Home);
        EXPECT_EQ(dialog.Selection(), 0);

        // Delete in the output field edits it.
        auto* output = static_cast<QLineEdit*>(dialog.Control(IDC_OUTPUT_FILE));
        output->setFocus();
        output->setText("/out.mts");
        output->setCursorPosition(0);
        QTest::keyClick(output, Qt::Key_Delete);
        EXPECT_EQ(output->text(), "out.mts");
        EXPECT_EQ(dialog.Entries().size(), 3u);
    });
}

TEST(MainDialogKeys, MnemonicsPressTheButtonsAndLabelsFocusTheirControls) {
    TempDir dir;
    const std::string clip = dir.Write("00001.MTS", "clip bytes");
    AfxMessageBoxAnswers().Clear();
    AfxMessageBoxAnswers().Record();
    ListDialog dialog;
    dialog.Run([&] {
        QWidget* window = dialog.GetWidget();
        const auto alt = [&](Qt::Key key) {
            QTest::keyClick(window->focusWidget(), key, Qt::AltModifier);
            // A mnemonic presses its button as a short animated click.
            const QList<QPushButton*> buttons = window->findChildren<QPushButton*>();
            EXPECT_EVENTUALLY(std::none_of(buttons.begin(), buttons.end(),
                                           [](QPushButton* button) { return button->isDown(); }));
        };
        CFileDialog::Answers().Queue({IDOK, {L"/c/b", L"/c/a"}});
        alt(Qt::Key_A);
        EXPECT_EQ(dialog.Entries(), (Names{L"/c/a", L"/c/b"}));
        CFileDialog::Answers().Queue({IDOK, {Wide(clip)}});
        alt(Qt::Key_A);
        FolderSearch::ChooserAnswers().Clear();
        FolderSearch::ChooserAnswers().Record();
        FolderSearch::ChooserAnswers().Queue(L"");
        alt(Qt::Key_F);
        EXPECT_EQ(FolderSearch::ChooserAnswers().TakeRequests(), Names{L"Select Folder"});
        FolderSearch::ChooserAnswers().Clear();

        alt(Qt::Key_I);
        EXPECT_EQ(window->focusWidget(), dialog.List());
        dialog.Select(1);
        alt(Qt::Key_D);
        EXPECT_EQ(dialog.Entries(), (Names{L"/c/a", Wide(clip), L"/c/b"}));
        alt(Qt::Key_U);
        alt(Qt::Key_U);
        EXPECT_EQ(dialog.Entries(), (Names{L"/c/b", L"/c/a", Wide(clip)}));
        dialog.Select(0);
        alt(Qt::Key_R);
        dialog.Select(0);
        alt(Qt::Key_R);
        EXPECT_EQ(dialog.Entries(), Names{Wide(clip)});

        alt(Qt::Key_O);
        EXPECT_EQ(window->focusWidget(), dialog.Control(IDC_OUTPUT_FILE));
        CFileDialog::Answers().Queue({IDOK, {Wide(dir / "joined.mts")}});
        alt(Qt::Key_S);
        EXPECT_EQ(MainDialogHarness::TextOf(dialog.m_outputEdit), Wide(dir / "joined.mts"));

        ChoiceBox::Answers().Record();
        ChoiceBox::Answers().Queue(0);
        alt(Qt::Key_M);
        const auto boxes = ChoiceBox::Answers().TakeRequests();
        ChoiceBox::Answers().Clear();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text.substr(0, boxes[0].text.find(L'\n')), L"Merging complete");
    });
    EXPECT_EQ(TempDir::Read(dir / "joined.mts"), "clip bytes");
}

TEST(MainDialogWindow, GrowsToShowLongPathsWholeAndTheirEndsAndTooltips) {
    const std::wstring card =
        L"/media/anna/Backups/Summer holiday 2024/CANON_SD/PRIVATE/AVCHD/BDMV/STREAM/";
    ListDialog dialog;
    dialog.Run([&] {
        // At its first size the columns that tell the clips apart show whole; the window may
        // still be made as small as its template.
        QWidget* window = dialog.GetWidget();
        QTreeWidget* table = dialog.List();
        const QFontMetrics font(table->font());
        const QHeaderView* header = table->header();
        EXPECT_GE(header->sectionSize(0), font.horizontalAdvance("00001.MTS"));
        EXPECT_GE(header->sectionSize(1), font.horizontalAdvance("2024-07-14 10:15"));
        EXPECT_GE(header->sectionSize(2), font.horizontalAdvance("10:00:00"));
        EXPECT_LE(header->sectionViewportPosition(2) + header->sectionSize(2),
                  table->viewport()->width());
        EXPECT_GT(window->width(), window->minimumWidth());
        EXPECT_EQ(window->height(), window->minimumHeight());

        dialog.Add({card + L"00001.MTS", card + L"00002.MTS"});
        dialog.Select(1);
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_INPUT_LIST, LBN_SELCHANGE), 0);
        auto* selection = static_cast<QLineEdit*>(dialog.Control(IDC_CURRENT_SELECTION));
        const QString whole = QString::fromStdWString(card + L"00002.MTS");
        EXPECT_EQ(selection->toolTip(), whole);
        EXPECT_EQ(dialog.List()->topLevelItem(0)->toolTip(0),
                  QString::fromStdWString(card + L"00001.MTS"));
        // The field is too narrow for the path: the caret at its end shows the file name.
        ASSERT_GT(selection->fontMetrics().horizontalAdvance(whole), selection->width());
        EXPECT_EQ(selection->cursorPosition(), whole.size());
        EXPECT_FALSE(selection->hasSelectedText());

        auto* output = static_cast<QLineEdit*>(dialog.Control(IDC_OUTPUT_FILE));
        QTest::keyClicks(output, "/media/anna/Videos/Holiday.mts");
        EXPECT_EQ(output->toolTip(), "/media/anna/Videos/Holiday.mts");

        const QSize base = window->size();
        const QRect list = dialog.List()->geometry();
        window->showMaximized();
        EXPECT_EVENTUALLY(window->width() > base.width());
        EXPECT_EQ(dialog.List()->width() - list.width(), window->width() - base.width());
        EXPECT_EQ(dialog.List()->height() - list.height(), window->height() - base.height());
        EXPECT_GE(selection->width(), selection->fontMetrics().horizontalAdvance(whole))
            << "the maximized window shows the whole path";
        const QRect merge = dialog.Control(IDC_MERGE)->geometry();
        EXPECT_LE(std::abs(merge.center().x() - window->width() / 2), 2);
        window->showNormal();
    });
}

TEST(Summary, CountsTheClipsAndTheirSizeAndNamesThoseThatCannotBeRead) {
    const auto SummaryText = [](int count, std::int64_t total, const Names& unreadable,
                                boost::none_t) {
        return ClipFacts::SummaryText(count, total, unreadable);
    };
    EXPECT_EQ(SummaryText(0, 0, {}, boost::none), L"");
    EXPECT_EQ(SummaryText(1, 2147475456, {}, boost::none), L"1 clip, 2.1 GB in all");
    EXPECT_EQ(SummaryText(3, 6442426368, {}, boost::none), L"3 clips, 6.4 GB in all");
    EXPECT_EQ(SummaryText(3, 4294950912, {L"00003.MTS"}, boost::none),
              L"3 clips, 2 of them 4.2 GB; 00003.MTS cannot be read");
    EXPECT_EQ(SummaryText(4, 999, {L"a.mts", L"b.mts"}, boost::none),
              L"4 clips, 2 of them 999 B; a.mts and b.mts cannot be read");
    EXPECT_EQ(SummaryText(3, 0, {L"a.mts", L"b.mts", L"c.mts"}, boost::none),
              L"3 clips; a.mts and 2 more cannot be read");
    EXPECT_EQ(SummaryText(1, 0, {L"a.mts"}, boost::none), L"1 clip; a.mts cannot be read");

    TempDir dir;
    const std::string first = dir.Write("00001.MTS", std::string(1500000, 'a'));
    const std::string second = dir.Write("00002.MTS", std::string(700000, 'b'));
    ListDialog dialog;
    dialog.Run([&] {
        const auto summary = [&] {
            return MainDialogHarness::TextOf(*dialog.GetDlgItem(IDC_SUMMARY));
        };
        EXPECT_EQ(summary(), L"");
        dialog.Add({Wide(first)});
        EXPECT_EVENTUALLY_EQ(summary(), std::wstring(L"1 clip, 1.5 MB in all"));
        dialog.Add({Wide(second), Wide(dir / "00003.MTS")});
        EXPECT_EVENTUALLY_EQ(summary(),
                             std::wstring(L"3 clips, 2 of them 2.2 MB; 00003.MTS cannot be read"));
        // Refreshed with the other fields: the missing clip has come.
        dir.Write("00003.MTS", std::string(100000, 'c'));
        dialog.Select(2);
        dialog.Click(IDC_REMOVE);
        EXPECT_EVENTUALLY_EQ(summary(), std::wstring(L"2 clips, 2.2 MB in all"));
        dialog.Select(0);
        dialog.Click(IDC_REMOVE);
        dialog.Click(IDC_REMOVE);
        EXPECT_EVENTUALLY_EQ(summary(), std::wstring());
    });
}

TEST(ListRefresh, ThreeHundredClipsAreReadOffTheUserInterfaceThread) {
    TempDir dir;
    Names clips;
    for (int i = 0; i < 300; ++i)
        clips.push_back(Wide(dir.Write("clip " + std::to_string(i) + ".mts", std::string(i, 'x'))));
    ListDialog dialog;
    dialog.Run([&] {
        {
            OpenCounter opens;
            dialog.Add(clips);
            dialog.AwaitReading();
            EXPECT_EQ(opens.Count(), 0u) << "adding 300 clips opened:\n" << opens.Listing();
        }
        ASSERT_EQ(dialog.Entries().size(), 300u);
        EXPECT_EQ(MainDialogHarness::TextOf(*dialog.GetDlgItem(IDC_SUMMARY)),
                  L"300 clips, 44.8 kB in all")
            << "the sizes came from the reader";

        // A refresh for each keystroke in the output field, and one for a selection.
        OpenCounter opens;
        auto* output = static_cast<QLineEdit*>(dialog.Control(IDC_OUTPUT_FILE));
        QTest::keyClicks(output, "out.mts");
        dialog.AwaitReading();
        EXPECT_EQ(opens.Count(), 0u) << "with nothing selected:\n" << opens.Listing();
        dialog.List()->scrollToItem(dialog.List()->topLevelItem(299));
        QTest::mouseClick(dialog.List()->viewport(), Qt::LeftButton, {},
                          dialog.List()->visualItemRect(dialog.List()->topLevelItem(299)).center());
        dialog.AwaitReading();
        EXPECT_LE(opens.Count(), 1u) << "with a selection:\n" << opens.Listing();
        EXPECT_EQ(MainDialogHarness::TextOf(dialog.m_sizeEdit), L"299.0 BYTES");

        // A clip that changed since is read again, still elsewhere.
        dir.Write("clip 299.mts", std::string(1000000, 'y'));
        QTest::keyClick(output, Qt::Key_Backspace);
        EXPECT_EVENTUALLY_EQ(MainDialogHarness::TextOf(dialog.m_sizeEdit), std::wstring(L"1.0 MB"));
        EXPECT_LE(opens.Count(), 1u) << opens.Listing();
    });
}
