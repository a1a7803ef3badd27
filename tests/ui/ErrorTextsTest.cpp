#include "ui/ErrorTexts.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>

#include <QLocale>
#include <QString>

#include "engine/Amount.h"
#include "engine/ErrorNote.h"
#include "engine/Messages.h"
#include "progress/LocalFormat.h"
#include "tests/ui/German.h"

using veldrun::ErrorNote;
using Shape = ErrorNote::Shape;
using veldrun::test::German;

namespace {

std::string Narrow(const std::wstring& text) {
    return QString::fromStdWString(text).toStdString();
}

// A note of `shape` with a text for each numbered placeholder of its English ("v1", "v2" ...)
// and a count of 3 where it has %n.
ErrorNote Sample(Shape shape, const std::string& subject) {
    const std::string english = ErrorNote::English(shape);
    std::vector<ErrorNote::Value> values;
    for (char digit = '1'; english.find(std::string("%") + digit) != std::string::npos; ++digit)
        values.push_back(ErrorNote::Text(std::string("v") + digit));
    if (english.find("%n") != std::string::npos)
        values.push_back(ErrorNote::Count(3));
    return ErrorNote(shape, values, subject);
}

std::vector<Shape> AllShapes() {
    std::vector<Shape> shapes;
    for (int i = 0; i <= static_cast<int>(Shape::Last); ++i)
        shapes.push_back(static_cast<Shape>(i));
    return shapes;
}

} // namespace

// Untranslated and in the C locale, the dialog's detail is the command line's, word for word:
// a shape the dialog words differently, or lacks, shows here.
TEST(ErrorTexts, WithoutATranslationEveryNoteReadsAsTheCommandLinePrintsIt) {
    for (Shape shape : AllShapes()) {
        for (const char* subject : {"", "/cards/00001.MTS"}) {
            const ErrorNote note = Sample(shape, subject);
            EXPECT_EQ(Narrow(ErrorTexts::Note(note)), note.EnglishText())
                << "shape " << static_cast<int>(shape);
        }
    }
    const std::vector<ErrorNote> notes = {
        ErrorNote(Shape::EndedShortOfMeasured,
                  {ErrorNote::Bytes(1572864), ErrorNote::Bytes(3145728)}, "b.mts"),
        ErrorNote(Shape::SizeChanged, {ErrorNote::Bytes(3145728), ErrorNote::Bytes(1572864)}),
        ErrorNote(Shape::LeftAfterFailure,
                  {ErrorNote::Size(2621440), ErrorNote::Text("/videos/out.mts")}),
        ErrorNote(Shape::OutputsNeedFree, {ErrorNote::Size(4700000), ErrorNote::Size(3456789),
                                           ErrorNote::Text("/media/card"), ErrorNote::Count(3)}),
    };
    EXPECT_EQ(Narrow(ErrorTexts::Detail(notes)), ErrorNote::Joined(notes));
    EXPECT_EQ(ErrorNote::Joined(notes),
              "b.mts: it ended after 1572864 of the 3145728 bytes measured; its size went from "
              "3145728 to 1572864 bytes since it was measured; 2.6 MB written before the failure "
              "are left in /videos/out.mts; 3 output files need 4.7 MB together, 3.5 MB free on "
              "/media/card");
}

// The sizes of a detail carry the command line's figures, at every change of unit and at the
// ends of the range; only the separator is the locale's.
TEST(ErrorTexts, SizesInADetailHaveTheCommandLinesFiguresInTheLocalesFormat) {
    const std::int64_t sizes[] = {0,
                                  999,
                                  1000,
                                  1250, // ties go to the even digit, as printf takes them
                                  1250000,
                                  1125000000,
                                  999949,
                                  999950,
                                  999960,
                                  6440000000,
                                  999994999999,
                                  999995000000,
                                  4500000000000,
                                  999995000000000,
                                  3000000000000000,
                                  std::numeric_limits<std::int64_t>::max()};
    const LocalFormat c(QLocale::c());
    for (std::int64_t size : sizes)
        EXPECT_EQ(Narrow(c.RoundedSize(size)),
                  veldrun::Amount::Size(size, veldrun::Amount::Style::Rounded))
            << size;
    const LocalFormat german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(Narrow(german.RoundedSize(6440000000)), "6,44 GB");
    EXPECT_EQ(Narrow(german.RoundedSize(999960)), "1,0 MB");
    EXPECT_EQ(Narrow(german.RoundedSize(812)), "812 B");
}

TEST(ErrorTexts, UnderGermanEveryNoteAndReasonOfTheEngineReadsGerman) {
    German german(true);
    ASSERT_EQ(german.Language().toStdString(), "de");
    for (Shape shape : AllShapes()) {
        if (shape == Shape::Problem)
            continue; // The system's reason alone, which the C library translates.
        const ErrorNote note = Sample(shape, "");
        EXPECT_NE(Narrow(ErrorTexts::Note(note)), note.EnglishText())
            << "shape " << static_cast<int>(shape);
    }
    for (const char* reason :
         {veldrun::kNotRegular, veldrun::kKernelInterface, veldrun::kCannotBeFoundAgain,
          veldrun::kNameTakenSince, veldrun::kNoLongerThere})
        EXPECT_NE(Narrow(ErrorTexts::Reason(reason)), reason);
    EXPECT_EQ(Narrow(ErrorTexts::Reason("Eingabe-/Ausgabefehler")), "Eingabe-/Ausgabefehler");

    // Sizes and byte counts in German digits; names and the system's words as they are.
    const std::string detail = Narrow(ErrorTexts::Detail({
        ErrorNote(Shape::NeedsFree, {ErrorNote::Size(6440000000), ErrorNote::Size(3200000000),
                                     ErrorNote::Text("/media/sd")}),
        ErrorNote(Shape::BytesDiffer,
                  {ErrorNote::Bytes(3145728), ErrorNote::Bytes(1048576), ErrorNote::Text("a.mts")},
                  "out.mts"),
    }));
    for (const char* part :
         {"6,44 GB", "3,20 GB", "/media/sd", "3.145.728", "1.048.576", "a.mts", "out.mts: "})
        EXPECT_NE(detail.find(part), std::string::npos) << part << " in " << detail;
    EXPECT_EQ(detail.find("needs"), std::string::npos) << detail;
}

// A plural detail takes the form that fits its count in the language.
TEST(ErrorTexts, ACountChoosesThePluralForm) {
    const ErrorNote two(Shape::OutputsNeedFree, {ErrorNote::Size(2000000), ErrorNote::Size(1000000),
                                                 ErrorNote::Text("/m"), ErrorNote::Count(2)});
    EXPECT_EQ(Narrow(ErrorTexts::Note(two)),
              "2 output files need 2.0 MB together, 1.0 MB free on /m");
    German german(true);
    const std::string text = Narrow(ErrorTexts::Note(two));
    EXPECT_EQ(text.find("output files"), std::string::npos) << text;
    EXPECT_EQ(text.rfind("2 ", 0), 0u) << text;
}
