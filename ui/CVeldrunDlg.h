#pragma once

#include <cstdint>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "engine/Veldrun.h"
#include "platform/CButton.h"
#include "platform/CDialog.h"
#include "platform/CEdit.h"
#include "platform/CListBox.h"

// The main dialog: the ordered input list, the selected file's details, the output file and
// the Merge command. It owns the one merge job of the program's run.
class CVeldrunDlg : public CDialog {
public:
    explicit CVeldrunDlg(CWnd* parent = nullptr);
    ~CVeldrunDlg() override;

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
    // 00003.MTS cannot be read"); empty for no clips.
    static CString SummaryText(int count, std::int64_t total,
                               const std::vector<CString>& unreadable);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

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
    void UpdateSummary();
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
};
