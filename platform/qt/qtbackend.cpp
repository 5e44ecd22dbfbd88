#include "platform/qt/qtbackend.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>

#include <algorithm>

#include "core/interruptsignals.h"
#include "platform/messagequeue.h"
#include "platform/modalstack.h"
#include "platform/qt/qtbuttonpeer.h"
#include "platform/qt/qtcomboboxpeer.h"
#include "platform/qt/qtdialogpeer.h"
#include "platform/qt/qteditpeer.h"
#include "platform/qt/qtlistboxpeer.h"
#include "platform/qt/qtmessagebox.h"
#include "platform/qt/qtprogresspeer.h"
#include "platform/qt/qtsimplecombopeer.h"
#include "platform/qt/qtstaticpeer.h"
#include "platform/styles.h"
#include "platform/userinput.h"

namespace {

// While a handler runs, the windows repaint this often at most.
constexpr int kPaintIntervalMs = 40;
// Asked to end, the windows close one at a time at this pace.
constexpr int kCloseIntervalMs = 20;

}  // namespace

CQtBackend::CQtBackend()
{
    // Windows are shown and hidden by the program's dialogs; hiding the last
    // one must not end the event loops that the modal loops run on.
    QApplication::setQuitOnLastWindowClosed(false);
    m_sincePainted.start();
    m_postedTimer.setSingleShot(true);
    QObject::connect(&m_postedTimer, &QTimer::timeout, [this] { DeliverPostedMessages(); });
    m_closeTimer.setInterval(kCloseIntervalMs);
    QObject::connect(&m_closeTimer, &QTimer::timeout, [this] { CloseInnermostWindow(); });
    if (GetInterruptDescriptor() >= 0) {
        m_pInterruptNotifier = std::make_unique<QSocketNotifier>(GetInterruptDescriptor(), QSocketNotifier::Read);
        QObject::connect(m_pInterruptNotifier.get(), &QSocketNotifier::activated, [this] {
            m_pInterruptNotifier->setEnabled(false);
            m_closeTimer.start();
        });
    }
}

void CQtBackend::MessagePosted()
{
    m_postedTimer.start(0);
}

// Between the program's handlers only: while one runs (a message box of
// its own, a merge), the messages wait.
void CQtBackend::DeliverPostedMessages()
{
    if (m_handlerRunning.back()) {
        m_postedTimer.start(kCloseIntervalMs);
        return;
    }
    m_handlerRunning.back() = true;
    CMessageQueue::DeliverPosted();
    m_handlerRunning.back() = false;
}

void CQtBackend::CloseInnermostWindow()
{
    // A message box or file dialog of Qt's own goes first, as if cancelled.
    if (auto* pDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        pDialog && (qobject_cast<QMessageBox*>(pDialog) || qobject_cast<QFileDialog*>(pDialog))) {
        pDialog->reject();
        return;
    }
    HWND hDialog = CModalStack::Top();
    if (!hDialog) {
        m_closeTimer.stop();
        return;
    }
    Act(hDialog, [hDialog] { return CUserInput::Close(hDialog); });
}

CQtBackend::~CQtBackend() = default;

std::unique_ptr<IWindowPeer> CQtBackend::CreatePeer(CWindowRecord& window)
{
    switch (window.Kind()) {
    case WindowKind::Dialog: return std::make_unique<CQtDialogPeer>(*this, window);
    case WindowKind::Button: return std::make_unique<CQtButtonPeer>(*this, window);
    case WindowKind::Static: return std::make_unique<CQtStaticPeer>(*this, window);
    case WindowKind::Edit: return std::make_unique<CQtEditPeer>(*this, window);
    case WindowKind::ComboBox:
        if ((window.Style() & CBS_TYPEMASK) == CBS_SIMPLE)
            return std::make_unique<CQtSimpleComboPeer>(*this, window);
        return std::make_unique<CQtComboBoxPeer>(*this, window);
    case WindowKind::ListBox: return std::make_unique<CQtListBoxPeer>(*this, window);
    case WindowKind::ProgressBar: return std::make_unique<CQtProgressPeer>(*this, window);
    // Qt shows each tool's tip through the tool's own widget (CQtPeer).
    case WindowKind::ToolTip: return nullptr;
    }
    return nullptr;
}

int CQtBackend::LogicalDpi() const
{
    QScreen* pScreen = QGuiApplication::primaryScreen();
    return pScreen ? qRound(pScreen->logicalDotsPerInchY()) : 96;
}

void CQtBackend::RunModalLoop(HWND hDialog)
{
    if (!CWindowRecord::IsWindow(hDialog) || hDialog->IsDialogEnded())
        return;
    QEventLoop loop;
    m_loops.push_back({hDialog, &loop});
    m_handlerRunning.push_back(false);
    while (CWindowRecord::IsWindow(hDialog) && !hDialog->IsDialogEnded())
        loop.exec(QEventLoop::DialogExec);
    m_handlerRunning.pop_back();
    m_loops.pop_back();
}

void CQtBackend::EndModalLoop(HWND hDialog)
{
    for (const ModalLoop& loop : m_loops)
        if (loop.hDialog == hDialog)
            loop.pLoop->quit();
}

int CQtBackend::MessageBox(HWND hOwner, const CString& strText, const CString& strCaption, UINT nType)
{
    return QtMessageBox(CQtPeer::WidgetOf(hOwner), strText, strCaption, nType);
}

bool CQtBackend::GetFileName(const FileDialogRequest& request, CString& strPath)
{
    return m_fileDialog.Run(request, CQtPeer::WidgetOf(request.hOwner), strPath);
}

bool CQtBackend::CanAct(HWND hWnd) const
{
    return CWindowRecord::IsWindow(hWnd) && !m_handlerRunning.back() &&
           hWnd->TopLevel() == CModalStack::Top();
}

void CQtBackend::Act(HWND hWnd, const std::function<CString()>& action)
{
    if (!CanAct(hWnd))
        return;
    size_t nLevel = m_handlerRunning.size() - 1;
    m_handlerRunning[nLevel] = true;
    // What a person cannot do (a disabled control) is simply not done.
    action();
    m_handlerRunning[nLevel] = false;
}

void CQtBackend::KeepPainting()
{
    if (m_sincePainted.elapsed() < kPaintIntervalMs)
        return;
    // Paint and window events only: no input, and none of the timers or
    // sockets that could start something of their own.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers |
                                    QEventLoop::X11ExcludeTimers);
    m_sincePainted.restart();
}
