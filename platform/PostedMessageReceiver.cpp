#include "platform/PostedMessageReceiver.h"

QEvent::Type PostedMessageReceiver::WakeUpType() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool PostedMessageReceiver::event(QEvent* event) {
    return m_deliver(event) || QObject::event(event);
}
