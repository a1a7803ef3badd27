#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

#include "platform/CClientDC.h"
#include "platform/CDataExchange.h"
#include "platform/CFont.h"
#include "platform/CListBox.h"
#include "platform/ListBoxWidget.h"
#include "res/Resource.h"
#include "tests/platform/RecordingDialog.h"

using veldrun::test::RecordingDialog;

namespace {

const WPARAM kSelChange = MAKEWPARAM(IDC_INPUT_LIST, LBN_SELCHANGE);

// The main dialog with its list box bound, running `test` while it is open.
class ListDialog : public RecordingDialog {
public:
    ListDialog() : RecordingDialog(IDD_MAIN_DIALOG) {}
    CListBox m_list;

    QTreeWidget* Widget() { return qobject_cast<QTreeWidget*>(m_list.GetWidget()); }
    int SelectionChanges() const {
        int count = 0;
        for (WPARAM command : Commands())
            count += command == kSelChange;
        return count;
    }
    std::wstring Entries() {
        std::wstring all;
        for (int i = 0; i < m_list.GetCount(); ++i) {
            CString text;
            m_list.GetText(i, text);
            all += (i ? L"," : L"") + text.Str();
        }
        return all;
    }
    void Open(std::function<void()> test) {
        Run([this, test] {
            test();
            EndDialog(IDOK);
        });
    }

protected:
    void DoDataExchange(CDataExchange* dx) override {
        RecordingDialog::DoDataExchange(dx);
        DDX_Control(dx, IDC_INPUT_LIST, m_list);
    }
};

} // namespace

TEST(ListBox, EntriesStayWhereTheyArePut) {
    ListDialog dialog;
    dialog.Open([&] {
        CListBox& list = dialog.m_list;
        EXPECT_EQ(list.InsertString(-1, L"b"), 0);
        EXPECT_EQ(list.InsertString(-1, L"a"), 1) << "unsorted";
        EXPECT_EQ(list.InsertString(1, L"x"), 1);
        EXPECT_EQ(list.InsertString(-1, L"z"), 3);
        EXPECT_EQ(list.InsertString(9, L"no"), LB_ERR);
        EXPECT_EQ(list.InsertString(-1, L"a"), 4) << "duplicates are kept";
        EXPECT_EQ(dialog.Entries(), L"b,x,a,z,a");
        // What the row shows may change; the entry's text stays.
        dialog.Widget()->topLevelItem(1)->setText(0, QString("shown"));
        EXPECT_EQ(dialog.Entries(), L"b,x,a,z,a");
        EXPECT_EQ(list.GetTextLen(1), 1);
        EXPECT_EQ(list.GetTextLen(5), LB_ERR);
        CString text = L"old";
        list.GetText(7, text);
        EXPECT_TRUE(text.IsEmpty());
        EXPECT_EQ(list.DeleteString(0), 4);
        EXPECT_EQ(list.DeleteString(4), LB_ERR);
        EXPECT_EQ(dialog.Entries(), L"x,a,z,a");
    });
}

TEST(ListBox, ChangesFromCodeSendNoSelectionNotice) {
    ListDialog dialog;
    dialog.Open([&] {
        CListBox& list = dialog.m_list;
        EXPECT_EQ(list.GetCurSel(), LB_ERR);
        for (const wchar_t* entry : {L"a", L"b", L"c"})
            list.InsertString(-1, entry);
        EXPECT_EQ(list.SetCurSel(1), 1);
        EXPECT_EQ(list.GetCurSel(), 1);
        // The selection follows its entry when entries before it come and go.
        list.InsertString(0, L"new");
        EXPECT_EQ(list.GetCurSel(), 2);
        list.DeleteString(0);
        EXPECT_EQ(list.GetCurSel(), 1);
        list.DeleteString(2);
        EXPECT_EQ(list.GetCurSel(), 1);
        EXPECT_EQ(list.SetCurSel(-1), LB_ERR);
        EXPECT_EQ(list.GetCurSel(), LB_ERR);
        list.SetCurSel(0);
        EXPECT_EQ(list.SetCurSel(5), LB_ERR);
        EXPECT_EQ(list.GetCurSel(), LB_ERR) << "a bad index clears the selection";
    });
    EXPECT_EQ(dialog.SelectionChanges(), 0);
}

