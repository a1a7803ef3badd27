#include "ui/FileSizeField.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include "platform/DynamicLayout.h"

namespace {

// QLineEdit keeps this margin between its contents' edges and the text, and leaves a pixel for
// the cursor after it.
constexpr int kLineEditMargin = 2;
constexpr int kCursorWidth = 1;

// `text` with each digit 0-9 made the font's widest, so that no size's digits are wider.
QString WidestDigits(const QString& text, const QFontMetricsF& metrics) {
    QChar widest = '0';
    for (char digit = '1'; digit <= '9'; ++digit) {
        if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widest))
            widest = QChar(digit);
    }
    QString widened = text;
    for (QChar& c : widened) {
        if (c >= '0' && c <= '9')
            c = widest;
    }
    return widened;
}

// The field's label: the label tied to it, else the one that stands just above its edge.
QLabel* LabelOf(const QLineEdit* field) {
    QLabel* above = nullptr;
    for (QLabel* label :
         field->parentWidget()->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (label->buddy() == field)
            return label;
        const QRect at = label->geometry();
        const bool aligned = at.left() == field->x() || at.right() == field->geometry().right();
        const int gap = field->y() - at.bottom();
        if (aligned && gap > 0 && gap <= field->height())
            above = label;
    }
    return above;
}

} // namespace

int FileSizeField::NeededWidth(const QLineEdit* field, const QString& text) {
    // As QLineEdit describes itself to the style when it lays out its text.
    QStyleOptionFrame option;
    option.initFrom(field);
    option.rect = field->contentsRect();
    option.lineWidth = field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth,
                                                                       &option, field)
                                         : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (field->isReadOnly())
        option.state |= QStyle::State_ReadOnly;
    const QRect contents =
        field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
    const QMargins margins = field->textMargins();
    const QFontMetricsF metrics(field->font());
    const int bearings = static_cast<int>(std::ceil(std::max(0.0, -metrics.minLeftBearing()) +
                                                    std::max(0.0, -metrics.minRightBearing())));
    return field->width() - contents.width() + margins.left() + margins.right() +
           2 * kLineEditMargin + static_cast<int>(std::ceil(metrics.horizontalAdvance(text))) +
           kCursorWidth + bearings;
}

void FileSizeField::Fit(QLineEdit* field, QWidget* neighbour,
                        const std::vector<std::wstring>& texts) {
    const QFontMetricsF metrics(field->font());
    int needed = 0;
    for (const std::wstring& text : texts)
        needed = std::max(needed,
                          NeededWidth(field, WidestDigits(QString::fromStdWString(text), metrics)));
    const int extra = std::min(needed - field->width(), neighbour->width() / 2);
    if (extra <= 0)
        return;
    QLabel* label = LabelOf(field);
    QRect fieldAt = field->geometry();
    QRect neighbourAt = neighbour->geometry();
    // Right to left, Current Selection stands on the right of the field.
    if (neighbourAt.left() < fieldAt.left()) {
        fieldAt.setLeft(fieldAt.left() - extra);
        neighbourAt.setRight(neighbourAt.right() - extra);
        if (label)
            label->move(fieldAt.left(), label->y());
    } else {
        fieldAt.setRight(fieldAt.right() + extra);
        neighbourAt.setLeft(neighbourAt.left() + extra);
        if (label)
            label->move(fieldAt.right() - label->width() + 1, label->y());
    }
    field->setGeometry(fieldAt);
    neighbour->setGeometry(neighbourAt);
    if (DynamicLayout* layout = DynamicLayout::Of(field->parentWidget())) {
        for (QWidget* moved :
             {static_cast<QWidget*>(field), neighbour, static_cast<QWidget*>(label)})
            if (moved)
                layout->Moved(moved);
    }
}
