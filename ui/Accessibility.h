#pragma once

#include <vector>

#include <QString>

class CWnd;
class QWidget;

// The main dialog for users of the keyboard and of assistive tools: each field is named after
// the label tied to it, and Tab goes through the controls in reading order.
class Accessibility {
public:
    // Names the fields of the main dialog after their labels and sets its tab order: the list,
    // the list's buttons, the output and its options, Merge. The two read-only fields leave
    // Tab's way but still take the focus from a click, to select and copy their text. The
    // default button and the focus at start stay.
    static void SetUpMainDialog(const CWnd& dialog);

    // Gives each field of `window` that a label is tied to (its buddy) the label's text as its
    // accessible name, as shown, so in the user's language.
    static void NameFields(QWidget* window);

    // A label's text as a name: without its mnemonic marker (also one in brackets, "(&O)") and
    // the colon at its end: "&Input Files:" is "Input Files", "&&" stays one "&".
    static QString LabelName(const QString& label);

    // Makes Tab go through `order` and from its last back to its first.
    static void SetTabOrder(const std::vector<QWidget*>& order);
};
