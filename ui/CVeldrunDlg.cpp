#include "ui/CVeldrunDlg.h"

#include "platform/CDataExchange.h"
#include "platform/CMenu.h"
#include "platform/CPaintDC.h"
#include "platform/CWinApp.h"
#include "platform/WinApi.h"
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

void CVeldrunDlg::OnDropFiles(HDROP) {}
void CVeldrunDlg::OnAdd() {}
void CVeldrunDlg::OnRemove() {}
void CVeldrunDlg::OnMoveUp() {}
void CVeldrunDlg::OnMoveDown() {}
void CVeldrunDlg::UpdateHorizontalExtent(const CString&) {}
void CVeldrunDlg::OnMerge() {}
void CVeldrunDlg::OnSelectOutput() {}
void CVeldrunDlg::OnListOrOutputChange() {}
void CVeldrunDlg::UpdateControls() {}
void CVeldrunDlg::CollectInputFiles() {}
