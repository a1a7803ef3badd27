#pragma once

#include <QIcon>

#include "platform/WinTypes.h"

// An icon resource, loaded once and shared for the rest of the run, like a Win32 resource
// icon; HICON points at one.
class IconHandle {
public:
    explicit IconHandle(QIcon icon) : m_icon(std::move(icon)) {}

    const QIcon& Icon() const { return m_icon; }

    // The icon resource `id`, or null when there is none.
    static HICON Load(int id);

private:
    QIcon m_icon;
};
