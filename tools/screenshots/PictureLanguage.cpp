#include "tools/screenshots/PictureLanguage.h"

#include <cstdio>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

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
    // Owned by the application, so that it lasts as long as the texts it translates.
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        std::fprintf(stderr, "veldrun_screenshots: no Qt catalogue for %s\n",
                     qPrintable(locale.name()));
}
