#include "platform/qt/qtmessagebox.h"

#include <QAbstractButton>
#include <QMessageBox>

#include "platform/qt/qttext.h"

int QtMessageBox(QWidget* pOwner, const CString& strText, const CString& strCaption, UINT nType)
{
    bool bYesNo = (nType & MB_TYPEMASK) == MB_YESNO;
    QMessageBox box(bYesNo ? QMessageBox::Question : QMessageBox::Warning, ToQString(strCaption),
                    ToQString(strText), bYesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok,
                    pOwner);
    box.setTextFormat(Qt::PlainText);
    // Some desktops put icons on dialog buttons; a message box's buttons bear words only.
    for (QAbstractButton* pButton : box.buttons())
        pButton->setIcon(QIcon());
    box.setWindowModality(Qt::ApplicationModal);
    if (bYesNo) {
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    }
    int nPressed = box.exec();
    if (bYesNo)
        return nPressed == QMessageBox::Yes ? IDYES : IDNO;
    return IDOK;
}
