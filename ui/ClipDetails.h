#pragma once

#include <string>
#include <vector>

#include <QFileSystemWatcher>
#include <QTimer>

#include "platform/CEdit.h"
#include "platform/CListBox.h"
#include "ui/ClipFacts.h"
#include "ui/ClipReader.h"
#include "ui/InputList.h"

class ClipTable;

// The clip details of the main dialog: the listed clips are read on the reader's thread, and
// what it found shows in the list's columns and marks, the summary line under it and the
// selected entry's size. However many entries change, the details are refreshed at most once
// per turn of the event loop, and no file is opened on the user-interface thread. The listed
// files and their folders are watched, so that a clip that goes, comes back or changes is read
// again without waiting for a change of the list.
class ClipDetails {
public:
    // The reader posts `readMessage` to `window` when it has results; the window answers with
    // TakeReadings.
    ClipDetails(const InputList& list, CWnd* window, UINT readMessage);

    // The controls to show the details in, once they exist: the list box becomes a table
    // (ClipTable), and its window grows to show the table's main columns.
    void Attach(CListBox* listBox, CWnd* summary, CEdit* sizeField);
    // Widens the table's Name column to show the file name of `path` whole.
    void FitName(const std::wstring& path);

    // The list changed: every clip is read again (the reader's cache reads only files that
    // changed since), and the details follow.
    void ListChanged();
    // Takes the reader's results; the details follow if they changed anything.
    void TakeReadings();

    // The size field's text for the selected entry: its size as read (LocalFormat::FileSize),
    // else NoSizeText.
    CString SelectedSizeText() const;
    // The size field's text when there is no size to show: "<N/A>".
    static std::wstring NoSizeText();
    // The longest texts that the size field may show, for each of its units.
    static std::vector<std::wstring> SizeFieldTexts();
    // True when every listed clip has been read.
    bool AllRead() const;
    const ClipFacts& Facts() const { return m_facts; }

    // The reader, which a merge pauses so that it has the disks to itself.
    ClipReader& Reader() { return m_reader; }
    // Ends the reader's thread; nothing is read or shown afterwards.
    void Stop();
    // For tests: waits until the reader is idle and its results are shown.
    void AwaitReading();

private:
    void Schedule();
    void Refresh();
    // Watches the folders of `paths` and those of its files that have been read, and nothing
    // else.
    void Watch(const std::vector<std::wstring>& paths);

    const InputList& m_list;
    ClipFacts m_facts;
    ClipReader m_reader;
    QTimer m_refresh;
    QFileSystemWatcher m_watcher;
    bool m_readAgain = false;
    ClipTable* m_table = nullptr;
    CListBox* m_listBox = nullptr;
    CWnd* m_summary = nullptr;
    CEdit* m_sizeField = nullptr;
};
