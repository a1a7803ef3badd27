#include "platform/DialogUnits.h"

#include <cstdint>

#include <QFont>
#include <QFontMetrics>

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int letters =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = (letters + 26) / 52;
    m_baseY = metrics.height();
}

QRect DialogUnits::ToPixels(int x, int y, int cx, int cy) const {
    return QRect(MulDiv(x, m_baseX, 4), MulDiv(y, m_baseY, 8), MulDiv(cx, m_baseX, 4),
                 MulDiv(cy, m_baseY, 8));
}

int DialogUnits::MulDiv(int number, int numerator, int denominator) {
    const std::int64_t product = std::int64_t(number) * numerator;
    const std::int64_t half = denominator / 2;
    return static_cast<int>((product >= 0 ? product + half : product - half) / denominator);
}
