#pragma once

#include "platform/CWnd.h"

class CDataExchange;
class DialogWindow;

// A modal dialog built from a dialog template of res/.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Creates the window from the template, calls OnInitDialog and runs the dialog until
    // EndDialog. Returns the end code, or -1 when the window cannot be created.
    virtual INT_PTR DoModal();
    // Binds the controls (the data exchange); TRUE lets the first tab stop take the focus.
    virtual BOOL OnInitDialog();
    void EndDialog(int result);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

protected:
    virtual void DoDataExchange(CDataExchange* dx);
    // The commands IDOK (data exchange, then end with IDOK) and IDCANCEL (end with IDCANCEL).
    virtual void OnOK();
    virtual void OnCancel();
    // WM_CLOSE is the command IDCANCEL.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    DECLARE_MESSAGE_MAP()

private:
    QWidget* OwnerWidget() const;
    void FocusFirstTabStop();

    UINT m_templateId;
    CWnd* m_parent;
    DialogWindow* m_window = nullptr;
    bool m_ended = false;
    int m_result = 0;
};
