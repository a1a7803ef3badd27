#include <gtest/gtest.h>
#include <map>
#include <vector>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "platform/DialogBuilder.h"
#include "platform/DialogUnits.h"
#include "platform/IconHandle.h"
#include "res/DialogTemplate.h"
#include "res/Resource.h"
#include "res/StringTable.h"
#include "res/VersionInfo.h"
#include "tests/platform/RecordingDialog.h"

using veldrun::test::RecordingDialog;

namespace {

const int kDialogs[] = {IDD_ABOUTBOX, IDD_MAIN_DIALOG, IDD_PROGRESS_DIALOG};

QRect Area(const res::ControlTemplate& control) {
    return QRect(control.x, control.y, control.cx, control.cy);
}

// The ids of the controls that Tab visits, starting at the focused one, until it comes back.
std::vector<int> TabCycle(QWidget* window) {
    std::vector<int> ids;
    QWidget* first = window->focusWidget();
    QWidget* current = first;
    do {
        ids.push_back(current->property(DialogBuilder::kIdProperty).toInt());
        QTest::keyClick(current, Qt::Key_Tab);
        current = window->focusWidget();
    } while (current && current != first && ids.size() < 20);
    return ids;
}

bool IsDefault(QWidget* widget) {
    auto* button = qobject_cast<QPushButton*>(widget);
    return button && button->isDefault();
}

} // namespace

TEST(DialogTemplates, EveryControlLiesInsideItsDialogWithoutOverlap) {
    for (int id : kDialogs) {
        const res::DialogTemplate* dialog = res::DialogTemplate::Find(id);
        ASSERT_NE(dialog, nullptr) << id;
        const QRect client(0, 0, dialog->cx, dialog->cy);
        for (std::size_t i = 0; i < dialog->controls.size(); ++i) {
            EXPECT_TRUE(client.contains(Area(dialog->controls[i])))
                << "dialog " << id << " control " << i;
            for (std::size_t j = i + 1; j < dialog->controls.size(); ++j) {
                EXPECT_FALSE(Area(dialog->controls[i]).intersects(Area(dialog->controls[j])))
                    << "dialog " << id << " controls " << i << " and " << j;
            }
        }
    }
}

TEST(DialogTemplates, InputListKeepsItsScrollBarsWhenEmptyAndUnknownTemplatesAreMissing) {
    RecordingDialog main(IDD_MAIN_DIALOG);
    main.Run([&] {
        auto* list = qobject_cast<QAbstractScrollArea*>(main.Control(IDC_INPUT_LIST));
        ASSERT_NE(list, nullptr);
        // Both scroll styles with LBS_DISABLENOSCROLL: the bars stay, with nothing to scroll.
        for (const QScrollBar* bar : {list->verticalScrollBar(), list->horizontalScrollBar()}) {
            EXPECT_TRUE(bar->isVisible());
            EXPECT_EQ(bar->maximum(), 0);
        }
        EXPECT_NE(list->frameShape(), QFrame::NoFrame) << "WS_BORDER";
        main.EndDialog(IDOK);
    });
    EXPECT_EQ(res::DialogTemplate::Find(IDR_MAINFRAME), nullptr);

    RecordingDialog missing(999);
    EXPECT_EQ(missing.DoModal(), -1);
}

TEST(DialogTemplates, StringVersionAndIconResources) {
    EXPECT_STREQ(res::StringTable::Find(IDS_ABOUTBOX), L"&About Veldrun...");
    EXPECT_EQ(res::StringTable::Find(IDD_ABOUTBOX), nullptr);
    EXPECT_EQ(res::VersionInfo::Get().fileVersion, L"1.0.0.2");
    EXPECT_EQ(res::VersionInfo::Get().productVersion, L"1.0.0.2");

    HICON icon = IconHandle::Load(IDR_MAINFRAME);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon, IconHandle::Load(IDR_MAINFRAME)) << "a shared resource icon";
    for (int size : {16, 32, 48})
        EXPECT_EQ(icon->Icon().pixmap(size, size).width(), size);
    EXPECT_EQ(IconHandle::Load(IDD_ABOUTBOX), nullptr);
}

