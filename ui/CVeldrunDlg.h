#pragma once

#include <memory>
#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "engine/Veldrun.h"
#include "platform/CButton.h"
#include "platform/CDialog.h"
#include "platform/CEdit.h"
#include "platform/CListBox.h"
#include "ui/ClipDetails.h"
#include "ui/FolderSearch.h"
#include "ui/InputList.h"
#include "ui/OutputChoice.h"
#include "ui/QuitSignals.h"

class CProgressDlg;

// Posted to the main dialog when the clip reader has results for it.
constexpr UINT WM_CLIPS_READ = WM_USER + 0x110;

// The main dialog: the ordered input list, the selected file's details, the output file and the
// Merge command. It owns the one merge job of the program's run. The list's paths live in
// m_list, which the list box mirrors; the clips' details (marks, summary, sizes) in m_details.
class CVeldrunDlg : public CDialog, private InputList::View {
public:
    explicit CVeldrunDlg(CWnd* parent = nullptr);
    ~CVeldrunDlg() override;

    // Runs the dialog; once it has ended, the clip reader's thread has ended too.
    INT_PTR DoModal() override;

    // Files for the list when the dialog opens, in this order, the first of them selected.
    void OpenAtStart(const std::vector<CString>& paths) { m_startFiles = paths; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    // Where the minimized dialog draws its icon: centred in a client area of `client`, the
    // division truncating toward zero.
    static POINT IconPosition(const RECT& client, int iconWidth, int iconHeight);

    // The input list.
    void OnDropFiles(HDROP drop);
    void OnAdd();
    void OnAddFolder();
    void OnRemove();
    void OnMoveUp();
    void OnMoveDown();
    void OnSortByName();
    void OnOrderByRecording();
    // Widens the list's Name column to show the file name of `entry`.
    void UpdateHorizontalExtent(const CString& entry);
    // Appends each of `paths` to the list, widening its Name column to fit it, and refreshes.
    void AddInputFiles(const std::vector<std::wstring>& paths);

    // The selection details and the merge command.
    void OnMerge();
    void OnSelectOutput();
    void OnListOrOutputChange();
    void UpdateControls();
    // False when a path cannot be converted for the file system. The output as typed, or as
    // the full path it stands for with `resolveOutput`.
    bool CollectInputFiles(bool resolveOutput = true);
    void OnEachRecording();
    void OnVerify();
    // The list's recordings as read so far; `allRead` tells whether every clip is read.
    std::vector<OutputPlan::Recording> ListRecordings(bool& allRead) const;
    // SIGTERM or SIGHUP: the program ends without asking anything, once a running merge has
    // stopped and given back its reserved space.
    void OnQuitSignal();

    // Escape and closing the window: end, once the user agrees to forget a list that was not
    // merged as it stands.
    void OnCancel() override;
    // True when the list is empty, was merged as it stands by the last run, which completed, or
    // the user answers Quit to the question.
    bool ConfirmQuit();
    // After a merge run that ended with `result`: a completed run's list needs no question at
    // quitting, and its output's folder is the last one used.
    void NoteMergeEnded(INT_PTR result);
    // The window's geometry, the list's column widths and the last input folder: restored when
    // the dialog opens, saved when it ends.
    void LoadRemembered();
    void SaveRemembered();

    DECLARE_MESSAGE_MAP()

    HICON m_hIcon = nullptr;
    boost::shared_ptr<veldrun::Veldrun> m_job;
    CListBox m_inputList;
    CEdit m_outputEdit;
    CEdit m_selectionEdit;
    CEdit m_sizeEdit;
    CButton m_mergeButton;
    CButton m_eachRecording;
    CButton m_verify;
    CWnd m_summary;
    InputList m_list;
    std::vector<CString> m_startFiles;
    // The output side: Output File, its check boxes and Select....
    OutputChoice m_output;
    // The progress dialog of the merge that runs, if any; set once a quit signal arrived.
    CProgressDlg* m_progress = nullptr;
    bool m_quitting = false;
    // The list as the last run, which completed, merged it; empty when the last run did not.
    std::vector<std::wstring> m_mergedList;
    std::unique_ptr<QuitSignals> m_quitSignals;
    // Dropped, added and started-with names pass through it, so that folders bring their clips.
    FolderSearch m_folders;
    // Last, so that its reader ends before the rest of the dialog goes.
    ClipDetails m_details;

private:
    // The list box mirrors m_list.
    void Inserted(int index, const std::wstring& path) override;
    void Removed(int index) override;
    void Selected(int index) override;
};
