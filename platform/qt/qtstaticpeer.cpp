#include "platform/qt/qtstaticpeer.h"

#include <QLabel>

#include "platform/qt/qticon.h"
#include "platform/qt/qttext.h"
#include "platform/styles.h"
#include "platform/winapi.h"

CQtStaticPeer::CQtStaticPeer(CQtBackend& backend, CWindowRecord& window) : CQtPeer(backend, window)
{
    auto* pLabel = new QLabel(ParentWidget());
    pLabel->setTextFormat(Qt::PlainText);
    pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Attach(pLabel);
}

CString CQtStaticPeer::DisplayText(const CString& strText, DWORD dwStyle)
{
    if (dwStyle & SS_NOPREFIX)
        return strText;
    CString strShown;
    for (int i = 0; i < strText.GetLength(); ++i) {
        char c = strText.GetAt(i);
        if (c != '&') {
            strShown += c;
        } else if (i + 1 < strText.GetLength() && strText.GetAt(i + 1) == '&') {
            strShown += '&';
            ++i;
        }
        // A single "&" marks the next character and is not drawn itself.
    }
    return strShown;
}

bool CQtStaticPeer::IsIcon() const
{
    return (Window().Style() & SS_TYPEMASK) == SS_ICON;
}

void CQtStaticPeer::ApplyText()
{
    if (!IsIcon())
        static_cast<QLabel*>(Widget())->setText(ToQString(DisplayText(Window().Text(), Window().Style())));
}

void CQtStaticPeer::ApplyGeometry()
{
    if (!IsIcon()) {
        CQtPeer::ApplyGeometry();
        ApplyWrap();
        return;
    }
    const CRect& rect = Window().Rect();
    Widget()->setGeometry(rect.left, rect.top, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
}

void CQtStaticPeer::ApplyFont()
{
    CQtPeer::ApplyFont();
    ApplyWrap();
}

void CQtStaticPeer::ApplyWrap()
{
    auto* pLabel = static_cast<QLabel*>(Widget());
    pLabel->setWordWrap(!IsIcon() && pLabel->height() >= 2 * pLabel->fontMetrics().lineSpacing());
}

void CQtStaticPeer::ApplyState()
{
    if (IsIcon())
        static_cast<QLabel*>(Widget())->setPixmap(QtIconPixmap(Window().Icon(true), GetSystemMetrics(SM_CXICON)));
}

void CQtStaticPeer::ApplyChange(WindowChange change, int /*nIndex*/)
{
    if (change == WindowChange::Icon)
        ApplyState();
}
