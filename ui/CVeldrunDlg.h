#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <boost/optional.hpp>
#include <boost/shared_ptr.hpp>

#include "engine/Veldrun.h"
#include "platform/CButton.h"
#include "platform/CDialog.h"
#include "platform/CEdit.h"
#include "platform/CListBox.h"
#include "recordings/Recordings.h"
#include "ui/ClipReader.h"

// Posted to the main dialog when the reader has results for it.
constexpr UINT WM_CLIPS_READ = WM_USER + 0x110;

// The main dialog: the ordered input list, the selected file's details, the output file and
// the Merge command. It owns the one merge job of the program's run, and a reader that reads
// the listed clips on a thread of its own to mark where a new recording begins.
class CVeldrunDlg : public CDialog {
public:
    explicit CVeldrunDlg(CWnd* parent = nullptr);
    ~CVeldrunDlg() override;

    // Runs the dialog; once it has ended, the reader's thread has ended too.
    INT_PTR DoModal() override;

    // Where the minimized dialog draws its icon: centred in a client area of `client`,
    // rounding as the system does for odd differences.
    static POINT IconPosition(const RECT& client, int iconWidth, int iconHeight);

    // The size field's text: bytes below 1,000,000, then decimal megabytes, then gigabytes,
    // with the tenths of the unit.
    static CString SizeText(std::int64_t size);

    // Files for the list when the dialog opens, in this order, the first of them selected.
    void OpenAtStart(const std::vector<CString>& paths);

    // The summary line under the list: "3 clips, 6.4 GB in all"; with files that cannot be
    // read, the size of the others and the unreadable names ("3 clips, 2 of them 4.2 GB;
    // 00003.MTS cannot be read"); empty for no clips. With `recordings` (once every clip has
    // been read and one is a stream) the recordings, the files that are not streams and the
    // playing time come after the count, and "in all" goes: "3 clips, one recording, 0:38:12,
    // 6.4 GB".
    static CString
    SummaryText(int count, std::int64_t total, const std::vector<CString>& unreadable,
                const boost::optional<veldrun::Recordings::Summary>& recordings = boost::none);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    BOOL PreTranslateMessage(MSG* msg) override;

    // The input list.
    void OnDropFiles(HDROP drop);
    void OnAdd();
    void OnRemove();
    void OnMoveUp();
    void OnMoveDown();
    void OnSortByName();
    void OnOrderByRecording();
    // Rebuilds the list in `order` (indexes of the entries as listed), keeping the selected
    // entry selected, and refreshes.
    void Reorder(const std::vector<int>& order);
    void OnContextMenu(CWnd* wnd, CPoint point);
    void UpdateHorizontalExtent(const CString& entry);
    // Appends `path` to the list unless it is missing or a folder, as a drop does; true when
    // it was added. The caller refreshes the controls.
    bool AddInputFile(const CString& path);
    void ListStartFiles();

    // The selection details and the merge command.
    void OnMerge();
    void OnSelectOutput();
    void OnListOrOutputChange();
    void UpdateControls();
    // Asks the reader for every listed clip, then shows the marks and the summary.
    void UpdateSummary();
    // The marks of the entries and the summary line, from what has been read so far.
    void ShowListDetails();
    // Takes the reader's results for entries still listed, and shows them.
    void TakeReadClips();
    // The entries as listed, and what was read of each: `unread` tells which are not read yet.
    std::vector<CString> ListedEntries() const;
    std::vector<veldrun::Recordings::Clip> ListedClips(const std::vector<CString>& entries,
                                                       std::vector<bool>& unread) const;
    void CollectInputFiles();
    bool ConfirmReplace();

    DECLARE_MESSAGE_MAP()

    HICON m_hIcon = nullptr;
    boost::shared_ptr<veldrun::Veldrun> m_job;
    CListBox m_inputList;
    CEdit m_outputEdit;
    CEdit m_selectionEdit;
    CEdit m_sizeEdit;
    CButton m_mergeButton;
    CWnd m_summary;
    std::vector<CString> m_startFiles;
    // The output that Select... chose since the last merge: its dialog asked about replacing.
    CString m_chosenOutput;
    // What reading found for each listed path; a path not here is not read yet.
    std::map<std::wstring, boost::optional<veldrun::StreamProbe::Result>> m_read;
    // Last, so that its thread ends before the rest of the dialog goes.
    ClipReader m_reader;
};
