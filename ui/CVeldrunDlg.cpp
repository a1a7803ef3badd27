#include "ui/CVeldrunDlg.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <numeric>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/Amount.h"
#include "engine/PathName.h"
#include "platform/AfxMessageBox.h"
#include "platform/CClientDC.h"
#include "platform/CDataExchange.h"
#include "platform/CFileDialog.h"
#include "platform/CMenu.h"
#include "platform/CPaintDC.h"
#include "platform/CWinApp.h"
#include "platform/TextConversion.h"
#include "platform/WinApi.h"
#include "progress/CProgressDlg.h"
#include "res/Resource.h"
#include "ui/CAboutDlg.h"

CVeldrunDlg::CVeldrunDlg(CWnd* parent)
    : CDialog(IDD_MAIN_DIALOG, parent), m_job(new veldrun::Veldrun), m_reader(this, WM_CLIPS_READ) {
    if (CWinApp* app = AfxGetApp())
        m_hIcon = app->LoadIcon(IDR_MAINFRAME);
}

CVeldrunDlg::~CVeldrunDlg() = default;

INT_PTR CVeldrunDlg::DoModal() {
    const INT_PTR result = CDialog::DoModal();
    m_reader.Stop();
    return result;
}

void CVeldrunDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_INPUT_LIST, m_inputList);
    DDX_Control(dx, IDC_OUTPUT_FILE, m_outputEdit);
    DDX_Control(dx, IDC_CURRENT_SELECTION, m_selectionEdit);
    DDX_Control(dx, IDC_FILE_SIZE, m_sizeEdit);
    DDX_Control(dx, IDC_MERGE, m_mergeButton);
    DDX_Control(dx, IDC_SUMMARY, m_summary);
}

BEGIN_MESSAGE_MAP(CVeldrunDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_DROPFILES()
ON_WM_CONTEXTMENU()
ON_BN_CLICKED(IDC_ADD, &CVeldrunDlg::OnAdd)
ON_BN_CLICKED(IDC_REMOVE, &CVeldrunDlg::OnRemove)
ON_BN_CLICKED(IDC_MOVE_UP, &CVeldrunDlg::OnMoveUp)
ON_BN_CLICKED(IDC_MOVE_DOWN, &CVeldrunDlg::OnMoveDown)
ON_BN_CLICKED(IDC_MERGE, &CVeldrunDlg::OnMerge)
ON_BN_CLICKED(IDC_SELECT_OUTPUT, &CVeldrunDlg::OnSelectOutput)
ON_COMMAND(IDM_SORT_BY_NAME, &CVeldrunDlg::OnSortByName)
ON_COMMAND(IDM_ORDER_BY_RECORDING, &CVeldrunDlg::OnOrderByRecording)
ON_EN_CHANGE(IDC_OUTPUT_FILE, &CVeldrunDlg::OnListOrOutputChange)
ON_LBN_SELCHANGE(IDC_INPUT_LIST, &CVeldrunDlg::OnListOrOutputChange)
END_MESSAGE_MAP()

BOOL CVeldrunDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    DragAcceptFiles(TRUE);
    MakeDragList(m_inputList.GetSafeHwnd());

    if (CMenu* systemMenu = GetSystemMenu(FALSE)) {
        CString about;
        about.LoadString(IDS_ABOUTBOX);
        if (!about.IsEmpty()) {
            systemMenu->AppendMenu(MF_SEPARATOR);
            systemMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    ListStartFiles();
    UpdateControls();
    return TRUE;
}

BOOL CVeldrunDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_CLIPS_READ) {
        TakeReadClips();
        if (result)
            *result = 0;
        return TRUE;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}

void CVeldrunDlg::OnSysCommand(UINT id, LPARAM lParam) {
    // The low four bits belong to the system; only the rest names the command.
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        CDialog::OnSysCommand(id, lParam);
    }
}

POINT CVeldrunDlg::IconPosition(const RECT& client, int iconWidth, int iconHeight) {
    POINT position;
    position.x = (client.right - client.left - iconWidth + 1) / 2;
    position.y = (client.bottom - client.top - iconHeight + 1) / 2;
    return position;
}

void CVeldrunDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    RECT client;
    GetClientRect(&client);
    const POINT at = IconPosition(client, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    dc.DrawIcon(at.x, at.y, m_hIcon);
}

