#include "ui/Accessibility.h"

#include <QLabel>
#include <QRegularExpression>
#include <QWidget>

#include "platform/CWnd.h"
#include "res/Resource.h"

void Accessibility::SetUpMainDialog(const CWnd& dialog) {
    const auto widget = [&](int id) {
        const CWnd* control = dialog.GetDlgItem(id);
        return control ? control->GetWidget() : nullptr;
    };
    NameFields(dialog.GetWidget());
    std::vector<QWidget*> order;
    for (int id : {IDC_INPUT_LIST, IDC_ADD, IDC_ADD_FOLDER, IDC_REMOVE, IDC_MOVE_UP, IDC_MOVE_DOWN,
                   IDC_OUTPUT_FILE, IDC_SELECT_OUTPUT, IDC_EACH_RECORDING, IDC_VERIFY, IDC_MERGE}) {
        if (QWidget* control = widget(id))
            order.push_back(control);
    }
    SetTabOrder(order);
    for (int id : {IDC_CURRENT_SELECTION, IDC_FILE_SIZE}) {
        if (QWidget* field = widget(id))
            field->setFocusPolicy(Qt::ClickFocus);
    }
}

void Accessibility::NameFields(QWidget* window) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy() && label->buddy()->accessibleName().isEmpty())
            label->buddy()->setAccessibleName(LabelName(label->text()));
    }
}

QString Accessibility::LabelName(const QString& label) {
    // Languages without the letter in the word put it in brackets after it: "出力(&O):".
    static const QRegularExpression bracketed(R"(\s*[(（]&[^&][)）])");
    QString text = label;
    text.remove(bracketed);
    QString name;
    for (int at = 0; at < text.size(); ++at) {
        if (text[at] == '&' && at + 1 < text.size())
            ++at;
        name += text[at];
    }
    name = name.trimmed();
    // A full-width colon in Japanese; French puts a space before its colon.
    if (name.endsWith(':') || name.endsWith(QChar(0xFF1A)))
        name.chop(1);
    return name.trimmed();
}

void Accessibility::SetTabOrder(const std::vector<QWidget*>& order) {
    for (std::size_t at = 1; at < order.size(); ++at)
        QWidget::setTabOrder(order[at - 1], order[at]);
}
