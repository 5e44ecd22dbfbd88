#include "platform/qt/qtpeer.h"

#include <QEvent>
#include <QFocusEvent>

#include "platform/qt/qtbackend.h"
#include "platform/qt/qtfont.h"
#include "platform/qt/qttext.h"
#include "platform/styles.h"
#include "platform/userinput.h"

class CQtPeer::CApplying {
public:
    explicit CApplying(CQtPeer& peer) : m_peer(peer) { ++m_peer.m_nApplying; }
    ~CApplying() { --m_peer.m_nApplying; }
    CApplying(const CApplying&) = delete;
    CApplying& operator=(const CApplying&) = delete;

private:
    CQtPeer& m_peer;
};

// Tab, Shift+Tab, a click or a mnemonic are a person's moves; focus that Qt
// moves on its own (a window activated, a widget hidden) is not.
class CQtPeer::CFocusWatcher : public QObject {
public:
    CFocusWatcher(CQtPeer& peer, QObject* pParent) : QObject(pParent), m_peer(peer) {}

    bool eventFilter(QObject* /*pWatched*/, QEvent* pEvent) override
    {
        if (pEvent->type() != QEvent::FocusIn)
            return false;
        switch (static_cast<QFocusEvent*>(pEvent)->reason()) {
        case Qt::MouseFocusReason:
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason: {
            HWND hWnd = &m_peer.Window();
            m_peer.Act([hWnd] { return CUserInput::Focus(hWnd); });
            break;
        }
        default:
            break;
        }
        return false;
    }

private:
    CQtPeer& m_peer;
};

CQtPeer::CQtPeer(CQtBackend& backend, CWindowRecord& window) : m_backend(backend), m_window(window)
{
}

CQtPeer::~CQtPeer()
{
    if (m_pWidget) {
        m_pWidget->hide();
        m_pWidget->deleteLater();
    }
}

QWidget* CQtPeer::WidgetOf(HWND hWnd)
{
    if (!CWindowRecord::IsWindow(hWnd))
        return nullptr;
    auto* pPeer = dynamic_cast<CQtPeer*>(hWnd->Peer());
    return pPeer ? pPeer->Widget() : nullptr;
}

void CQtPeer::Attach(QWidget* pWidget)
{
    CApplying applying(*this);
    m_pWidget = pWidget;
    ApplyFont();
    ApplyText();
    ApplyGeometry();
    ApplyStyle();
    ApplyState();
    ApplyToolTip();
}

void CQtPeer::Update(WindowChange change, int nIndex)
{
    if (!m_pWidget)
        return;
    CApplying applying(*this);
    switch (change) {
    case WindowChange::Text: ApplyText(); break;
    case WindowChange::Rect: ApplyGeometry(); break;
    case WindowChange::Style: ApplyStyle(); break;
    case WindowChange::Font: ApplyFont(); break;
    case WindowChange::ToolTip: ApplyToolTip(); break;
    default: ApplyChange(change, nIndex); break;
    }
}

void CQtPeer::ApplyGeometry()
{
    const CRect& rect = m_window.Rect();
    m_pWidget->setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
}

void CQtPeer::ApplyStyle()
{
    m_pWidget->setEnabled(m_window.IsEnabled());
    m_pWidget->setVisible(m_window.IsVisible());
    bool bTabStop = (m_window.Style() & WS_TABSTOP) != 0;
    if (m_pWidget->focusPolicy() != Qt::NoFocus)
        m_pWidget->setFocusPolicy(bTabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

// Qt shows the tip while the pointer rests on the widget; a screen reader
// reads the same text as the widget's description.
void CQtPeer::ApplyToolTip()
{
    const QString strToolTip = ToQString(m_window.ToolTip());
    m_pWidget->setToolTip(strToolTip);
    m_pWidget->setAccessibleDescription(strToolTip);
}

void CQtPeer::ApplyFont()
{
    HFONT hFont = m_window.Font();
    m_pWidget->setFont(hFont ? QtFont(hFont->logFont) : QFont());
}

void CQtPeer::Act(const std::function<CString()>& action)
{
    m_backend.Act(&m_window, action);
}

void CQtPeer::WatchFocus(QWidget* pWidget)
{
    pWidget->installEventFilter(new CFocusWatcher(*this, &m_receiver));
}
