#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include <QDir>
#include <QProcess>
#include <QStringList>

#include "tests/i18n/TsFile.h"
#include "tests/support/TempDir.h"

using veldrun::test::TempDir;
using veldrun::test::TsFile;

namespace {

const std::vector<std::string> kShipped = {"de", "es", "fr", "ja"};

std::string Shipped(const std::string& language) {
    return std::string(VELDRUN_SOURCE_DIR) + "/res/translations/veldrun_" + language + ".ts";
}

// The texts the code marks now, extracted as the build does, from the program's folders and
// any `extra` ones, into a fresh file in `dir`.
TsFile Extract(const TempDir& dir, const QStringList& extra = {}) {
    QStringList arguments = QString(VELDRUN_LUPDATE_OPTIONS).split('|', Qt::SkipEmptyParts);
    for (const char* folder : {"ui", "progress", "platform", "res"})
        arguments << QString(VELDRUN_SOURCE_DIR) + "/" + folder;
    arguments << extra << "-ts" << QString::fromStdString(dir / "fresh.ts");
    QProcess lupdate;
    lupdate.start(VELDRUN_LUPDATE, arguments);
    EXPECT_TRUE(lupdate.waitForFinished(120000));
    EXPECT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
    return TsFile(dir / "fresh.ts");
}

bool Has(const TsFile& file, const std::string& context, const std::string& source) {
    const auto& all = file.Messages();
    return std::any_of(all.begin(), all.end(), [&](const TsFile::Message& m) {
        return m.context == context && m.source == source;
    });
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

} // namespace

// Every text the code marks, in every shipped language: finished, with each plural form, and
// with the placeholders and mnemonic marker of its English text.
TEST(TranslationFiles, EveryMarkedTextIsTranslatedInEachShippedLanguage) {
    TempDir dir;
    const TsFile fresh = Extract(dir);
    // The extraction sees each way a text is marked: Tr, Tr with a count, VELDRUN_TEXT.
    EXPECT_TRUE(Has(fresh, "CVeldrunDlg", "Merge error: %1"));
    EXPECT_TRUE(Has(fresh, "CVeldrunDlg", "Quit Veldrun and forget the list of %n clips?"));
    EXPECT_TRUE(Has(fresh, "DialogTemplate", "&Merge"));
    EXPECT_TRUE(Has(fresh, "StringTable", "&About Veldrun..."));
    for (const std::string& language : kShipped) {
        const TsFile shipped(Shipped(language));
        EXPECT_EQ(shipped.Language(), language);
        EXPECT_EQ(Lines(shipped.Problems(fresh)), "") << Shipped(language);
    }
}

// The check itself: a text added to the code without a translation, and each way a
// translation can go wrong, are found.
TEST(TranslationFiles, AnUntranslatedNewTextAndABrokenTranslationAreFound) {
    TempDir dir;
    const std::string code =
        dir.Write("Added.cpp", "#include \"res/Tr.h\"\n"
                               "std::wstring Added() {\n"
                               "    return res::Tr(\"Added\", \"A new text\");\n"
                               "}\n");
    const TsFile fresh = Extract(dir, {QString::fromStdString(dir.Path())});
    ASSERT_TRUE(Has(fresh, "Added", "A new text"));
    const std::vector<std::string> problems = TsFile(Shipped("de")).Problems(fresh);
    EXPECT_EQ(Lines(problems), "de Added \"A new text\": missing\n");

    const std::string broken = dir.Write(
        "broken.ts",
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE TS>\n"
        "<TS version=\"2.1\" language=\"xx\">\n<context>\n<name>C</name>\n"
        "<message><source>Merge error: %1</source><translation>Fehler</translation></message>\n"
        "<message><source>&amp;Add</source><translation>Add</translation></message>\n"
        "<message><source>%i of %i</source><translation>%i</translation></message>\n"
        "<message><source>Later</source><translation type=\"unfinished\">Sp</translation>"
        "</message>\n"
        "<message><source>Gone</source><translation type=\"vanished\">Weg</translation>"
        "</message>\n"
        "<message numerus=\"yes\"><source>%n clips</source><translation>"
        "<numerusform>%n Clip</numerusform><numerusform></numerusform></translation></message>\n"
        "<message numerus=\"yes\"><source>%n files</source><translation>"
        "<numerusform>eine Datei</numerusform><numerusform>%n Dateien</numerusform>"
        "</translation></message>\n"
        "<message><source>Fine %1</source><translation>Gut %1</translation></message>\n"
        "</context>\n</TS>\n");
    const std::vector<std::string> found = TsFile(broken).Problems(TsFile(broken));
    EXPECT_EQ(Lines(found), "xx C \"Merge error: %1\": placeholders or & differ in \"Fehler\"\n"
                            "xx C \"&Add\": placeholders or & differ in \"Add\"\n"
                            "xx C \"%i of %i\": placeholders or & differ in \"%i\"\n"
                            "xx C \"Later\": unfinished\n"
                            "xx C \"Gone\": vanished\n"
                            "xx C \"%n clips\": an empty form\n"
                            "xx C \"%n files\": placeholders or & differ in \"eine Datei\"\n");
}
