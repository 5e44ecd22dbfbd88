// CQtBackend: the window layer shown to people with Qt Widgets. Every
// window of the model gets a peer (a widget at the model's pixel
// rectangle); modal loops are nested Qt event loops; message boxes and file
// dialogs are Qt's. A QApplication must exist for as long as the backend.
//
// What a person does reaches the program only in the active window (the
// innermost modal dialog) and only between the program's handlers: while a
// handler runs (a merge), the window takes no input, but it keeps painting.
//
// Asked to end by a signal (CatchInterruptSignals), the backend closes the
// windows one after the other, innermost first, as their close boxes would,
// once the program's handler in them has returned.
#pragma once

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>

#include <functional>
#include <vector>

#include "platform/backend.h"
#include "platform/qt/qtfiledialog.h"

class QEventLoop;

class CQtBackend : public IBackend, public IModalServices {
public:
    CQtBackend();
    CQtBackend(const CQtBackend&) = delete;
    CQtBackend& operator=(const CQtBackend&) = delete;
    ~CQtBackend() override;

    std::unique_ptr<IWindowPeer> CreatePeer(CWindowRecord& window) override;
    IModalServices& ModalServices() override { return *this; }
    // From the primary screen, 96 without one.
    int LogicalDpi() const override;
    void MessagePosted() override;

    void RunModalLoop(HWND hDialog) override;
    void EndModalLoop(HWND hDialog) override;
    int MessageBox(HWND hOwner, const CString& strText, const CString& strCaption, UINT nType) override;
    bool GetFileName(const FileDialogRequest& request, CString& strPath) override;

    // Whether a person may act on hWnd now: it lies in the active window,
    // and no handler of the program is running in that window's loop.
    bool CanAct(HWND hWnd) const;
    // Runs a person's action (a CUserInput call) when CanAct; what the
    // program does in answer runs inside it.
    void Act(HWND hWnd, const std::function<CString()>& action);
    // Lets the windows repaint while a handler runs, taking no input; cheap
    // enough to call on every step of a long operation.
    void KeepPainting();

private:
    struct ModalLoop {
        HWND hDialog;
        QEventLoop* pLoop;
    };

    std::vector<ModalLoop> m_loops;
    // Per loop level (0: outside every modal loop), whether a handler runs.
    std::vector<bool> m_handlerRunning{false};
    void CloseInnermostWindow();
    void DeliverPostedMessages();

    QElapsedTimer m_sincePainted;
    CQtFileDialog m_fileDialog;
    std::unique_ptr<QSocketNotifier> m_pInterruptNotifier;
    QTimer m_closeTimer;
    QTimer m_postedTimer;
};
