#pragma once

#include <string>
#include <vector>

#include <QObject>

#include "ui/ClipFacts.h"

class QTreeWidget;
class QTreeWidgetItem;

// The input list as a table: the list box's widget gets a header and a row per entry with the
// columns Name, Recorded, Length, Size and Folder, and draws the entries' marks. The entries
// stay the list box's (their paths in join order); this shows what is known of each. The
// header does not sort: the order is the join order.
class ClipTable : public QObject {
public:
    enum Column { kName, kRecorded, kLength, kSize, kFolder, kColumns };

    // Takes `view`, the list box's widget, and the entries it holds already.
    explicit ClipTable(QTreeWidget* view);

    // Shows `rows`, one for each entry from the top; a row left out keeps what it shows.
    // Cells that do not change are not touched.
    void Show(const std::vector<ClipFacts::Row>& rows);

    // Widens the Name column, if need be, to show the file name of `path` whole; never
    // narrows it, since the user may have widened it.
    void FitName(const std::wstring& path);

    // Widens the window of the view so that Name, Recorded and Length show whole, as far as
    // the screen has room; never narrows it.
    void FitWindow();

    // The width in pixels that the view needs to show Name, Recorded and Length whole.
    int NeededWidth() const;

private:
    void Named(int first, int last);
    int TextWidth(const QString& text) const;

    QTreeWidget* m_view;
};
