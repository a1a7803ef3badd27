#include "progress/LocalFormat.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QTranslator>

#include "engine/Amount.h"
#include "recordings/Recordings.h"
#include "recordings/StreamProbe.h"
#include "res/Resource.h"
#include "tests/ui/MainDialogHarness.h"
#include "ui/ClipDetails.h"
#include "ui/ClipFacts.h"

namespace {

using veldrun::RecordedTime;
using veldrun::test::MainDialogHarness;

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);

// The default locale, which the dialog follows, for as long as it lives.
struct DefaultLocale {
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(was); }
    const QLocale was = QLocale();
};

// Translations of the local formats' texts, installed for as long as it lives.
class FakeTranslation : public QTranslator {
public:
    explicit FakeTranslation(std::map<std::string, QString> texts) : m_texts(std::move(texts)) {
        QCoreApplication::installTranslator(this);
    }
    ~FakeTranslation() override { QCoreApplication::removeTranslator(this); }
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override {
        const auto found = m_texts.find(source);
        return std::strcmp(context, "LocalFormat") || found == m_texts.end() ? QString()
                                                                             : found->second;
    }

private:
    std::map<std::string, QString> m_texts;
};

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::int64_t Ticks(double seconds) {
    return static_cast<std::int64_t>(seconds * veldrun::StreamProbe::kClockRate);
}

// A size, and its text in English and German in the list or, with `field`, in File Size;
// digits are never rounded up.
struct SizeCase {
    bool field;
    std::int64_t bytes;
    const wchar_t* english;
    const wchar_t* german;
};

} // namespace

