#pragma once

#include <QRect>

class QFont;

// Converts dialog units to pixels as Win32 does: horizontally a quarter of the font's average
// character width (of the 52 letters A-Z and a-z), vertically an eighth of its height.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}

    QRect ToPixels(int x, int y, int cx, int cy) const;

    // number * numerator / denominator (> 0), rounded half away from zero like Win32's.
    static int MulDiv(int number, int numerator, int denominator);

private:
    int m_baseX;
    int m_baseY;
};
