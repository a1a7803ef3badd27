#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include <boost/thread/mutex.hpp>
#include <boost/weak_ptr.hpp>

#include "engine/Veldrun.h"
#include "platform/CDialog.h"
#include "platform/CEdit.h"
#include "platform/CListBox.h"
#include "platform/CProgressCtrl.h"
#include "progress/ProgressRecord.h"
#include "progress/TransferRate.h"

// Posted to the dialog once for every record queued by the worker.
constexpr UINT WM_MERGE_PROGRESS = WM_USER + 0x100;
// Posted once the worker has copied everything and waits for the disk to take it.
constexpr UINT WM_MERGE_WRITING = WM_USER + 0x101;

// The modal dialog of one merge run: it starts the job's worker, shows its progress (with the
// recording that is written when the run has several outputs, and the verifying pass when the
// job verifies), passes on a cancel request and ends when the worker has ended: IDOK after
// success, IDCANCEL after a failure (a cancelled run included).
class CProgressDlg : public CDialog {
public:
    // `inputList` is only counted, for the status line; neither is owned.
    CProgressDlg(boost::weak_ptr<veldrun::Veldrun> job, CListBox* inputList);
    ~CProgressDlg() override;

    // The job's callback, on the worker thread: queues the figures and posts a message,
    // never waiting for the user interface. False once Cancel was pressed.
    bool OnProgress(std::int32_t fileIndex, std::int64_t fileSize, std::int64_t filePosition,
                    std::int64_t totalSize, std::int64_t totalWritten);

    // The job's verifying figures, on the worker thread, as OnProgress takes the copy's.
    bool OnVerifyProgress(std::int32_t fileIndex, std::int64_t fileSize, std::int64_t filePosition,
                          std::int64_t totalSize, std::int64_t totalVerified);

    // Called on the worker when an output's copy is done and its final flush begins; posts
    // WM_MERGE_WRITING.
    void OnWritingToDisk();

    // The bar position for the figures: written / total * 100, truncated; 0 for a total of 0.
    static int BarPosition(std::int64_t totalWritten, std::int64_t totalSize);

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnInitDialog() override;

    void OnBnClickedCancel();
    void JoinWorker();

    DECLARE_MESSAGE_MAP()

    boost::weak_ptr<veldrun::Veldrun> m_weakJob;
    CListBox* m_pInputList;
    boost::mutex m_queueLock;
    std::list<ProgressRecord> m_queue;
    std::atomic<bool> m_cancelRequested{false};
    CProgressCtrl m_progress;
    CEdit m_status;
    CWnd m_fileName;
    CWnd m_amounts;
    CWnd m_recording;

private:
    // Seconds between two updates of the amounts line.
    static constexpr double kAmountsInterval = 0.25;

    // One output of a run of several: its first input's index and its file name.
    struct Part {
        std::size_t first;
        std::wstring name;
    };

    bool Queue(const ProgressRecord& record);
    void TakeRecord();
    void ShowWritingToDisk();
    // "Recording 2 of 3: name" for the output that takes input `fileIndex`.
    void ShowRecording(std::int32_t fileIndex);
    // The lines under the status: the current clip's name; the amounts, speed and time left.
    void ShowDetails(const ProgressRecord& record);
    BOOL OnCloseCommand(UINT id);

    // User-interface thread only: whether a worker runs that the dialog must outlive, and
    // once it has ended, the result that the first end notification decided (0 before).
    bool m_running = false;
    int m_endCode = 0;
    std::chrono::steady_clock::time_point m_started;
    TransferRate m_rate;
    std::int32_t m_shownFile = -1;
    double m_amountsShownAt = 0;
    // Set while an output's flush runs: a cancel can stop nothing until the next output's copy
    // or the verifying begins.
    bool m_writing = false;
    // Which pass the figures shown belong to.
    bool m_verifying = false;
    // The run's outputs when it has several, taken before the worker starts.
    std::vector<Part> m_parts;
    std::size_t m_shownPart = 0;
};