TEST(DialogUnitsToPixels, RoundsLikeWin32) {
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.ToPixels(198, 18, 50, 16), QRect(297, 29, 75, 26));
    // 1 * 6 / 4 = 1.5 and 4 * 13 / 8 = 6.5 round up.
    EXPECT_EQ(units.ToPixels(1, 4, 0, 0), QRect(2, 7, 0, 0));
    EXPECT_EQ(DialogUnits::MulDiv(-1, 6, 4), -2);
}

TEST(DialogUnitsToPixels, BaseUnitsComeFromTheFont) {
    // In a monospaced font every letter has the width of any other.
    const QFont mono("DejaVu Sans Mono", 10);
    const DialogUnits units(mono);
    // Four horizontal units are one average character, eight vertical ones the font's height.
    EXPECT_EQ(units.ToPixels(4, 8, 0, 0).topLeft(),
              QPoint(QFontMetrics(mono).horizontalAdvance('x'), QFontMetrics(mono).height()));

    const QFont larger("DejaVu Sans Mono", 20);
    EXPECT_GT(DialogUnits(larger).ToPixels(4, 0, 0, 0).x(), units.ToPixels(4, 0, 0, 0).x());
}

TEST(DialogBuilding, WindowAndControlsTakeTheTemplatesPixelGeometry) {
    for (int id : kDialogs) {
        const res::DialogTemplate* dialog = res::DialogTemplate::Find(id);
        RecordingDialog shown(id);
        shown.Run([&] {
            QWidget* window = shown.GetWidget();
            EXPECT_EQ(window->font().family(), QApplication::font().family());
            const DialogUnits units(window->font());
            EXPECT_EQ(window->size(), units.ToPixels(0, 0, dialog->cx, dialog->cy).size());
            if (dialog->style & WS_THICKFRAME) {
                EXPECT_EQ(window->minimumSize(), window->size()) << "no smaller than the template";
                EXPECT_EQ(window->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
            } else {
                EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "fixed size";
            }
            EXPECT_EQ(window->windowTitle(), QString::fromWCharArray(dialog->caption));
            for (const res::ControlTemplate& control : dialog->controls) {
                if (control.id == IDC_STATIC)
                    continue;
                const QWidget* widget = shown.Control(control.id);
                ASSERT_NE(widget, nullptr) << control.id;
                EXPECT_EQ(widget->geometry(),
                          units.ToPixels(control.x, control.y, control.cx, control.cy))
                    << "dialog " << id << " control " << control.id;
            }
            shown.EndDialog(IDOK);
        });
    }
}

TEST(DialogBuilding, AboutBoxShowsTheIconAtIconSize) {
    RecordingDialog about(IDD_ABOUTBOX);
    about.Run([&] {
        QLabel* icon = nullptr;
        for (QLabel* label : about.GetWidget()->findChildren<QLabel*>()) {
            if (!label->pixmap().isNull())
                icon = label;
        }
        ASSERT_NE(icon, nullptr);
        const DialogUnits units(about.GetWidget()->font());
        EXPECT_EQ(icon->geometry(), QRect(units.ToPixels(11, 17, 0, 0).topLeft(), QSize(32, 32)));
        about.EndDialog(IDOK);
    });
}

TEST(DialogBuilding, TabOrderIsTemplateOrderStartingAtTheFirstTabStop) {
    const std::vector<std::pair<int, std::vector<int>>> expected = {
        {IDD_MAIN_DIALOG,
         {3, 7, 4, 1000, 5, 6, 1001, 1002, 1003, IDC_EACH_RECORDING, IDC_VERIFY, 1004, 1005}},
        {IDD_ABOUTBOX, {IDOK}},
        {IDD_PROGRESS_DIALOG, {1006, 1005}},
    };
    for (const auto& [id, order] : expected) {
        RecordingDialog dialog(id);
        dialog.Run([&] {
            EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.GetWidget()));
            EXPECT_EQ(TabCycle(dialog.GetWidget()), order) << "dialog " << id;
            dialog.EndDialog(IDOK);
        });
    }
}

