#include "ui/CVeldrunDlg.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

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
#include "progress/SizeFormat.h"
#include "res/Resource.h"
#include "ui/CAboutDlg.h"

CVeldrunDlg::CVeldrunDlg(CWnd* parent)
    : CDialog(IDD_MAIN_DIALOG, parent), m_job(new veldrun::Veldrun) {
    if (CWinApp* app = AfxGetApp())
        m_hIcon = app->LoadIcon(IDR_MAINFRAME);
}

CVeldrunDlg::~CVeldrunDlg() = default;

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
    const std::size_t slash = path.Str().find_last_of(L'/');
    return slash == std::wstring::npos ? path : CString(path.Str().substr(slash + 1));
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

// The moves need no refresh: the selection moves with its entry, and setting it sends no
// selection-change notice.
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
}

// Keeps the selected entry selected; a refresh follows, as the order changed.
void CVeldrunDlg::OnSortByName() {
    const int count = m_inputList.GetCount();
    std::vector<CString> entries(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        m_inputList.GetText(i, entries[i]);
    std::vector<int> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&entries](int a, int b) {
        return StrCmpLogicalW(entries[a], entries[b]) < 0;
    });

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
    return SizeFormat::Size(size);
}

// Every entry is measured again: files may have come, gone or grown since the last refresh.
void CVeldrunDlg::UpdateSummary() {
    const int count = m_inputList.GetCount();
    std::int64_t total = 0;
    std::vector<CString> unreadable;
    for (int i = 0; i < count; ++i) {
        CString entry;
        m_inputList.GetText(i, entry);
        try {
            total += veldrun::Veldrun::FileSize(WideToNarrow(entry.Str()));
        } catch (const std::exception&) {
            unreadable.push_back(NameOf(entry));
        }
    }
    m_summary.SetWindowText(SummaryText(count, total, unreadable));
}

CString CVeldrunDlg::SummaryText(int count, std::int64_t total,
                                 const std::vector<CString>& unreadable) {
    if (count <= 0)
        return CString();
    const int measured = count - static_cast<int>(unreadable.size());
    CString text;
    text.Format(count == 1 ? L"%d clip" : L"%d clips", count);
    if (unreadable.empty())
        return text + L", " + SizeText(total) + L" in all";
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

    CProgressDlg progress(boost::weak_ptr<veldrun::Veldrun>(m_job), &m_inputList);
    const INT_PTR result = progress.DoModal();
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
