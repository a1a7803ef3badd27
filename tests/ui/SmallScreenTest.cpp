#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>
#include <QWindow>

#include "platform/DialogBuilder.h"
#include "platform/DialogUnits.h"
#include "res/DialogTemplate.h"
#include "res/Resource.h"
#include "tests/support/Eventually.h"
#include "tests/support/TempDir.h"
#include "tests/ui/MainDialogHarness.h"

using veldrun::test::MainDialogHarness;
using veldrun::test::TempDir;

// These run on a 1600x1000 screen at twice the scale as Qt sees it (small-screen.json): 800x500
// for the window, less than the main dialog's template needs.
namespace {

QSize TemplateSize(QWidget* window) {
    const res::DialogTemplate* dialog = res::DialogTemplate::Find(IDD_MAIN_DIALOG);
    return DialogUnits(window->font()).ToPixels(0, 0, dialog->cx, dialog->cy).size();
}

// The part of the window that shows controls: less the scroll bars that show.
QRect View(QWidget* window) {
    QRect view = window->rect();
    for (QScrollBar* bar : window->findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly)) {
        if (!bar->isVisible())
            continue;
        if (bar->orientation() == Qt::Vertical && bar->x() == 0)
            view.setLeft(bar->width());
        else if (bar->orientation() == Qt::Vertical)
            view.setRight(bar->x() - 1);
        else
            view.setBottom(bar->y() - 1);
    }
    return view;
}

const int kTabStops[] = {IDC_INPUT_LIST,     IDC_ADD,       IDC_ADD_FOLDER,  IDC_REMOVE,
                         IDC_MOVE_UP,        IDC_MOVE_DOWN, IDC_OUTPUT_FILE, IDC_SELECT_OUTPUT,
                         IDC_EACH_RECORDING, IDC_VERIFY,    IDC_MERGE};

// Merge takes a clip and an output first. Then each tab stop takes the focus, forwards to
// Merge at the bottom and back to the list at the top, so that the view has to move both ways;
// each must show whole, or as much as the view holds.
void ExpectEachInViewWithItsFocus(MainDialogHarness& dlg, const std::string& clip) {
    QWidget* window = dlg.GetWidget();
    dlg.Drop({QUrl::fromLocalFile(QString::fromStdString(clip))});
    ASSERT_EVENTUALLY(dlg.m_inputList.GetCount() == 1);
    static_cast<QLineEdit*>(dlg.Control(IDC_OUTPUT_FILE))->setText("out.mts");
    ASSERT_TRUE(dlg.Control(IDC_MERGE)->isEnabled());
    std::vector<int> order(std::begin(kTabStops), std::end(kTabStops));
    order.insert(order.end(), order.rbegin(), order.rend());
    for (int id : order) {
        QWidget* control = dlg.Control(id);
        control->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        const QRect view = View(window);
        const QRect area = control->geometry();
        if (area.height() <= view.height() && area.width() <= view.width()) {
            EXPECT_TRUE(view.contains(area))
                << id << " at " << area.x() << "," << area.y() << " outside the view "
                << view.width() << "x" << view.height();
        } else {
            EXPECT_TRUE(view.intersects(area)) << id;
        }
    }
}

class SmallScreen : public ::testing::TestWithParam<Qt::LayoutDirection> {
protected:
    void SetUp() override { QApplication::setLayoutDirection(GetParam()); }
    void TearDown() override { QApplication::setLayoutDirection(Qt::LeftToRight); }
};

} // namespace

TEST_P(SmallScreen, TheWindowFitsTheScreenAndEveryControlScrollsIntoViewWithItsFocus) {
    TempDir dir;
    const std::string clip = dir.Write("00001.MTS", "clip");
    MainDialogHarness dlg;
    dlg.Run([&] {
        QWidget* window = dlg.GetWidget();
        const QRect available = window->screen()->availableGeometry();
        const QSize base = TemplateSize(window);
        ASSERT_GT(base.height(), available.height()) << "the screen is meant to be too small";

        EXPECT_LE(window->minimumHeight(), available.height());
        EXPECT_LE(window->minimumWidth(), available.width());
        EXPECT_LE(window->frameGeometry().height(), available.height());
        EXPECT_LE(window->frameGeometry().width(), available.width());

        ExpectEachInViewWithItsFocus(dlg, clip);

        // The wheel over the dialog's own background scrolls it as well.
        const int listTop = dlg.Control(IDC_INPUT_LIST)->y();
        const QPointF at(window->width() / 2.0, 1.0);
        QWheelEvent wheel(at, window->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window, &wheel);
        EXPECT_LT(dlg.Control(IDC_INPUT_LIST)->y(), listTop) << "the wheel did not scroll";

        // The content keeps the template's size: the list's top and Merge's bottom stand as far
        // apart as the template puts them, farther than the view is high.
        const DialogUnits units(window->font());
        std::map<int, QRect> planned;
        for (const res::ControlTemplate& control :
             res::DialogTemplate::Find(IDD_MAIN_DIALOG)->controls)
            planned[control.id] = units.ToPixels(control.x, control.y, control.cx, control.cy);
        const int span = dlg.Control(IDC_MERGE)->geometry().bottom() -
                         dlg.Control(IDC_INPUT_LIST)->geometry().top();
        EXPECT_EQ(span, planned[IDC_MERGE].bottom() - planned[IDC_INPUT_LIST].top());
        EXPECT_GT(planned[IDC_MERGE].bottom(), View(window).bottom());
    });
}

INSTANTIATE_TEST_SUITE_P(BothDirections, SmallScreen,
                         ::testing::Values(Qt::LeftToRight, Qt::RightToLeft));

// A window moved to a screen narrower than the template fits it too, and scrolls sideways.
TEST_P(SmallScreen, MovedToANarrowerScreenTheDialogFitsItAndScrollsSideways) {
    QScreen* narrow = nullptr;
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->name() == "Narrow")
            narrow = screen;
    }
    ASSERT_NE(narrow, nullptr);
    TempDir dir;
    const std::string clip = dir.Write("00001.MTS", "clip");
    MainDialogHarness dlg;
    dlg.Run([&] {
        QWidget* window = dlg.GetWidget();
        window->windowHandle()->setScreen(narrow);
        window->move(narrow->availableGeometry().topLeft());
        QApplication::processEvents();
        const QRect available = narrow->availableGeometry();
        ASSERT_GT(TemplateSize(window).width(), available.width());
        EXPECT_LE(window->frameGeometry().width(), available.width());
        EXPECT_LE(window->minimumWidth(), available.width());
        ExpectEachInViewWithItsFocus(dlg, clip);
    });
}
