#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/CMenu.h"
#include "platform/DialogBuilder.h"
#include "platform/IconHandle.h"
#include "res/IconTable.h"
#include "res/Resource.h"
#include "res/StringTable.h"
#include "tests/ui/MainDialogHarness.h"
#include "tests/ui/ModalWatch.h"
#include "ui/CAboutDlg.h"
#include "ui/CVeldrunApp.h"
#include "ui/CVeldrunDlg.h"

using veldrun::test::ModalWatch;

namespace {

const QString kMainCaption = "Veldrun";
const QString kAboutCaption = "About Veldrun";

class ShellDialog : public veldrun::test::MainDialogHarness {
public:
    using CVeldrunDlg::IconPosition;
    using CVeldrunDlg::m_hIcon;
};

QPushButton* Button(QWidget* window, const QString& text) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

// Chooses the entry `text` of the popup menu that opens next, as the keyboard does.
void ChooseFromNextPopup(const QString& text) {
    QTimer::singleShot(0, [text] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(popup, nullptr);
        for (QAction* action : popup->actions()) {
            if (action->text() == text)
                popup->setActiveAction(action);
        }
        QTest::keyClick(popup, Qt::Key_Return);
    });
}

void RightClick(QWidget* window, QPoint at) {
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, window->mapToGlobal(at));
    QApplication::sendEvent(window, &click);
}

// The application object the program has, for the icon loader and the main window; a dialog
// left open by a broken test is rejected after a while, so the test fails instead of hanging.
class Shell : public ::testing::Test {
protected:
    void SetUp() override {
        QObject::connect(&m_watchdog, &QTimer::timeout, [] {
            ADD_FAILURE() << "a dialog stayed open";
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
                    dialog->reject();
            }
        });
        m_watchdog.start(10000);
    }
    void TearDown() override { res::StringTable::ClearOverrides(); }

    CVeldrunApp app;

private:
    QTimer m_watchdog;
};

} // namespace

TEST_F(Shell, StartUpRunsTheDialogAsMainWindowAndEndsWithoutALoopOfItsOwn) {
    ModalWatch main(kMainCaption, [&](QWidget* window) {
        CWnd* mainWnd = AfxGetMainWnd();
        EXPECT_NE(dynamic_cast<CVeldrunDlg*>(mainWnd), nullptr);
        EXPECT_EQ(mainWnd ? mainWnd->GetWidget() : nullptr, window);
        EXPECT_EQ(QGuiApplication::desktopFileName(), "org.veldrun.Veldrun");
        QTest::keyClick(window, Qt::Key_Escape);
    });
    char program[] = "/usr/local/bin/veldrun";
    char* argv[] = {program, nullptr};
    EXPECT_EQ(AfxWinMain(1, argv), 0);
    EXPECT_EQ(main.Seen(), 1);
    EXPECT_EQ(std::wstring(AfxGetAppName()), L"Veldrun")
        << "message boxes take the product's name, not the executable's";
    EXPECT_EQ(QCoreApplication::applicationName(), "veldrun")
        << "the window class stays the executable's, as the desktop entry names it";
    EXPECT_EQ(AfxGetMainWnd(), nullptr) << "the dialog is gone";
}

TEST_F(Shell, InitInstanceIsFalseWhateverTheDialogsEndCode) {
    const std::map<int, std::function<void(QWidget*)>> ends = {
        {IDOK,
         [](QWidget*) {
             AfxGetMainWnd()->SendMessage(WM_COMMAND, IDOK, 0);
         }},
        {IDCANCEL,
         [](QWidget* window) {
             window->close();
         }},
        {-1,
         [](QWidget*) {
             static_cast<CDialog*>(AfxGetMainWnd())->EndDialog(-1);
         }},
    };
    for (const auto& [code, end] : ends) {
        ModalWatch main(kMainCaption, end);
        EXPECT_FALSE(app.InitInstance()) << code;
        EXPECT_EQ(main.Seen(), 1) << code;
    }
}

