#include "platform/PostedMessageReceiver.h"

#include "platform/CWnd.h"

QEvent::Type PostedMessageReceiver::WakeUpType() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

bool PostedMessageReceiver::event(QEvent* event) {
    return m_owner->DeliverPostedMessage(event) || QObject::event(event);
}
