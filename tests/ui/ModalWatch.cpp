#include "tests/ui/ModalWatch.h"

#include <QApplication>
#include <QWidget>

namespace veldrun {
namespace test {

ModalWatch::ModalWatch(QString caption, std::function<void(QWidget*)> action)
    : m_caption(std::move(caption)), m_action(std::move(action)) {
    QObject::connect(&m_timer, &QTimer::timeout, [this] { Look(); });
    m_timer.start(5);
}

void ModalWatch::Look() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal->windowTitle() != m_caption || modal == m_handled)
        return;
    m_handled = modal;
    ++m_seen;
    m_action(modal);
}

} // namespace test
} // namespace veldrun
