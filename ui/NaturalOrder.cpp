#include "ui/NaturalOrder.h"

#include <QCollator>

bool NaturalOrder::Less(const std::wstring& a, const std::wstring& b) {
    static const QCollator collator = [] {
        // Qt compares code points under the C locale, whatever the mode; file names then take
        // the root order of the collation rules.
        const QLocale system;
        QCollator natural(system.language() == QLocale::C ? QLocale(QLocale::English) : system);
        natural.setNumericMode(true);
        natural.setCaseSensitivity(Qt::CaseInsensitive);
        return natural;
    }();
    return collator.compare(QString::fromStdWString(a), QString::fromStdWString(b)) < 0;
}
