// CHeadlessBackend: windows without a screen. No peers; the modal loops,
// message boxes and file dialogs are the scripted user's.
#pragma once

#include "platform/backend.h"

class CScriptedUser;

class CHeadlessBackend : public IBackend, public IModalServices {
public:
    void SetUser(CScriptedUser* pUser) { m_pUser = pUser; }
    void SetDpi(int nDpi) { m_nDpi = nDpi; }

    std::unique_ptr<IWindowPeer> CreatePeer(CWindowRecord& window) override;
    IModalServices& ModalServices() override { return *this; }
    int LogicalDpi() const override { return m_nDpi; }

    void RunModalLoop(HWND hDialog) override;
    void EndModalLoop(HWND hDialog) override;
    int MessageBox(HWND hOwner, const CString& strText, const CString& strCaption, UINT nType) override;
    bool GetFileName(const FileDialogRequest& request, CString& strPath) override;

private:
    CScriptedUser& User();

    CScriptedUser* m_pUser = nullptr;
    int m_nDpi = 96;
};