TEST_F(Shell, MainDialogBindsItsControlsSetsItsIconAndStartsOnAdd) {
    // The read-only fields are left out: UpdateControls fills them.
    const std::map<int, QString> texts = {
        {IDC_ADD, "&Add"},
        {IDC_ADD_FOLDER, "Add &Folder..."},
        {IDC_REMOVE, "&Remove"},
        {IDC_INPUT_LIST, ""},
        {IDC_MOVE_UP, "Move &Up"},
        {IDC_MOVE_DOWN, "Move &Down"},
        {IDC_MERGE, "&Merge"},
        {IDC_OUTPUT_FILE, ""},
        {IDC_SELECT_OUTPUT, "&Select..."},
    };
    ShellDialog dialog;
    ASSERT_NE(dialog.m_job, nullptr);
    EXPECT_EQ(dialog.m_job.use_count(), 1);
    ModalWatch main(kMainCaption, [&](QWidget* window) {
        for (const auto& [id, text] : texts) {
            CWnd* control = dialog.GetDlgItem(id);
            ASSERT_NE(control, nullptr) << id;
            CString shown;
            control->GetWindowText(shown);
            EXPECT_EQ(QString::fromStdWString(shown.Str()), text) << id;
        }
        QStringList labels;
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->property(DialogBuilder::kIdProperty).toInt() == IDC_STATIC)
                labels << label->text();
        }
        labels.sort();
        EXPECT_EQ(
            labels,
            QStringList({"&Input Files:", "&Output File:", "Current Selection:", "File Size:"}));

        const std::map<int, CWnd*> bound = {
            {IDC_INPUT_LIST, &dialog.m_inputList},
            {IDC_OUTPUT_FILE, &dialog.m_outputEdit},
            {IDC_CURRENT_SELECTION, &dialog.m_selectionEdit},
            {IDC_FILE_SIZE, &dialog.m_sizeEdit},
            {IDC_MERGE, &dialog.m_mergeButton},
        };
        for (const auto& [id, member] : bound) {
            ASSERT_NE(dialog.GetDlgItem(id), nullptr) << id;
            EXPECT_EQ(member->GetWidget(), dialog.GetDlgItem(id)->GetWidget()) << id;
        }

        EXPECT_EQ(window->focusWidget(), dialog.GetDlgItem(IDC_ADD)->GetWidget());
        EXPECT_TRUE(window->acceptDrops());
        // The window shows the application's icon.
        const QImage shown = window->windowIcon().pixmap(32, 32).toImage();
        EXPECT_FALSE(shown.isNull());
        EXPECT_TRUE(shown == IconHandle::Load(IDR_MAINFRAME)->Icon().pixmap(32, 32).toImage());
        // Both icons are the application's: setting them again gives it back as the previous.
        EXPECT_EQ(dialog.SetIcon(dialog.m_hIcon, TRUE), dialog.m_hIcon);
        EXPECT_EQ(dialog.SetIcon(dialog.m_hIcon, FALSE), dialog.m_hIcon);
        EXPECT_EQ(dialog.SendMessage(WM_QUERYDRAGICON), reinterpret_cast<LRESULT>(dialog.m_hIcon));
        QTest::keyClick(window, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(main.Seen(), 1);
    EXPECT_EQ(dialog.m_inputList.GetWidget(), nullptr) << "members let go with the window";
    EXPECT_NE(dialog.m_job, nullptr) << "the job outlives the window";
}

TEST_F(Shell, AboutBoxShowsNameVersionAndIconAndEndsWithOkOrCancel) {
    const std::map<int, std::function<void(QWidget*)>> ends = {
        {IDOK,
         [](QWidget* box) {
             Button(box, "OK")->click();
         }},
        {IDCANCEL,
         [](QWidget* box) {
             QTest::keyClick(box, Qt::Key_Escape);
         }},
    };
    for (const auto& [code, end] : ends) {
        CAboutDlg about;
        ModalWatch watch(kAboutCaption, [&, end = end](QWidget* box) {
            QStringList texts;
            int icons = 0;
            for (QLabel* label : box->findChildren<QLabel*>()) {
                texts << label->text();
                icons += !label->pixmap().isNull();
            }
            EXPECT_TRUE(texts.contains("Veldrun Version 1.0"));
            EXPECT_EQ(icons, 1);
            ASSERT_NE(Button(box, "OK"), nullptr);
            EXPECT_EQ(box->focusWidget(), Button(box, "OK"));
            end(box);
        });
        EXPECT_EQ(about.DoModal(), code);
        EXPECT_EQ(watch.Seen(), 1);
    }
}

TEST_F(Shell, SystemCommandsWithTheAboutBitsOpenTheAboutBoxOthersGoToTheDefault) {
    ShellDialog dialog;
    app.m_pMainWnd = &dialog;
    ModalWatch about(kAboutCaption, [&](QWidget* box) {
        EXPECT_EQ(box->parentWidget(), dialog.GetWidget()) << "owned by the main window";
        QTest::keyClick(box, Qt::Key_Return);
    });
    ModalWatch main(kMainCaption, [&](QWidget*) {
        // The low four bits are the system's; any value in them is still the About command.
        for (UINT id = 0x10; id <= 0x1F; ++id) {
            dialog.SendMessage(WM_SYSCOMMAND, id, 0);
            EXPECT_EQ(about.Seen(), static_cast<int>(id - 0x0F)) << id;
        }
        dialog.SendMessage(WM_SYSCOMMAND, 0x20, 0);
        dialog.SendMessage(WM_SYSCOMMAND, 0xF000, 0); // sizing: nothing of the layer's
        EXPECT_EQ(about.Seen(), 16);
        dialog.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    app.m_pMainWnd = nullptr;
    EXPECT_EQ(main.Seen(), 1);
}

TEST_F(Shell, SystemMenuHasTheAboutEntryOnlyWhenString101HasText) {
    ModalWatch about(kAboutCaption, [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); });
    {
        ShellDialog dialog;
        ModalWatch main(kMainCaption, [&](QWidget* window) {
            CMenu* menu = dialog.GetSystemMenu(FALSE);
            ASSERT_NE(menu, nullptr);
            const QList<QAction*> entries = menu->GetQMenu()->actions();
            ASSERT_EQ(entries.size(), 2);
            EXPECT_TRUE(entries[0]->isSeparator());
            EXPECT_EQ(entries[1]->text(), "&About Veldrun...");
            EXPECT_EQ(CMenu::CommandOf(entries[1]), static_cast<UINT>(IDM_ABOUTBOX));

            ChooseFromNextPopup("&About Veldrun...");
            RightClick(window, QPoint(window->width() / 2, 2));
            EXPECT_EQ(about.Seen(), 1) << "the entry opens the About box";
            QTest::keyClick(window, Qt::Key_Escape);
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }

    res::StringTable::Override(IDS_ABOUTBOX, L"");
    ShellDialog dialog;
    ModalWatch main(kMainCaption, [&](QWidget* window) {
        CMenu* menu = dialog.GetSystemMenu(FALSE);
        EXPECT_EQ(menu ? menu->GetMenuItemCount() : -1, 0);
        RightClick(window, QPoint(window->width() / 2, 2));
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "an empty menu does not open";
        QTest::keyClick(window, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(main.Seen(), 1);
    EXPECT_EQ(about.Seen(), 1);
}

TEST(MinimizedIcon, IsCentredWithDivisionTruncatingTowardZero) {
    auto at = [](RECT client) {
        const POINT position = ShellDialog::IconPosition(client, 32, 32);
        return QPoint(position.x, position.y);
    };
    EXPECT_EQ(at({0, 0, 36, 36}), QPoint(2, 2));
    EXPECT_EQ(at({0, 0, 30, 36}), QPoint(0, 2)) << "-1 / 2 is 0";
    EXPECT_EQ(at({0, 0, 20, 36}), QPoint(-5, 2)) << "-11 / 2 is -5, not -6";
    EXPECT_EQ(at({0, 0, 37, 19}), QPoint(3, -6));
    EXPECT_EQ(at({10, 20, 46, 56}), QPoint(2, 2)) << "only the size counts";
}

TEST_F(Shell, MinimizedDialogPaintsItsIconCentredOnAnErasedBackground) {
    const QRgb marker = qRgb(255, 0, 255);
    ShellDialog dialog;
    ModalWatch main(kMainCaption, [&](QWidget* window) {
        // What the dialog itself paints, without its background and controls.
        auto painted = [&] {
            QImage image(window->size(), QImage::Format_ARGB32);
            image.fill(marker);
            window->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
            return image;
        };
        RECT client;
        dialog.GetClientRect(&client);
        const POINT at = ShellDialog::IconPosition(client, 32, 32);
        const QPoint corner(at.x, at.y);
        const QImage icon =
            dialog.m_hIcon->Icon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32);

        const QImage normal = painted();
        EXPECT_EQ(normal.pixel(0, 0), marker) << "the base paints nothing of its own";

        window->showMinimized();
        ASSERT_TRUE(dialog.IsIconic());
        const QImage minimized = painted();
        EXPECT_EQ(minimized.pixel(0, 0), window->palette().window().color().rgb());
        int opaque = 0;
        int shownNormally = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                if (qAlpha(icon.pixel(x, y)) != 255)
                    continue;
                ++opaque;
                EXPECT_EQ(minimized.pixel(corner + QPoint(x, y)), icon.pixel(x, y))
                    << x << "," << y;
                shownNormally += normal.pixel(corner + QPoint(x, y)) == icon.pixel(x, y);
            }
        }
        EXPECT_GT(opaque, 100);
        EXPECT_EQ(shownNormally, 0);
        dialog.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(main.Seen(), 1);
}

namespace {

// A dark grey pixel: the plus and arrow, not the coloured clips or their rims.
bool IsDarkStroke(QRgb pixel) {
    const int high = std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    const int low = std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    return qAlpha(pixel) > 128 && high < 64 && high - low < 24;
}

} // namespace

// On a dark panel a dark stroke that meets the background vanishes: wherever the background
// shows (or would show, at the image's edge), a light halo or a clip lies between them.
TEST(AppIcon, DarkStrokesNeverMeetTheBackgroundAtAnySize) {
    const QStringList files = res::IconTable::Files(IDR_MAINFRAME);
    ASSERT_EQ(files.size(), 3);
    for (const QString& file : files) {
        const QImage image = QImage(file).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(image.isNull()) << file.toStdString();
        int strokes = 0;
        int exposed = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (!IsDarkStroke(image.pixel(x, y)))
                    continue;
                ++strokes;
                for (const QPoint step :
                     {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint next = QPoint(x, y) + step;
                    exposed += !image.valid(next) || qAlpha(image.pixel(next)) < 128;
                }
            }
        }
        EXPECT_GT(strokes, image.width() / 2) << file.toStdString() << ": the plus and arrow";
        EXPECT_EQ(exposed, 0) << file.toStdString();
    }
}

// An image scaled down from a larger drawing has soft, half-covered edges; one drawn on its
// own pixel grid has almost none.
TEST(AppIcon, SmallSizesAreDrawnOnTheirPixelGrid) {
    for (const QString& file : res::IconTable::Files(IDR_MAINFRAME)) {
        const QImage image = QImage(file).convertToFormat(QImage::Format_ARGB32);
        if (image.width() > 32)
            continue;
        EXPECT_EQ(image.width(), image.height());
        int partial = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                partial += qAlpha(image.pixel(x, y)) != 0 && qAlpha(image.pixel(x, y)) != 255;
        }
        EXPECT_EQ(partial, 0) << file.toStdString();
    }
}
