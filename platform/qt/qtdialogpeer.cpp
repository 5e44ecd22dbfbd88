#include "platform/qt/qtdialogpeer.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QShortcut>
#include <QUrl>

#include "platform/cmenu.h"
#include "platform/qt/qtbackend.h"
#include "platform/qt/qticon.h"
#include "platform/qt/qttext.h"
#include "platform/styles.h"
#include "platform/userinput.h"

namespace {

class CDialogWindow : public QDialog {
public:
    CDialogWindow(CQtDialogPeer* pPeer, QWidget* pOwner, Qt::WindowFlags flags)
        : QDialog(pOwner, flags), m_pPeer(pPeer)
    {
        auto* pShortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
        QObject::connect(pShortcut, &QShortcut::activated, this, [this] {
            if (m_pPeer)
                m_pPeer->ShowSystemMenu(mapToGlobal(QPoint(0, 0)));
        });
    }

    // The window outlives its peer until the event loop deletes it; from
    // then on it reports nothing.
    void Detach() { m_pPeer = nullptr; }

protected:
    void keyPressEvent(QKeyEvent* pEvent) override
    {
        bool bPlain = (pEvent->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        UINT nKey = 0;
        if (bPlain && pEvent->key() == Qt::Key_Escape)
            nKey = VK_ESCAPE;
        else if (bPlain && (pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter))
            nKey = VK_RETURN;
        if (nKey == 0) {
            QDialog::keyPressEvent(pEvent);
            return;
        }
        pEvent->accept();
        if (m_pPeer)
            m_pPeer->OnKey(nKey);
    }

    void closeEvent(QCloseEvent* pEvent) override
    {
        // The program decides whether the window closes.
        pEvent->ignore();
        if (m_pPeer)
            m_pPeer->OnClose();
    }

    void contextMenuEvent(QContextMenuEvent* pEvent) override
    {
        pEvent->accept();
        if (m_pPeer)
            m_pPeer->ShowSystemMenu(pEvent->globalPos());
    }

    // Local files only: they are all a drop hands on.
    void dragEnterEvent(QDragEnterEvent* pEvent) override
    {
        if (m_pPeer && !LocalFiles(*pEvent->mimeData()).empty())
            pEvent->acceptProposedAction();
    }

    void dropEvent(QDropEvent* pEvent) override
    {
        std::vector<CString> files = LocalFiles(*pEvent->mimeData());
        if (!m_pPeer || files.empty())
            return;
        pEvent->acceptProposedAction();
        const QPoint point = pEvent->position().toPoint();
        m_pPeer->OnDrop(std::move(files), point);
    }

private:
    static std::vector<CString> LocalFiles(const QMimeData& data)
    {
        std::vector<CString> files;
        for (const QUrl& url : data.urls()) {
            if (url.isLocalFile())
                files.emplace_back(url.toLocalFile().toStdString());
        }
        return files;
    }

    CQtDialogPeer* m_pPeer;
};

Qt::WindowFlags FlagsFor(const CWindowRecord& window)
{
    // A modal frame: a caption and, with a system menu, the close box; no
    // minimise or maximise box and no resizing.
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (window.Style() & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    return flags;
}

}  // namespace

CQtDialogPeer::CQtDialogPeer(CQtBackend& backend, CWindowRecord& window)
    : CQtPeer(backend, window)
{
    auto* pDialog = new CDialogWindow(this, WidgetOf(window.Owner()), FlagsFor(window));
    pDialog->setWindowModality(Qt::ApplicationModal);
    pDialog->setSizeGripEnabled(false);
    Attach(pDialog);
}

CQtDialogPeer::~CQtDialogPeer()
{
    if (auto* pDialog = static_cast<CDialogWindow*>(Widget()))
        pDialog->Detach();
    Backend().EndModalLoop(&Window());
}

void CQtDialogPeer::OnKey(UINT nVirtualKey)
{
    HWND hDialog = &Window();
    Act([hDialog, nVirtualKey] { return CUserInput::Key(hDialog, nVirtualKey); });
}

void CQtDialogPeer::OnClose()
{
    HWND hDialog = &Window();
    Act([hDialog] { return CUserInput::Close(hDialog); });
}

void CQtDialogPeer::OnDrop(std::vector<CString> files, const QPoint& point)
{
    HWND hDialog = &Window();
    const POINT dropPoint{point.x(), point.y()};
    Act([hDialog, files = std::move(files), dropPoint] { return CUserInput::DropFiles(hDialog, files, dropPoint); });
}

void CQtDialogPeer::ShowSystemMenu(const QPoint& globalPos)
{
    HWND hDialog = &Window();
    CQtBackend& backend = Backend();
    CMenu* pMenu = hDialog->SystemMenu();
    if (!pMenu || !backend.CanAct(hDialog))
        return;
    QMenu menu(Widget());
    for (const MenuItem& item : pMenu->Items()) {
        if (item.nFlags & MF_SEPARATOR)
            menu.addSeparator();
        else
            menu.addAction(ToQString(item.strText))->setData(item.nID);
    }
    QAction* pChosen = menu.exec(globalPos);
    if (!pChosen || !CWindowRecord::IsWindow(hDialog))
        return;
    UINT nID = pChosen->data().toUInt();
    // The peer may be gone by now; only the backend is asked.
    backend.Act(hDialog, [hDialog, nID] { return CUserInput::SysCommand(hDialog, nID); });
}

void CQtDialogPeer::ApplyText()
{
    Widget()->setWindowTitle(ToQString(Window().Text()));
}

void CQtDialogPeer::ApplyGeometry()
{
    CRect client = Window().ClientRect();
    Widget()->setFixedSize(client.Width(), client.Height());
}

void CQtDialogPeer::ApplyStyle()
{
    Widget()->setAcceptDrops((Window().ExStyle() & WS_EX_ACCEPTFILES) != 0);
    // A disabled dialog (the owner of a modal one) takes no input, which
    // Qt's modality and the backend see to; Win32 does not grey its
    // controls, so the widget stays enabled.
    if (Window().IsVisible() && !Widget()->isVisible()) {
        Widget()->show();
        Widget()->raise();
        Widget()->activateWindow();
    } else if (!Window().IsVisible() && Widget()->isVisible()) {
        Widget()->hide();
    }
}

void CQtDialogPeer::ApplyState()
{
    ApplyIcon();
    ApplyFocus();
}

void CQtDialogPeer::ApplyChange(WindowChange change, int /*nIndex*/)
{
    switch (change) {
    case WindowChange::Icon: ApplyIcon(); break;
    case WindowChange::Focus: ApplyFocus(); break;
    case WindowChange::Iconic:
        if (Window().IsIconic())
            Widget()->showMinimized();
        else if (Window().IsVisible())
            Widget()->showNormal();
        break;
    default: break;
    }
}

void CQtDialogPeer::ApplyIcon()
{
    HICON hIcon = Window().Icon(true) ? Window().Icon(true) : Window().Icon(false);
    if (hIcon)
        Widget()->setWindowIcon(QtIcon(hIcon));
}

void CQtDialogPeer::ApplyFocus()
{
    QWidget* pFocus = WidgetOf(Window().FocusChild());
    (pFocus ? pFocus : Widget())->setFocus(Qt::OtherFocusReason);
}
