#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "platform/CButton.h"
#include "platform/CDataExchange.h"
#include "platform/CEdit.h"
#include "platform/CListBox.h"
#include "platform/CMenu.h"
#include "platform/CPaintDC.h"
#include "platform/IconHandle.h"
#include "platform/WinApi.h"
#include "res/Resource.h"
#include "tests/platform/RecordingDialog.h"

using veldrun::test::RecordingDialog;
using veldrun::test::Settle;

namespace {

const WPARAM kCancel = MAKEWPARAM(IDCANCEL, BN_CLICKED);
const WPARAM kOk = MAKEWPARAM(IDOK, BN_CLICKED);
// A place of the main dialog above the list and right of its label, where no control paints.
const QPoint kIconAt(100, 1);

// The main dialog's template with a handler for every kind of message map row.
class MappedDialog : public RecordingDialog {
public:
    MappedDialog() : RecordingDialog(IDD_MAIN_DIALOG) {}

    int adds = 0;
    int outputChanges = 0;
    int selectionChanges = 0;
    std::vector<std::pair<UINT, LPARAM>> sysCommands;
    int paints = 0;
    std::vector<std::wstring> dropped;
    HICON paintedIcon = nullptr;

protected:
    void OnAdd() { ++adds; }
    void OnOutputChange() { ++outputChanges; }
    void OnSelectionChange() { ++selectionChanges; }
    // Passes the standard system commands on, like the main window does.
    void OnSysCommand(UINT id, LPARAM lParam) {
        sysCommands.emplace_back(id, lParam);
        if (id >= 0xF000)
            CWnd::OnSysCommand(id, lParam);
    }
    void OnPaint() {
        ++paints;
        CPaintDC dc(this);
        if (paintedIcon)
            dc.DrawIcon(kIconAt.x(), kIconAt.y(), paintedIcon);
    }
    HCURSOR OnQueryDragIcon() { return IconHandle::Load(IDR_MAINFRAME); }
    void OnDropFiles(HDROP drop) {
        const UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            std::wstring name(DragQueryFile(drop, i, nullptr, 0), L'\0');
            DragQueryFile(drop, i, &name[0], static_cast<UINT>(name.size() + 1));
            dropped.push_back(name);
        }
        DragFinish(drop);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MappedDialog, RecordingDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_DROPFILES()
ON_BN_CLICKED(IDC_ADD, &MappedDialog::OnAdd)
ON_EN_CHANGE(IDC_OUTPUT_FILE, &MappedDialog::OnOutputChange)
ON_LBN_SELCHANGE(IDC_INPUT_LIST, &MappedDialog::OnSelectionChange)
END_MESSAGE_MAP()

// Keeps Escape, closing and IDOK from ending it while `busy`, as a dialog that must not end
// under a running job does.
class BusyDialog : public RecordingDialog {
public:
    BusyDialog() : RecordingDialog(IDD_PROGRESS_DIALOG) {}
    bool busy = true;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (busy && message == WM_COMMAND && (wParam == kCancel || wParam == kOk)) {
            messages.push_back({message, wParam, lParam});
            *result = 0;
            return TRUE;
        }
        return RecordingDialog::OnWndMsg(message, wParam, lParam, result);
    }
};

class BoundDialog : public RecordingDialog {
public:
    BoundDialog() : RecordingDialog(IDD_MAIN_DIALOG) {}
    CListBox m_list;
    CEdit m_output;
    CButton m_merge;
    CWnd m_missing;
    int missingId = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        RecordingDialog::DoDataExchange(dx);
        DDX_Control(dx, IDC_INPUT_LIST, m_list);
        DDX_Control(dx, IDC_OUTPUT_FILE, m_output);
        DDX_Control(dx, IDC_MERGE, m_merge);
        if (missingId)
            DDX_Control(dx, missingId, m_missing);
    }
};

class EndsAtOnce : public RecordingDialog {
public:
    EndsAtOnce() : RecordingDialog(IDD_ABOUTBOX) {}
    bool shown = false;

protected:
    BOOL OnInitDialog() override {
        RecordingDialog::OnInitDialog();
        EndDialog(7);
        return TRUE;
    }
};

QWidget* Popup() {
    return QApplication::activePopupWidget();
}