// What each label of a dialog is tied to: the id of its buddy, 0 for none.
std::map<QString, int> Buddies(const RecordingDialog& dialog) {
    std::map<QString, int> buddies;
    for (QLabel* label : dialog.GetWidget()->findChildren<QLabel*>()) {
        if (!label->text().isEmpty())
            buddies[label->text()] =
                label->buddy() ? label->buddy()->property(DialogBuilder::kIdProperty).toInt() : 0;
    }
    return buddies;
}

TEST(DialogBuilding, EachLabelIsTiedToTheFieldItNamesWithOrWithoutAMnemonic) {
    RecordingDialog main(IDD_MAIN_DIALOG);
    main.Run([&] {
        // "File Size:" comes after its field in the template and names the one below it.
        const std::map<QString, int> expected = {
            {"&Input Files:", IDC_INPUT_LIST},
            {"&Output File:", IDC_OUTPUT_FILE},
            {"Current Selection:", IDC_CURRENT_SELECTION},
            {"File Size:", IDC_FILE_SIZE},
        };
        EXPECT_EQ(Buddies(main), expected);
        main.EndDialog(IDOK);
    });
    // Texts with nothing below them name no control.
    RecordingDialog about(IDD_ABOUTBOX);
    about.Run([&] {
        for (const auto& [text, buddy] : Buddies(about))
            EXPECT_EQ(buddy, 0) << text.toStdString();
        about.EndDialog(IDOK);
    });
}

TEST(DialogBuilding, DefaultButtonIsTheDefPushButtonOnly) {
    RecordingDialog main(IDD_MAIN_DIALOG);
    main.Run([&] {
        EXPECT_TRUE(IsDefault(main.Control(IDC_ADD)));
        for (int id :
             {IDC_ADD_FOLDER, IDC_REMOVE, IDC_MOVE_UP, IDC_MOVE_DOWN, IDC_MERGE, IDC_SELECT_OUTPUT})
            EXPECT_FALSE(IsDefault(main.Control(id))) << id;
        main.EndDialog(IDOK);
    });
    // Qt would make the first button of a dialog without one the default; Win32 does not.
    RecordingDialog progress(IDD_PROGRESS_DIALOG);
    progress.Run([&] {
        EXPECT_FALSE(IsDefault(progress.Control(IDC_CANCEL_MERGE)));
        progress.EndDialog(IDOK);
    });
}

TEST(DialogBuilding, ReadOnlyEditsAndDropTargetsFollowTheirStyles) {
    RecordingDialog main(IDD_MAIN_DIALOG);
    main.Run([&] {
        EXPECT_TRUE(main.GetWidget()->acceptDrops()) << "WS_EX_ACCEPTFILES";
        EXPECT_FALSE(main.Control(IDC_INPUT_LIST)->acceptDrops()) << "drops go to the dialog";
        EXPECT_TRUE(main.Control(IDC_CURRENT_SELECTION)->property("readOnly").toBool());
        EXPECT_TRUE(main.Control(IDC_FILE_SIZE)->property("readOnly").toBool());
        EXPECT_FALSE(main.Control(IDC_OUTPUT_FILE)->property("readOnly").toBool());
        main.EndDialog(IDOK);
    });
    RecordingDialog about(IDD_ABOUTBOX);
    about.Run([&] {
        EXPECT_FALSE(about.GetWidget()->acceptDrops());
        about.DragAcceptFiles(TRUE);
        EXPECT_TRUE(about.GetWidget()->acceptDrops());
        about.EndDialog(IDOK);
    });
}

