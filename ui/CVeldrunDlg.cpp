#include "ui/CVeldrunDlg.h"

#include <cstddef>
#include <filesystem>
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
}

BEGIN_MESSAGE_MAP(CVeldrunDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_DROPFILES()
ON_BN_CLICKED(IDC_ADD, &CVeldrunDlg::OnAdd)
ON_BN_CLICKED(IDC_REMOVE, &CVeldrunDlg::OnRemove)
ON_BN_CLICKED(IDC_MOVE_UP, &CVeldrunDlg::OnMoveUp)
ON_BN_CLICKED(IDC_MOVE_DOWN, &CVeldrunDlg::OnMoveDown)
ON_BN_CLICKED(IDC_MERGE, &CVeldrunDlg::OnMerge)
ON_BN_CLICKED(IDC_SELECT_OUTPUT, &CVeldrunDlg::OnSelectOutput)
ON_EN_CHANGE(IDC_OUTPUT_FILE, &CVeldrunDlg::OnListOrOutputChange)
ON_LBN_SELCHANGE(IDC_INPUT_LIST, &CVeldrunDlg::OnListOrOutputChange)
END_MESSAGE_MAP()

BOOL CVeldrunDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    DragAcceptFiles(TRUE);

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
// Room for 256 names of the longest Win32 path, each with its NUL, and the closing NUL.
const int kAddBufferSize = 256 * (260 + 1) + 1;

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
    for (UINT i = 0; i < count; ++i) {
        // Names are taken whole: a cut name would be skipped as missing.
        const UINT length = DragQueryFile(drop, i, nullptr, 0);
        CString name;
        const UINT copied = DragQueryFile(drop, i, name.GetBuffer(length), length + 1);
        name.ReleaseBuffer(static_cast<int>(copied));
        const DWORD attributes = GetFileAttributes(name);
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        m_inputList.AddString(name);
        UpdateHorizontalExtent(name);
        UpdateControls();
    }
    DragFinish(drop);
}

void CVeldrunDlg::OnAdd() {
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, kStreamFilter);
    dialog.m_ofn.lpstrTitle = L"Select Streams";
    CString scratch;
    LPTSTR buffer = scratch.GetBuffer(kAddBufferSize);
    buffer[0] = L'\0';
    dialog.GetOFN().lpstrFile = buffer;
    dialog.GetOFN().nMaxFile = kAddBufferSize;

    if (dialog.DoModal() == IDOK) {
        if (!dialog.GetFileName().IsEmpty()) {
            const CString path(buffer);
            m_inputList.AddString(path);
            UpdateHorizontalExtent(path);
            UpdateControls();
        } else {
            const std::vector<CString> pieces = SplitSelection(buffer, kAddBufferSize);
            // The separator is added even after a folder that ends in one, such as the root.
            const CString prefix = pieces.empty() ? CString() : pieces.front() + L"/";
            for (std::size_t i = 1; i < pieces.size(); ++i) {
                const CString entry = prefix + pieces[i];
                m_inputList.AddString(entry);
                UpdateHorizontalExtent(entry);
                UpdateControls();
            }
        }
    }

    scratch.ReleaseBuffer(-1);
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

    const int selected = m_inputList.GetCurSel();
    if (selected < 0) {
        m_selectionEdit.SetWindowText(L"<None selected>");
        m_sizeEdit.SetWindowText(L"<N/A>");
        return;
    }
    CString entry;
    m_inputList.GetText(selected, entry);
    m_selectionEdit.SetWindowText(entry);

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
    const std::int64_t kilo = size / 1000;
    const std::int64_t mega = kilo / 1000;
    const std::int64_t giga = mega / 1000;
    // One digit after the point: the tenths of the unit, truncated, so that the text never
    // shows more than the file holds.
    CString text;
    if (giga > 0)
        text.Format(L"%d.%d GB", static_cast<int>(giga), static_cast<int>(mega % 1000 / 100));
    else if (mega > 0)
        text.Format(L"%d.%d MB", static_cast<int>(mega), static_cast<int>(kilo % 1000 / 100));
    else
        text.Format(L"%d.%d BYTES", static_cast<int>(size), 0);
    return text;
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
