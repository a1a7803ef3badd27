#pragma once

#include <functional>

#include <QPointer>
#include <QString>
#include <QTimer>

class QWidget;

namespace veldrun {
namespace test {

// Acts once on each modal dialog with `caption` that becomes the active modal widget while
// the watch lives; the action is expected to end it. The watch looks from inside the modal
// loops, so the code that starts a dialog may simply call DoModal, also for nested dialogs.
class ModalWatch {
public:
    ModalWatch(QString caption, std::function<void(QWidget*)> action);

    // How many dialogs it has acted on.
    int Seen() const { return m_seen; }

private:
    void Look();

    QString m_caption;
    std::function<void(QWidget*)> m_action;
    // Null once that dialog's window is gone, so a new one at the same address counts.
    QPointer<QWidget> m_handled;
    int m_seen = 0;
    QTimer m_timer;
};

} // namespace test
} // namespace veldrun