TEST(DialogBuilding, OneLineLabelsShowTheirWholeTextInTheDesktopFont) {
    for (int id : kDialogs) {
        RecordingDialog dialog(id);
        dialog.Run([&] {
            for (QLabel* label : dialog.GetWidget()->findChildren<QLabel*>()) {
                if (label->pixmap().isNull()) {
                    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()))
                        << label->text().toStdString();
                }
            }
            dialog.EndDialog(IDOK);
        });
    }
}

TEST(DialogResizing, ControlsFollowTheirLayoutAndTheDialogNeverShrinksBelowItsTemplate) {
    RecordingDialog shown(IDD_MAIN_DIALOG);
    shown.Run([&] {
        QWidget* window = shown.GetWidget();
        const QSize base = window->size();
        const auto geometries = [&] {
            std::map<int, QRect> areas;
            for (int id :
                 {IDC_ADD, IDC_MOVE_DOWN, IDC_INPUT_LIST, IDC_SUMMARY, IDC_MERGE, IDC_OUTPUT_FILE,
                  IDC_SELECT_OUTPUT, IDC_CURRENT_SELECTION, IDC_FILE_SIZE})
                areas[id] = shown.Control(id)->geometry();
            return areas;
        };
        const std::map<int, QRect> before = geometries();

        for (const QSize growth : {QSize(137, 61), QSize(1, 1), QSize(400, 0)}) {
            window->resize(base + growth);
            QApplication::processEvents();
            std::map<int, QRect> after = geometries();
            const int dx = growth.width();
            const int dy = growth.height();
            // The list grows both ways; the fields under it grow in width and move down.
            EXPECT_EQ(after[IDC_INPUT_LIST], before.at(IDC_INPUT_LIST).adjusted(0, 0, dx, dy));
            for (int id : {IDC_SUMMARY, IDC_OUTPUT_FILE, IDC_CURRENT_SELECTION})
                EXPECT_EQ(after[id], before.at(id).adjusted(0, dy, dx, dy)) << id;
            // The buttons on the right keep their distance from the right edge.
            for (int id : {IDC_ADD, IDC_MOVE_DOWN})
                EXPECT_EQ(after[id], before.at(id).translated(dx, 0)) << id;
            for (int id : {IDC_SELECT_OUTPUT, IDC_FILE_SIZE})
                EXPECT_EQ(after[id], before.at(id).translated(dx, dy)) << id;
            // Merge stays centred: it moves by half the growth, rounded down.
            EXPECT_EQ(after[IDC_MERGE], before.at(IDC_MERGE).translated(dx / 2, dy));
        }

        window->resize(base - QSize(40, 30));
        QApplication::processEvents();
        EXPECT_EQ(window->size(), base) << "the template size is the smallest";
        EXPECT_EQ(geometries(), before);
        shown.EndDialog(IDOK);
    });
}

TEST(DialogResizing, OnlyDialogsWithASizingBorderGrowAndOnlyTheMainOneMaximizes) {
    for (int id : kDialogs) {
        const res::DialogTemplate* dialog = res::DialogTemplate::Find(id);
        RecordingDialog shown(id);
        shown.Run([&] {
            QWidget* window = shown.GetWidget();
            const bool main = id == IDD_MAIN_DIALOG;
            EXPECT_EQ(bool(dialog->style & WS_THICKFRAME), main) << id;
            EXPECT_EQ(window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint), main) << id;
            const QSize before = window->size();
            window->resize(before + QSize(50, 50));
            EXPECT_EQ(window->size() != before, main) << id;
            shown.EndDialog(IDOK);
        });
    }
}

