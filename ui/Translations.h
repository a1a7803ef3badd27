#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// The program's texts and Qt's own (file dialogs, standard buttons) in the desktop's language,
// loaded once the application exists and before any window does.
class Translations {
public:
    // Takes the desktop's languages in order of preference (as QLocale::uiLanguages gives them,
    // "de-DE" or "de_DE") and the languages shipped ("de", "pt_BR"); returns the first of
    // them that is shipped, by its full name or else its language, or "" when English comes
    // first or none is shipped: English is the source language and needs no translation.
    static QString Choose(const QStringList& preferred, const QStringList& shipped);

    // The languages whose translations are built into the program.
    static QStringList Shipped();

    // Installs the translations of the language chosen for `preferred` into the application,
    // ours and Qt's, in place of any this loaded before; returns that language ("" for English).
    static QString Load(const QStringList& preferred = QLocale::system().uiLanguages());

    // Takes a context and an English text of ours; returns it in the language chosen for
    // `preferred`, also before the application exists (for what is said when it cannot be
    // made), or the English text when that language has none.
    static QString Text(const char* context, const char* source,
                        const QStringList& preferred = QLocale::system().uiLanguages());
};