// Chooses the entry `text` of the popup menu that opens next.
void ChooseFromNextPopup(const QString& text) {
    QTimer::singleShot(0, [text] {
        auto* menu = qobject_cast<QMenu*>(Popup());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text() == text)
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        }
    });
}

} // namespace

TEST(DialogEnd, EscapeAndClosingEndWithCancel) {
    RecordingDialog escaped(IDD_MAIN_DIALOG);
    EXPECT_EQ(escaped.Run([&] { QTest::keyClick(escaped.GetWidget(), Qt::Key_Escape); }), IDCANCEL);
    EXPECT_EQ(escaped.Commands(), std::vector<WPARAM>{kCancel});

    // The close box and Alt+F4 are SC_CLOSE, whose default processing is the Cancel command.
    RecordingDialog closed(IDD_MAIN_DIALOG);
    EXPECT_EQ(closed.Run([&] { closed.GetWidget()->close(); }), IDCANCEL);
    EXPECT_EQ(closed.Count(WM_SYSCOMMAND), 1);
    EXPECT_EQ(closed.Commands(), std::vector<WPARAM>{kCancel});
}

TEST(DialogEnd, OkRunsTheDataExchangeAgainAndEndCodesComeBack) {
    RecordingDialog about(IDD_ABOUTBOX);
    EXPECT_EQ(about.Run([&] { QTest::mouseClick(about.Control(IDOK), Qt::LeftButton); }), IDOK);
    EXPECT_EQ(about.exchanges, 2);

    RecordingDialog custom(IDD_ABOUTBOX);
    EXPECT_EQ(custom.Run([&] { custom.EndDialog(42); }), 42);

    EndsAtOnce early;
    EXPECT_EQ(early.DoModal(), 7);
}

TEST(DialogEnd, FirstEndCountsAndLaterPostsAreDropped) {
    RecordingDialog dialog(IDD_PROGRESS_DIALOG);
    EXPECT_EQ(dialog.Run([&] {
        EXPECT_TRUE(dialog.PostMessage(WM_COMMAND, kCancel, 0));
        EXPECT_TRUE(dialog.PostMessage(WM_COMMAND, kOk, 0));
    }),
              IDCANCEL);
    EXPECT_EQ(dialog.Commands(), std::vector<WPARAM>{kCancel});
    EXPECT_FALSE(dialog.PostMessage(WM_COMMAND, kOk, 0)) << "the window is gone";
}