HCURSOR CVeldrunDlg::OnQueryDragIcon() {
    return m_hIcon;
}

namespace {

const wchar_t kStreamFilter[] = L"MTS Files (*.mts)|*.mts|All Files (*.*)|*.*||";
const wchar_t kTooManyFiles[] =
    L"Too many files were selected at once. Add them in smaller groups.";

// Sorts `paths` in the natural order of file names; equal names keep their order.
void SortNaturally(std::vector<CString>& paths) {
    std::stable_sort(paths.begin(), paths.end(),
                     [](const CString& a, const CString& b) { return StrCmpLogicalW(a, b) < 0; });
}

// The name of the file at `path`, without its folder.
CString NameOf(const CString& path) {
    return veldrun::PathName::Last(path.Str());
}

// The pieces of a multiple-selection result: the folder, then each chosen name, in the
// dialog's order. Two NULs in a row end it.
std::vector<CString> SplitSelection(LPCTSTR buffer, std::size_t size) {
    std::vector<CString> pieces;
    std::wstring piece;
    for (std::size_t at = 0; at < size; ++at) {
        if (buffer[at] != L'\0') {
            piece += buffer[at];
            continue;
        }
        pieces.push_back(piece);
        piece.clear();
        if (at + 1 >= size || buffer[at + 1] == L'\0')
            break;
    }
    return pieces;
}

} // namespace

void CVeldrunDlg::OnDropFiles(HDROP drop) {
    const UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    if (count == 0)
        return;
    std::vector<CString> names;
    for (UINT i = 0; i < count; ++i) {
        // Names are taken whole: a cut name would be skipped as missing.
        const UINT length = DragQueryFile(drop, i, nullptr, 0);
        CString name;
        const UINT copied = DragQueryFile(drop, i, name.GetBuffer(length), length + 1);
        name.ReleaseBuffer(static_cast<int>(copied));
        names.push_back(name);
    }
    // The file manager hands them over in the order they were selected in.
    SortNaturally(names);
    for (const CString& name : names) {
        const DWORD attributes = GetFileAttributes(name);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        m_inputList.AddString(name);
        UpdateHorizontalExtent(name);
        UpdateControls();
    }
    DragFinish(drop);
}

bool CVeldrunDlg::AddInputFile(const CString& path) {
    const DWORD attributes = GetFileAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    m_inputList.AddString(path);
    UpdateHorizontalExtent(path);
    return true;
}

void CVeldrunDlg::OpenAtStart(const std::vector<CString>& paths) {
    m_startFiles = paths;
}

// The file manager hands the files over in its own order, which is kept.
void CVeldrunDlg::ListStartFiles() {
    const int first = m_inputList.GetCount();
    bool added = false;
    for (const CString& path : m_startFiles)
        added = AddInputFile(path) || added;
    if (added)
        m_inputList.SetCurSel(first);
}

void CVeldrunDlg::OnAdd() {
    // The dialog's own result buffer grows to fit the selection.
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, kStreamFilter);
    dialog.m_ofn.lpstrTitle = L"Select Streams";

    if (dialog.DoModal() == IDOK) {
        const LPCTSTR buffer = dialog.GetOFN().lpstrFile;
        if (!dialog.GetFileName().IsEmpty()) {
            const CString path(buffer);
            m_inputList.AddString(path);
            UpdateHorizontalExtent(path);
            UpdateControls();
        } else {
            const std::vector<CString> pieces = SplitSelection(buffer, dialog.GetOFN().nMaxFile);
            // The separator is added even after a folder that ends in one, such as the root.
            const CString prefix = pieces.empty() ? CString() : pieces.front() + L"/";
            std::vector<CString> entries;
            for (std::size_t i = 1; i < pieces.size(); ++i)
                entries.push_back(prefix + pieces[i]);
            // Dialogs hand several names over in click order or in their own order.
            SortNaturally(entries);
            for (const CString& entry : entries) {
                m_inputList.AddString(entry);
                UpdateHorizontalExtent(entry);
                UpdateControls();
            }
        }
    } else if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) {
        AfxMessageBox(kTooManyFiles, MB_OK, 0);
    }

    UpdateControls();
}

