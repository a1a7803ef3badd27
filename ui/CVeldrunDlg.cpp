#include "ui/CVeldrunDlg.h"

#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QTreeWidget>

#include "engine/MergeError.h"
#include "engine/TextConversion.h"
#include "platform/AfxMessageBox.h"
#include "platform/CDataExchange.h"
#include "platform/CFileDialog.h"
#include "platform/CMenu.h"
#include "platform/CPaintDC.h"
#include "platform/CWinApp.h"
#include "platform/WinApi.h"
#include "progress/CProgressDlg.h"
#include "recordings/Recordings.h"
#include "res/Resource.h"
#include "res/Tr.h"
#include "ui/Accessibility.h"
#include "ui/CAboutDlg.h"
#include "ui/ChoiceBox.h"
#include "ui/ErrorTexts.h"
#include "ui/FileSizeField.h"
#include "ui/ListCommands.h"
#include "ui/MergeReport.h"
#include "ui/NaturalOrder.h"
#include "ui/Settings.h"
#include "ui/StreamFilter.h"

namespace {

// What a drop or the command line may list: an existing file, or a folder for its clips.
bool IsListable(const std::wstring& path) {
    return GetFileAttributes(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

CVeldrunDlg::CVeldrunDlg(CWnd* parent)
    : CDialog(IDD_MAIN_DIALOG, parent), m_job(new veldrun::Veldrun), m_list(this),
      m_folders(this, [this](const std::vector<std::wstring>& paths) { AddInputFiles(paths); }),
      m_details(m_list, this, WM_CLIPS_READ) {
    if (CWinApp* app = AfxGetApp())
        m_hIcon = app->LoadIcon(IDR_MAINFRAME);
}

CVeldrunDlg::~CVeldrunDlg() = default;

INT_PTR CVeldrunDlg::DoModal() {
    m_quitSignals = std::make_unique<QuitSignals>([this] { OnQuitSignal(); });
    const INT_PTR result = CDialog::DoModal();
    m_quitSignals.reset();
    m_folders.Stop();
    m_details.Stop();
    return result;
}

void CVeldrunDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_INPUT_LIST, m_inputList);
    DDX_Control(dx, IDC_OUTPUT_FILE, m_outputEdit);
    DDX_Control(dx, IDC_CURRENT_SELECTION, m_selectionEdit);
    DDX_Control(dx, IDC_FILE_SIZE, m_sizeEdit);
    DDX_Control(dx, IDC_MERGE, m_mergeButton);
    DDX_Control(dx, IDC_EACH_RECORDING, m_eachRecording);
    DDX_Control(dx, IDC_VERIFY, m_verify);
    DDX_Control(dx, IDC_SUMMARY, m_summary);
}

BEGIN_MESSAGE_MAP(CVeldrunDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_DROPFILES()
ON_BN_CLICKED(IDC_ADD, &CVeldrunDlg::OnAdd)
ON_BN_CLICKED(IDC_ADD_FOLDER, &CVeldrunDlg::OnAddFolder)
ON_BN_CLICKED(IDC_REMOVE, &CVeldrunDlg::OnRemove)
ON_BN_CLICKED(IDC_MOVE_UP, &CVeldrunDlg::OnMoveUp)
ON_BN_CLICKED(IDC_MOVE_DOWN, &CVeldrunDlg::OnMoveDown)
ON_BN_CLICKED(IDC_MERGE, &CVeldrunDlg::OnMerge)
ON_BN_CLICKED(IDC_SELECT_OUTPUT, &CVeldrunDlg::OnSelectOutput)
ON_BN_CLICKED(IDC_EACH_RECORDING, &CVeldrunDlg::OnEachRecording)
ON_BN_CLICKED(IDC_VERIFY, &CVeldrunDlg::OnVerify)
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
    m_output.Attach(this, &m_outputEdit, &m_eachRecording, &m_verify);

    // File Size shows its longest text whole in the user's language and font; the template
    // was laid out for the English text in Windows' font.
    if (auto* sizeField = qobject_cast<QLineEdit*>(m_sizeEdit.GetWidget()))
        FileSizeField::Fit(sizeField, m_selectionEdit.GetWidget(), ClipDetails::SizeFieldTexts());
    m_details.Attach(&m_inputList, &m_summary, &m_sizeEdit);
    auto* list = static_cast<QTreeWidget*>(m_inputList.GetWidget());
    // The list's menu, keys and drag live as long as its widget.
    new ListCommands(list,
                     {[this] { OnRemove(); }, [this] { OnMoveUp(); }, [this] { OnMoveDown(); },
                      [this] { OnSortByName(); }, [this] { OnOrderByRecording(); },
                      [this] { OnAddFolder(); }, [this] { return m_details.AllRead(); },
                      [this](int from, int to) {
                          m_list.FollowMove(from, to);
                          m_inputList.SetCurSel(to);
                          UpdateControls();
                      }});
    Accessibility::SetUpMainDialog(*this);

    // The file manager hands the files over in its own order, which is kept.
    std::vector<std::wstring> start;
    for (const CString& path : m_startFiles)
        if (IsListable(path.Str()))
            start.push_back(path.Str());
    m_folders.Add(start, [this](const std::vector<std::wstring>& entries) {
        const int first = m_list.Count();
        AddInputFiles(entries);
        if (m_list.Count() > first)
            m_list.Select(first);
        UpdateControls();
    });

    UpdateControls();
    LoadRemembered();
    return TRUE;
}

BOOL CVeldrunDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_CLIPS_READ) {
        m_details.TakeReadings();
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
    return {(client.right - client.left - iconWidth + 1) / 2,
            (client.bottom - client.top - iconHeight + 1) / 2};
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

void CVeldrunDlg::Inserted(int index, const std::wstring& path) {
    m_inputList.InsertString(index, path.c_str());
}

void CVeldrunDlg::Removed(int index) {
    m_inputList.DeleteString(static_cast<UINT>(index));
}

void CVeldrunDlg::Selected(int index) {
    m_inputList.SetCurSel(index);
}

void CVeldrunDlg::OnDropFiles(HDROP drop) {
    const UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    if (count == 0)
        return;
    std::vector<std::wstring> names;
    for (UINT i = 0; i < count; ++i) {
        // Names are taken whole: a cut name would be skipped as missing.
        const UINT length = DragQueryFile(drop, i, nullptr, 0);
        CString name;
        const UINT copied = DragQueryFile(drop, i, name.GetBuffer(length), length + 1);
        name.ReleaseBuffer(static_cast<int>(copied));
        names.push_back(name.Str());
    }
    DragFinish(drop);
    // The file manager hands them over in the order they were selected in.
    m_folders.Add(InputList::Arriving(names, NaturalOrder::Less, IsListable));
}

void CVeldrunDlg::AddInputFiles(const std::vector<std::wstring>& paths) {
    for (const std::wstring& path : paths) {
        m_list.Add(path);
        UpdateHorizontalExtent(path.c_str());
        UpdateControls();
    }
}

void CVeldrunDlg::OnAdd() {
    // The dialog's own result buffer grows to fit the selection.
    const std::wstring filter = StreamFilter::Text();
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT, filter.c_str());
    const std::wstring title = res::Tr("CVeldrunDlg", "Select Streams");
    dialog.m_ofn.lpstrTitle = title.c_str();
    const std::wstring lastFolder = Settings::LastInputFolder();
    dialog.m_ofn.lpstrInitialDir = lastFolder.c_str();

    if (dialog.DoModal() == IDOK) {
        const LPCTSTR buffer = dialog.GetOFN().lpstrFile;
        std::vector<std::wstring> chosen = {buffer};
        // Dialogs hand several names over in click order or in their own order.
        if (dialog.GetFileName().IsEmpty())
            chosen =
                InputList::Arriving(InputList::SelectionEntries(buffer, dialog.GetOFN().nMaxFile),
                                    NaturalOrder::Less, [](const std::wstring&) { return true; });
        m_folders.AddFiles(chosen);
    } else if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) {
        AfxMessageBox(res::Tr("CVeldrunDlg",
                              "Too many files were selected at once. Add them in smaller groups.")
                          .c_str(),
                      MB_OK | MB_ICONERROR, 0);
    }

    UpdateControls();
}