TEST(ListBox, DeletingTheSelectedEntryLeavesNoSelection) {
    ListDialog dialog;
    dialog.Open([&] {
        CListBox& list = dialog.m_list;
        for (const wchar_t* entry : {L"a", L"b", L"c"})
            list.InsertString(-1, entry);
        list.SetCurSel(1);
        list.DeleteString(1);
        EXPECT_EQ(list.GetCurSel(), LB_ERR);
        EXPECT_TRUE(dialog.Widget()->selectedItems().isEmpty());
        list.SetCurSel(1);
        list.DeleteString(1);
        EXPECT_EQ(list.GetCurSel(), LB_ERR) << "also for the last entry";
    });
    EXPECT_EQ(dialog.SelectionChanges(), 0);
}

TEST(ListBox, TheUsersSelectionSendsANotice) {
    ListDialog dialog;
    dialog.Open([&] {
        for (const wchar_t* entry : {L"a", L"b", L"c"})
            dialog.m_list.InsertString(-1, entry);
        QTreeWidget* widget = dialog.Widget();
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, {},
                          widget->visualItemRect(widget->topLevelItem(2)).center());
        EXPECT_EQ(dialog.m_list.GetCurSel(), 2);
        EXPECT_EQ(dialog.SelectionChanges(), 1);
        QTest::keyClick(widget, Qt::Key_Up);
        EXPECT_EQ(dialog.m_list.GetCurSel(), 1);
        EXPECT_EQ(dialog.SelectionChanges(), 2);
    });
}

TEST(ListBox, TextIsMeasuredInTheSelectedFont) {
    ListDialog dialog;
    dialog.Open([&] {
        QFont large = dialog.GetWidget()->font();
        large.setPointSize(large.pointSize() * 3);
        dialog.Widget()->setFont(large);
        const CString entry = L"/media/clips/00001.MTS";

        CClientDC dc(&dialog);
        const CSize inDialogFont = dc.GetTextExtent(entry);
        CFont* previous = dc.SelectObject(dialog.m_list.GetFont());
        const CSize inListFont = dc.GetTextExtent(entry);
        EXPECT_NE(previous, nullptr);
        EXPECT_EQ(inListFont.cx, QFontMetrics(large).horizontalAdvance("/media/clips/00001.MTS"));
        EXPECT_GT(inListFont.cx, 2 * inDialogFont.cx);
        EXPECT_GT(inListFont.cy, inDialogFont.cy);
    });
}

TEST(ListBox, EachEntryShowsItsWholeTextAsTooltip) {
    ListDialog dialog;
    dialog.Open([&] {
        const std::wstring path = L"/media/anna/CANON_SD/PRIVATE/AVCHD/BDMV/STREAM/00001.MTS";
        dialog.m_list.InsertString(-1, path.c_str());
        dialog.m_list.InsertString(0, L"/first.mts");
        EXPECT_EQ(dialog.Widget()->topLevelItem(1)->toolTip(0), QString::fromStdWString(path));
        EXPECT_EQ(dialog.Widget()->topLevelItem(0)->toolTip(0), "/first.mts");
    });
}

TEST(ListBox, MovingKeysSelectWhenNothingIsSelectedAndCtrlClickKeepsTheSelection) {
    ListDialog dialog;
    dialog.Open([&] {
        CListBox& list = dialog.m_list;
        for (const wchar_t* entry : {L"a", L"b", L"c", L"d"})
            list.InsertString(-1, entry);
        QTreeWidget* widget = dialog.Widget();
        widget->setFocus();
        const struct {
            Qt::Key key;
            int selected;
        } cases[] = {{Qt::Key_Home, 0}, {Qt::Key_End, 3}, {Qt::Key_Down, 0}, {Qt::Key_Up, 0}};
        int notices = 0;
        for (const auto& each : cases) {
            list.SetCurSel(-1);
            QTest::keyClick(widget, each.key);
            EXPECT_EQ(list.GetCurSel(), each.selected) << each.key;
            EXPECT_EQ(dialog.SelectionChanges(), ++notices) << "the user's own change";
        }
        // With a selection the keys move it as usual.
        QTest::keyClick(widget, Qt::Key_Down);
        EXPECT_EQ(list.GetCurSel(), 1);

        const QPoint second = widget->visualItemRect(widget->topLevelItem(1)).center();
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::ControlModifier, second);
        EXPECT_EQ(list.GetCurSel(), 1) << "Ctrl+click on the selected entry";
        QTest::keyClick(widget, Qt::Key_Space, Qt::ControlModifier);
        EXPECT_EQ(list.GetCurSel(), 1) << "Ctrl+Space on it";
        const QPoint third = widget->visualItemRect(widget->topLevelItem(2)).center();
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::ControlModifier, third);
        EXPECT_EQ(list.GetCurSel(), 2) << "Ctrl+click on another entry selects it";
    });
}

namespace {} // namespace
