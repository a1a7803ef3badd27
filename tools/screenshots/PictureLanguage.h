#pragma once

#include <QLocale>
#include <QString>

// The language the pictures are taken in, as a desktop in that language gives it to the
// program: `veldrun_screenshots --lang de FOLDER` shows the dialogs as German users see them.
class PictureLanguage {
public:
    // Before the application object exists: the environment of such a desktop, which the
    // system locale (dates, numbers) and the C library's messages follow. False for a code
    // that names no language.
    static bool SetEnvironment(const QString& code);

    // After the application object exists: the default locale, then the translators.
    static void Install(const QString& code);

    // Installs what the program's start-up installs for `locale`, its catalogue and Qt's, so
    // that the pictures show the texts users read.
    static void InstallProgramTranslators(const QLocale& locale);
};
