#include "ui/Translations.h"

#include <clocale>
#include <gtest/gtest.h>
#include <set>
#include <string>

#include <QAbstractButton>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTreeWidget>

#include "engine/MergeError.h"
#include "platform/AfxMessageBox.h"
#include "platform/CFileDialog.h"
#include "platform/CWinApp.h"
#include "res/Resource.h"
#include "res/Tr.h"
#include "tests/support/Mount.h"
#include "tests/support/TempDir.h"
#include "tests/ui/German.h"
#include "tests/ui/MainDialogHarness.h"
#include "tests/ui/ModalWatch.h"
#include "ui/ErrorTexts.h"

using veldrun::MergeError;
using veldrun::test::German;
using veldrun::test::MainDialogHarness;
using veldrun::test::ModalWatch;
using veldrun::test::Mount;
using veldrun::test::TempDir;

namespace {

QString TextOf(QWidget* widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    return widget->property("text").toString();
}

const MergeError::Kind kKinds[] = {
    MergeError::Kind::CantCreateOutput, MergeError::Kind::CantOpenInput,
    MergeError::Kind::UserAborted,      MergeError::Kind::OutputIsInput,
    MergeError::Kind::CantWriteOutput,  MergeError::Kind::CantReadInput,
    MergeError::Kind::NotEnoughSpace,   MergeError::Kind::TooLarge,
    MergeError::Kind::InputChanged,     MergeError::Kind::OutputMismatch,
    MergeError::Kind::CantReadOutput,
};

} // namespace

TEST(Translations, TheFirstPreferredLanguageShippedWinsAndEnglishNeedsNone) {
    const QStringList shipped = {"de", "es", "fr", "ja", "pt_BR"};
    struct Case {
        QStringList preferred;
        QString chosen;
    } cases[] = {
        {{"fr", "de"}, "fr"},       // LANGUAGE=fr:de
        {{"de-DE", "en-US"}, "de"}, // a region falls back to its language
        {{"en-US", "de"}, ""},      // English first: the source texts, not the next language
        {{"en_GB"}, ""},            //
        {{"it-IT", "es-MX"}, "es"}, // a language not shipped is passed over
        {{"pt-BR"}, "pt_BR"},       // a shipped region is taken whole
        {{"pt-PT"}, ""},            // but not for another region of it
        {{"ja_JP"}, "ja"},          // LANG's spelling
        {{"C"}, ""},                //
        {{}, ""},                   //
    };
    for (const Case& c : cases)
        EXPECT_EQ(Translations::Choose(c.preferred, shipped).toStdString(), c.chosen.toStdString())
            << c.preferred.join(':').toStdString();
}

TEST(Translations, TheFourLanguagesAreBuiltIntoTheProgram) {
    const QStringList shipped = Translations::Shipped();
    for (const char* language : {"de", "es", "fr", "ja"})
        EXPECT_TRUE(shipped.contains(language))
            << language << " in " << shipped.join(' ').toStdString();
}

// A translation may reorder the markers; a file name holding "%2" stays as it is; markers
// without an argument and the Format and plural markers are left for their own steps.
TEST(Translations, FilledPutsEachArgumentInItsMarkersPlaceOnce) {
    EXPECT_EQ(res::Filled(L"%2 in %1", {L"a", L"b"}), L"b in a");
    EXPECT_EQ(res::Filled(L"%1: %2", {L"50%2 off.mts", L"gone"}), L"50%2 off.mts: gone");
    EXPECT_EQ(res::Filled(L"%1 and %1", {L"x"}), L"x and x");
    EXPECT_EQ(res::Filled(L"%i of %n, %3%", {L"a"}), L"%i of %n, %3%");
}

// Each kind has its own message: English as the engine writes it, and a translation that
// differs from the English (and from every other kind's) under German.
TEST(Translations, EveryEngineErrorKindHasItsOwnTranslatedMessage) {
    for (MergeError::Kind kind : kKinds)
        EXPECT_EQ(ErrorTexts::Message(kind), QString(MergeError(kind).what()).toStdWString());
    German german;
    ASSERT_EQ(german.Language().toStdString(), "de");
    std::set<std::wstring> seen;
    for (MergeError::Kind kind : kKinds) {
        const std::wstring text = ErrorTexts::Message(kind);
        EXPECT_NE(text, QString(MergeError(kind).what()).toStdWString());
        EXPECT_TRUE(seen.insert(text).second) << QString::fromStdWString(text).toStdString();
    }
}