// Translations run longer than English, German by about a third: each label and check box
// needs room beyond its English text, or its translation is cut off.
TEST(DialogBuilding, LabelsAndCheckBoxesHaveRoomForLongerTranslations) {
    const double kLonger = 1.3;
    for (int id : kDialogs) {
        RecordingDialog dialog(id);
        dialog.Run([&] {
            for (QLabel* label : dialog.GetWidget()->findChildren<QLabel*>()) {
                const QString text = QString(label->text()).remove('&');
                if (label->pixmap().isNull() && !text.isEmpty()) {
                    EXPECT_GE(label->width(),
                              kLonger * label->fontMetrics().horizontalAdvance(text))
                        << "dialog " << id << ": " << text.toStdString();
                }
            }
            for (QCheckBox* box : dialog.GetWidget()->findChildren<QCheckBox*>()) {
                const QString text = QString(box->text()).remove('&');
                const int indicator =
                    box->sizeHint().width() - box->fontMetrics().horizontalAdvance(text);
                EXPECT_GE(box->width(),
                          indicator + kLonger * box->fontMetrics().horizontalAdvance(text))
                    << "dialog " << id << ": " << text.toStdString();
                EXPECT_GE(box->height(), box->fontMetrics().height()) << text.toStdString();
            }
            dialog.EndDialog(IDOK);
        });
    }
}

namespace {

// The geometry of every control of a dialog shown in `direction`, after growing by `growth`, by
// the control's place in the template.
struct Shown {
    QSize size;
    std::map<int, QRect> areas;
    QRect add;
    QRect list;
};

Shown ShownGeometry(int templateId, Qt::LayoutDirection direction, QSize growth) {
    QApplication::setLayoutDirection(direction);
    Shown result;
    RecordingDialog shown(templateId);
    shown.Run([&] {
        QWidget* window = shown.GetWidget();
        window->resize(window->size() + growth);
        QApplication::processEvents();
        result.size = window->size();
        if (templateId == IDD_MAIN_DIALOG) {
            result.add = shown.Control(IDC_ADD)->geometry();
            result.list = shown.Control(IDC_INPUT_LIST)->geometry();
        }
        // Labels share one id: the controls are told apart by their place in the template.
        int index = 0;
        for (QObject* child : window->children()) {
            auto* widget = qobject_cast<QWidget*>(child);
            if (widget && child->property(DialogBuilder::kIdProperty).isValid())
                result.areas[index++] = widget->geometry();
        }
        shown.EndDialog(IDOK);
    });
    QApplication::setLayoutDirection(Qt::LeftToRight);
    return result;
}

} // namespace

// -reverse: right to left, each control stands as far from the right edge as it stands from
// the left edge left to right, also once a resizable dialog has grown.
TEST(DialogDirection, RightToLeftMirrorsEveryControlAlsoAsTheDialogGrows) {
    for (const auto& [id, growth] :
         std::vector<std::pair<int, QSize>>{{IDD_MAIN_DIALOG, QSize(0, 0)},
                                            {IDD_MAIN_DIALOG, QSize(131, 40)},
                                            {IDD_PROGRESS_DIALOG, QSize(0, 0)}}) {
        const Shown left = ShownGeometry(id, Qt::LeftToRight, growth);
        const Shown right = ShownGeometry(id, Qt::RightToLeft, growth);
        ASSERT_EQ(left.size, right.size);
        ASSERT_EQ(left.areas.size(), right.areas.size());
        ASSERT_FALSE(left.areas.empty());
        for (const auto& [control, area] : left.areas) {
            const QRect mirrored = right.areas.at(control);
            EXPECT_EQ(mirrored.size(), area.size()) << id << "/" << control;
            EXPECT_EQ(right.size.width() - mirrored.x() - mirrored.width(), area.x())
                << id << "/" << control;
            EXPECT_EQ(mirrored.y(), area.y()) << id << "/" << control;
        }
        if (id == IDD_MAIN_DIALOG) {
            EXPECT_LT(right.add.x(), right.list.x()) << "Add stands left of the list";
            EXPECT_GT(left.add.x(), left.list.x());
        }
    }
}
