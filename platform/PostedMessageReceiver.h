#pragma once

#include <QEvent>
#include <QObject>

class CWnd;

// Lives on the user-interface thread beside one window: each wake-up event that a
// PostMessage queues for it makes its window take its next posted message.
class PostedMessageReceiver : public QObject {
public:
    explicit PostedMessageReceiver(CWnd* owner) : m_owner(owner) {}

    static QEvent::Type WakeUpType();

protected:
    bool event(QEvent* event) override;

private:
    CWnd* m_owner;
};