void CVeldrunDlg::OnRemove() {
    int index = m_inputList.GetCurSel();
    if (index >= 0) {
        m_inputList.DeleteString(index);
        const int count = m_inputList.GetCount();
        if (index >= count)
            index = count - 1;
        m_inputList.SetCurSel(index);
    }
    UpdateControls();
}

// The moves need no refresh of the selection's fields: the selection moves with its entry, and
// setting it sends no selection-change notice. The marks and the summary follow the order.
void CVeldrunDlg::OnMoveUp() {
    const int index = m_inputList.GetCurSel();
    if (index <= 0)
        return;
    CString above;
    CString moved;
    m_inputList.GetText(index - 1, above);
    m_inputList.GetText(index, moved);
    m_inputList.DeleteString(index);
    m_inputList.DeleteString(index - 1);
    m_inputList.InsertString(index - 1, moved);
    m_inputList.InsertString(index, above);
    m_inputList.SetCurSel(index - 1);
    UpdateSummary();
}

void CVeldrunDlg::OnMoveDown() {
    const int index = m_inputList.GetCurSel();
    if (index < 0 || index >= m_inputList.GetCount() - 1)
        return;
    CString moved;
    CString below;
    m_inputList.GetText(index, moved);
    m_inputList.GetText(index + 1, below);
    m_inputList.DeleteString(index + 1);
    m_inputList.DeleteString(index);
    m_inputList.InsertString(index, below);
    m_inputList.InsertString(index + 1, moved);
    m_inputList.SetCurSel(index + 1);
    UpdateSummary();
}

void CVeldrunDlg::OnSortByName() {
    const std::vector<CString> entries = ListedEntries();
    std::vector<int> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&entries](int a, int b) {
        return StrCmpLogicalW(entries[a], entries[b]) < 0;
    });
    Reorder(order);
}

// Until every entry has been read the order cannot be told; the menu offers it only then.
void CVeldrunDlg::OnOrderByRecording() {
    const std::vector<CString> entries = ListedEntries();
    std::vector<bool> unread;
    const std::vector<veldrun::Recordings::Clip> clips = ListedClips(entries, unread);
    if (std::find(unread.begin(), unread.end(), true) != unread.end())
        return;
    // Chains are ordered as Sort by Name orders the entries themselves, whatever their encoding.
    const auto less = [&entries](std::size_t a, std::size_t b) {
        return StrCmpLogicalW(entries[a], entries[b]) < 0;
    };
    const std::vector<std::size_t> recorded = veldrun::Recordings::Order(clips, less);
    Reorder(std::vector<int>(recorded.begin(), recorded.end()));
}

// Keeps the selected entry selected; a refresh follows, as the order changed.
void CVeldrunDlg::Reorder(const std::vector<int>& order) {
    const std::vector<CString> entries = ListedEntries();
    const int count = static_cast<int>(entries.size());
    const int selected = m_inputList.GetCurSel();
    for (int i = count - 1; i >= 0; --i)
        m_inputList.DeleteString(i);
    int newSelection = -1;
    for (int i = 0; i < count; ++i) {
        m_inputList.AddString(entries[order[i]]);
        if (order[i] == selected)
            newSelection = i;
    }
    m_inputList.SetCurSel(newSelection);
    UpdateControls();
}

// The input list has its own menu; the rest of the window shows the dialog's system menu.
void CVeldrunDlg::OnContextMenu(CWnd* wnd, CPoint point) {
    if (!wnd || wnd->GetSafeHwnd() != m_inputList.GetSafeHwnd()) {
        CDialog::OnContextMenu(wnd, point);
        return;
    }
    const bool keyboard = point.x == -1 && point.y == -1;
    if (keyboard) {
        // Below the selected entry, else at the list's top.
        RECT area = {0, 0, 0, 0};
        m_inputList.GetItemRect(std::max(m_inputList.GetCurSel(), 0), &area);
        point = {area.left, area.bottom};
        m_inputList.ClientToScreen(&point);
    }
    const int selected = m_inputList.GetCurSel();
    const int count = m_inputList.GetCount();
    const auto enabledIf = [](bool enabled) {
        return MF_STRING | (enabled ? 0 : MF_GRAYED);
    };
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(enabledIf(selected >= 0), IDC_REMOVE, L"&Remove");
    menu.AppendMenu(enabledIf(selected > 0), IDC_MOVE_UP, L"Move &Up");
    menu.AppendMenu(enabledIf(selected >= 0 && selected < count - 1), IDC_MOVE_DOWN, L"Move &Down");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(enabledIf(count > 1), IDM_SORT_BY_NAME, L"&Sort by Name");
    std::vector<bool> unread;
    ListedClips(ListedEntries(), unread);
    const bool allRead = std::find(unread.begin(), unread.end(), true) == unread.end();
    // Its letter is Remove's too: pressing R moves between the two, and Enter chooses.
    menu.AppendMenu(enabledIf(count > 1 && allRead), IDM_ORDER_BY_RECORDING,
                    L"Order by &Recording");
    menu.TrackPopupMenu(TPM_LEFTALIGN | (keyboard ? TPM_FROMKEYBOARD : 0), point.x, point.y, this);
}

