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

    // The hook for the program's own translators: it installs what the program's start-up
    // installs for `locale`, and is the one place that start-up's installer is called from,
    // so that the pictures show the texts users read. Today that is Qt's catalogue for its
    // standard dialogs and buttons; the program's catalogues join it here.
    static void InstallProgramTranslators(const QLocale& locale);
};
