#include "platform/CDataExchange.h"

#include <stdexcept>
#include <string>

#include "platform/CWnd.h"

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.GetWidget())
        return;
    CWnd* item = dx->m_pDlgWnd->GetDlgItem(id);
    if (!item)
        throw std::invalid_argument("The dialog has no control " + std::to_string(id));
    control.Attach(item->GetWidget());
}
