#include "platform/DialogBuilder.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/DialogUnits.h"
#include "platform/DynamicLayout.h"
#include "platform/EditWidget.h"
#include "platform/IconHandle.h"
#include "platform/ListBoxWidget.h"
#include "platform/ProgressBarWidget.h"
#include "platform/WinApi.h"
#include "res/Tr.h"

namespace {

bool IsClass(const res::ControlTemplate& control, const wchar_t* name) {
    return std::wcscmp(control.className, name) == 0;
}

// Template texts are marked for translation under the template's context.
QString TextOf(const res::ControlTemplate& control) {
    return QString::fromStdWString(res::Tr("DialogTemplate", control.text ? control.text : L""));
}

QWidget* CreateButton(const res::ControlTemplate& control, QWidget* parent,
                      const DialogBuilder::Notify& notify) {
    if ((control.style & BS_TYPEMASK) == BS_AUTOCHECKBOX) {
        auto* box = new QCheckBox(TextOf(control), parent);
        QObject::connect(box, &QCheckBox::clicked, parent,
                         [notify, id = control.id] { notify(id, BN_CLICKED); });
        return box;
    }
    auto* button = new QPushButton(TextOf(control), parent);
    // The dialog handles Enter itself, with Win32's choice of button.
    button->setAutoDefault(false);
    button->setDefault((control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
    QObject::connect(button, &QPushButton::clicked, parent,
                     [notify, id = control.id] { notify(id, BN_CLICKED); });
    return button;
}

QWidget* CreateEdit(const res::ControlTemplate& control, QWidget* parent,
                    const DialogBuilder::Notify& notify) {
    auto* edit = new EditWidget(TextOf(control), parent);
    edit->setFrame((control.style & WS_BORDER) || (control.exStyle & WS_EX_STATICEDGE));
    if (control.style & ES_READONLY) {
        edit->setReadOnly(true);
        // Win32 shows read-only edits on the dialog's own background.
        QPalette palette = edit->palette();
        palette.setBrush(QPalette::Base, palette.window());
        edit->setPalette(palette);
    }
    QObject::connect(edit, &QLineEdit::textChanged, parent,
                     [notify, id = control.id] { notify(id, EN_CHANGE); });
    return edit;
}

QWidget* CreateListBox(const res::ControlTemplate& control, QWidget* parent,
                       const DialogBuilder::Notify& notify) {
    auto* list = new ListBoxWidget(control.style, parent);
    if (control.style & LBS_NOTIFY) {
        QObject::connect(list, &QTreeWidget::itemSelectionChanged, parent,
                         [notify, id = control.id] { notify(id, LBN_SELCHANGE); });
    }
    return list;
}

// A text "#n" names icon resource n.
QWidget* CreateIcon(const res::ControlTemplate& control, QWidget* parent) {
    const QString text = TextOf(control);
    HICON icon = text.startsWith('#') ? IconHandle::Load(text.mid(1).toInt()) : nullptr;
    if (!icon)
        return nullptr;
    auto* label = new QLabel(parent);
    const QSize size(GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    label->setPixmap(icon->Icon().pixmap(size));
    // The icon's own size, whatever the template says, as on Win32.
    label->setFixedSize(size);
    return label;
}

QWidget* CreateStatic(const res::ControlTemplate& control, QWidget* parent) {
    if ((control.style & SS_TYPEMASK) == SS_ICON)
        return CreateIcon(control, parent);
    auto* label = new QLabel(TextOf(control), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap((control.style & SS_TYPEMASK) == SS_LEFT);
    return label;
}

// The templates were laid out for Windows' shell font. A one-line label whose text is wider
// in the desktop's font widens to show it rather than cutting it off.
QRect FitLabel(QWidget* widget, QRect area) {
    auto* label = qobject_cast<QLabel*>(widget);
    if (!label || area.height() >= 2 * label->fontMetrics().height())
        return area;
    area.setWidth(
        std::max(area.width(), label->fontMetrics().horizontalAdvance(label->text()) + 1));
    return area;
}

QWidget* CreateControl(const res::ControlTemplate& control, QWidget* parent,
                       const DialogBuilder::Notify& notify) {
    if (IsClass(control, L"BUTTON"))
        return CreateButton(control, parent, notify);
    if (IsClass(control, L"EDIT"))
        return CreateEdit(control, parent, notify);
    if (IsClass(control, L"LISTBOX"))
        return CreateListBox(control, parent, notify);
    if (IsClass(control, L"STATIC"))
        return CreateStatic(control, parent);
    if (IsClass(control, L"msctls_progress32"))
        return new ProgressBarWidget(parent);
    return nullptr;
}

Qt::FocusPolicy FocusPolicyOf(const res::ControlTemplate& control) {
    if (IsClass(control, L"STATIC") || IsClass(control, L"msctls_progress32"))
        return Qt::NoFocus;
    return (control.style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus;
}

Qt::WindowFlags WindowFlagsOf(DWORD style) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if ((style & WS_CAPTION) == WS_CAPTION)
        flags |= Qt::WindowTitleHint;
    if (style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style & WS_MAXIMIZEBOX)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

using Built = std::vector<std::pair<const res::ControlTemplate*, QWidget*>>;

// A label without a mnemonic names the field that starts just below it at its left edge, as
// the templates lay such pairs out: the nearest such control within a line's height.
QWidget* FieldBelow(const Built& built, const res::ControlTemplate& label) {
    const int kLeftSlack = 2;
    const int kMaxGap = 8;
    const int bottom = label.y + label.cy;
    QWidget* field = nullptr;
    int fieldTop = bottom + kMaxGap + 1;
    for (const auto& [control, widget] : built) {
        if (IsClass(*control, L"STATIC") || std::abs(control->x - label.x) > kLeftSlack ||
            control->y < bottom || control->y >= fieldTop)
            continue;
        field = widget;
        fieldTop = control->y;
    }
    return field;
}

// Ties each label to the field it names (QLabel's buddy), which is also how assistive tools
// learn the field's name. As on Win32, a label's mnemonic focuses the next control of the
// template that is not a label itself; a label without one names the field below it. Statics
// with SS_NOPREFIX show data rather than name a field.
void SetBuddies(const Built& built) {
    for (std::size_t i = 0; i < built.size(); ++i) {
        const res::ControlTemplate& control = *built[i].first;
        auto* label = qobject_cast<QLabel*>(built[i].second);
        if (!label || (control.style & SS_NOPREFIX) || label->text().isEmpty())
            continue;
        if (!label->text().contains('&')) {
            if (QWidget* field = FieldBelow(built, control))
                label->setBuddy(field);
            continue;
        }
        for (std::size_t next = i + 1; next < built.size(); ++next) {
            if (!IsClass(*built[next].first, L"STATIC")) {
                label->setBuddy(built[next].second);
                break;
            }
        }
    }
}

// "MS Shell Dlg" stands for the desktop's interface font.
QFont FontOf(const res::DialogTemplate& dialog) {
    const QString face = QString::fromWCharArray(dialog.fontFace ? dialog.fontFace : L"");
    if (face.isEmpty() || face.startsWith("MS Shell Dlg"))
        return QApplication::font();
    return QFont(face, dialog.pointSize, dialog.weight > 0 ? dialog.weight : -1, dialog.italic);
}

} // namespace

bool DialogBuilder::Build(const res::DialogTemplate& dialog, QDialog* window,
                          const Notify& notify) {
    window->setWindowFlags(WindowFlagsOf(dialog.style));
    window->setWindowTitle(
        QString::fromStdWString(res::Tr("DialogTemplate", dialog.caption ? dialog.caption : L"")));
    window->setFont(FontOf(dialog));
    window->setProperty(kStyleProperty, static_cast<uint>(dialog.style));
    window->setAcceptDrops(dialog.exStyle & WS_EX_ACCEPTFILES);
    const DialogUnits units(window->font());
    const QSize size = units.ToPixels(0, 0, dialog.cx, dialog.cy).size();
    // A sizing border lets the dialog grow, never shrink below its template size (unless the
    // screen is smaller: see DynamicLayout).
    const bool resizable = dialog.style & WS_THICKFRAME;
    if (resizable) {
        window->setMinimumSize(size);
        window->resize(size);
    } else {
        window->setFixedSize(size);
    }

    // Qt's focus chain is the order of creation, which is the template's: the tab order.
    Built built;
    for (const res::ControlTemplate& control : dialog.controls) {
        QWidget* widget = CreateControl(control, window, notify);
        if (!widget)
            return false;
        widget->setProperty(kIdProperty, control.id);
        widget->setProperty(kStyleProperty, static_cast<uint>(control.style));
        widget->setGeometry(
            FitLabel(widget, units.ToPixels(control.x, control.y, control.cx, control.cy)));
        widget->setFocusPolicy(FocusPolicyOf(control));
        widget->setAcceptDrops(false);
        widget->setEnabled(!(control.style & WS_DISABLED));
        widget->setVisible(control.style & WS_VISIBLE);
        built.emplace_back(&control, widget);
    }
    SetBuddies(built);
    // Every dialog mirrors right to left and fits a small screen; only a resizable one grows.
    auto* layout = new DynamicLayout(window);
    for (const auto& [control, widget] : built)
        layout->Add(widget, resizable ? control->layout : res::ControlLayout{});
    layout->Apply();
    return true;
}
