#include "platform/DynamicLayout.h"

#include <algorithm>

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

namespace {

// The template size bounded by the available screen area less the window frame.
QSize MinimumSize(const QSize& base, const QSize& available, const QSize& frame) {
    const QSize room = (available - frame).expandedTo(QSize(1, 1));
    return base.boundedTo(room);
}

} // namespace

DynamicLayout::DynamicLayout(QWidget* dialog)
    : QObject(dialog), m_dialog(dialog), m_base(dialog->size()),
      m_horizontal(new QScrollBar(Qt::Horizontal, dialog)),
      m_vertical(new QScrollBar(Qt::Vertical, dialog)) {
    for (QScrollBar* bar : {m_horizontal, m_vertical}) {
        // Tab goes from control to control; the bars follow the focus instead.
        bar->setFocusPolicy(Qt::NoFocus);
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this] { Apply(); });
    }
    dialog->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { ShowInView(now); });
}

void DynamicLayout::Add(QWidget* control, const res::ControlLayout& layout) {
    m_items.push_back({control, control->geometry(), layout});
}

QRect DynamicLayout::Place(const QRect& start, const res::ControlLayout& layout,
                           const QSize& growth) {
    const int dx = std::max(0, growth.width());
    const int dy = std::max(0, growth.height());
    return QRect(start.x() + dx * layout.moveX / 100, start.y() + dy * layout.moveY / 100,
                 start.width() + dx * layout.sizeX / 100, start.height() + dy * layout.sizeY / 100);
}

