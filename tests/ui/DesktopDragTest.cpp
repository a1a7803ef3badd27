// The list's drag and drop with a real mouse in a real window: Qt's offscreen platform runs no
// drag, so tests/e2e/desktop-drag.sh runs this on an X server of its own, where xdotool moves
// the pointer as a user does.

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include <QProcess>
#include <QTest>
#include <QTreeWidget>

#include "res/Resource.h"
#include "tests/support/TempDir.h"
#include "tests/ui/MainDialogHarness.h"

using veldrun::test::MainDialogHarness;
using veldrun::test::TempDir;

namespace {

typedef std::vector<std::wstring> Names;

std::wstring Wide(const std::string& text) {
    return QString::fromStdString(text).toStdWString();
}

QString Number(int value) {
    return QString::number(value);
}

// Presses the left button at `from`, moves past the drag distance and on to `to`, and lets go:
// the X server sends the program what a hand on the mouse would.
void DragWithTheMouse(QProcess& xdotool, const QPoint& from, const QPoint& to) {
    xdotool.start("xdotool", {"mousemove",      "--sync",
                              Number(from.x()), Number(from.y()),
                              "mousedown",      "1",
                              "sleep",          "0.3",
                              "mousemove",      "--sync",
                              Number(from.x()), Number(from.y() + 15),
                              "sleep",          "0.3",
                              "mousemove",      "--sync",
                              Number(to.x()),   Number(to.y()),
                              "sleep",          "0.5",
                              "mouseup",        "1"});
}

} // namespace

TEST(DesktopDrag, AnEntryDraggedWithTheMouseMovesStaysSelectedAndIsMergedThere) {
    TempDir dir;
    const std::string a = dir.Write("a.mts", "first ");
    const std::string b = dir.Write("b.mts", "second ");
    const std::string c = dir.Write("c.mts", "third");
    MainDialogHarness dialog;
    dialog.OpenAtStart({CString(Wide(a)), CString(Wide(b)), CString(Wide(c))});
    dialog.Run([&] {
        auto* list = static_cast<QTreeWidget*>(dialog.Control(IDC_INPUT_LIST));
        dialog.m_details.AwaitReading();
        QWidget* viewport = list->viewport();
        const QRect first = list->visualItemRect(list->topLevelItem(0));
        const QRect last = list->visualItemRect(list->topLevelItem(2));
        // The first entry onto the lower half of the last: after it.
        QProcess xdotool;
        DragWithTheMouse(xdotool, viewport->mapToGlobal(first.center()),
                         viewport->mapToGlobal(QPoint(last.center().x(), last.bottom() - 2)));
        const Names moved = {Wide(b), Wide(c), Wide(a)};
        const bool done = QTest::qWaitFor([&] { return dialog.Entries() == moved; }, 15000);
        xdotool.waitForFinished();
        ASSERT_TRUE(done) << "the entries stayed in their order; xdotool said: "
                          << xdotool.readAllStandardError().toStdString();
        EXPECT_EQ(list->indexOfTopLevelItem(list->currentItem()), 2);
        EXPECT_EQ(dialog.m_list.Selection(), 2) << "the dragged entry stays selected";
        EXPECT_EQ(MainDialogHarness::TextOf(dialog.m_selectionEdit), Wide(a));

        dialog.m_outputEdit.SetWindowText(Wide(dir / "joined.mts").c_str());
        ASSERT_TRUE(dialog.CollectInputFiles());
        veldrun::Veldrun::Merge(*dialog.m_job->files, veldrun::ProgressCallback());
    });
    EXPECT_EQ(TempDir::Read(dir / "joined.mts"), "second thirdfirst ");
}