void CVeldrunDlg::OnAddFolder() {
    m_folders.Choose();
}

void CVeldrunDlg::OnRemove() {
    m_list.Remove();
    UpdateControls();
}

// The moves need no refresh of the selection's fields: the selection moves with its entry, and
// setting it sends no selection-change notice. The marks and the summary follow the order.
void CVeldrunDlg::OnMoveUp() {
    if (m_list.MoveUp())
        m_details.ListChanged();
}

void CVeldrunDlg::OnMoveDown() {
    if (m_list.MoveDown())
        m_details.ListChanged();
}

void CVeldrunDlg::OnSortByName() {
    m_list.Reorder(m_list.SortedOrder(NaturalOrder::Less));
    UpdateControls();
}

// Chains are ordered as Sort by Name orders the entries themselves.
void CVeldrunDlg::OnOrderByRecording() {
    bool allRead = false;
    const std::vector<std::wstring>& paths = m_list.Paths();
    const std::vector<veldrun::Recordings::Clip> clips = m_details.Facts().Clips(paths, allRead);
    if (!allRead)
        return;
    m_list.Reorder(veldrun::Recordings::Order(clips, [&paths](std::size_t a, std::size_t b) {
        return NaturalOrder::Less(paths[a], paths[b]);
    }));
    UpdateControls();
}

