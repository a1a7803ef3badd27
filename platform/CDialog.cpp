#include "platform/CDialog.h"

#include <QWidget>

#include "platform/CDataExchange.h"
#include "platform/CWinApp.h"
#include "platform/DialogBuilder.h"
#include "platform/DialogWindow.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, &CDialog::OnOK)
ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    const res::DialogTemplate* dialog = res::DialogTemplate::Find(static_cast<int>(m_templateId));
    if (!dialog)
        return -1;
    DialogWindow window(this, OwnerWidget());
    const auto notify = [this](int id, WORD code) {
        SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code), 0);
    };
    if (!DialogBuilder::Build(*dialog, &window, notify))
        return -1;
    Attach(&window);
    m_window = &window;
    m_ended = false;
    m_result = 0;
    // Lets go of the window however the dialog ends, an exception included.
    struct Release {
        CDialog* dialog;
        ~Release() {
            dialog->m_window = nullptr;
            dialog->Detach();
        }
    } release{this};
    if (OnInitDialog())
        FocusFirstTabStop();
    // EndDialog may have come during the initialisation already.
    return m_ended ? m_result : window.exec();
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

// The first end counts: like a Win32 dialog, which is gone after the message that ended it,
// the dialog takes no posted message after it.
void CDialog::EndDialog(int result) {
    if (m_ended)
        return;
    DropPostedMessages();
    m_result = result;
    m_ended = true;
    if (m_window && m_window->isVisible())
        m_window->done(result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return 0;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

// Without a parent, the application's main window owns the dialog, unless it is that window.
QWidget* CDialog::OwnerWidget() const {
    if (m_parent)
        return m_parent->GetWidget();
    CWnd* main = AfxGetMainWnd();
    return main && main != this ? main->GetWidget() : nullptr;
}

// Win32 gives the focus to the first enabled, visible tab stop in template order.
void CDialog::FocusFirstTabStop() {
    for (QObject* child : m_window->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        const DWORD style = child->property(DialogBuilder::kStyleProperty).toUInt();
        if (widget && (style & WS_TABSTOP) && widget->isEnabled() && !widget->isHidden()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}
