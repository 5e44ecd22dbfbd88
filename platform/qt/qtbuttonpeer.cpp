#include "platform/qt/qtbuttonpeer.h"

#include <QCheckBox>
#include <QPushButton>

#include <algorithm>

#include "platform/qt/qttext.h"
#include "platform/styles.h"
#include "platform/userinput.h"

namespace {

// A check box whose state only the model sets.
class CModelCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override {}
};

}  // namespace

CQtButtonPeer::CQtButtonPeer(CQtBackend& backend, CWindowRecord& window) : CQtPeer(backend, window)
{
    QAbstractButton* pButton;
    if (IsCheckBox()) {
        pButton = new CModelCheckBox(ParentWidget());
    } else {
        auto* pPush = new QPushButton(ParentWidget());
        // Enter is the dialog manager's: the focused push button, else the
        // default one. Left to Qt, a dialog without a default button would
        // draw its first push button as one.
        pPush->setAutoDefault(false);
        pButton = pPush;
    }
    HWND hButton = &window;
    QObject::connect(pButton, &QAbstractButton::clicked, &m_receiver, [this, hButton] {
        if (!IsApplying())
            Act([hButton] { return CUserInput::Click(hButton); });
    });
    WatchFocus(pButton);
    Attach(pButton);
}

bool CQtButtonPeer::IsCheckBox() const
{
    return (Window().Style() & BS_TYPEMASK) == BS_AUTOCHECKBOX;
}

void CQtButtonPeer::ApplyText()
{
    // Both use "&" for the mnemonic, as Win32 buttons do.
    static_cast<QAbstractButton*>(Widget())->setText(ToQString(Window().Text()));
    ApplyGeometry();
}

void CQtButtonPeer::ApplyGeometry()
{
    CQtPeer::ApplyGeometry();
    if (IsCheckBox())
        Widget()->resize(std::max(Widget()->width(), Widget()->sizeHint().width()), Widget()->height());
}

void CQtButtonPeer::ApplyFont()
{
    CQtPeer::ApplyFont();
    ApplyGeometry();
}

void CQtButtonPeer::ApplyStyle()
{
    CQtPeer::ApplyStyle();
    if (auto* pPush = qobject_cast<QPushButton*>(Widget()))
        pPush->setDefault((Window().Style() & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
}

void CQtButtonPeer::ApplyChange(WindowChange change, int /*nIndex*/)
{
    if (change == WindowChange::Check)
        ApplyState();
}

void CQtButtonPeer::ApplyState()
{
    if (auto* pCheck = qobject_cast<QCheckBox*>(Widget()))
        pCheck->setChecked(Window().Check() == BST_CHECKED);
}
