#include "platform/afxmessagebox.h"

#include "platform/backend.h"
#include "platform/cwinapp.h"
#include "platform/modalstack.h"

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT /*nIDHelp*/)
{
    return AfxGetBackend().ModalServices().MessageBox(CModalStack::Top(), CString(lpszText),
                                                      CString(AfxGetAppName()), nType);
}
