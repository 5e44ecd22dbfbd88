#include "platform/qt/qteditpeer.h"

#include <QLineEdit>

#include "platform/qt/qttext.h"
#include "platform/styles.h"
#include "platform/userinput.h"

CQtEditPeer::CQtEditPeer(CQtBackend& backend, CWindowRecord& window) : CQtPeer(backend, window)
{
    auto* pEdit = new QLineEdit(ParentWidget());
    HWND hEdit = &window;
    QObject::connect(pEdit, &QLineEdit::textEdited, &m_receiver, [this, hEdit](const QString& strText) {
        if (!IsApplying())
            Act([hEdit, strText] { return CUserInput::Type(hEdit, FromQString(strText)); });
    });
    WatchFocus(pEdit);
    Attach(pEdit);
}

void CQtEditPeer::ApplyText()
{
    auto* pEdit = static_cast<QLineEdit*>(Widget());
    // Setting the same text again would move the caret of someone typing.
    QString strText = ToQString(Window().Text());
    if (pEdit->text() != strText)
        pEdit->setText(strText);
}

void CQtEditPeer::ApplyStyle()
{
    CQtPeer::ApplyStyle();
    static_cast<QLineEdit*>(Widget())->setFrame((Window().Style() & WS_BORDER) != 0);
}