TEST(DialogEnd, AHandlerThatTakesCancelAndOkKeepsTheDialogOpen) {
    BusyDialog dialog;
    const INT_PTR result = dialog.Run([&] {
        QWidget* window = dialog.GetWidget();
        QTest::keyClick(window, Qt::Key_Escape);
        window->close();
        dialog.Control(IDC_STATUS)->setFocus();
        QTest::keyClick(dialog.Control(IDC_STATUS), Qt::Key_Return);
        Settle();
        EXPECT_TRUE(window->isVisible());
        dialog.busy = false;
        dialog.PostMessage(WM_COMMAND, kOk, 0);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.Commands(), (std::vector<WPARAM>{kCancel, kCancel, kOk, kOk}));
}

TEST(DialogKeys, EnterPressesTheFocusedButtonElseTheDefaultElseOk) {
    RecordingDialog main(IDD_MAIN_DIALOG);
    main.Run([&] {
        main.Control(IDC_OUTPUT_FILE)->setFocus();
        QTest::keyClick(main.Control(IDC_OUTPUT_FILE), Qt::Key_Return);
        main.Control(IDC_REMOVE)->setFocus();
        QTest::keyClick(main.Control(IDC_REMOVE), Qt::Key_Return);
        main.Control(IDC_INPUT_LIST)->setFocus();
        QTest::keyClick(main.Control(IDC_INPUT_LIST), Qt::Key_Enter, Qt::KeypadModifier);
        // A disabled default button takes no Enter.
        main.Control(IDC_ADD)->setEnabled(false);
        main.Control(IDC_OUTPUT_FILE)->setFocus();
        QTest::keyClick(main.Control(IDC_OUTPUT_FILE), Qt::Key_Return);
        main.EndDialog(5);
    });
    EXPECT_EQ(main.Commands(), (std::vector<WPARAM>{MAKEWPARAM(IDC_ADD, BN_CLICKED),
                                                    MAKEWPARAM(IDC_REMOVE, BN_CLICKED),
                                                    MAKEWPARAM(IDC_ADD, BN_CLICKED)}));

    // Without a default button Enter is the command IDOK, which ends the dialog.
    RecordingDialog progress(IDD_PROGRESS_DIALOG);
    EXPECT_EQ(progress.Run([&] {
        progress.Control(IDC_STATUS)->setFocus();
        QTest::keyClick(progress.Control(IDC_STATUS), Qt::Key_Return);
    }),
              IDOK);
    EXPECT_EQ(progress.Commands(), std::vector<WPARAM>{kOk});
}

TEST(DialogKeys, FirstTabStopHasTheFocusAtStart) {
    RecordingDialog main(IDD_MAIN_DIALOG);
    main.Run([&] {
        EXPECT_EQ(main.GetWidget()->focusWidget(), main.Control(IDC_ADD));
        main.EndDialog(IDOK);
    });
}

TEST(DataExchange, AttachesMembersOnceAndLetsGoWithTheWindow) {
    BoundDialog dialog;
    dialog.Run([&] {
        EXPECT_EQ(dialog.m_list.GetWidget(), dialog.Control(IDC_INPUT_LIST));
        EXPECT_EQ(dialog.m_output.GetWidget(), dialog.Control(IDC_OUTPUT_FILE));
        dialog.m_list.InsertString(-1, L"kept");
        dialog.UpdateData(TRUE);
        EXPECT_EQ(dialog.m_list.GetCount(), 1);
        dialog.m_merge.EnableWindow(FALSE);
        EXPECT_FALSE(dialog.Control(IDC_MERGE)->isEnabled());
        EXPECT_FALSE(dialog.m_merge.IsWindowEnabled());
        EXPECT_TRUE(dialog.m_merge.EnableWindow(TRUE)) << "it was disabled";
        dialog.EndDialog(IDOK);
    });
    EXPECT_EQ(dialog.m_list.GetWidget(), nullptr);
    EXPECT_EQ(dialog.m_list.GetCount(), 0);

    BoundDialog broken;
    broken.missingId = 4711;
    EXPECT_THROW(broken.DoModal(), std::invalid_argument);
}

TEST(MessageMap, RoutesControlNotificationsToTheirHandlers) {
    MappedDialog dialog;
    dialog.Run([&] {
        QTest::mouseClick(dialog.Control(IDC_ADD), Qt::LeftButton);
        QTest::keyClicks(dialog.Control(IDC_OUTPUT_FILE), "ab");
        dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_REMOVE, BN_CLICKED), 0);
        dialog.EndDialog(IDOK);
    });
    EXPECT_EQ(dialog.adds, 1);
    EXPECT_EQ(dialog.outputChanges, 2);
}

TEST(MessageMap, EditReportsTextSetByCodeEvenWhenUnchanged) {
    MappedDialog dialog;
    dialog.Run([&] {
        CWnd* edit = dialog.GetDlgItem(IDC_OUTPUT_FILE);
        edit->SetWindowText(L"/tmp/out.mts");
        edit->SetWindowText(L"/tmp/out.mts");
        CString text;
        edit->GetWindowText(text);
        EXPECT_EQ(text, L"/tmp/out.mts");
        // A text wider than the field shows from its start, as on Win32, not its end.
        auto* line = static_cast<QLineEdit*>(edit->GetWidget());
        line->setCursorPosition(3);
        edit->SetWindowText(std::wstring(200, L'9').c_str());
        EXPECT_EQ(line->cursorPosition(), 0);
        dialog.EndDialog(IDOK);
    });
    EXPECT_EQ(dialog.outputChanges, 3);
}

