#pragma once

#include <QFont>

// A font that a window draws with.
class CFont {
public:
    CFont() = default;

    const QFont& GetQFont() const { return m_font; }
    void SetQFont(const QFont& font) { m_font = font; }

private:
    QFont m_font;
};