TEST(LocalFormat, SizesAreTruncatedAtEachUnitsEdgeWithTheLocalesSeparators) {
    const SizeCase cases[] = {{false, 999, L"999 B", L"999 B"},
                              {false, 999'999, L"999.9 kB", L"999,9 kB"},
                              {false, 1'000'000, L"1.0 MB", L"1,0 MB"},
                              {false, 1'999'999'999, L"1.9 GB", L"1,9 GB"},
                              {false, 5'368'709'120, L"5.3 GB", L"5,3 GB"},
                              {false, 1'234'567'890'123, L"1,234.5 GB", L"1.234,5 GB"},
                              // File Size counts bytes below a million, and groups no digits.
                              {true, 999'999, L"999999.0 BYTES", L"999999,0 BYTES"},
                              {true, 1'000'000, L"1.0 MB", L"1,0 MB"},
                              {true, 1'999'999'999, L"1.9 GB", L"1,9 GB"},
                              {true, 5'368'709'120, L"5.3 GB", L"5,3 GB"},
                              {true, 1'234'567'890'123, L"1234.5 GB", L"1234,5 GB"}};
    for (const SizeCase& c : cases) {
        const auto text = [&c](const QLocale& locale) {
            return c.field ? LocalFormat(locale).FileSize(c.bytes)
                           : LocalFormat(locale).Size(c.bytes);
        };
        EXPECT_EQ(text(kEnglish), c.english) << c.bytes;
        EXPECT_EQ(text(kGerman), c.german) << c.bytes;
    }
}

// The command line's fixed texts and the dialog's in the C locale are the same texts, written
// twice: one of them going wrong shows here.
TEST(LocalFormat, InTheCLocaleTheDialogWritesWhatTheCommandLineWrites) {
    const LocalFormat c(QLocale::c());
    using veldrun::Amount;
    for (std::int64_t bytes = 0; bytes < 4'000'000'000'000; bytes = bytes * 7 + 99'991)
        EXPECT_EQ(c.FileSize(bytes), Wide(Amount::Size(bytes, Amount::Style::Truncated))) << bytes;
    for (double rate : {0.0, 99'999.0, 100'000.0, 9'999'999.0, 10'000'000.0, 398.7e6})
        EXPECT_EQ(c.Rate(rate), Wide(Amount::Rate(rate))) << rate;
    for (double left : {0.0, 5.2, 89.0, 89.5, 5399.0, 5400.0, 7501.0, 86400.0 * 3})
        EXPECT_EQ(c.TimeLeft(left), Wide(Amount::TimeLeft(left))) << left;
    for (double seconds : {0.0, 59.4, 59.5, 3599.5, 360000.0})
        EXPECT_EQ(c.Duration(Ticks(seconds)),
                  Wide(veldrun::Recordings::FormatDuration(Ticks(seconds))));
}

TEST(LocalFormat, RatesTimesAndDatesFollowTheLocale) {
    EXPECT_EQ(LocalFormat(kGerman).Rate(9.99e6), L"9,9 MB/s");
    EXPECT_EQ(LocalFormat(kEnglish).Rate(1234.5e6), L"1,234 MB/s");
    EXPECT_EQ(LocalFormat(kGerman).Rate(1234.5e6), L"1.234 MB/s");
    EXPECT_EQ(LocalFormat(kGerman).TimeLeft(1234.0 * 3600), L"about 1.234 h 0 min left");

    const RecordedTime morning{2024, 7, 14, 10, 15, 2};
    const RecordedTime evening{2003, 1, 2, 23, 5, 9};
    EXPECT_EQ(LocalFormat(kEnglish).DateTime(morning, true), L"7/14/2024 10:15:02 AM");
    EXPECT_EQ(LocalFormat(kEnglish).DateTime(evening, false), L"1/2/2003 11:05 PM");
    EXPECT_EQ(LocalFormat(kGerman).DateTime(evening, false), L"02.01.2003 23:05");
    EXPECT_EQ(LocalFormat(QLocale::c()).DateTime(morning, false), L"2024-07-14 10:15");
    // Finnish writes times with a point, durations too.
    const QLocale finnish(QLocale::Finnish, QLocale::Finland);
    EXPECT_EQ(LocalFormat(finnish).DateTime(evening, true), L"2.1.2003 23.05.09");
    EXPECT_EQ(LocalFormat(finnish).Duration(Ticks(5038)), L"1.23.58");
    // A camera's clock gone wrong still shows what it said.
    EXPECT_EQ(LocalFormat(kGerman).DateTime({2024, 2, 30, 10, 15, 2}, false), L"2024-02-30 10:15");
}

TEST(LocalFormat, UnitWordsAndPhrasesComeFromTheTranslation) {
    const FakeTranslation french({{"%1 GB", "%1 Go"},
                                  {"%1 BYTES", "%1 OCTETS"},
                                  {"about %1 h %2 min left", "environ %2 min et %1 h restantes"}});
    const LocalFormat format(QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(format.Size(15'199'999'999), L"15,1 Go");
    EXPECT_EQ(format.FileSize(999'999), L"999999,0 OCTETS");
    EXPECT_EQ(format.TimeLeft(7501), L"environ 6 min et 2 h restantes");
}

// The summary's words are the translation's; its numbers, the list's and the dates follow the
// locale.
TEST(LocalFormat, TheSummaryAndTheListColumnsWriteTheLocalesNumbers) {
    const DefaultLocale german(kGerman);
    veldrun::Recordings::Summary recordings;
    recordings.recordings = 3;
    recordings.duration = Ticks(5038);
    EXPECT_EQ(ClipFacts::SummaryText(9, 15'199'999'999, {}, recordings),
              L"9 clips, 3 recordings, 1:23:58, 15,1 GB");

    ClipFacts facts;
    veldrun::StreamProbe::Result probe;
    probe.kind = veldrun::StreamProbe::Kind::Clock;
    probe.lastClock = Ticks(65);
    probe.stamp.size = 2'147'475'456;
    probe.recorded = RecordedTime{2024, 7, 14, 10, 15, 2};
    facts.Take(L"/c/00001.MTS", probe);
    const ClipFacts::Row row = facts.Rows({L"/c/00001.MTS"}).front();
    EXPECT_EQ(row.recorded + L"|" + row.recordedTip + L"|" + row.length + L"|" + row.size,
              L"14.07.2024 10:15|14.07.2024 10:15:02|0:01:05|2,1 GB");
}

namespace {

// Where the cursor stands in `field` at `position`, once the field has laid its text out as
// painting does (scrolling it to show the cursor).
int CursorX(QLineEdit* field, int position) {
    field->setCursorPosition(position);
    field->grab();
    return field->inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
}

// Whether `field` shows `text` whole: the cursor moves from the start to the end by the
// text's whole width without the text scrolling, and stays inside the field.
::testing::AssertionResult ShowsWhole(QLineEdit* field, const std::wstring& wide) {
    const QString text = QString::fromStdWString(wide);
    field->setText(text);
    const int start = CursorX(field, 0);
    const int end = CursorX(field, static_cast<int>(text.size()));
    const int width = qRound(QFontMetricsF(field->font()).horizontalAdvance(text));
    if (end - start >= width - 1 && end < field->width())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "\"" << text.toStdString() << "\" (" << width << " px) in a field of "
           << field->width() << " px: the cursor goes from " << start << " to " << end;
}

// The real main dialog's File Size field shows each text it may show whole, with each digit,
// beside Current Selection and under its label, also once the window has grown.
void ExpectFileSizesWhole() {
    std::vector<std::wstring> texts = {ClipDetails::NoSizeText()};
    for (std::int64_t digit = 1; digit <= 9; ++digit) {
        for (std::int64_t ones : {111'111LL, 111'111'111LL, 1'111'111'111'111'111LL})
            texts.push_back(LocalFormat().FileSize(digit * ones));
    }
    texts.push_back(LocalFormat().FileSize(std::numeric_limits<std::int64_t>::max()));
    MainDialogHarness dialog;
    dialog.Run([&] {
        auto* size = static_cast<QLineEdit*>(dialog.Control(IDC_FILE_SIZE));
        QWidget* selection = dialog.Control(IDC_CURRENT_SELECTION);
        QLabel* label = nullptr;
        for (QLabel* candidate : dialog.GetWidget()->findChildren<QLabel*>())
            label = candidate->text() == "File Size:" ? candidate : label;
        ASSERT_NE(label, nullptr);
        for (const QSize growth : {QSize(0, 0), QSize(300, 120)}) {
            dialog.GetWidget()->resize(dialog.GetWidget()->minimumSize() + growth);
            QApplication::processEvents();
            for (const std::wstring& text : texts)
                EXPECT_TRUE(ShowsWhole(size, text)) << "window grown by " << growth.width();
            EXPECT_GE(size->x() - selection->geometry().right(), 4)
                << "Current Selection ends before File Size begins";
            EXPECT_EQ(label->x(), size->x()) << "the label stays over the field's edge";
            EXPECT_EQ(size->geometry().right(),
                      dialog.Control(IDC_SELECT_OUTPUT)->geometry().right());
        }
    });
}

} // namespace

TEST(FileSizeField, ShowsItsLongestTextsWholeInEnglishAndGerman) {
    {
        const DefaultLocale english(kEnglish);
        ExpectFileSizesWhole();
    }
    const DefaultLocale german(kGerman);
    const FakeTranslation words(std::map<std::string, QString>{{"%1 BYTES", "%1 BYTE"}});
    ExpectFileSizesWhole();
}

// A unit word longer than the English one widens the field further.
TEST(FileSizeField, FollowsALongerUnitWordOfTheTranslation) {
    const DefaultLocale french(QLocale(QLocale::French, QLocale::France));
    const FakeTranslation words({{"%1 BYTES", "%1 OCTETS"}, {"%1 GB", "%1 GIGAOCTETS"}});
    ExpectFileSizesWhole();
}