TEST(MessageMap, WindowMessagesReachTheirHandlersAndTheBaseMap) {
    MappedDialog dialog;
    const INT_PTR result = dialog.Run([&] {
        dialog.SendMessage(WM_SYSCOMMAND, 0x13, 7);
        EXPECT_EQ(dialog.SendMessage(WM_QUERYDRAGICON),
                  reinterpret_cast<LRESULT>(IconHandle::Load(IDR_MAINFRAME)));
        // IDOK is not in this map but in the chained map of CDialog.
        dialog.SendMessage(WM_COMMAND, kOk, 0);
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(dialog.sysCommands.size(), 1u);
    EXPECT_EQ(dialog.sysCommands[0], std::make_pair(UINT(0x13), LPARAM(7)));
}

TEST(MessageMap, DefaultProcessingOfSystemCloseCancels) {
    MappedDialog dialog;
    EXPECT_EQ(dialog.Run([&] { dialog.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0); }), IDCANCEL);
    EXPECT_EQ(dialog.Commands(), std::vector<WPARAM>{kCancel});
}

TEST(MessageMap, PaintHandlerDrawsWithAPaintContext) {
    MappedDialog dialog;
    dialog.paintedIcon = IconHandle::Load(IDR_MAINFRAME);
    dialog.Run([&] {
        // The dialog's own painting: its controls would cover an icon that reaches down to them.
        QImage image(dialog.GetWidget()->size(), QImage::Format_ARGB32);
        dialog.GetWidget()->render(&image, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        const QImage icon = dialog.paintedIcon->Icon().pixmap(32, 32).toImage().convertToFormat(
            QImage::Format_ARGB32);
        int opaque = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (qAlpha(icon.pixel(x, y)) == 255) {
                    ++opaque;
                    EXPECT_EQ(image.pixel(kIconAt + QPoint(x, y)), icon.pixel(x, y))
                        << x << "," << y;
                }
            }
        }
        EXPECT_GT(opaque, 100);
        dialog.EndDialog(IDOK);
    });
    EXPECT_GT(dialog.paints, 0);
}

TEST(SystemMenu, IsTheDialogsContextMenuAndSendsSysCommands) {
    MappedDialog dialog;
    dialog.Run([&] {
        CMenu* menu = dialog.GetSystemMenu(FALSE);
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu, dialog.GetSystemMenu(FALSE));
        menu->AppendMenu(MF_SEPARATOR);
        menu->AppendMenu(MF_STRING, IDM_ABOUTBOX, L"&About Veldrun...");
        EXPECT_EQ(menu->GetMenuItemCount(), 2);

        QWidget* window = dialog.GetWidget();
        ChooseFromNextPopup("&About Veldrun...");
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                window->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(window, &click);
        ChooseFromNextPopup("&About Veldrun...");
        QTest::keyClick(window, Qt::Key_F10, Qt::ShiftModifier);
        ChooseFromNextPopup("&About Veldrun...");
        QTest::keyClick(window, Qt::Key_Menu);
        dialog.EndDialog(IDOK);
    });
    const std::pair<UINT, LPARAM> about(IDM_ABOUTBOX, 0);
    EXPECT_EQ(dialog.sysCommands, (std::vector<std::pair<UINT, LPARAM>>{about, about, about}));
}

TEST(SystemMenu, WindowsWithoutSysMenuStyleHaveNone) {
    RecordingDialog progress(IDD_PROGRESS_DIALOG);
    progress.Run([&] {
        EXPECT_EQ(progress.GetSystemMenu(FALSE), nullptr);
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
        QApplication::sendEvent(progress.GetWidget(), &click);
        EXPECT_EQ(Popup(), nullptr);
        progress.EndDialog(IDOK);
    });
}

TEST(FileDrops, FileUrlsArriveAsDropFilesWithWholeNames) {
    const std::wstring longName = L"/tmp/" + std::wstring(300, L'x') + L".mts";
    MappedDialog dialog;
    dialog.Run([&] {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile("/tmp/clip one \"1\".MTS"),
                      QUrl("https://example.org/a.mts"), QUrl::fromLocalFile("/tmp"),
                      QUrl::fromLocalFile(QString::fromStdWString(longName))});
        QWidget* window = dialog.GetWidget();
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);

        QMimeData text;
        text.setText("not a file");
        QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton,
                                Qt::NoModifier);
        QApplication::sendEvent(window, &refused);
        EXPECT_FALSE(refused.isAccepted());
        dialog.EndDialog(IDOK);
    });
    EXPECT_EQ(dialog.dropped,
              (std::vector<std::wstring>{L"/tmp/clip one \"1\".MTS", L"/tmp", longName}));
}