TEST(Translations, UnderGermanTheDialogItsListFileDialogAndMessageBoxesReadGerman) {
    TempDir dir;
    const std::string gone = dir / "00001.MTS";
    // The system's reason follows the C library's locale, where that locale is there.
    const std::string before = std::setlocale(LC_MESSAGES, nullptr);
    const bool germanLibc = std::setlocale(LC_MESSAGES, "de_DE.UTF-8") != nullptr;
    German german;
    ASSERT_EQ(german.Language().toStdString(), "de");
    AfxMessageBoxAnswers().Clear();
    AfxMessageBoxAnswers().Record();
    CFileDialog::Answers().Clear();
    MainDialogHarness dialog;
    dialog.Run([&] {
        EXPECT_EQ(TextOf(dialog.Control(IDC_ADD)).toStdString(), "&Hinzufügen");
        EXPECT_EQ(TextOf(dialog.Control(IDC_ADD_FOLDER)).toStdString(), "&Ordner...");
        EXPECT_EQ(TextOf(dialog.Control(IDC_MERGE)).toStdString(), "&Verbinden");
        EXPECT_EQ(TextOf(dialog.Control(IDC_VERIFY)).toStdString(), "&Nach dem Schreiben prüfen");
        EXPECT_EQ(TextOf(dialog.Control(IDC_CURRENT_SELECTION)).toStdString(), "<Keine Auswahl>");
        auto* list = static_cast<QTreeWidget*>(dialog.Control(IDC_INPUT_LIST));
        EXPECT_EQ(list->headerItem()->text(1).toStdString(), "Aufgenommen");

        // Add's file dialog: our title and filters, Qt's own buttons and labels.
        QStringList filters, buttons;
        ModalWatch files("Streams auswählen", [&](QWidget* window) {
            auto* chooser = static_cast<QFileDialog*>(window);
            filters = chooser->nameFilters();
            for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
                buttons << button->text();
            chooser->reject();
        });
        QTest::mouseClick(dialog.Control(IDC_ADD), Qt::LeftButton);
        EXPECT_EQ(files.Seen(), 1);
        EXPECT_EQ(filters.value(0).toStdString(), "MTS-Dateien (*.mts *.MTS)");
        EXPECT_EQ(filters.value(1).toStdString(), "Alle Dateien (*)");
        EXPECT_TRUE(buttons.contains("Abbrechen")) << buttons.join('|').toStdString();

        // A clip that is gone by the time Merge is pressed: the error box names the kind in
        // German, then the file and the system's reason.
        CFileDialog::Answers().Queue({IDOK, {QString::fromStdString(gone).toStdWString()}});
        QTest::mouseClick(dialog.Control(IDC_ADD), Qt::LeftButton);
        dialog.m_outputEdit.SetWindowText(
            (QString::fromStdString(dir / "joined.mts")).toStdWString().c_str());
        AfxMessageBoxAnswers().Queue(IDOK);
        QTest::mouseClick(dialog.Control(IDC_MERGE), Qt::LeftButton);
        const auto boxes = AfxMessageBoxAnswers().TakeRequests();
        ASSERT_EQ(boxes.size(), 1u);
        const QString text = QString::fromStdWString(boxes[0].text);
        EXPECT_TRUE(text.startsWith("Fehler beim Verbinden: Die Eingabedatei kann nicht "
                                    "geöffnet werden\n" +
                                    QString::fromStdString(gone)))
            << text.toStdString();
        if (germanLibc) {
            EXPECT_TRUE(text.endsWith("Datei oder Verzeichnis nicht gefunden"))
                << text.toStdString();
        }
    });
    AfxMessageBoxAnswers().Clear();
    CFileDialog::Answers().Clear();

    // A real box: Qt's own buttons come from Qt's translations.
    QStringList buttons;
    ModalWatch box(QString::fromWCharArray(AfxGetAppName()), [&](QWidget* window) {
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            buttons << button->text();
        static_cast<QMessageBox*>(window)->reject();
    });
    AfxMessageBox(L"?", MB_YESNO, 0);
    EXPECT_EQ(box.Seen(), 1);
    EXPECT_TRUE(buttons.contains("&Ja") && buttons.contains("&Nein"))
        << buttons.join(' ').toStdString();
    std::setlocale(LC_MESSAGES, before.c_str());
}

// A merge that fails for real: the detail under the German headline is German too, with the
// sizes in German figures, and only the mount point as the system names it.
TEST(Translations, UnderGermanTheDetailOfARealFailureReadsGermanWithGermanFigures) {
    TempDir dir;
    Mount small = Mount::Tmpfs(dir / "small", 1024);
    if (!small.Ready())
        GTEST_SKIP() << small.Why();
    const std::string clip = dir.Write("00001.MTS", std::string(3000000, 'G'));
    German german(true);
    AfxMessageBoxAnswers().Clear();
    AfxMessageBoxAnswers().Record();
    CFileDialog::Answers().Clear();
    MainDialogHarness dialog;
    dialog.Run([&] {
        CFileDialog::Answers().Queue({IDOK, {QString::fromStdString(clip).toStdWString()}});
        QTest::mouseClick(dialog.Control(IDC_ADD), Qt::LeftButton);
        dialog.m_outputEdit.SetWindowText(
            QString::fromStdString(dir / "small/joined.mts").toStdWString().c_str());
        AfxMessageBoxAnswers().Queue(IDOK);
        QTest::mouseClick(dialog.Control(IDC_MERGE), Qt::LeftButton);
    });
    const auto boxes = AfxMessageBoxAnswers().TakeRequests();
    AfxMessageBoxAnswers().Clear();
    ASSERT_EQ(boxes.size(), 1u);
    const std::string text = QString::fromStdWString(boxes[0].text).toStdString();
    const std::string headline = "Fehler beim Verbinden: ";
    EXPECT_EQ(text.rfind(headline, 0), 0u) << text;
    for (const std::string& part : {std::string("3,0 MB"), std::string("1,0 MB"), dir / "small"})
        EXPECT_NE(text.find(part), std::string::npos) << part << " in " << text;
    for (const char* english : {"needs", "free on", "Not enough"})
        EXPECT_EQ(text.find(english), std::string::npos) << english << " in " << text;
}

// The buttons keep the template's width in every language, so a translation longer than its
// button is cut off: each shipped language's texts must fit, with the style's margins.
TEST(Translations, EveryButtonOfTheMainDialogShowsItsTextWholeInEachLanguage) {
    for (const QString& language : Translations::Shipped()) {
        ASSERT_EQ(Translations::Load({language}), language);
        MainDialogHarness dialog;
        dialog.Run([&] {
            for (QAbstractButton* button : dialog.GetWidget()->findChildren<QAbstractButton*>()) {
                if (!button->isVisible() || button->text().isEmpty())
                    continue;
                EXPECT_GE(button->width(), button->sizeHint().width())
                    << language.toStdString() << ": " << button->text().toStdString();
            }
        });
    }
    Translations::Load({"en-US"});
}
