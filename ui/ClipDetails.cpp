#include "ui/ClipDetails.h"

#include <set>

#include <QCoreApplication>
#include <QListWidget>

#include "engine/Amount.h"
#include "ui/MarkDelegate.h"

ClipDetails::ClipDetails(const InputList& list, CWnd* window, UINT readMessage)
    : m_list(list), m_reader(window, readMessage) {
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(0);
    QObject::connect(&m_refresh, &QTimer::timeout, [this] { Refresh(); });
}

void ClipDetails::Attach(CListBox* listBox, CWnd* summary, CEdit* sizeField) {
    m_listBox = listBox;
    m_summary = summary;
    m_sizeField = sizeField;
    if (auto* view = qobject_cast<QListWidget*>(listBox->GetWidget()))
        view->setItemDelegate(new MarkDelegate(view));
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
    for (const ClipReader::Result& result : m_reader.Take()) {
        if (listed.count(result.path))
            changed = m_facts.Take(result.path, result.probe) || changed;
    }
    if (changed)
        Schedule();
}

CString ClipDetails::SelectedSizeText() const {
    const std::wstring* selected = m_list.SelectedPath();
    const boost::optional<std::int64_t> size = selected ? m_facts.Size(*selected) : boost::none;
    if (!size)
        return L"<N/A>";
    const std::string text = veldrun::Amount::Size(*size, veldrun::Amount::Style::Truncated);
    return std::wstring(text.begin(), text.end());
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
    }
    if (!m_listBox)
        return;
    if (auto* view = qobject_cast<QListWidget*>(m_listBox->GetWidget())) {
        const std::vector<std::wstring> notes = m_facts.MarkNotes(paths);
        for (int row = 0; row < view->count() && row < static_cast<int>(notes.size()); ++row)
            MarkDelegate::SetMark(view->item(row), QString::fromStdWString(notes[row]));
    }
    m_summary->SetWindowText(m_facts.Summary(paths).c_str());
    const CString size = SelectedSizeText();
    CString shown;
    m_sizeField->GetWindowText(shown);
    if (shown != size)
        m_sizeField->SetWindowText(size);
}
