#include "progress/CProgressDlg.h"

#include <algorithm>

#include <boost/bind/bind.hpp>
#include <boost/shared_ptr.hpp>
#include <boost/thread/exceptions.hpp>

#include <QProgressBar>

#include "engine/PathName.h"
#include "engine/TextConversion.h"
#include "platform/CDataExchange.h"
#include "progress/LocalFormat.h"
#include "res/Resource.h"
#include "res/Tr.h"

CProgressDlg::CProgressDlg(boost::weak_ptr<veldrun::Veldrun> job, CListBox* inputList)
    : CDialog(IDD_PROGRESS_DIALOG), m_weakJob(job), m_pInputList(inputList) {}

CProgressDlg::~CProgressDlg() {
    // A job whose worker never started still holds the notice that names this dialog.
    const boost::shared_ptr<veldrun::Veldrun> job = m_weakJob.lock();
    if (job && !job->worker.joinable()) {
        job->options.writingToDisk.clear();
        job->options.verifyProgress.clear();
    }
}

void CProgressDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_PROGRESS, m_progress);
    DDX_Control(dx, IDC_STATUS, m_status);
    DDX_Control(dx, IDC_PROGRESS_FILE, m_fileName);
    DDX_Control(dx, IDC_PROGRESS_AMOUNTS, m_amounts);
    DDX_Control(dx, IDC_PROGRESS_RECORDING, m_recording);
}

BEGIN_MESSAGE_MAP(CProgressDlg, CDialog)
ON_BN_CLICKED(IDC_CANCEL_MERGE, &CProgressDlg::OnBnClickedCancel)
END_MESSAGE_MAP()

BOOL CProgressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // The bar shows its position as a percentage, which a Win32 bar cannot.
    if (auto* bar = qobject_cast<QProgressBar*>(m_progress.GetWidget()))
        bar->setTextVisible(true);
    // Neither has a label: assistive tools read them by these names.
    m_status.GetWidget()->setAccessibleName(
        QString::fromStdWString(res::Tr("CProgressDlg", "Status")));
    m_progress.GetWidget()->setAccessibleName(
        QString::fromStdWString(res::Tr("CProgressDlg", "Progress")));
    const boost::shared_ptr<veldrun::Veldrun> job = m_weakJob.lock();
    if (!job)
        return TRUE;

    m_progress.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    m_progress.SendMessage(PBM_SETPOS, 0, 0);
    m_status.SetWindowText(res::Tr("CProgressDlg", "Working...").c_str());
    m_started = std::chrono::steady_clock::now();

    namespace ph = boost::placeholders;
    job->SetCallback(
        boost::bind(&CProgressDlg::OnProgress, this, ph::_1, ph::_2, ph::_3, ph::_4, ph::_5));
    job->options.writingToDisk = boost::bind(&CProgressDlg::OnWritingToDisk, this);
    // Without verifying, nothing of it is bound or shown.
    if (job->options.verify)
        job->options.verifyProgress = boost::bind(&CProgressDlg::OnVerifyProgress, this, ph::_1,
                                                  ph::_2, ph::_3, ph::_4, ph::_5);
    for (const veldrun::JobFiles::Part& part : job->files->parts)
        m_parts.push_back(
            {part.first, veldrun::ToWide(veldrun::PathName::Last(part.path)).value_or(L"")});
    try {
        job->Start();
        m_running = true;
    } catch (const boost::thread_resource_error&) {
        // The job keeps the reason as its error text; end as a failed run ends.
        m_endCode = IDCANCEL;
        PostMessage(WM_COMMAND, IDCANCEL, 0);
    }
    return TRUE;
}

bool CProgressDlg::OnProgress(std::int32_t fileIndex, std::int64_t fileSize,
                              std::int64_t filePosition, std::int64_t totalSize,
                              std::int64_t totalWritten) {
    return Queue({fileIndex, fileSize, filePosition, totalSize, totalWritten});
}

bool CProgressDlg::OnVerifyProgress(std::int32_t fileIndex, std::int64_t fileSize,
                                    std::int64_t filePosition, std::int64_t totalSize,
                                    std::int64_t totalVerified) {
    return Queue({fileIndex, fileSize, filePosition, totalSize, totalVerified, true});
}

bool CProgressDlg::Queue(const ProgressRecord& record) {
    {
        boost::mutex::scoped_lock lock(m_queueLock);
        m_queue.push_back(record);
    }
    PostMessage(WM_MERGE_PROGRESS, 0, 0);
    return !m_cancelRequested.load();
}

void CProgressDlg::OnWritingToDisk() {
    PostMessage(WM_MERGE_WRITING, 0, 0);
}