// Keys of the input list: Delete removes, Alt+Up and Alt+Down move the selected entry.
BOOL CVeldrunDlg::PreTranslateMessage(MSG* msg) {
    if (msg->hwnd == m_inputList.GetSafeHwnd()) {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_DELETE) {
            OnRemove();
            return TRUE;
        }
        if (msg->message == WM_SYSKEYDOWN && msg->wParam == VK_UP) {
            OnMoveUp();
            return TRUE;
        }
        if (msg->message == WM_SYSKEYDOWN && msg->wParam == VK_DOWN) {
            OnMoveDown();
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(msg);
}

// The extent only grows: entries are measured as they come, never again.
void CVeldrunDlg::UpdateHorizontalExtent(const CString& entry) {
    CClientDC dc(this);
    dc.SelectObject(m_inputList.GetFont());
    const CSize size = dc.GetTextExtent(entry);
    const int candidate = size.cx + 3 * GetSystemMetrics(SM_CXBORDER);
    if (candidate > m_inputList.GetHorizontalExtent())
        m_inputList.SetHorizontalExtent(candidate);
}

void CVeldrunDlg::CollectInputFiles() {
    veldrun::JobFiles& files = *m_job->files;
    files.inputs.clear();
    const int count = m_inputList.GetCount();
    for (int i = 0; i < count; ++i) {
        CString entry;
        m_inputList.GetText(i, entry);
        files.inputs.push_back(WideToNarrow(entry.Str()));
    }
    CString output;
    m_outputEdit.GetWindowText(output);
    files.output = WideToNarrow(output.Str());
}

void CVeldrunDlg::UpdateControls() {
    // A path that cannot be converted is reported when Merge is pressed; the refresh shows
    // what it can.
    bool collected = true;
    try {
        CollectInputFiles();
    } catch (const std::range_error&) {
        collected = false;
    }

    CString output;
    m_outputEdit.GetWindowText(output);
    m_mergeButton.EnableWindow(output.GetLength() != 0 && m_inputList.GetCount() != 0);
    UpdateSummary();

    const int selected = m_inputList.GetCurSel();
    if (selected < 0) {
        m_selectionEdit.SetWindowText(L"<None selected>");
        m_sizeEdit.SetWindowText(L"<N/A>");
        return;
    }
    CString entry;
    m_inputList.GetText(selected, entry);
    m_selectionEdit.SetWindowText(entry);
    // A path too long for the field shows its end, the file name.
    m_selectionEdit.SetSel(entry.GetLength(), entry.GetLength());

    // A file that is gone, unreadable or a folder has no size to show.
    CString size = L"<N/A>";
    const std::vector<std::string>& inputs = m_job->files->inputs;
    if (collected && static_cast<std::size_t>(selected) < inputs.size()) {
        try {
            size = SizeText(veldrun::Veldrun::FileSize(inputs[selected]));
        } catch (const std::runtime_error&) {
        }
    }
    m_sizeEdit.SetWindowText(size);
}

CString CVeldrunDlg::SizeText(std::int64_t size) {
    return NarrowToWide(veldrun::Amount::Size(size, veldrun::Amount::Style::Truncated));
}

std::vector<CString> CVeldrunDlg::ListedEntries() const {
    std::vector<CString> entries(static_cast<std::size_t>(m_inputList.GetCount()));
    for (std::size_t i = 0; i < entries.size(); ++i)
        m_inputList.GetText(static_cast<int>(i), entries[i]);
    return entries;
}

std::vector<veldrun::Recordings::Clip> CVeldrunDlg::ListedClips(const std::vector<CString>& entries,
                                                                std::vector<bool>& unread) const {
    std::vector<veldrun::Recordings::Clip> clips(entries.size());
    unread.assign(entries.size(), false);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto known = m_read.find(entries[i].Str());
        if (known == m_read.end())
            unread[i] = true;
        else
            clips[i].probe = known->second;
    }
    return clips;
}

