#include "platform/qt/qtcomboboxpeer.h"

#include <QComboBox>
#include <QLineEdit>

#include <algorithm>

#include "platform/qt/qttext.h"
#include "platform/styles.h"
#include "platform/userinput.h"

CQtComboBoxPeer::CQtComboBoxPeer(CQtBackend& backend, CWindowRecord& window) : CQtPeer(backend, window)
{
    auto* pCombo = new QComboBox(ParentWidget());
    // The list drops below the box with the template's height, as in Win32,
    // rather than opening over it as some styles do.
    pCombo->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    HWND hCombo = &window;
    if (HasEditField()) {
        pCombo->setEditable(true);
        // A Win32 combo box never adds what was typed to its list.
        pCombo->setInsertPolicy(QComboBox::NoInsert);
        pCombo->setCompleter(nullptr);
        QObject::connect(pCombo->lineEdit(), &QLineEdit::textEdited, &m_receiver,
                         [this, hCombo](const QString& strText) {
                             if (!IsApplying())
                                 Act([hCombo, strText] { return CUserInput::Type(hCombo, FromQString(strText)); });
                         });
    }
    QObject::connect(pCombo, &QComboBox::activated, &m_receiver, [this, hCombo](int nIndex) {
        if (!IsApplying())
            Act([hCombo, nIndex] { return CUserInput::Select(hCombo, nIndex); });
    });
    WatchFocus(pCombo);
    Attach(pCombo);
}

bool CQtComboBoxPeer::HasEditField() const
{
    return (Window().Style() & CBS_TYPEMASK) == CBS_DROPDOWN;
}

void CQtComboBoxPeer::ApplyText()
{
    auto* pCombo = static_cast<QComboBox*>(Widget());
    // A drop-down list shows its selection; only an edit field shows text.
    QString strText = ToQString(Window().Text());
    if (pCombo->lineEdit() && pCombo->lineEdit()->text() != strText)
        pCombo->lineEdit()->setText(strText);
}

void CQtComboBoxPeer::ApplyGeometry()
{
    auto* pCombo = static_cast<QComboBox*>(Widget());
    const CRect& rect = Window().Rect();
    int nFieldHeight = std::min<int>(pCombo->sizeHint().height(), rect.Height());
    pCombo->setGeometry(rect.left, rect.top, rect.Width(), nFieldHeight);
    int nItemHeight = std::max(1, pCombo->fontMetrics().height());
    pCombo->setMaxVisibleItems(std::max(1, (rect.Height() - nFieldHeight - 2) / nItemHeight));
}

void CQtComboBoxPeer::ApplyState()
{
    auto* pCombo = static_cast<QComboBox*>(Widget());
    pCombo->clear();
    for (const CString& strItem : Window().Items())
        pCombo->addItem(ToQString(strItem));
    ApplySelection();
}

void CQtComboBoxPeer::ApplyChange(WindowChange change, int nIndex)
{
    auto* pCombo = static_cast<QComboBox*>(Widget());
    switch (change) {
    case WindowChange::ItemInserted:
        pCombo->insertItem(nIndex, ToQString(Window().Items()[static_cast<size_t>(nIndex)]));
        break;
    case WindowChange::ItemDeleted: pCombo->removeItem(nIndex); break;
    case WindowChange::ItemsReset: pCombo->clear(); break;
    case WindowChange::Selection: break;
    default: return;
    }
    // Qt moves its current item by itself when items come and go (and picks
    // the first item of an empty box); the model's selection stands.
    ApplySelection();
}

void CQtComboBoxPeer::ApplySelection()
{
    auto* pCombo = static_cast<QComboBox*>(Widget());
    QLineEdit* pEdit = pCombo->lineEdit();
    QString strBefore = pEdit ? pEdit->text() : QString();
    int nCaret = pEdit ? pEdit->cursorPosition() : 0;
    if (pCombo->currentIndex() != Window().CurSel())
        pCombo->setCurrentIndex(Window().CurSel());
    // Changing the current item rewrites an edit field; the model's text
    // stands, and the caret of someone typing stays where it was.
    ApplyText();
    if (pEdit && pEdit->text() == strBefore)
        pEdit->setCursorPosition(nCaret);
}