BOOL CProgressDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_MERGE_PROGRESS || message == WM_MERGE_WRITING) {
        if (message == WM_MERGE_PROGRESS)
            TakeRecord();
        else
            ShowWritingToDisk();
        if (result)
            *result = 0;
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) &&
        OnCloseCommand(LOWORD(wParam))) {
        if (result)
            *result = 0;
        return TRUE;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

// Ending the dialog while the worker runs would destroy it under the worker's callback, and
// ending it with the user's command after the worker ended could misreport the result. So
// Escape and closing the window (IDCANCEL) only ask the worker to stop, Enter's IDOK does
// nothing, and once the worker has ended only the result it decided ends the dialog.
// Returns TRUE when the command was taken here.
BOOL CProgressDlg::OnCloseCommand(UINT id) {
    if (m_running) {
        if (id == IDCANCEL)
            OnBnClickedCancel();
        return TRUE;
    }
    return m_endCode != 0 && static_cast<int>(id) != m_endCode;
}

void CProgressDlg::TakeRecord() {
    ProgressRecord record;
    {
        boost::mutex::scoped_lock lock(m_queueLock);
        if (m_queue.empty())
            return;
        record = m_queue.front();
        m_queue.pop_front();
    }

    if (record.fileIndex == -1) {
        const bool over = record.fileSize == 0 && record.filePosition == 0 &&
                          record.totalSize == 0 && record.totalWritten == 0;
        const bool failed = record.fileSize == -1 && record.filePosition == -1 &&
                            record.totalSize == -1 && record.totalWritten == -1;
        if (over || failed) {
            const int code = over ? IDOK : IDCANCEL;
            JoinWorker();
            m_running = false;
            if (m_endCode == 0)
                m_endCode = code;
            PostMessage(WM_COMMAND, code, 0);
            return;
        }
    }

    // The next output's copy, or the verifying of the one just flushed, can be cancelled.
    if (m_writing) {
        m_writing = false;
        if (CWnd* cancel = GetDlgItem(IDC_CANCEL_MERGE))
            cancel->EnableWindow(TRUE);
    }
    // Each pass has its own speed, and shows its first clip's name afresh.
    if (record.verifying != m_verifying) {
        m_verifying = record.verifying;
        m_rate = TransferRate();
        m_shownFile = -1;
    }
    m_progress.SendMessage(PBM_SETPOS, BarPosition(record.totalWritten, record.totalSize), 0);
    const int count =
        m_pInputList ? static_cast<int>(m_pInputList->SendMessage(LB_GETCOUNT, 0, 0)) : 0;
    CString status;
    const std::wstring format = record.verifying
                                    ? res::Tr("CProgressDlg", "Verifying file %i of %i")
                                    : res::Tr("CProgressDlg", "Progressing file %i of %i");
    status.Format(format.c_str(), record.fileIndex + 1, count);
    m_status.SetWindowText(status);
    ShowRecording(record.fileIndex);
    ShowDetails(record);
}

void CProgressDlg::ShowRecording(std::int32_t fileIndex) {
    if (m_parts.empty() || fileIndex < 0)
        return;
    std::size_t part = 0;
    while (part + 1 < m_parts.size() &&
           m_parts[part + 1].first <= static_cast<std::size_t>(fileIndex))
        ++part;
    if (part + 1 == m_shownPart)
        return;
    m_shownPart = part + 1;
    CString line;
    line.Format(res::Tr("CProgressDlg", "Recording %i of %i: ").c_str(), static_cast<int>(part + 1),
                static_cast<int>(m_parts.size()));
    m_recording.SetWindowText(line + m_parts[part].name.c_str());
}

// The amounts change with every record; they are shown a few times a second, which is as
// often as anyone reads them, and whenever a clip begins or the last byte is written.
void CProgressDlg::ShowDetails(const ProgressRecord& record) {
    const double now =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_started).count();
    m_rate.Add(now, record.totalWritten);

    const bool newFile = record.fileIndex != m_shownFile;
    if (newFile) {
        m_shownFile = record.fileIndex;
        CString entry;
        if (m_pInputList && record.fileIndex < m_pInputList->GetCount())
            m_pInputList->GetText(record.fileIndex, entry);
        m_fileName.SetWindowText(veldrun::PathName::Last(entry.Str()).c_str());
    }
    const bool last = record.totalWritten >= record.totalSize;
    if (!newFile && !last && now - m_amountsShownAt < kAmountsInterval)
        return;
    m_amountsShownAt = now;
    const LocalFormat format;
    std::wstring amounts =
        res::Filled(res::Tr("CProgressDlg", "%1 of %2"),
                    {format.Size(record.totalWritten), format.Size(record.totalSize)});
    const double left = m_rate.SecondsLeft(record.totalSize);
    if (left >= 0 && !last)
        amounts += L", " + format.Rate(m_rate.BytesPerSecond()) + L", " + format.TimeLeft(left);
    m_amounts.SetWindowText(amounts.c_str());
}

// The flush cannot be cut short, so Cancel goes grey for it.
void CProgressDlg::ShowWritingToDisk() {
    m_writing = true;
    // In a run of several outputs the bar counts over the run: it stays where the copy left it.
    const boost::shared_ptr<veldrun::Veldrun> job = m_weakJob.lock();
    if (!job || job->files->parts.empty())
        m_progress.SendMessage(PBM_SETPOS, 100, 0);
    m_status.SetWindowText(res::Tr("CProgressDlg", "Writing to disk...").c_str());
    if (CWnd* cancel = GetDlgItem(IDC_CANCEL_MERGE))
        cancel->EnableWindow(FALSE);
}

int CProgressDlg::BarPosition(std::int64_t totalWritten, std::int64_t totalSize) {
    if (totalSize == 0)
        return 0;
    const double percent =
        static_cast<double>(totalWritten) / static_cast<double>(totalSize) * 100.0;
    // The bar shows 0 to 100 whatever the figures (an input may grow while it is copied);
    // bounding first keeps the conversion defined.
    return static_cast<int>(std::clamp(percent, 0.0, 100.0));
}

void CProgressDlg::OnBnClickedCancel() {
    if (!m_writing)
        m_cancelRequested = true;
}

void CProgressDlg::JoinWorker() {
    const boost::shared_ptr<veldrun::Veldrun> job = m_weakJob.lock();
    // The second end notification of a failed run finds the worker joined already.
    if (job && job->worker.joinable()) {
        job->worker.join();
        // The notices name this dialog, which the job outlives.
        job->options.writingToDisk.clear();
        job->options.verifyProgress.clear();
    }
}