bool DynamicLayout::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_dialog)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        // The window manager frames the window after it shows: fit again once the frame is
        // known, or the title bar pushes the bottom off the screen.
        if (m_dialog->isVisible() && m_dialog->frameGeometry().size() - m_dialog->size() != m_frame)
            FitScreen();
        if (event->type() == QEvent::Resize)
            Apply();
        break;
    case QEvent::LayoutDirectionChange:
        Apply();
        break;
    case QEvent::Show:
        FollowScreen();
        FitScreen();
        break;
    case QEvent::Wheel:
        // The wheel over the dialog's own background scrolls what does not fit.
        if (m_vertical->isVisible() || m_horizontal->isVisible()) {
            QScrollBar* bar = m_vertical->isVisible() ? m_vertical : m_horizontal;
            QApplication::sendEvent(bar, event);
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// The window's screen is known once it has a native window; it may move to another one later.
void DynamicLayout::FollowScreen() {
    QWindow* window = m_dialog->windowHandle();
    if (!window || m_followed == window)
        return;
    m_followed = window;
    connect(window, &QWindow::screenChanged, this, [this](QScreen* screen) {
        WatchScreen(screen);
        FitScreen();
    });
    WatchScreen(window->screen());
}

void DynamicLayout::WatchScreen(QScreen* screen) {
    disconnect(m_screenWatch);
    if (screen)
        m_screenWatch =
            connect(screen, &QScreen::availableGeometryChanged, this, [this] { FitScreen(); });
}

void DynamicLayout::FitScreen() {
    const QScreen* screen = m_dialog->screen();
    if (!screen)
        return;
    const QSize available = screen->availableGeometry().size();
    // The frame is known once the window manager has framed the window; before, none is assumed.
    const QSize frame = m_dialog->frameGeometry().size() - m_dialog->size();
    m_frame = frame;
    const QSize minimum = MinimumSize(m_base, available, frame);
    const bool fixed = m_dialog->minimumSize() == m_dialog->maximumSize();
    m_dialog->setMinimumSize(minimum);
    // A dialog without a sizing border keeps its size where it fits, and shrinks only to fit.
    if (fixed)
        m_dialog->setMaximumSize(m_base);
    m_dialog->resize(m_dialog->size().boundedTo(available - frame).expandedTo(minimum));
    Apply();
}

QRect DynamicLayout::Viewport() const {
    const int barWidth = m_vertical->sizeHint().width();
    const int barHeight = m_horizontal->sizeHint().height();
    const QSize size = m_dialog->size();
    bool tall = size.height() < m_base.height();
    bool wide = size.width() < m_base.width();
    // Each bar takes room from the other direction, which may then need its own bar too.
    tall = tall || (wide && size.height() - barHeight < m_base.height());
    wide = wide || (tall && size.width() - barWidth < m_base.width());
    tall = tall || (wide && size.height() - barHeight < m_base.height());
    const QSize shown(size.width() - (tall ? barWidth : 0), size.height() - (wide ? barHeight : 0));
    // Right to left, the vertical bar stands on the left.
    const bool mirrored = m_dialog->layoutDirection() == Qt::RightToLeft;
    return QRect(QPoint(mirrored && tall ? barWidth : 0, 0), shown);
}

void DynamicLayout::Apply() {
    // Setting the bars' ranges may move their values, which comes back here.
    if (m_placing)
        return;
    m_placing = true;
    const QRect view = Viewport();
    const QSize content = view.size().expandedTo(m_base);
    const bool mirrored = m_dialog->layoutDirection() == Qt::RightToLeft;

    const bool wide = content.width() > view.width();
    const bool tall = content.height() > view.height();
    m_horizontal->setRange(0, content.width() - view.width());
    m_horizontal->setPageStep(view.width());
    m_horizontal->setGeometry(view.x(), view.bottom() + 1, view.width(),
                              m_dialog->height() - view.height());
    m_horizontal->setVisible(wide);
    m_vertical->setRange(0, content.height() - view.height());
    m_vertical->setPageStep(view.height());
    m_vertical->setGeometry(mirrored ? 0 : view.right() + 1, 0, m_dialog->width() - view.width(),
                            view.height());
    m_vertical->setVisible(tall);
    for (QScrollBar* bar : {m_horizontal, m_vertical}) {
        bar->setSingleStep(std::max(1, m_dialog->fontMetrics().height()));
        bar->raise();
    }

    for (const Item& item : m_items) {
        if (item.control)
            item.control->setGeometry(Shown(item, view));
    }
    m_placing = false;
}

QRect DynamicLayout::Shown(const Item& item, const QRect& view) const {
    QRect area = Place(item.start, item.layout, view.size() - m_base);
    // Mirrored, the template's left edge is the right edge, and the bar's start shows it.
    const bool mirrored = m_dialog->layoutDirection() == Qt::RightToLeft;
    const int x = mirrored ? view.right() + 1 - area.right() - 1 + m_horizontal->value()
                           : view.x() + area.x() - m_horizontal->value();
    area.moveTo(x, area.y() - m_vertical->value());
    return area;
}

DynamicLayout* DynamicLayout::Of(const QWidget* dialog) {
    for (QObject* child : dialog->children()) {
        if (auto* layout = dynamic_cast<DynamicLayout*>(child))
            return layout;
    }
    return nullptr;
}

void DynamicLayout::Moved(QWidget* control) {
    const QRect view = Viewport();
    const bool mirrored = m_dialog->layoutDirection() == Qt::RightToLeft;
    for (Item& item : m_items) {
        if (item.control != control)
            continue;
        const QRect placed = Shown(item, view);
        const QRect now = control->geometry();
        const int left = now.left() - placed.left();
        const int right = now.right() - placed.right();
        // Mirrored, a change of the shown left edge is one of the template's right edge.
        item.start.adjust(mirrored ? -right : left, now.top() - placed.top(),
                          mirrored ? -left : right, now.bottom() - placed.bottom());
    }
}

// Scrolls so that the control holding `focused` shows whole, or its start when it is larger
// than the view.
void DynamicLayout::ShowInView(QWidget* focused) {
    if (!focused || !m_dialog->isAncestorOf(focused))
        return;
    if (!m_vertical->isVisible() && !m_horizontal->isVisible())
        return;
    QWidget* control = focused;
    while (control->parentWidget() != m_dialog)
        control = control->parentWidget();
    const QRect view = Viewport();
    const QRect area = control->geometry();
    const auto shift = [](int start, int end, int viewStart, int viewEnd) {
        if (start < viewStart)
            return viewStart - start;
        if (end > viewEnd)
            return std::max(viewEnd - end, viewStart - start);
        return 0;
    };
    const int dx = shift(area.left(), area.right(), view.left(), view.right());
    const int dy = shift(area.top(), area.bottom(), view.top(), view.bottom());
    const bool mirrored = m_dialog->layoutDirection() == Qt::RightToLeft;
    m_horizontal->setValue(m_horizontal->value() + (mirrored ? dx : -dx));
    m_vertical->setValue(m_vertical->value() - dy);
}
