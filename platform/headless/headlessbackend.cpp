#include "platform/headless/headlessbackend.h"

#include <cstdio>
#include <cstdlib>

#include "platform/headless/scripteduser.h"

std::unique_ptr<IWindowPeer> CHeadlessBackend::CreatePeer(CWindowRecord& /*window*/)
{
    return nullptr;
}

CScriptedUser& CHeadlessBackend::User()
{
    if (!m_pUser) {
        std::fputs("headless backend used without a scripted user\n", stderr);
        std::abort();
    }
    return *m_pUser;
}

void CHeadlessBackend::RunModalLoop(HWND hDialog)
{
    User().RunModalLoop(hDialog);
}

void CHeadlessBackend::EndModalLoop(HWND /*hDialog*/)
{
    // The loop ends by itself once the dialog is marked as ended.
}

int CHeadlessBackend::MessageBox(HWND /*hOwner*/, const CString& strText, const CString& strCaption,
                                 UINT nType)
{
    return User().AnswerMessageBox(strText, strCaption, nType);
}

bool CHeadlessBackend::GetFileName(const FileDialogRequest& request, CString& strPath)
{
    return User().AnswerFileDialog(request, strPath);
}
