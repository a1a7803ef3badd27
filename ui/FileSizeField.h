#pragma once

#include <string>
#include <vector>

class QLineEdit;
class QString;
class QWidget;

// The File Size field never cuts its text: at set-up it widens, on the side that faces Current
// Selection, to show the longest text it may show in the user's language and the dialog's
// font, and Current Selection gives up the width. Its label moves along with its edge.
class FileSizeField {
public:
    // Widens `field` towards `neighbour`, which shrinks by as much (down to half its width at
    // most), to show each of `texts` whole, its digits taken as the font's widest; never
    // narrows it. The dialog's layout keeps the new geometries as the window grows.
    static void Fit(QLineEdit* field, QWidget* neighbour, const std::vector<std::wstring>& texts);

    // The width that `field` needs to show `text` whole, in its font, frame and style.
    static int NeededWidth(const QLineEdit* field, const QString& text);
};