// Every entry is read again, as it is measured again in ShowListDetails: files may have come,
// gone or changed since the last refresh. The reader's cache reads only those that changed.
void CVeldrunDlg::UpdateSummary() {
    std::set<std::wstring> listed;
    std::vector<std::wstring> paths;
    for (const CString& entry : ListedEntries()) {
        if (listed.insert(entry.Str()).second)
            paths.push_back(entry.Str());
    }
    for (auto known = m_read.begin(); known != m_read.end();)
        known = listed.count(known->first) ? std::next(known) : m_read.erase(known);
    m_reader.Read(paths);
    ShowListDetails();
}

namespace {

bool SameReading(const boost::optional<veldrun::StreamProbe::Result>& a,
                 const boost::optional<veldrun::StreamProbe::Result>& b) {
    if (!a || !b)
        return !a && !b;
    return a->kind == b->kind && a->packetSize == b->packetSize && a->clockPid == b->clockPid &&
           a->firstClock == b->firstClock && a->lastClock == b->lastClock;
}

// The words of an entry's mark in the list; empty for an entry that continues the one above,
// or starts the list.
const wchar_t* MarkNote(veldrun::Recordings::Mark mark, const veldrun::Recordings::Clip& clip) {
    using Mark = veldrun::Recordings::Mark;
    if (!clip.probe)
        return L"Cannot be read";
    switch (mark) {
    case Mark::NewRecording:
        return L"New recording: its clock does not continue from the clip above";
    case Mark::NotStream:
        return L"Not a transport stream";
    case Mark::Unknown:
        return L"Can't tell whether it continues the clip above: one of them has no clock";
    case Mark::Start:
    case Mark::Continues:
        break;
    }
    return L"";
}

} // namespace

// A result for a path no longer listed is dropped: it would describe nothing on screen, and
// the path is read again if it comes back.
void CVeldrunDlg::TakeReadClips() {
    const std::vector<CString> entries = ListedEntries();
    std::set<std::wstring> listed;
    for (const CString& entry : entries)
        listed.insert(entry.Str());
    bool changed = false;
    for (const ClipReader::Result& result : m_reader.Take()) {
        if (!listed.count(result.path))
            continue;
        const auto known = m_read.find(result.path);
        if (known != m_read.end() && SameReading(known->second, result.probe))
            continue;
        m_read[result.path] = result.probe;
        changed = true;
    }
    if (changed)
        ShowListDetails();
}

// An entry is marked once it and the entry above have been read. A list without any stream
// (other files, joined on purpose) gets no marks and the plain summary.
void CVeldrunDlg::ShowListDetails() {
    const std::vector<CString> entries = ListedEntries();
    const int count = static_cast<int>(entries.size());
    std::int64_t total = 0;
    std::vector<CString> unreadable;
    for (const CString& entry : entries) {
        try {
            total += veldrun::Veldrun::FileSize(WideToNarrow(entry.Str()));
        } catch (const std::exception&) {
            unreadable.push_back(NameOf(entry));
        }
    }

    std::vector<bool> unread;
    const std::vector<veldrun::Recordings::Clip> clips = ListedClips(entries, unread);
    const std::vector<veldrun::Recordings::Mark> marks = veldrun::Recordings::Marks(clips);
    const bool anyStream =
        std::any_of(clips.begin(), clips.end(), [](const veldrun::Recordings::Clip& clip) {
            return clip.probe && clip.probe->kind != veldrun::StreamProbe::Kind::NotStream;
        });
    bool allRead = true;
    for (int i = 0; i < count; ++i) {
        allRead = allRead && !unread[i];
        const bool known = !unread[i] && (i == 0 || !unread[i - 1]);
        m_inputList.SetItemMark(i, anyStream && known ? MarkNote(marks[i], clips[i]) : L"");
    }
    boost::optional<veldrun::Recordings::Summary> recordings;
    if (anyStream && allRead)
        recordings = veldrun::Recordings::Summarize(clips, marks);
    m_summary.SetWindowText(SummaryText(count, total, unreadable, recordings));
}

