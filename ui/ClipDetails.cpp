#include "ui/ClipDetails.h"

#include <limits>
#include <set>

#include <QCoreApplication>
#include <QSet>
#include <QTreeWidget>

#include "progress/LocalFormat.h"
#include "res/Tr.h"
#include "ui/ClipTable.h"

ClipDetails::ClipDetails(const InputList& list, CWnd* window, UINT readMessage)
    : m_list(list), m_reader(window, readMessage) {
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(0);
    QObject::connect(&m_refresh, &QTimer::timeout, [this] { Refresh(); });
    const auto changed = [this] {
        ListChanged();
    };
    QObject::connect(&m_watcher, &QFileSystemWatcher::fileChanged, changed);
    QObject::connect(&m_watcher, &QFileSystemWatcher::directoryChanged, changed);
}

void ClipDetails::Attach(CListBox* listBox, CWnd* summary, CEdit* sizeField) {
    m_listBox = listBox;
    m_summary = summary;
    m_sizeField = sizeField;
    if (auto* view = qobject_cast<QTreeWidget*>(listBox->GetWidget())) {
        m_table = new ClipTable(view);
        m_table->FitWindow();
    }
}

void ClipDetails::FitName(const std::wstring& path) {
    if (m_table)
        m_table->FitName(path);
}

void ClipDetails::ListChanged() {
    m_readAgain = true;
    Schedule();
}

// A result for a path no longer listed is dropped: it would describe nothing on screen, and the
// path is read again if it comes back.
void ClipDetails::TakeReadings() {
    const std::set<std::wstring> listed(m_list.Paths().begin(), m_list.Paths().end());
    bool changed = false;
    const QStringList watched = m_watcher.files();
    QStringList toWatch;
    for (const ClipReader::Result& result : m_reader.Take()) {
        if (!listed.count(result.path))
            continue;
        changed = m_facts.Take(result.path, result.probe, result.error) || changed;
        const QString file = QString::fromStdWString(result.path);
        if (result.probe && !watched.contains(file))
            toWatch.append(file);
    }
    // The reader has just looked the file up, so watching it waits for no disk.
    if (!toWatch.isEmpty())
        m_watcher.addPaths(toWatch);
    if (changed)
        Schedule();
}

CString ClipDetails::SelectedSizeText() const {
    const std::wstring* selected = m_list.SelectedPath();
    const boost::optional<std::int64_t> size = selected ? m_facts.Size(*selected) : boost::none;
    if (!size)
        return NoSizeText().c_str();
    return LocalFormat().FileSize(*size);
}

std::wstring ClipDetails::NoSizeText() {
    return res::Tr("CVeldrunDlg", "<N/A>");
}

// A file's size is a signed 64-bit count, so the largest shows the most digits of GB.
std::vector<std::wstring> ClipDetails::SizeFieldTexts() {
    const LocalFormat format;
    return {NoSizeText(), format.FileSize(999'999), format.FileSize(999'999'999),
            format.FileSize(std::numeric_limits<std::int64_t>::max())};
}

bool ClipDetails::AllRead() const {
    for (const std::wstring& path : m_list.Paths()) {
        if (!m_facts.IsRead(path))
            return false;
    }
    return true;
}

void ClipDetails::Stop() {
    m_refresh.stop();
    QObject::disconnect(&m_watcher, nullptr, nullptr, nullptr);
    m_reader.Stop();
}

// The results arrive by a posted message and show with a later turn, which may read again.
void ClipDetails::AwaitReading() {
    do {
        m_reader.WaitUntilIdle();
        QCoreApplication::processEvents();
    } while (m_refresh.isActive() || !m_reader.Idle());
}

void ClipDetails::Schedule() {
    if (!m_refresh.isActive())
        m_refresh.start();
}

// Every listed clip is read again after a change of the list: files may have come, gone or
// changed since they were read.
void ClipDetails::Refresh() {
    const std::vector<std::wstring>& paths = m_list.Paths();
    if (m_readAgain) {
        m_readAgain = false;
        m_facts.Keep(paths);
        std::vector<std::wstring> toRead;
        std::set<std::wstring> queued;
        for (const std::wstring& path : paths) {
            if (queued.insert(path).second)
                toRead.push_back(path);
        }
        m_reader.Read(toRead);
        Watch(toRead);
    }
    if (!m_listBox)
        return;
    if (m_table)
        m_table->Show(m_facts.Rows(paths));
    m_summary->SetWindowText(m_facts.Summary(paths).c_str());
    const CString size = SelectedSizeText();
    CString shown;
    m_sizeField->GetWindowText(shown);
    if (shown != size)
        m_sizeField->SetWindowText(size);
}

// A folder's watch tells of files that come and go in it, a file's of changes to it; a file
// that goes loses its watch, and gets it again through its folder's when it comes back. A file
// is watched once it has been read (TakeReadings), not before: on a slow card, looking it up
// would hold the window up.
void ClipDetails::Watch(const std::vector<std::wstring>& paths) {
    QSet<QString> wanted;
    for (const std::wstring& path : paths) {
        const QString file = QString::fromStdWString(path);
        if (m_facts.Size(path))
            wanted.insert(file);
        const int slash = file.lastIndexOf('/');
        if (slash >= 0)
            wanted.insert(slash == 0 ? QString("/") : file.left(slash));
    }
    QStringList gone;
    for (const QString& watched : m_watcher.files() + m_watcher.directories()) {
        if (!wanted.remove(watched))
            gone.append(watched);
    }
    if (!gone.isEmpty())
        m_watcher.removePaths(gone);
    if (!wanted.isEmpty())
        m_watcher.addPaths(QStringList(wanted.begin(), wanted.end()));
}