// The Name column only grows: entries are measured as they come, never again.
void CVeldrunDlg::UpdateHorizontalExtent(const CString& entry) {
    m_details.FitName(entry.Str());
}

bool CVeldrunDlg::CollectInputFiles(bool resolveOutput) {
    veldrun::JobFiles& files = *m_job->files;
    files.inputs.clear();
    bool converted = true;
    for (const std::wstring& path : m_list.Paths()) {
        const std::optional<std::string> narrow = veldrun::ToNarrow(path);
        converted = converted && narrow.has_value();
        files.inputs.push_back(narrow.value_or(std::string()));
    }
    CString typed;
    m_outputEdit.GetWindowText(typed);
    // Resolving may read the desktop's folder settings: only for a merge, not every keystroke.
    const std::optional<std::string> narrow =
        veldrun::ToNarrow(resolveOutput ? m_output.Path() : std::wstring(typed.Str()));
    files.output = narrow.value_or(std::string());
    return converted && narrow.has_value();
}

void CVeldrunDlg::OnEachRecording() {
    m_output.EachRecordingChanged();
}

void CVeldrunDlg::OnVerify() {
    m_output.VerifyChanged();
}

std::vector<OutputPlan::Recording> CVeldrunDlg::ListRecordings(bool& allRead) const {
    return OutputPlan::Split(m_job->files->inputs,
                             m_details.Facts().Clips(m_list.Paths(), allRead));
}

// A path that cannot be converted is reported when Merge is pressed; the refresh shows what it
// can.
void CVeldrunDlg::UpdateControls() {
    CollectInputFiles(false);

    CString output;
    m_outputEdit.GetWindowText(output);
    m_mergeButton.EnableWindow(output.GetLength() != 0 && m_list.Count() != 0);
    m_details.ListChanged();

    const std::wstring* selected = m_list.SelectedPath();
    if (!selected) {
        m_selectionEdit.SetWindowText(res::Tr("CVeldrunDlg", "<None selected>").c_str());
        m_sizeEdit.SetWindowText(ClipDetails::NoSizeText().c_str());
        return;
    }
    m_selectionEdit.SetWindowText(selected->c_str());
    // A path too long for the field shows its end, the file name.
    const int length = static_cast<int>(selected->size());
    m_selectionEdit.SetSel(length, length);
    // The size as the reader found it: a file that is gone, unreadable or a folder has none.
    m_sizeEdit.SetWindowText(m_details.SelectedSizeText());
}

// The user's selection in the list box is the list's.
void CVeldrunDlg::OnListOrOutputChange() {
    m_list.FollowSelection(m_inputList.GetCurSel());
    UpdateControls();
}

void CVeldrunDlg::OnSelectOutput() {
    bool allRead = false;
    m_output.Select(m_job->files->inputs, ListRecordings(allRead));
    UpdateControls();
}

