#include "ui/ClipTable.h"

#include <algorithm>

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>

#include "platform/ListBoxWidget.h"
#include "progress/LocalFormat.h"
#include "recordings/StreamProbe.h"
#include "res/Tr.h"
#include "ui/MarkDelegate.h"

namespace {

// The widest texts that the columns show in common cases, the numbers in the user's locale.
const char kTypicalName[] = "00000.MTS";

QString WidestDate() {
    return QString::fromStdWString(LocalFormat().DateTime({2000, 12, 28, 10, 0, 0}, false));
}

QString WidestLength() {
    return QString::fromStdWString(
        LocalFormat().Duration(10 * 3600 * veldrun::StreamProbe::kClockRate));
}

QString WidestSize() {
    return QString::fromStdWString(LocalFormat().Size(999'900'000'000));
}

QString FolderOf(const QString& path) {
    const int slash = path.lastIndexOf('/');
    return slash < 0 ? QString(".") : slash == 0 ? QString("/") : path.left(slash);
}

void SetText(QTreeWidgetItem* item, int column, const std::wstring& text) {
    const QString shown = QString::fromStdWString(text);
    if (item->text(column) != shown)
        item->setText(column, shown);
}

} // namespace

ClipTable::ClipTable(QTreeWidget* view) : QObject(view), m_view(view) {
    view->setColumnCount(kColumns);
    QStringList labels;
    for (const char* label :
         {QT_TRANSLATE_NOOP("ClipTable", "Name"), QT_TRANSLATE_NOOP("ClipTable", "Recorded"),
          QT_TRANSLATE_NOOP("ClipTable", "Length"), QT_TRANSLATE_NOOP("ClipTable", "Size"),
          QT_TRANSLATE_NOOP("ClipTable", "Folder")})
        labels << QString::fromStdWString(res::Tr("ClipTable", label));
    view->setHeaderLabels(labels);
    view->setHeaderHidden(false);
    view->setSortingEnabled(false);
    // An entry is a row: the focus frame goes round all of it, not the cell that was clicked.
    view->setAllColumnsShowFocus(true);
    view->setItemDelegate(new MarkDelegate(view));
    // Long folders lose their middle, which is the same for every clip of a card.
    view->setTextElideMode(Qt::ElideMiddle);
    QHeaderView* header = view->header();
    header->setSectionsMovable(false);
    header->setSectionsClickable(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(true);
    // However narrow the user makes it, the Name column keeps a few letters.
    header->setMinimumSectionSize(TextWidth("00…"));
    header->resizeSection(kName, TextWidth(kTypicalName));
    const QString widestDate = WidestDate();
    header->resizeSection(kRecorded, TextWidth(widestDate));
    header->resizeSection(kLength, TextWidth(WidestLength()));
    header->resizeSection(kSize, TextWidth(WidestSize()));
    // The italic face of file dates is loaded now, not while clips are being listed.
    QFont italic = view->font();
    italic.setItalic(true);
    QFontMetrics(italic).horizontalAdvance(widestDate);
    connect(view->model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { Named(first, last); });
    Named(0, view->topLevelItemCount() - 1);
}

void ClipTable::Show(const std::vector<ClipFacts::Row>& rows) {
    const int count = std::min(m_view->topLevelItemCount(), static_cast<int>(rows.size()));
    for (int at = 0; at < count; ++at) {
        const ClipFacts::Row& row = rows[static_cast<std::size_t>(at)];
        QTreeWidgetItem* item = m_view->topLevelItem(at);
        SetText(item, kRecorded, row.recorded);
        SetText(item, kLength, row.length);
        SetText(item, kSize, row.size);
        // A file's own date is shown apart from a recorded one, and says so when pointed at.
        const bool aside = row.fileDate || (row.marks & ClipFacts::Row::kUnreadable);
        if (item->data(kRecorded, Qt::FontRole).isValid() != aside) {
            QFont italic = m_view->font();
            italic.setItalic(true);
            item->setData(kRecorded, Qt::FontRole, aside ? QVariant(italic) : QVariant());
            item->setData(kRecorded, Qt::ForegroundRole,
                          aside ? QVariant(m_view->palette().brush(QPalette::PlaceholderText))
                                : QVariant());
        }
        const QString tip = row.recordedTip.empty()
                                ? item->data(0, ListBoxWidget::kTextRole).toString()
                                : QString::fromStdWString(row.recordedTip);
        if (item->toolTip(kRecorded) != tip)
            item->setToolTip(kRecorded, tip);
        MarkDelegate::SetMarks(item, row.marks, QString::fromStdWString(row.note), kRecorded);
    }
}

void ClipTable::FitName(const std::wstring& path) {
    const QString name = QString::fromStdWString(path).section('/', -1);
    const int needed = TextWidth(name) + m_view->iconSize().width() + 4;
    if (needed > m_view->header()->sectionSize(kName))
        m_view->header()->resizeSection(kName, needed);
}

int ClipTable::NeededWidth() const {
    const QHeaderView* header = m_view->header();
    const int frame = m_view->width() - m_view->viewport()->width();
    const int scrollBar = m_view->verticalScrollBar()->sizeHint().width();
    return header->sectionSize(kName) + header->sectionSize(kRecorded) +
           header->sectionSize(kLength) + std::max(frame, scrollBar + 2 * m_view->frameWidth());
}

void ClipTable::FitWindow() {
    QWidget* window = m_view->window();
    const int growth = NeededWidth() - m_view->width();
    if (growth <= 0)
        return;
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().width() : window->width() + growth;
    window->resize(std::min(window->width() + growth, std::max(room, window->width())),
                   window->height());
}

// A row shows the file's name and folder as soon as it is listed.
void ClipTable::Named(int first, int last) {
    for (int at = first; at <= last; ++at) {
        QTreeWidgetItem* item = m_view->topLevelItem(at);
        // An entry dragged to another place keeps what it shows.
        if (!item->text(kFolder).isEmpty())
            continue;
        const QString path = item->data(0, ListBoxWidget::kTextRole).toString();
        item->setText(kName, path.section('/', -1));
        item->setText(kFolder, FolderOf(path));
        for (int column = 0; column < kColumns; ++column)
            item->setToolTip(column, path);
        item->setData(kName, Qt::AccessibleTextRole, item->text(kName));
        // Dropping onto an entry would make a child of it; entries go between entries.
        item->setFlags(item->flags() & ~Qt::ItemIsDropEnabled);
    }
}

// A column's width for `text` in the view's font, with the margins that the style adds.
int ClipTable::TextWidth(const QString& text) const {
    return m_view->fontMetrics().horizontalAdvance(text) +
           3 * m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 12;
}
