#pragma once

#include <QLocale>
#include <QString>

#include "ui/Translations.h"

namespace veldrun {
namespace test {

// German for one test, as start-up loads it under a German desktop, and with `formats` German
// numbers too; English and the C locale again afterwards.
class German {
public:
    explicit German(bool formats = false) : m_language(Translations::Load({"de-DE", "en-US"})) {
        if (formats)
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    ~German() {
        Translations::Load({"en-US"});
        QLocale::setDefault(QLocale::c());
    }
    German(const German&) = delete;
    German& operator=(const German&) = delete;

    const QString& Language() const { return m_language; }

private:
    QString m_language;
};

} // namespace test
} // namespace veldrun