TEST(WindowShell, IconAndMinimizedStateFollowTheirMessages) {
    MappedDialog dialog;
    dialog.Run([&] {
        HICON icon = IconHandle::Load(IDR_MAINFRAME);
        EXPECT_EQ(dialog.SetIcon(icon, TRUE), nullptr);
        EXPECT_EQ(dialog.SetIcon(icon, FALSE), nullptr);
        EXPECT_EQ(dialog.SetIcon(icon, TRUE), icon) << "the previous big icon";
        EXPECT_FALSE(dialog.GetWidget()->windowIcon().isNull());

        // The client area starts at the window's own origin wherever the window stands, and
        // follows a resize.
        QWidget* window = dialog.GetWidget();
        const QSize grown = window->size() + QSize(31, 17);
        window->move(40, 30);
        window->resize(grown);
        QApplication::processEvents();
        RECT client = {-1, -1, -1, -1};
        dialog.GetClientRect(&client);
        EXPECT_EQ(QRect(QPoint(client.left, client.top), QPoint(client.right, client.bottom)),
                  QRect(QPoint(0, 0), QPoint(grown.width(), grown.height())));
        EXPECT_FALSE(dialog.IsIconic());
        window->showMinimized();
        EXPECT_TRUE(dialog.IsIconic());
        window->showNormal();
        EXPECT_FALSE(dialog.IsIconic());
        dialog.EndDialog(IDOK);
    });
}

namespace {

// Records the system commands that its menu sends.
class MenuDialog : public RecordingDialog {
public:
    MenuDialog() : RecordingDialog(IDD_MAIN_DIALOG) {}

    std::vector<UINT> systemCommands;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) < 0xF000) {
            systemCommands.push_back(static_cast<UINT>(wParam));
            *result = 0;
            return TRUE;
        }
        return RecordingDialog::OnWndMsg(message, wParam, lParam, result);
    }
};

// The entries of the popup menu that opens next and the one highlighted, then `key` in it.
void OnNextPopup(QString& highlighted, Qt::Key key) {
    QTimer::singleShot(50, [&highlighted, key] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(popup, nullptr);
        highlighted = popup->activeAction() ? popup->activeAction()->text() : "";
        if (key == Qt::Key_Escape)
            popup->close();
        else
            QTest::keyClick(popup, key);
    });
}

} // namespace

TEST(ContextMenu, TheSystemMenuOpensByMouseAndKeyboardAndSendsTheChosenCommand) {
    MenuDialog dialog;
    dialog.Run([&] {
        CMenu* system = dialog.GetSystemMenu(FALSE);
        system->AppendMenu(MF_STRING | MF_GRAYED, 0x20, L"&Grey");
        system->AppendMenu(MF_STRING, IDM_ABOUTBOX, L"&About Veldrun...");
        QWidget* window = dialog.GetWidget();

        // A right-click on the background: nothing highlighted; the chosen entry is a system
        // command.
        QString highlighted;
        OnNextPopup(highlighted, Qt::Key_A);
        const QPoint background(window->width() / 2, 3);
        QContextMenuEvent click(QContextMenuEvent::Mouse, background,
                                window->mapToGlobal(background));
        QApplication::sendEvent(window, &click);
        EXPECT_EQ(highlighted, "") << "a mouse-opened menu highlights nothing";
        EXPECT_EQ(dialog.systemCommands, std::vector<UINT>{IDM_ABOUTBOX});

        // From the keyboard in a control: the first enabled entry is highlighted.
        QWidget* edit = dialog.Control(IDC_OUTPUT_FILE);
        edit->setFocus();
        OnNextPopup(highlighted, Qt::Key_Escape);
        QTest::keyClick(edit, Qt::Key_Menu);
        EXPECT_EQ(highlighted, "&About Veldrun...");
        OnNextPopup(highlighted, Qt::Key_Escape);
        QTest::keyClick(edit, Qt::Key_F10, Qt::ShiftModifier);
        EXPECT_EQ(highlighted, "&About Veldrun...");
        EXPECT_EQ(dialog.systemCommands.size(), 1u) << "dismissed menus send nothing";
        dialog.EndDialog(IDOK);
    });
}
