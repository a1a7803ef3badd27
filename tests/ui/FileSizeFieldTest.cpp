#include "ui/FileSizeField.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>

#include "res/Resource.h"
#include "tests/ui/DefaultLocale.h"
#include "tests/ui/FakeTranslation.h"
#include "tests/ui/MainDialogHarness.h"
#include "ui/ClipDetails.h"
#include "ui/LocalFormat.h"

namespace {

using veldrun::test::DefaultLocale;
using veldrun::test::FakeTranslation;
using veldrun::test::MainDialogHarness;

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
    const bool scrolled = field->cursorPositionAt(QPoint(1, field->height() / 2)) > 0;
    if (end - start >= width - 1 && end < field->width() && !scrolled)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "\"" << text.toStdString() << "\" (" << width << " px) in a field of "
           << field->width() << " px: the cursor goes from " << start << " to " << end;
}

// Every text the field may show in the default locale, with each digit in turn.
std::vector<std::wstring> FieldTexts() {
    std::vector<std::wstring> texts = {ClipDetails::NoSizeText()};
    const LocalFormat format;
    for (std::int64_t digit = 1; digit <= 9; ++digit) {
        texts.push_back(format.FileSize(digit * 111'111));
        texts.push_back(format.FileSize(digit * 111'111'111));
        texts.push_back(format.FileSize(digit * 1'111'111'111'111'111));
    }
    texts.push_back(format.FileSize(std::numeric_limits<std::int64_t>::max()));
    return texts;
}

// The real main dialog's File Size field shows each of its texts whole, beside Current
// Selection and under its label, also once the window has grown.
void ExpectTextsWhole() {
    MainDialogHarness dialog;
    dialog.Run([&] {
        auto* size = static_cast<QLineEdit*>(dialog.Control(IDC_FILE_SIZE));
        QWidget* selection = dialog.Control(IDC_CURRENT_SELECTION);
        QLabel* label = nullptr;
        for (QLabel* candidate : dialog.GetWidget()->findChildren<QLabel*>())
            if (candidate->text() == "File Size:")
                label = candidate;
        ASSERT_NE(label, nullptr);
        const std::vector<std::wstring> texts = FieldTexts();
        for (const QSize growth : {QSize(0, 0), QSize(300, 120)}) {
            QWidget* window = dialog.GetWidget();
            window->resize(window->minimumSize() + growth);
            QApplication::processEvents();
            for (const std::wstring& text : texts)
                EXPECT_TRUE(ShowsWhole(size, text)) << "window grown by " << growth.width();
            EXPECT_LT(selection->geometry().right(), size->x())
                << "Current Selection ends before File Size begins";
            EXPECT_GE(size->x() - selection->geometry().right(), 4) << "and a gap is kept";
            EXPECT_EQ(label->x(), size->x()) << "the label stays over the field's edge";
            EXPECT_EQ(size->geometry().right(),
                      dialog.Control(IDC_SELECT_OUTPUT)->geometry().right())
                << "the field keeps its right edge under the buttons";
        }
    });
}

} // namespace

TEST(FileSizeField, ShowsItsLongestTextsWholeInEnglish) {
    const DefaultLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
    ExpectTextsWhole();
}

TEST(FileSizeField, ShowsItsLongestTextsWholeInGerman) {
    const DefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    const FakeTranslation words(std::map<std::string, QString>{{"%1 BYTES", "%1 BYTE"}});
    ExpectTextsWhole();
}

// A unit word longer than the English one widens the field further.
TEST(FileSizeField, FollowsALongerUnitWordOfTheTranslation) {
    const DefaultLocale french(QLocale(QLocale::French, QLocale::France));
    const FakeTranslation words({{"%1 BYTES", "%1 OCTETS"}, {"%1 GB", "%1 GIGAOCTETS"}});
    ExpectTextsWhole();
}
