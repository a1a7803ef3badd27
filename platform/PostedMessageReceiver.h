#pragma once

#include <functional>

#include <QEvent>
#include <QObject>

// Lives on the user-interface thread beside one window: each wake-up event that a
// PostMessage queues for it is handed to `deliver`, which takes the window's next posted
// message and returns true for an event it took.
class PostedMessageReceiver : public QObject {
public:
    explicit PostedMessageReceiver(std::function<bool(const QEvent*)> deliver)
        : m_deliver(std::move(deliver)) {}

    static QEvent::Type WakeUpType();

protected:
    bool event(QEvent* event) override;

private:
    std::function<bool(const QEvent*)> m_deliver;
};
