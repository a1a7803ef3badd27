#include "tools/screenshots/PictureLanguage.h"

#include <cstdio>

#include "ui/Translations.h"

bool PictureLanguage::SetEnvironment(const QString& code) {
    const QLocale locale(code);
    if (locale.language() == QLocale::C || locale.language() == QLocale::AnyLanguage)
        return false;
    // A variable that names a locale wins over LANG; the desktop's choice is LANG alone.
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qputenv("LANG", (locale.name() + ".UTF-8").toUtf8());
    qputenv("LANGUAGE", locale.name().toUtf8());
    return true;
}

void PictureLanguage::Install(const QString& code) {
    const QLocale locale(code);
    QLocale::setDefault(locale);
    InstallProgramTranslators(locale);
}

void PictureLanguage::InstallProgramTranslators(const QLocale& locale) {
    // As the program does at start-up: its own texts and Qt's.
    if (Translations::Load(locale.uiLanguages()).isEmpty())
        std::fprintf(stderr, "veldrun_screenshots: no translation for %s\n",
                     qPrintable(locale.name()));
}