void CVeldrunDlg::OnMerge() {
    // The merge reads the list from its thread: a folder's clips wait until it is done.
    const FolderSearch::Hold hold(m_folders);
    if (!CollectInputFiles()) {
        // Passing on a changed path could name another file: refuse rather than guess.
        AfxMessageBox(res::Tr("CVeldrunDlg", "Merge error: Can't convert file name").c_str(),
                      MB_OK | MB_ICONERROR, 0);
        return;
    }
    bool allRead = false;
    const std::vector<OutputPlan::Recording> recordings = ListRecordings(allRead);
    const bool firstRead = m_list.Count() != 0 && m_details.Facts().IsRead(m_list.Paths()[0]);
    std::vector<bool> fromFileDate;
    if (!m_output.Prepare(*m_job, recordings, allRead, firstRead, fromFileDate))
        return;

    // Reading pauses so that the merge has the disks to itself; it goes on afterwards.
    m_details.Reader().Pause();
    CProgressDlg progress(boost::weak_ptr<veldrun::Veldrun>(m_job), &m_inputList);
    m_progress = &progress;
    const INT_PTR result = progress.DoModal();
    m_progress = nullptr;
    NoteMergeEnded(result);
    m_details.Reader().Resume();
    const bool aborted = m_job->ErrorKind() == veldrun::MergeError::Kind::UserAborted;
    if (m_quitting) {
        EndDialog(IDCANCEL);
    } else if (result == IDOK) {
        MergeReport::Complete(this, m_job->Outcome(), fromFileDate);
    } else if (result == IDCANCEL && aborted) {
        MergeReport::Cancelled(this, *m_job, fromFileDate);
    } else if (result == IDCANCEL) {
        std::wstring text =
            res::Filled(res::Tr("CVeldrunDlg", "Merge error: %1"), {ErrorTexts::Message(*m_job)});
        const std::wstring detail = ErrorTexts::Detail(m_job->ErrorNotes());
        if (!detail.empty())
            text += L"\n" + detail;
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONERROR, 0);
    }
}

// Dialogs above this one close with their safe answer; a running merge is cancelled as its
// Cancel does, and OnMerge ends this dialog once the merge has stopped.
void CVeldrunDlg::OnQuitSignal() {
    m_quitting = true;
    m_folders.Stop();
    if (m_progress) {
        m_progress->PostMessage(WM_COMMAND, IDCANCEL, 0);
        return;
    }
    while (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        if (modal == GetWidget())
            break;
        modal->reject();
    }
    EndDialog(IDCANCEL);
}

void CVeldrunDlg::OnCancel() {
    if (ConfirmQuit())
        CDialog::OnCancel();
}

bool CVeldrunDlg::ConfirmQuit() {
    const int count = m_list.Count();
    if (count == 0 || m_list.Paths() == m_mergedList)
        return true;
    // English takes its singular from its own text: the program needs no English translation.
    const std::wstring question =
        count == 1 ? res::Tr("CVeldrunDlg", "Quit Veldrun and forget the list of 1 clip?")
                   : res::Tr("CVeldrunDlg", "Quit Veldrun and forget the list of %n clips?",
                             nullptr, count);
    return ChoiceBox::Ask(this, QMessageBox::Warning, question,
                          {res::Tr("CVeldrunDlg", "&Quit"), res::Tr("CVeldrunDlg", "Cancel")}, 1,
                          1) == 0;
}

void CVeldrunDlg::NoteMergeEnded(INT_PTR result) {
    m_mergedList.clear();
    if (result != IDOK)
        return;
    m_mergedList = m_list.Paths();
    const veldrun::JobFiles& files = *m_job->files;
    const std::string& output = files.parts.empty() ? files.output : files.parts.front().path;
    Settings::SetLastOutputFolder(
        QFileInfo(QFile::decodeName(output.c_str())).absolutePath().toStdWString());
}

void CVeldrunDlg::LoadRemembered() {
    QWidget* window = GetWidget();
    const QByteArray geometry = Settings::WindowGeometry();
    if (!geometry.isEmpty())
        window->restoreGeometry(geometry);
    QHeaderView* header = static_cast<QTreeWidget*>(m_inputList.GetWidget())->header();
    const std::vector<int> widths = Settings::ColumnWidths();
    // The last column stretches to the list's edge: its width follows the others.
    for (int column = 0; column + 1 < header->count(); ++column) {
        if (column < static_cast<int>(widths.size()))
            header->resizeSection(column, widths[column]);
    }
    // Saved as the dialog ends, while its window and list are still there.
    QObject::connect(static_cast<QDialog*>(window), &QDialog::finished, window,
                     [this] { SaveRemembered(); });
}

void CVeldrunDlg::SaveRemembered() {
    Settings::SetWindowGeometry(GetWidget()->saveGeometry());
    const QHeaderView* header = static_cast<QTreeWidget*>(m_inputList.GetWidget())->header();
    std::vector<int> widths;
    for (int column = 0; column < header->count(); ++column)
        widths.push_back(header->sectionSize(column));
    Settings::SetColumnWidths(widths);
    // Files are added at the end: the last one's folder is where the user last took them from.
    if (m_list.Count() != 0)
        Settings::SetLastInputFolder(QFileInfo(QString::fromStdWString(m_list.Paths().back()))
                                         .absolutePath()
                                         .toStdWString());
}