CString CVeldrunDlg::SummaryText(int count, std::int64_t total,
                                 const std::vector<CString>& unreadable,
                                 const boost::optional<veldrun::Recordings::Summary>& recordings) {
    if (count <= 0)
        return CString();
    const int measured = count - static_cast<int>(unreadable.size());
    CString text;
    text.Format(count == 1 ? L"%d clip" : L"%d clips", count);
    if (recordings) {
        CString part;
        if (recordings->recordings == 1)
            part = L", one recording";
        else
            part.Format(L", %d recordings", static_cast<int>(recordings->recordings));
        text += part;
        if (recordings->notStreams > 0) {
            part.Format(recordings->notStreams == 1 ? L", %d not a transport stream"
                                                    : L", %d not transport streams",
                        static_cast<int>(recordings->notStreams));
            text += part;
        }
        if (recordings->duration)
            text +=
                L", " + NarrowToWide(veldrun::Recordings::FormatDuration(*recordings->duration));
    }
    if (unreadable.empty())
        return text + L", " + SizeText(total) + (recordings ? L"" : L" in all");
    if (measured > 0) {
        CString part;
        part.Format(L", %d of them ", measured);
        text += part + SizeText(total);
    }
    text += L"; " + unreadable.front();
    if (unreadable.size() == 2) {
        text += L" and " + unreadable.back();
    } else if (unreadable.size() > 2) {
        CString more;
        more.Format(L" and %d more", static_cast<int>(unreadable.size() - 1));
        text += more;
    }
    return text + L" cannot be read";
}

void CVeldrunDlg::OnListOrOutputChange() {
    UpdateControls();
}

void CVeldrunDlg::OnSelectOutput() {
    CFileDialog dialog(FALSE, L"mts", nullptr, OFN_OVERWRITEPROMPT, kStreamFilter, nullptr, 0);
    if (dialog.DoModal() == IDOK) {
        m_chosenOutput = dialog.GetPathName();
        m_outputEdit.SetWindowText(m_chosenOutput);
    }
    UpdateControls();
}

void CVeldrunDlg::OnMerge() {
    try {
        CollectInputFiles();
    } catch (const std::range_error&) {
        // Passing on a changed path could name another file: refuse rather than guess.
        AfxMessageBox(L"Merge error: Can't convert file name", MB_OK, 0);
        return;
    }
    if (!ConfirmReplace())
        return;
    // From here on, a merge into the same file asks again: it would replace this one's work.
    m_chosenOutput.Empty();

    // Reading pauses so that the merge has the disks to itself; it goes on afterwards.
    m_reader.Pause();
    CProgressDlg progress(boost::weak_ptr<veldrun::Veldrun>(m_job), &m_inputList);
    const INT_PTR result = progress.DoModal();
    m_reader.Resume();
    if (result == IDOK) {
        AfxMessageBox(L"Merging complete", MB_OK | MB_ICONINFORMATION, 0);
    } else if (result == IDCANCEL) {
        CString text = CString(L"Merge error: ") + NarrowToWide(m_job->ErrorText());
        const std::string detail = m_job->ErrorDetail();
        try {
            if (!detail.empty())
                text += CString(L"\n") + NarrowToWide(detail);
        } catch (const std::range_error&) {
            // A detail that is not valid text is left out; the message stands on its own.
        }
        AfxMessageBox(text, MB_OK, 0);
    }
}

// Asks before a merge replaces an existing file, unless the user chose that file in
// Select..., whose dialog asked already. Returns false when the answer is No.
bool CVeldrunDlg::ConfirmReplace() {
    CString output;
    m_outputEdit.GetWindowText(output);
    std::error_code unknown;
    if ((!m_chosenOutput.IsEmpty() && output == m_chosenOutput) ||
        !std::filesystem::is_regular_file(m_job->files->output, unknown))
        return true;
    const CString question = output + L" already exists.\nDo you want to replace it?";
    return AfxMessageBox(question, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2, 0) == IDYES;
}
