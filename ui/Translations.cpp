#include "ui/Translations.h"

#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

const char kResourceFolder[] = ":/i18n";

std::vector<std::unique_ptr<QTranslator>>& Installed() {
    static std::vector<std::unique_ptr<QTranslator>> installed;
    return installed;
}

void Install(const QString& name, const QString& folder) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, folder))
        return;
    QCoreApplication::installTranslator(translator.get());
    Installed().push_back(std::move(translator));
}

} // namespace

QString Translations::Choose(const QStringList& preferred, const QStringList& shipped) {
    for (QString name : preferred) {
        name.replace('-', '_');
        const QString language = name.section('_', 0, 0);
        if (language == "en")
            return QString();
        if (shipped.contains(name))
            return name;
        if (shipped.contains(language))
            return language;
    }
    return QString();
}

QStringList Translations::Shipped() {
    QStringList languages;
    for (const QString& file : QDir(kResourceFolder).entryList({"veldrun_*.qm"}, QDir::Files))
        languages << file.mid(int(sizeof "veldrun_") - 1).chopped(3);
    return languages;
}

QString Translations::Load(const QStringList& preferred) {
    for (const auto& translator : Installed())
        QCoreApplication::removeTranslator(translator.get());
    Installed().clear();
    const QString language = Choose(preferred, Shipped());
    if (language.isEmpty())
        return language;
    Install("veldrun_" + language, kResourceFolder);
    // Qt's own texts: the standard buttons, the file dialog. Debian ships them per module.
    Install("qtbase_" + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return language;
}

QString Translations::Text(const char* context, const char* source, const QStringList& preferred) {
    const QString language = Choose(preferred, Shipped());
    QTranslator translator;
    if (!language.isEmpty() && translator.load("veldrun_" + language, kResourceFolder)) {
        const QString translated = translator.translate(context, source);
        if (!translated.isEmpty())
            return translated;
    }
    return QString::fromUtf8(source);
}
